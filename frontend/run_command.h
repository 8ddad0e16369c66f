// Runs whichever command the command line asked for.
#ifndef KERNOVA_FRONTEND_RUN_COMMAND_H_
#define KERNOVA_FRONTEND_RUN_COMMAND_H_

#include <cstdio>
#include <string>

#include "frontend/command_line.h"

namespace kernova::frontend {

// Runs `command` with `in` and `out` as standard input and output. Throws
// Failure (frontend/io.h) with the complete message when the command fails.
void run_command(const Command& command, std::FILE* in, std::FILE* out);

// How a run of the program ended: its exit status, and what it prints on
// standard output and standard error once done.
struct Outcome {
  int status = 0;
  std::string out;
  std::string err;
};

// Runs the parsed command line: a help text (status 0), a usage error
// (status 2), or the command with `in` and `out` (status 0, or 1 with its
// message after a failure).
Outcome run_invocation(const Invocation& invocation, std::FILE* in, std::FILE* out);

// Prints the outcome's texts and returns its status.
int report(const Outcome& outcome);

}  // namespace kernova::frontend

#endif  // KERNOVA_FRONTEND_RUN_COMMAND_H_
