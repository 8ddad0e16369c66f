#include "frontend/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

#include "language/error.h"
#include "language/posix_file.h"

namespace kernova::frontend {
namespace {

Error io_error(std::string_view what, std::string_view name, int error_number) {
  return Error("kernova: can not " + std::string(what) + " " + std::string(name) + ": " +
               std::strerror(error_number) + "\n");
}

// Names of temporary files differ between the threads of one process.
std::atomic<unsigned long> temporary_count{0};

}  // namespace

std::string read_input(const std::string& name, std::FILE* in) {
  std::string bytes;
  if (name.empty() || name == "-") {
    char buffer[1 << 16];
    for (;;) {
      const std::size_t got = std::fread(buffer, 1, sizeof buffer, in);
      bytes.append(buffer, got);
      if (got < sizeof buffer) {
        if (std::ferror(in)) throw io_error("read", "standard input", errno);
        return bytes;
      }
    }
  }
  FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) throw io_error("open", name, errno);
  struct stat info;
  if (::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode)) {
    bytes.reserve(static_cast<std::size_t>(info.st_size) + 1);
  }
  std::size_t size = 0;
  bytes.resize(std::max<std::size_t>(bytes.capacity(), 1 << 16));
  for (;;) {
    if (size == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t got = read_some(file.get(), bytes.data() + size, bytes.size() - size);
    if (got < 0) throw io_error("read", name, errno);
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  bytes.resize(size);
  return bytes;
}

void write_output(std::string_view bytes, std::FILE* out) {
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
    throw io_error("write", "standard output", errno);
  }
  if (std::fflush(out) != 0) throw io_error("write", "standard output", errno);
}

void write_file_whole(const std::string& name, std::string_view bytes) {
  const std::size_t slash = name.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
  std::string temporary;
  int fd = -1;
  while (fd < 0) {
    temporary = folder + ".kernova-" + std::to_string(::getpid()) + "-" + std::to_string(temporary_count++) + ".tmp";
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) throw io_error("write", name, errno);
  }
  FileDescriptor file(fd);
  auto fail = [&](int error_number) {
    file.close();
    ::unlink(temporary.c_str());
    throw io_error("write", name, error_number);
  };
  if (!write_all(file.get(), bytes) || !file.close()) fail(errno);
  if (::rename(temporary.c_str(), name.c_str()) != 0) {
    const int error_number = errno;
    ::unlink(temporary.c_str());
    throw io_error("write", name, error_number);
  }
}

}  // namespace kernova::frontend
