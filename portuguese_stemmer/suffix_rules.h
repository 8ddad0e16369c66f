// The suffix rules of the Portuguese stemmer, on words in the internal
// coding (see pool.h): lower-case ASCII letters, 'A' 'E' 'I' 'O' 'U' for
// accented vowels, 'C' for c-cedilla, 'N' after 'a' or 'o' for the tilde.
//
// A suffix may go only when it lies inside a region of the word: the V
// region (after `posV`) or region 2 (from the third run of vowels on). Every
// rule only shortens the word, by lowering `k`.
#ifndef KERNOVA_PORTUGUESE_STEMMER_SUFFIX_RULES_H_
#define KERNOVA_PORTUGUESE_STEMMER_SUFFIX_RULES_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "portuguese_stemmer/pool.h"

namespace kernova::portuguese_stemmer {

// The state of one word being stemmed. Keep one per caller (or per call):
// it is not shared between threads. Reusing it for the next word gives the
// same stems, since `portuguese_stem` and `measure` reset everything that
// matters.
struct portuguese_stemmer {
  std::string p;  // the word is p[0] to p[k-1]; the rest is spare room
  std::ptrdiff_t k = 0;     // length of the word
  std::ptrdiff_t j = 0;     // index before the suffix that the last match test found
  std::ptrdiff_t posV = 0;  // region bounds of the word before any removal
  std::ptrdiff_t pos2 = 0;
  const pool* irregulars = &irregular_pool();

  // Sets the word to `word` (already in the internal coding).
  void set_word(std::string_view word) {
    p.assign(word);
    k = static_cast<std::ptrdiff_t>(word.size());
  }
  // The word as it stands.
  std::string_view word() const { return std::string_view(p).substr(0, static_cast<std::size_t>(k)); }
};

// The ten vowels: 'a' 'e' 'i' 'o' 'u' and 'A' 'E' 'I' 'O' 'U'. Everything
// else, 'C', 'N', digits and unencoded Latin-1 letters included, is not one.
bool char_type(int ch);
// 'a', 'e' or 'i': the class of a pattern that begins with '.'.
bool aei(int ch);
// 'A', 'E' or 'I': the class of a pattern that begins with ':'.
bool AEI(int ch);

// Sets `posV` and `pos2` for the word p[0..k-1]. A suffix passes the V test
// when it begins after index `posV`, the region-2 test when it begins at
// the third vowel run or later. Words shorter than two characters get
// posV = pos2 = k (nothing passes).
void measure(portuguese_stemmer& z);

// True when the word part p[0..j] ends with pattern `s` (1 to 7
// characters; a leading '.' stands for one of `aei`, a leading ':' for one
// of `AEI`); then lowers `j` by the pattern's length. Never reads before
// p[0].
bool look_for(portuguese_stemmer& z, std::string_view s);
// `look_for` from the end of the word (j = k - 1). Never changes `k`.
bool ends(portuguese_stemmer& z, std::string_view s);
// If j >= posV, cuts the word after index `j` and returns true.
bool after_posV(portuguese_stemmer& z);
// If j >= pos2, cuts the word after index `j` and returns true.
bool after_pos2(portuguese_stemmer& z);
// Removes suffix `s` if the word ends with it and it passes the V test.
bool chopV(portuguese_stemmer& z, std::string_view s);
// As `chopV`, but refuses when the suffix begins with 'i' after an 'e'
// ("eira" and "eiras" are not verb endings).
bool chopV_not_e(portuguese_stemmer& z, std::string_view s);
// Removes suffix `s` if the word ends with it and it passes the region-2
// test.
bool chop2(portuguese_stemmer& z, std::string_view s);

// Noun and adjective suffixes (and the 'n' of "-ns" plurals). True when
// something was removed; a plural 's' set aside is then lost as well.
bool remove_suffix(portuguese_stemmer& z);
// Verb endings, all under the V test. True when one was removed.
bool verb_ending(portuguese_stemmer& z);
// Final vowels and leftovers: a final e always (and then the u of "gu" or
// the i of "ci"); a final a, o, A, I, O, i or "os" only when no suffix was
// removed before (`suffix_removed` false).
void tidy_up(portuguese_stemmer& z, bool suffix_removed);

}  // namespace kernova::portuguese_stemmer

#endif  // KERNOVA_PORTUGUESE_STEMMER_SUFFIX_RULES_H_
