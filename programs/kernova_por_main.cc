// Kernova_Por: summarizes Portuguese texts; see summarizer/command_line.h.
#include <string_view>
#include <vector>

#include "base/cleanup.h"
#include "classic/summarizer_program.h"

int main(int argc, char** argv) {
  kernova::base::remove_on_signal();
  using namespace kernova::classic;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const auto command_line = kernova::summarizer::parse_command_line(args);
  return report(run_summarizer(portuguese(), command_line));
}
