// The Portuguese stemmer: irregular verb forms by table, noun, adjective and
// verb suffixes by rule, accents kept through an internal coding.
#ifndef KERNOVA_PORTUGUESE_STEMMER_PORTUGUESE_STEMMER_H_
#define KERNOVA_PORTUGUESE_STEMMER_PORTUGUESE_STEMMER_H_

#include <string>
#include <string_view>

namespace kernova::portuguese_stemmer {

// The summarizer's entry: folds the ASCII capitals of `word` (ISO 8859-1
// bytes, any length) and stems it. Replaces the content of `out`.
void stem(std::string_view word, std::string& out);

// The same, returning the stem.
std::string stem(std::string_view word);

}  // namespace kernova::portuguese_stemmer

#endif  // KERNOVA_PORTUGUESE_STEMMER_PORTUGUESE_STEMMER_H_
