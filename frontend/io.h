// Input, output and failures of the kernova commands.
#ifndef KERNOVA_FRONTEND_IO_H_
#define KERNOVA_FRONTEND_IO_H_

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/error.h"
#include "base/files.h"

namespace kernova::frontend {

// A failure of a command, with the complete message the program prints on
// standard error, line end included ("kernova: ...\n").
class Failure : public std::runtime_error {
 public:
  explicit Failure(const std::string& message) : std::runtime_error(message) {}
};

// A bad command line found only once the files are looked at: status 2.
class CommandLineFailure : public Failure {
 public:
  using Failure::Failure;
};

// The message for a failed file operation: "kernova: can not open NAME:
// REASON\n"; creating and renaming an output file count as writing it.
Failure file_failure(const Error& error);

// The same for a failed read or write of a stream: "kernova: can not WHAT
// NAME: " and the system's text for `error_number`.
Failure stream_failure(std::string_view what, std::string_view name, int error_number);

// All the bytes of the file `name`, or of `in` when the name is "-" or
// empty. Throws Failure ("kernova: can not open NAME: REASON\n", or "can
// not read") when they cannot be read.
std::string read_input(const std::string& name, std::FILE* in);

// Writes `bytes` to `out` and flushes it. Throws Failure
// ("kernova: can not write standard output: REASON\n") when that fails.
void write_output(std::string_view bytes, std::FILE* out);

// Makes the file `name` hold `bytes`, whole or not at all, treating what
// holds the name as `naming` says (base/files.h). Throws Failure
// ("kernova: can not write NAME: REASON\n") and leaves nothing behind when
// that fails.
void write_file_whole(const std::string& name, std::string_view bytes, base::Naming naming);

}  // namespace kernova::frontend

#endif  // KERNOVA_FRONTEND_IO_H_
