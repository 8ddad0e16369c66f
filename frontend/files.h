// Whole-file input and output for the kernova commands.
#ifndef KERNOVA_FRONTEND_FILES_H_
#define KERNOVA_FRONTEND_FILES_H_

#include <cstdio>
#include <string>
#include <string_view>

namespace kernova::frontend {

// All the bytes of the file `name`, or of `in` when the name is "-" or
// empty. Throws kernova::Error ("kernova: can not open NAME: REASON\n", or
// "can not read") when they cannot be read.
std::string read_input(const std::string& name, std::FILE* in);

// Writes `bytes` to `out` and flushes it. Throws kernova::Error
// ("kernova: can not write standard output: REASON\n") when that fails.
void write_output(std::string_view bytes, std::FILE* out);

// Makes the file `name` hold `bytes`, whole or not at all: they go to a new
// file beside it, which is then renamed to `name`. Throws kernova::Error
// ("kernova: can not write NAME: REASON\n") and leaves nothing behind when
// that fails.
void write_file_whole(const std::string& name, std::string_view bytes);

}  // namespace kernova::frontend

#endif  // KERNOVA_FRONTEND_FILES_H_
