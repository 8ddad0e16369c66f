#include "base/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/error.h"

namespace kernova::base {
namespace {

Error file_error(const char* action, const std::string& name, int error_number) {
  return Error(action, name, std::strerror(error_number));
}

// Names of new files differ between the threads of one process.
std::atomic<unsigned long> temporary_count{0};

}  // namespace

FileDescriptor open_file(const std::string& name) {
  FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) throw file_error("open", name, errno);
  return file;
}

FileDescriptor open_input(const std::string& name) {
  FileDescriptor file = open_file(name);
  struct stat info;
  if (::fstat(file.get(), &info) != 0) throw file_error("open", name, errno);
  if (S_ISDIR(info.st_mode)) throw file_error("open", name, EISDIR);
  return file;
}

std::string read_file(const std::string& name, bool regular_only) {
  FileDescriptor file = open_file(name);
  struct stat info;
  const bool known = ::fstat(file.get(), &info) == 0;
  if (regular_only && !(known && S_ISREG(info.st_mode)))
    throw file_error("open", name, known ? EINVAL : errno);
  // One byte more than a regular file holds, so that its end is seen
  // without growing (and copying) the buffer.
  std::string bytes;
  bytes.resize(known && S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) + 1
                                              : std::size_t{1} << 16);
  std::size_t size = 0;
  for (;;) {
    if (size == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t got = read_some(file.get(), bytes.data() + size, bytes.size() - size);
    if (got < 0) throw file_error("read", name, errno);
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  bytes.resize(size);
  return bytes;
}

bool same_file(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat a_info;
  struct stat b_info;
  return ::stat(a.c_str(), &a_info) == 0 && ::stat(b.c_str(), &b_info) == 0 &&
         a_info.st_dev == b_info.st_dev && a_info.st_ino == b_info.st_ino;
}

OutputFile::OutputFile(std::string target) : target_(std::move(target)), file_(-1) {
  struct stat info;
  if (::stat(target_.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
    file_.reset(::open(target_.c_str(), O_WRONLY | O_CLOEXEC));
    if (file_.get() < 0) throw file_error("create", target_, errno);
    return;
  }
  const std::size_t slash = target_.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target_.substr(0, slash + 1);
  while (file_.get() < 0) {
    temporary_ =
        folder + ".kernova-" + std::to_string(::getpid()) + "-" + std::to_string(temporary_count++) + ".tmp";
    file_.reset(::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file_.get() < 0 && errno != EEXIST) throw file_error("create", target_, errno);
  }
}

OutputFile::~OutputFile() {
  if (!done_) discard();
}

void OutputFile::discard() {
  done_ = true;
  if (file_.get() >= 0) file_.close();
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    return;
  }
  struct stat info;
  if (::lstat(target_.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) ::unlink(target_.c_str());
}

void OutputFile::fail(const char* action, int error_number) {
  discard();
  throw file_error(action, target_, error_number);
}

void OutputFile::write(std::string_view bytes) {
  if (!write_all(file_.get(), bytes)) fail("write", errno);
}

void OutputFile::commit() {
  if (!file_.close()) fail("write", errno);
  if (!temporary_.empty() && ::rename(temporary_.c_str(), target_.c_str()) != 0) fail("create", errno);
  done_ = true;
}

void write_file(const std::string& name, std::string_view bytes) {
  OutputFile file(name);
  file.write(bytes);
  file.commit();
}

void CrLfJoiner::join(std::string_view piece, std::string& out) {
  std::size_t i = 0;
  if (held_cr_ && !piece.empty()) {
    held_cr_ = false;
    if (piece[0] == '\n') {
      out += '\n';
      i = 1;
    } else {
      out += '\r';
    }
  }
  while (i < piece.size()) {
    const void* cr = std::memchr(piece.data() + i, '\r', piece.size() - i);
    const std::size_t end =
        cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - piece.data()) : piece.size();
    out.append(piece.substr(i, end - i));
    if (end == piece.size()) break;
    if (end + 1 == piece.size()) {
      held_cr_ = true;
      break;
    }
    if (piece[end + 1] == '\n') {
      out += '\n';
      i = end + 2;
    } else {
      out += '\r';
      i = end + 1;
    }
  }
}

void CrLfJoiner::finish(std::string& out) {
  if (held_cr_) out += '\r';
  held_cr_ = false;
}

void join_crlf(std::string_view text, std::string& out) {
  out.reserve(out.size() + text.size());
  CrLfJoiner joiner;
  joiner.join(text, out);
  joiner.finish(out);
}

std::string replace_extension(std::string_view name, std::string_view extension, std::string_view prefix) {
  const std::size_t slash = name.rfind('/');
  const std::size_t start = slash == std::string_view::npos ? 0 : slash + 1;
  std::string_view last = name.substr(start);
  last = last.substr(0, std::min(last.rfind('.'), last.size()));
  std::string out(name.substr(0, start));
  out += prefix;
  out += last;
  out += extension;
  return out;
}

}  // namespace kernova::base
