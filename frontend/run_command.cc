#include "frontend/run_command.h"

#include <variant>

#include "frontend/stem_command.h"
#include "frontend/text_commands.h"

namespace kernova::frontend {
namespace {

// One overload per alternative of Command.
struct Runner {
  std::FILE* in;
  std::FILE* out;
  void operator()(const StemOptions& options) const { run_stem(options, in, out); }
  void operator()(const SplitOptions& options) const { run_split(options, in, out); }
  void operator()(const SummarizeOptions& options) const { run_summarize(options, in, out); }
};

}  // namespace

void run_command(const Command& command, std::FILE* in, std::FILE* out) {
  std::visit(Runner{in, out}, command);
}

}  // namespace kernova::frontend
