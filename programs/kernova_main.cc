// kernova: the project's command line (`kernova stem`, `split`, `summarize`).
// Exit status: 0 done, 1 a failure while running, 2 a bad command line.
#include <cstdio>
#include <string>
#include <vector>

#include "base/cleanup.h"
#include "frontend/command_line.h"
#include "frontend/run_command.h"

int main(int argc, char** argv) {
  kernova::base::remove_on_signal();
  using namespace kernova::frontend;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const Invocation invocation = parse_command_line(args);
  return report(run_invocation(invocation, stdin, stdout));
}
