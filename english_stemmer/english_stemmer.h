// The English stemmer: the published 1980 suffix-stripping rules for
// English, with three departures (words of one or two letters stay as they
// are, "bli" becomes "ble", "logi" becomes "log"), behind the entry that the
// summarizer calls for every word.
//
// Both calls keep no state between calls and touch no file: any number of
// threads may stem at once.
#ifndef KERNOVA_ENGLISH_STEMMER_ENGLISH_STEMMER_H_
#define KERNOVA_ENGLISH_STEMMER_ENGLISH_STEMMER_H_

#include <string>
#include <string_view>

namespace kernova::english_stemmer {

// Stems the lower-case letters p[i..j] in place and returns the index of the
// stem's last letter. Words of one or two letters come back unchanged.
// Writes no terminator and nothing beyond p[j].
int stem(char* p, int i, int j);

// Stems one word: the stem of the last run of ASCII letters of the
// lower-cased `word`, or the lower-cased word itself when it holds no ASCII
// letter. Words of any length are stemmed whole. Replaces the content of
// `out`; allocates only when `out` must grow.
void stem_word(std::string_view word, std::string& out);

// The same, returning the stem.
std::string stem_word(std::string_view word);

}  // namespace kernova::english_stemmer

#endif  // KERNOVA_ENGLISH_STEMMER_ENGLISH_STEMMER_H_
