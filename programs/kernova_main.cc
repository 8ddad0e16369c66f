// kernova: the project's command line (`kernova stem`, `split`, `summarize`).
// Exit status: 0 done, 1 a failure while running, 2 a bad command line.
#include <cstdio>
#include <new>
#include <string>
#include <variant>
#include <vector>

#include "frontend/command_line.h"
#include "frontend/io.h"
#include "frontend/run_command.h"

int main(int argc, char** argv) {
  using namespace kernova::frontend;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const Invocation invocation = parse_command_line(args);

  if (const auto* help = std::get_if<HelpRequest>(&invocation)) {
    std::fputs(help->text.c_str(), stdout);
    return 0;
  }
  if (const auto* error = std::get_if<UsageError>(&invocation)) {
    std::fputs(error->message.c_str(), stderr);
    return 2;
  }
  try {
    run_command(std::get<Command>(invocation), stdin, stdout);
    return 0;
  } catch (const Failure& failure) {
    std::fputs(failure.what(), stderr);
  } catch (const std::bad_alloc&) {
    std::fputs("kernova: out of memory\n", stderr);
  }
  return 1;
}
