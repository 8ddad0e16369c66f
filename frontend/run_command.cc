#include "frontend/run_command.h"

#include <new>
#include <variant>

#include "frontend/eval_command.h"
#include "frontend/io.h"
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
  void operator()(const EvalOptions& options) const { run_eval(options, out); }
};

}  // namespace

void run_command(const Command& command, std::FILE* in, std::FILE* out) {
  std::visit(Runner{in, out}, command);
}

Outcome run_invocation(const Invocation& invocation, std::FILE* in, std::FILE* out) {
  if (const auto* help = std::get_if<HelpRequest>(&invocation)) return {0, help->text, {}};
  if (const auto* error = std::get_if<UsageError>(&invocation)) return {2, {}, error->message};
  try {
    run_command(std::get<Command>(invocation), in, out);
    return {};
  } catch (const CommandLineFailure& failure) {
    return {2, {}, failure.what()};
  } catch (const Failure& failure) {
    return {1, {}, failure.what()};
  } catch (const std::bad_alloc&) {
    return {1, {}, "kernova: out of memory\n"};
  }
}

int report(const Outcome& outcome) {
  try {
    if (!outcome.out.empty()) write_output(outcome.out, stdout);
  } catch (const Failure& failure) {
    std::fputs(failure.what(), stderr);
    return 1;
  }
  std::fputs(outcome.err.c_str(), stderr);
  return outcome.status;
}

}  // namespace kernova::frontend
