// The Portuguese stemmer: irregular verb forms by table, noun, adjective and
// verb suffixes by rule, accents kept through an internal coding.
#ifndef KERNOVA_PORTUGUESE_STEMMER_PORTUGUESE_STEMMER_H_
#define KERNOVA_PORTUGUESE_STEMMER_PORTUGUESE_STEMMER_H_

#include <string>
#include <string_view>

#include "portuguese_stemmer/pool.h"
#include "portuguese_stemmer/suffix_rules.h"

namespace kernova::portuguese_stemmer {

// Stems one word: `word` (ISO 8859-1 bytes, any case, any length) is
// encoded with `acento`, which folds its ASCII capitals, and stemmed with
// `portuguese_stem`; the stem replaces the content of `out`. Equal words
// always give equal stems. Throws std::bad_alloc only.
void stem_word(std::string_view word, std::string& out);

// The same, returning the stem.
std::string stem_word(std::string_view word);

// Appends character `p` to `s` in the encoded form: 'A' to 'Z' as small
// letters; the Portuguese accented letters (either case) as base letter,
// '^' and an accent code: 'a' acute, 'c' grave on a or cedilla on c, 'h'
// circumflex, 't' tilde; every other byte unchanged.
void acento(std::string& s, char p);

// Writes the encoded word `q` into z.p in the internal coding and sets z.k:
// a letter, '^' and a code become the capital of the letter ('A' 'C' 'E'
// 'I' 'O' 'U') or, for the tilde, the letter and 'N'; a pair that means
// nothing drops the '^' and the code; a '^' at either end stays. Returns
// the word in z.p.
std::string_view to_internal(portuguese_stemmer& z, std::string_view q);

// Turns z.p[0..k-1] back into ISO 8859-1 in place: 'A' 'E' 'I' 'O' 'U'
// lose their accents, 'C' becomes c-cedilla, "aN" and "oN" a-tilde and
// o-tilde. Sets z.k to the new length and returns the word.
std::string_view to_text(portuguese_stemmer& z);

// Stems the encoded word `q` (as `acento` writes it) with the state `z_`:
// turns it into the internal coding, looks it up among the irregular verb
// forms, else runs `measure`, `remove_suffix`, `verb_ending` (when nothing
// was removed) and `tidy_up`, and turns the rest back into ISO 8859-1
// (acute, grave and circumflex accents dropped, c-cedilla and the tilde
// kept). The result is either a translation from the table or a view of
// z_.p, valid until the next use of `z_`.
std::string_view portuguese_stem(portuguese_stemmer& z_, std::string_view q);

}  // namespace kernova::portuguese_stemmer

#endif  // KERNOVA_PORTUGUESE_STEMMER_PORTUGUESE_STEMMER_H_
