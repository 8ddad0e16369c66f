// Pieces of the fuzz targets' inputs and of the texts they summarize.
#ifndef KERNOVA_FUZZ_FUZZ_TEXT_H_
#define KERNOVA_FUZZ_FUZZ_TEXT_H_

#include <string_view>
#include <vector>

#include "language/language.h"

namespace kernova::fuzz {

// Takes bytes up to the next 0x01 (or the end) off the front of `input`.
inline std::string_view take_field(std::string_view& input) {
  const std::size_t end = input.find('\x01');
  const std::string_view field = input.substr(0, end);
  input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  return field;
}

// The sentences of a sentence file: its non-empty lines, every line but
// the first without its leading blanks and tabs.
inline void add_sentences(std::string_view file, std::vector<std::string_view>& sentences) {
  bool first = true;
  while (!file.empty()) {
    const std::size_t end = file.find('\n');
    std::string_view line = file.substr(0, end);
    file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
    if (!first) {
      while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    }
    first = false;
    if (!line.empty()) sentences.push_back(line);
  }
}

inline std::vector<std::string_view> words_of(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!kernova::language::is_letter(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && kernova::language::is_letter(text[end])) ++end;
    words.push_back(text.substr(i, end - i));
    i = end;
  }
  return words;
}

}  // namespace kernova::fuzz

#endif  // KERNOVA_FUZZ_FUZZ_TEXT_H_
