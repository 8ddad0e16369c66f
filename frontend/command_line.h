// The `kernova` command line: `kernova <command> [options] [files]`.
//
// Parsing is a pure function of the arguments: it reads no file and prints
// nothing, so that every outcome (a command to run, a help text, a usage
// error) can be checked from a table of argument lists.
#ifndef KERNOVA_FRONTEND_COMMAND_LINE_H_
#define KERNOVA_FRONTEND_COMMAND_LINE_H_

#include <optional>
#include <span>
#include <string_view>
#include <string>
#include <variant>
#include <vector>

#include "kernova/kernova.hpp"

namespace kernova::frontend {

// `kernova stem --lang CODE [file ...]`.
struct StemOptions {
  api::Language language = api::Language::kEnglish;
  std::vector<std::string> files;          // empty: read standard input
};

// `kernova split [--lang CODE] [--encoding NAME] [--unwrap] [FILE]`.
struct SplitOptions {
  api::ReadOptions read;
  std::string file;  // empty or "-": read standard input
};

enum class OutputFormat { kText, kJson, kTsv };

// `kernova summarize [options] [FILE...]`.
struct SummarizeOptions {
  api::SummaryOptions summary;
  std::vector<std::string> files;  // empty: standard input; "-" names it too
  OutputFormat format = OutputFormat::kText;
  std::string output;  // -o FILE; empty: standard output
  // --each: every file summarized on its own into a file beside it, or in
  // `output_dir` when that is not empty, by `jobs` threads (0: one per core).
  bool each = false;
  std::string output_dir;
  unsigned jobs = 0;
};

// `kernova eval [--stem] [--lang CODE] [--words N] [--format NAME] CANDIDATE REFERENCE`.
struct EvalOptions {
  std::string candidate;  // a file, or a folder of files named as the references
  std::string reference;
  std::optional<api::Language> stem;  // with --stem: tokens are stemmed in this language
  std::optional<std::size_t> words;   // candidates cut to their first N tokens
  OutputFormat format = OutputFormat::kText;
};

// A command to run. Each subcommand adds its options struct here.
using Command = std::variant<StemOptions, SplitOptions, SummarizeOptions, EvalOptions>;

// --help or --version was given: print `text` on standard output and exit
// with status 0.
struct HelpRequest {
  std::string text;
};

// The command line cannot be run: print `message` (complete, line end
// included) on standard error and exit with status 2.
struct UsageError {
  std::string message;
};

using Invocation = std::variant<Command, HelpRequest, UsageError>;

// Parses `args`, the arguments after the program name.
Invocation parse_command_line(std::span<const std::string> args);

// The value of --keep: a decimal number above 0 and at most 1 ("0.25",
// ".5", "1") as the exact fraction it writes, or nothing.
std::optional<api::Share> parse_share(std::string_view text);

// The value of --rate: a number as the summarizer programs read their
// compression rate, when `text` is wholly a number; else nothing.
std::optional<float> parse_rate(std::string_view text);

}  // namespace kernova::frontend

#endif  // KERNOVA_FRONTEND_COMMAND_LINE_H_
