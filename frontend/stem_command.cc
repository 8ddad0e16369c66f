#include "frontend/stem_command.h"

#include <cerrno>

#include "base/files.h"
#include "frontend/io.h"

namespace kernova::frontend {

void LineStemmer::feed(std::string_view bytes, std::string& out) {
  for (;;) {
    std::size_t line_end = bytes.find('\n');
    if (line_end == std::string_view::npos) {
      pending_.append(bytes);
      return;
    }
    std::string_view line = bytes.substr(0, line_end);
    if (!pending_.empty()) {
      pending_.append(line);
      line = pending_;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    stem_line(line, out);
    pending_.clear();
    bytes.remove_prefix(line_end + 1);
  }
}

void LineStemmer::finish(std::string& out) {
  if (pending_.empty()) return;
  stem_line(pending_, out);
  pending_.clear();
}

void LineStemmer::stem_line(std::string_view line, std::string& out) {
  stem_(line, language_, word_stem_);
  out.append(word_stem_);
  out.push_back('\n');
}

namespace {

// Stems are gathered and written in blocks of about this size.
constexpr std::size_t kBlock = 1 << 16;

// Stems every line that `read` gives onto `out`. `read(data, size)` puts
// up to `size` bytes at `data` and returns their count, 0 at the end, or -1
// on an error (errno tells which); `name` is the input's name in messages.
template <typename Read>
void stem_stream(api::Language language, Read read, std::string_view name, std::FILE* out) {
  LineStemmer stemmer(language);
  std::string buffer(kBlock, '\0');
  std::string stems;
  stems.reserve(kBlock + kBlock / 4);
  for (;;) {
    const ssize_t got = read(buffer.data(), buffer.size());
    if (got < 0) throw stream_failure("read", name, errno);
    if (got == 0) break;
    stemmer.feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)), stems);
    if (stems.size() >= kBlock) {
      write_output(stems, out);
      stems.clear();
    }
  }
  stemmer.finish(stems);
  write_output(stems, out);
}

}  // namespace

void run_stem(const StemOptions& options, std::FILE* in, std::FILE* out) {
  if (options.files.empty()) {
    auto read = [in](char* data, std::size_t size) -> ssize_t {
      const std::size_t got = std::fread(data, 1, size, in);
      return got == 0 && std::ferror(in) ? -1 : static_cast<ssize_t>(got);
    };
    stem_stream(options.language, read, "standard input", out);
  }
  for (const std::string& name : options.files) {
    FileDescriptor file = [&name] {
      try {
        return base::open_file(name);
      } catch (const Error& error) {
        throw file_failure(error);
      }
    }();
    auto read = [&file](char* data, std::size_t size) { return read_some(file.get(), data, size); };
    stem_stream(options.language, read, name, out);
  }
}

}  // namespace kernova::frontend
