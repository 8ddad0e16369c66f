#include "summarizer/command_line.h"

#include <cmath>

#include "base/files.h"
#include "base/number.h"

namespace kernova::summarizer {

std::variant<CommandLine, UsageError> parse_command_line(std::span<const std::string_view> args) {
  if (args.size() < 2) return UsageError{};
  CommandLine command_line;
  SummaryOptions& options = command_line.options;
  std::size_t at = 0;
  if (args[at] == "-is") {
    options.remove_stopwords = true;
    ++at;
  }
  if (at < args.size() && args[at] == "-ak") {
    options.average_scores = true;
    ++at;
  }
  if (at == args.size()) return UsageError{};

  if (args[at].starts_with("-n")) {
    const std::optional<std::int64_t> count = base::scan_int(args[at].substr(2));
    if (!count || *count <= 0) return UsageError{};
    // The files and then at least the rate must follow.
    const std::size_t after = args.size() - at - 1;
    if (static_cast<std::uint64_t>(*count) >= after) return UsageError{};
    for (std::size_t k = 1; k <= static_cast<std::size_t>(*count); ++k)
      command_line.inputs.emplace_back(args[at + k]);
    at += static_cast<std::size_t>(*count) + 1;
  } else {
    command_line.inputs.emplace_back(args[at]);
    ++at;
    if (at == args.size()) return UsageError{};
  }

  if (at + 1 < args.size()) options.query = std::string(args[at++]);
  const float rate = base::scan_float(args[at]).value_or(0.0f);
  options.compression_rate = std::isnan(rate) ? 0.0f : rate;
  return command_line;
}

std::string extract_name(std::span<const std::string> inputs) {
  return base::replace_extension(inputs.back(), ".sum", inputs.size() > 1 ? "multidoc-" : "");
}

}  // namespace kernova::summarizer
