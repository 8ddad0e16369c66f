// The splitter on arbitrary bytes: every byte reaches the sentence file in
// order, except blanks dropped in front of sentences; lines are added only
// after sentences; no line is empty but the last; and feeding the text in
// pieces changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "language/language.h"
#include "splitter/splitter.h"

namespace {

constexpr bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// True when `out` is `text` with some blanks left out and line ends put in.
bool keeps_every_byte(std::string_view text, std::string_view out) {
  std::size_t t = 0;
  for (char c : out) {
    while (t < text.size() && text[t] != c && is_blank(text[t])) ++t;
    if (t < text.size() && text[t] == c) {
      ++t;
    } else if (c != '\n') {
      return false;
    }
  }
  for (; t < text.size(); ++t) {
    if (!is_blank(text[t])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1 << 16) return 0;
  // The first byte picks the edition and the piece size; the rest is the text.
  if (size == 0) return 0;
  const auto& language = (data[0] & 1) ? kernova::language::portuguese() : kernova::language::english();
  const std::size_t piece = 1 + (data[0] >> 1);
  std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  const std::string out = kernova::splitter::segment_text(language, text);
  FUZZ_CHECK(keeps_every_byte(text, out));
  FUZZ_CHECK(out.empty() || out.back() == '\n');
  const std::size_t empty_line = out.find("\n\n");
  FUZZ_CHECK(empty_line == std::string::npos || empty_line + 2 == out.size());
  FUZZ_CHECK(!(out.size() > 1 && out.front() == '\n'));

  kernova::splitter::Segmenter segmenter(language);
  std::string pieces;
  for (std::size_t i = 0; i < text.size(); i += piece) segmenter.feed(text.substr(i, piece), pieces);
  segmenter.finish(pieces);
  FUZZ_CHECK(pieces == out);
  return 0;
}
