// Extracts as text.
#ifndef KERNOVA_BASE_LINES_H_
#define KERNOVA_BASE_LINES_H_

#include <string>

namespace kernova::base {

// Each selected sentence of `sentences` (a range of items with `text` and
// `selected`) followed by a line feed, in order: an extract as a file
// holds it.
template <typename Sentences>
std::string selected_lines(const Sentences& sentences) {
  std::string text;
  for (const auto& sentence : sentences) {
    if (!sentence.selected) continue;
    text += sentence.text;
    text += '\n';
  }
  return text;
}

}  // namespace kernova::base

#endif  // KERNOVA_BASE_LINES_H_
