#include "frontend/stem_command.h"

#include <cerrno>
#include <cstring>
#include <memory>

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

Failure io_error(std::string_view what, std::string_view name, int error_number) {
  return file_failure(Error(std::string(what), std::string(name), std::strerror(error_number)));
}

void write_all(const std::string& bytes, std::FILE* out) {
  if (bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
    throw io_error("write", "standard output", errno);
  }
}

// Stems every line of `in` onto `out`; `name` is the input's name in
// messages.
void stem_stream(api::Language language, std::FILE* in, std::string_view name, std::FILE* out) {
  LineStemmer stemmer(language);
  std::string buffer(kBlock, '\0');
  std::string stems;
  stems.reserve(kBlock + kBlock / 4);
  for (;;) {
    std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in);
    stemmer.feed(std::string_view(buffer.data(), got), stems);
    if (stems.size() >= kBlock) {
      write_all(stems, out);
      stems.clear();
    }
    if (got < buffer.size()) {
      if (std::ferror(in)) throw io_error("read", name, errno);
      break;
    }
  }
  stemmer.finish(stems);
  write_all(stems, out);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void run_stem(const StemOptions& options, std::FILE* in, std::FILE* out) {
  if (options.files.empty()) {
    stem_stream(options.language, in, "standard input", out);
  }
  for (const std::string& name : options.files) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name.c_str(), "rb"));
    if (!file) throw io_error("open", name, errno);
    stem_stream(options.language, file.get(), name, out);
  }
  if (std::fflush(out) != 0) throw io_error("write", "standard output", errno);
}

}  // namespace kernova::frontend
