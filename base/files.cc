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
#include "base/huge_pages.h"

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
  bytes.reserve(known && S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) + 1
                                               : std::size_t{1} << 16);
  prefer_huge_pages(bytes.data(), bytes.capacity());
  bytes.resize(bytes.capacity());
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

namespace {

// The name a chain of symbolic links starting at `name` ends on (which may
// not exist yet); `name` itself when it is no link. Gives up after as many
// links as the system follows, leaving the name for open() to refuse.
std::string follow_links(std::string name) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info;
    if (::lstat(name.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return name;
    std::string link(static_cast<std::size_t>(info.st_size) + 1, '\0');
    const ssize_t length = ::readlink(name.c_str(), link.data(), link.size());
    if (length < 0 || static_cast<std::size_t>(length) >= link.size()) return name;
    link.resize(static_cast<std::size_t>(length));
    if (link.empty() || link[0] == '/') {
      name = link;
    } else {
      const std::size_t slash = name.rfind('/');
      name = (slash == std::string::npos ? std::string() : name.substr(0, slash + 1)) + link;
    }
  }
  return name;
}

}  // namespace

OutputFile::OutputFile(std::string target, Naming naming) : target_(std::move(target)), file_(-1) {
  struct stat info;
  if (naming == Naming::kUser) {
    const bool exists = ::stat(target_.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
      file_.reset(::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
      if (file_.get() < 0) throw file_error("create", target_, errno);
      return;
    }
    destination_ = follow_links(target_);
    create_beside(destination_, exists && S_ISREG(info.st_mode) ? &info : nullptr, true);
  } else {
    destination_ = target_;
    const bool regular = ::lstat(destination_.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    create_beside(destination_, regular ? &info : nullptr, false);
  }
}

// Makes the new file beside `destination`, with the permission bits of
// `replaced` when it is given (and, with `keep_owner`, its owner and group
// where the process may set them).
void OutputFile::create_beside(const std::string& destination, const struct stat* replaced, bool keep_owner) {
  const std::size_t slash = destination.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : destination.substr(0, slash + 1);
  while (file_.get() < 0) {
    temporary_ =
        folder + ".kernova-" + std::to_string(::getpid()) + "-" + std::to_string(temporary_count++) + ".tmp";
    // Listed before it exists, so that no moment leaves it unlisted.
    listing_.list(temporary_);
    file_.reset(::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file_.get() < 0 && errno != EEXIST) {
      const int error_number = errno;
      listing_.release();
      temporary_.clear();
      throw file_error("create", target_, error_number);
    }
  }
  if (replaced != nullptr) {
    if (keep_owner && ::fchown(file_.get(), replaced->st_uid, replaced->st_gid) != 0 &&
        ::fchown(file_.get(), static_cast<uid_t>(-1), replaced->st_gid) != 0) {
      // Neither owner nor group is ours to give: the file stays the run's.
    }
    if (::fchmod(file_.get(), replaced->st_mode & 07777) != 0) fail("create", errno);
  }
}

OutputFile::~OutputFile() {
  if (!done_) discard();
}

void OutputFile::discard() {
  done_ = true;
  if (file_.get() >= 0) file_.close();
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  listing_.release();
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
  if (!temporary_.empty() && ::rename(temporary_.c_str(), destination_.c_str()) != 0) fail("create", errno);
  listing_.release();
  done_ = true;
}

void write_file(const std::string& name, std::string_view bytes, Naming naming) {
  OutputFile file(name, naming);
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

std::string_view CrLfJoiner::joined(std::string_view piece, std::string& scratch) {
  if (!held_cr_ && (piece.empty() || std::memchr(piece.data(), '\r', piece.size()) == nullptr)) return piece;
  scratch.clear();
  join(piece, scratch);
  return scratch;
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
