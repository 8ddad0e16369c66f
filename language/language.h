// Character classes, case folding and the word lists of the two editions.
//
// Text is ISO 8859-1: one byte is one character. Nothing here consults the
// C locale; bytes are classified as unsigned values with the tables below.
#ifndef KERNOVA_LANGUAGE_LANGUAGE_H_
#define KERNOVA_LANGUAGE_LANGUAGE_H_

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kernova::language {

namespace internal {
constexpr std::array<bool, 256> make_letter_table() {
  std::array<bool, 256> table{};
  auto set = [&table](int first, int last) {
    for (int c = first; c <= last; ++c) table[static_cast<std::size_t>(c)] = true;
  };
  set('a', 'z');
  set('A', 'Z');
  set('0', '9');
  set('-', '-');
  set('_', '_');
  // Latin-1 small letters, without the dividing sign and the Nordic letters.
  set(0xE0, 0xE4);
  set(0xE7, 0xEF);
  set(0xF1, 0xF6);
  set(0xF9, 0xFC);
  // Latin-1 capitals, likewise.
  set(0xC0, 0xC4);
  set(0xC7, 0xCF);
  set(0xD1, 0xD6);
  set(0xD9, 0xDC);
  set(0xAA, 0xAA);  // feminine ordinal sign
  set(0xB0, 0xB0);  // degree sign (the masculine ordinal 0xBA is not a letter)
  return table;
}
inline constexpr std::array<bool, 256> kLetterTable = make_letter_table();
}  // namespace internal

// True when the byte `c` belongs to a word: ASCII letters and digits, '-',
// '_', the accented Latin-1 letters of Portuguese and French, 'ª' and '°'.
// A word is a maximal run of such bytes, everywhere in the system.
constexpr bool letter(unsigned char c) { return internal::kLetterTable[c]; }

// `letter` for a byte held as a plain char, whatever its signedness.
constexpr bool is_letter(char c) { return letter(static_cast<unsigned char>(c)); }

// True for '0' to '9' only.
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Folds 'A' to 'Z' to 'a' to 'z'; every other byte, accented capitals
// included, comes back unchanged.
constexpr char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

// The case-folded copy of `word` (same length; only ASCII capitals change).
std::string lowercase(std::string_view word);

// Folds `word` into `out`, replacing its content. Reuses `out`'s storage.
void lowercase(std::string_view word, std::string& out);

// A fixed set of words, looked up by exact byte comparison: an open hash
// table of views into the entries, a quarter full at most.
class WordList {
 public:
  explicit WordList(std::span<const std::string_view> entries);

  // True when `word` equals an entry byte for byte (case-sensitive).
  bool contains(std::string_view word) const;

  // True when the case-folded `word` equals an entry.
  bool contains_folded(std::string_view word) const;

  // The number of distinct entries.
  std::size_t size() const { return size_; }

 private:
  bool find(std::string_view word) const;

  std::vector<std::string_view> slots_;  // a null view marks a free slot
  std::size_t size_ = 0;
  std::size_t longest_ = 0;
};

// One language edition's resources. The summarizer adds its stemmer to this
// (summarizer/edition.h); the splitter needs only the abbreviations.
struct Language {
  std::string_view name;  // "En" or "Por": a short name for messages and traces
  const WordList& stopwords;
  const WordList& abbreviations;
};

const Language& english();
const Language& portuguese();

// `word` is a stopword of `language`: an exact, case-sensitive match.
bool stopword(const Language& language, std::string_view word);
// `word`, folded to lower case, is a stopword of `language`.
bool stopword_folded(const Language& language, std::string_view word);

// `word` is an abbreviation of `language`: an exact, case-sensitive match.
bool abbrev(const Language& language, std::string_view word);
// `word`, folded to lower case, is an abbreviation of `language`.
bool abbrev_folded(const Language& language, std::string_view word);

}  // namespace kernova::language

#endif  // KERNOVA_LANGUAGE_LANGUAGE_H_
