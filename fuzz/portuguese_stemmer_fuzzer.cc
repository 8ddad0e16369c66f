// The Portuguese stemmer on arbitrary words: no crash and no access outside
// the word. A stem is never longer than its word, except when the word is
// an irregular verb form: its stem is then the verb's stem from the table
// ("\351" gives "ser"). The stem never holds an ASCII capital; ASCII letter
// case and the case of the encoded accented letters do not change it; and a
// stemmer object used for one word first stems the next one as a fresh one
// does.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "portuguese_stemmer/portuguese_stemmer.h"

namespace {

namespace pt = kernova::portuguese_stemmer;

// The accented small letters that the stemmer encodes; each capital is the
// same byte minus 0x20.
constexpr std::string_view kEncodedSmall = "\340\341\342\343\347\351\352\355\363\364\365\372";

std::string with_case(std::string_view word, bool upper) {
  std::string out(word);
  for (char& c : out) {
    const bool small = (c >= 'a' && c <= 'z') || kEncodedSmall.find(c) != std::string_view::npos;
    const bool capital =
        (c >= 'A' && c <= 'Z') || kEncodedSmall.find(static_cast<char>(c + 0x20)) != std::string_view::npos;
    if (upper && small) c = static_cast<char>(c - 0x20);
    if (!upper && capital) c = static_cast<char>(c + 0x20);
  }
  return out;
}

std::string encoded(std::string_view word) {
  std::string s;
  for (char c : word) pt::acento(s, c);
  return s;
}

bool is_translation(std::string_view stem) {
  for (const pt::irregular_row& row : pt::irregular_forms) {
    if (row.translation == stem) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1 << 14) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // Two words: up to the first '\n', and the rest.
  const std::size_t cut = input.find('\n');
  const std::string_view word = input.substr(0, cut);
  const std::string_view next = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);

  std::string stem;
  pt::stem_word(word, stem);
  if (stem.size() > word.size()) {
    // Only a verb form from the table grows: its internal coding is a form
    // whose translation is the stem.
    pt::portuguese_stemmer z;
    const std::string internal(pt::to_internal(z, encoded(word)));
    const auto translation = pt::search_pool(pt::irregular_pool(), internal);
    FUZZ_CHECK(translation && *translation == stem);
  }
  if (!is_translation(stem)) {
    for (char c : stem) FUZZ_CHECK(!(c >= 'A' && c <= 'Z'));
  }
  FUZZ_CHECK(pt::stem_word(with_case(word, true)) == stem);
  FUZZ_CHECK(pt::stem_word(with_case(word, false)) == stem);

  // One object for two words in a row.
  pt::portuguese_stemmer z;
  const std::string first(pt::portuguese_stem(z, encoded(word)));
  FUZZ_CHECK(first == stem);
  const std::string second(pt::portuguese_stem(z, encoded(next)));
  FUZZ_CHECK(second == pt::stem_word(next));
  return 0;
}
