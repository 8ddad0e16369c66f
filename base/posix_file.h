// Plumbing for files: a descriptor that closes itself, and
// reads and writes that carry on after a signal.
#ifndef KERNOVA_BASE_POSIX_FILE_H_
#define KERNOVA_BASE_POSIX_FILE_H_

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <string_view>

namespace kernova {

// Owns an open file descriptor (or -1) and closes it when it goes.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor& operator=(FileDescriptor&&) = delete;

  int get() const { return fd_; }

  // Owns `fd` from now on, closing the one it held.
  void reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

  // Closes it now; false when the close failed (a write may have been lost).
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Reads at most `size` bytes: the count read, 0 at the end, -1 on an error.
inline ssize_t read_some(int fd, char* data, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd, data, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

// Writes all of `bytes`; false on an error (errno tells which).
inline bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

}  // namespace kernova

#endif  // KERNOVA_BASE_POSIX_FILE_H_
