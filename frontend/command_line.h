// The `kernova` command line: `kernova <command> [options] [files]`.
//
// Parsing is a pure function of the arguments: it reads no file and prints
// nothing, so that every outcome (a command to run, a help text, a usage
// error) can be checked from a table of argument lists.
#ifndef KERNOVA_FRONTEND_COMMAND_LINE_H_
#define KERNOVA_FRONTEND_COMMAND_LINE_H_

#include <span>
#include <string>
#include <variant>
#include <vector>

#include "frontend/stemmers.h"

namespace kernova::frontend {

// `kernova stem --lang CODE [file ...]`.
struct StemOptions {
  const StemmerChoice* stemmer = nullptr;  // never null after parsing; its `stem` is set
  std::vector<std::string> files;          // empty: read standard input
};

// A command to run. Each subcommand adds its options struct here.
using Command = std::variant<StemOptions>;

// --help was given: print `text` on standard output and exit with status 0.
struct HelpRequest {
  std::string text;
};

// The command line cannot be run: print `message` (complete, line end
// included) on standard error and exit with status 1.
struct UsageError {
  std::string message;
};

using Invocation = std::variant<Command, HelpRequest, UsageError>;

// Parses `args`, the arguments after the program name.
Invocation parse_command_line(std::span<const std::string> args);

}  // namespace kernova::frontend

#endif  // KERNOVA_FRONTEND_COMMAND_LINE_H_
