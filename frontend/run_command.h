// Runs whichever command the command line asked for.
#ifndef KERNOVA_FRONTEND_RUN_COMMAND_H_
#define KERNOVA_FRONTEND_RUN_COMMAND_H_

#include <cstdio>

#include "frontend/command_line.h"

namespace kernova::frontend {

// Runs `command` with `in` and `out` as standard input and output. Throws
// Failure (frontend/io.h) with the complete message when the command fails.
void run_command(const Command& command, std::FILE* in, std::FILE* out);

}  // namespace kernova::frontend

#endif  // KERNOVA_FRONTEND_RUN_COMMAND_H_
