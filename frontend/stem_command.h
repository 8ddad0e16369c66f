// `kernova stem`: one word per input line, its stem on the matching output
// line.
#ifndef KERNOVA_FRONTEND_STEM_COMMAND_H_
#define KERNOVA_FRONTEND_STEM_COMMAND_H_

#include <cstdio>
#include <string>
#include <string_view>

#include "frontend/command_line.h"
#include "kernova/kernova.hpp"

namespace kernova::frontend {

// Turns lines into stems as their bytes arrive, in pieces of any size.
// A line ends at LF; a CR right before the LF belongs to the line end. The
// rest of the line, whatever its bytes, is the word handed to the stemmer.
// Each stem is written followed by LF. Memory is bounded by the longest line.
class LineStemmer {
 public:
  // Stems one word of `language`, replacing the content of `out`.
  using StemFunction = void (*)(std::string_view word, api::Language language, std::string& out);

  explicit LineStemmer(api::Language language, StemFunction stem = &api::stem)
      : language_(language), stem_(stem) {}

  // Appends to `out` the stem of every line that `bytes` completes.
  void feed(std::string_view bytes, std::string& out);

  // Ends the input: a last line without a line end gets its stem too; an
  // input that ended with a line end adds nothing. The stemmer can then
  // take a new input.
  void finish(std::string& out);

 private:
  void stem_line(std::string_view line, std::string& out);

  api::Language language_;
  StemFunction stem_;
  std::string pending_;  // the start of a line not yet complete
  std::string word_stem_;
};

// Runs `kernova stem`: the lines of each named file in turn (each file's
// last line ends with the file), or of `in` when no file is named, stemmed
// onto `out`. Throws Failure with the program's message
// ("kernova: can not open FILE: REASON\n") when a file cannot be opened or
// read or `out` cannot be written; the stems written until then stay.
void run_stem(const StemOptions& options, std::FILE* in, std::FILE* out);

}  // namespace kernova::frontend

#endif  // KERNOVA_FRONTEND_STEM_COMMAND_H_
