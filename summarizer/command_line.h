// The summarizer's command line:
//   [-is] [-ak] [-nM] text1 [... textM] [query] compression_rate
// "-is" and "-ak" are recognised only first and in this order; "-nM" names
// M input files; with two or more arguments after the input files the first
// is the query and the second the rate (the rest are ignored).
#ifndef KERNOVA_SUMMARIZER_COMMAND_LINE_H_
#define KERNOVA_SUMMARIZER_COMMAND_LINE_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "summarizer/summarize.h"

namespace kernova::summarizer {

struct CommandLine {
  std::vector<std::string> inputs;  // as typed, in order
  SummaryOptions options;
};

// A command line that cannot be run: too short, or a count after "-n" that
// is unreadable, 0 or negative. The program prints kUsage and ends with
// status 1.
struct UsageError {};

inline constexpr std::string_view kUsage =
    "\nExecuting Kernova for Windows/MSDOS:\n"
    "Kernova [-is] [-ak] [-nM] text1 [... textM] [query] compression_rate\n\n"
    "Executing Kernova for Unix/Linux:\n"
    "./Kernova.exe [-is] [-ak] [-nM] text1 [... textM] [query] compression_rate\n";

// `args` are the arguments after the program's name. A rate that reads as
// NaN is 0; a rate that reads as nothing is 0.
std::variant<CommandLine, UsageError> parse_command_line(std::span<const std::string_view> args);

// The extract's file name: the last input's name whose final path component
// loses everything from its last '.' and gains ".sum"; with several inputs
// that component is prefixed by "multidoc-". The folder part stays as typed.
std::string extract_name(std::span<const std::string> inputs);

}  // namespace kernova::summarizer

#endif  // KERNOVA_SUMMARIZER_COMMAND_LINE_H_
