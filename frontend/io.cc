#include "frontend/io.h"

#include <cerrno>
#include <cstring>


namespace kernova::frontend {
Failure file_failure(const Error& error) {
  const std::string action = error.action() == "create" ? "write" : error.action();
  return Failure("kernova: can not " + action + " " + error.name() + ": " + error.reason() + "\n");
}

Failure stream_failure(std::string_view what, std::string_view name, int error_number) {
  return file_failure(Error(std::string(what), std::string(name), std::strerror(error_number)));
}

std::string read_input(const std::string& name, std::FILE* in) {
  if (!name.empty() && name != "-") {
    try {
      return base::read_file(name);
    } catch (const Error& error) {
      throw file_failure(error);
    }
  }
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, in);
    bytes.append(buffer, got);
    if (got < sizeof buffer) {
      if (std::ferror(in)) throw stream_failure("read", "standard input", errno);
      return bytes;
    }
  }
}

void write_output(std::string_view bytes, std::FILE* out) {
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
    throw stream_failure("write", "standard output", errno);
  }
  if (std::fflush(out) != 0) throw stream_failure("write", "standard output", errno);
}

void write_file_whole(const std::string& name, std::string_view bytes, base::Naming naming) {
  try {
    base::write_file(name, bytes, naming);
  } catch (const Error& error) {
    throw file_failure(error);
  }
}

}  // namespace kernova::frontend
