// The splitter program: the input file in, the sentence file out.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "language/error.h"
#include "language/posix_file.h"
#include "splitter/splitter.h"

namespace kernova::splitter {
namespace {

constexpr std::size_t kReadSize = 1 << 20;
constexpr std::size_t kWriteSize = 1 << 20;

// Turns each CR LF pair into one '\n', in place; a lone CR stays. A CR at
// the end of the chunk is held back until the next byte is known.
void join_crlf(char* data, std::size_t size, bool& held_cr, std::string& text) {
  text.clear();
  std::size_t i = 0;
  if (held_cr) {
    held_cr = false;
    if (size > 0 && data[0] == '\n') {
      text += '\n';
      i = 1;
    } else {
      text += '\r';
    }
  }
  for (; i < size; ++i) {
    if (data[i] != '\r') {
      const char* from = data + i;
      std::size_t length = 0;
      while (i + length < size && from[length] != '\r') ++length;
      text.append(from, length);
      i += length - 1;
    } else if (i + 1 == size) {
      held_cr = true;
    } else if (data[i + 1] == '\n') {
      text += '\n';
      ++i;
    } else {
      text += '\r';
    }
  }
}

}  // namespace

void segment(const language::Language& language, const std::string& filename) {
  FileDescriptor input(::open(filename.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info;
  if (input.get() < 0 || ::fstat(input.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
    throw Error("\tERROR: can not open file " + filename + "\n");
  }
  const std::string output_name = filename + ".seg";
  // Opened without truncating it: a sentence file name that is a link to
  // the input itself would otherwise empty the input before it is read.
  FileDescriptor output(::open(output_name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
  struct stat output_info;
  if (output.get() < 0 || ::fstat(output.get(), &output_info) != 0) {
    throw Error("\tERROR: can not create file " + output_name + "\n");
  }
  if (output_info.st_dev == info.st_dev && output_info.st_ino == info.st_ino) {
    throw Error("\tERROR: sentence file " + output_name + " would overwrite its input\n");
  }

  // From here on, a failure must not leave a partial sentence file behind.
  auto fail = [&](const std::string& message) {
    output.close();
    ::unlink(output_name.c_str());
    throw Error(message);
  };
  if (S_ISREG(output_info.st_mode) && ::ftruncate(output.get(), 0) != 0) {
    fail("\tERROR: can not create file " + output_name + "\n");
  }

  Segmenter segmenter(language);
  std::string chunk(kReadSize, '\0');
  std::string text;
  std::string out;
  bool held_cr = false;
  for (;;) {
    ssize_t got = read_some(input.get(), chunk.data(), chunk.size());
    if (got < 0) fail("\tERROR: can not read file " + filename + "\n");
    if (got == 0) break;
    const std::size_t size = static_cast<std::size_t>(got);
    if (!held_cr && std::memchr(chunk.data(), '\r', size) == nullptr) {
      segmenter.feed(std::string_view(chunk.data(), size), out);
    } else {
      join_crlf(chunk.data(), size, held_cr, text);
      segmenter.feed(text, out);
    }
    if (out.size() >= kWriteSize) {
      if (!write_all(output.get(), out)) fail("\tERROR: can not write file " + output_name + "\n");
      out.clear();
    }
  }
  if (held_cr) segmenter.feed("\r", out);
  segmenter.finish(out);
  if (!write_all(output.get(), out) || !output.close()) {
    fail("\tERROR: can not write file " + output_name + "\n");
  }
}

int run_splitter(const language::Language& language, int argc, char** argv) {
  const char* message = nullptr;
  std::string error;
  try {
    if (argc < 2) throw Error("\tERROR: no input file given (usage: CLAVER_" + std::string(language.name) + " file)\n");
    segment(language, argv[1]);
    return 0;
  } catch (const Error& e) {
    error = e.what();
    message = error.c_str();
  } catch (const std::bad_alloc&) {
    message = kOutOfMemory;
  }
  std::fputs(message, stdout);
  std::fflush(stdout);
  return 1;
}

}  // namespace kernova::splitter
