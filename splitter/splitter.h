// The sentence splitter: cuts text into sentences, one per output line.
//
// A sentence ends at every line end, at '!' and '?', at a '.' that is not
// part of a number, an abbreviation, a run of periods or an address, and in
// front of a capital that follows a closing double quote or two periods.
// Inside a quotation or brackets only the line end ends a sentence.
#ifndef KERNOVA_SPLITTER_SPLITTER_H_
#define KERNOVA_SPLITTER_SPLITTER_H_

#include <string>
#include <string_view>

#include "language/language.h"

namespace kernova::splitter {

// Streams text through the sentence rules. The text is fed in pieces of any
// size, with line ends as single '\n' bytes; finished sentence-file bytes
// are appended to the caller's string. Memory is bounded by the longest
// input line.
class Segmenter {
 public:
  explicit Segmenter(const language::Language& language) : language_(language) {}

  // Appends the sentences that `text` completes to `out`.
  void feed(std::string_view text, std::string& out);

  // Ends the input: appends what is left as the last line (even when only
  // blanks were left, which gives an empty line). Call it once, last.
  void finish(std::string& out);

 private:
  const language::Language& language_;
  std::string pending_;  // an input line not yet complete
};

// The whole sentence file for `text` (line ends as '\n').
std::string segment_text(const language::Language& language, std::string_view text);

}  // namespace kernova::splitter

#endif  // KERNOVA_SPLITTER_SPLITTER_H_
