// `kernova split` and `kernova summarize`.
#ifndef KERNOVA_FRONTEND_TEXT_COMMANDS_H_
#define KERNOVA_FRONTEND_TEXT_COMMANDS_H_

#include <cstdio>
#include <string>
#include <vector>

#include "frontend/command_line.h"

namespace kernova::frontend {

// Writes the sentences of the text, one per line, to `out`. Throws
// Failure (frontend/io.h) with the program's message when the text cannot be read
// or decoded, or `out` cannot be written.
void run_split(const SplitOptions& options, std::FILE* in, std::FILE* out);

// Writes one summary of all the texts to `out` or to the -o file; with
// --each, summarizes every file on its own (see `run_each`). Throws
// Failure (frontend/io.h) with the program's message on failure.
void run_summarize(const SummarizeOptions& options, std::FILE* in, std::FILE* out);

// The file that --each writes the summary of `input` to: its name without
// its last extension, plus ".sum" (".json", ".tsv" for those formats),
// beside it or in `output_dir`.
std::string each_output_name(const std::string& input, OutputFormat format, const std::string& output_dir);

// --each: summarizes every file on its own into its output file, with
// `jobs` threads over the list. A file that fails leaves its output file
// untouched and the others are still done. Returns one message per failed
// file, in the order of the files ("kernova: NAME: REASON\n"); shows
// progress on `progress` when that is not null.
std::vector<std::string> run_each(const SummarizeOptions& options, unsigned jobs, std::FILE* progress);

}  // namespace kernova::frontend

#endif  // KERNOVA_FRONTEND_TEXT_COMMANDS_H_
