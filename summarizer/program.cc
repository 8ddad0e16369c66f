#include "summarizer/program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>
#include <string_view>
#include <variant>
#include <vector>

#include "language/error.h"
#include "language/posix_file.h"
#include "summarizer/command_line.h"
#include "summarizer/summarize.h"

extern char** environ;

namespace kernova::summarizer {
namespace {

constexpr std::size_t kWriteChunk = 1 << 20;
constexpr char kMarker[] = "_ready_.tmp";

// The whole content of `name`, or nothing when it cannot be read.
std::optional<std::string> read_whole_file(const std::string& name) {
  FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info;
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  // One byte more than the file holds, so that the end is seen without
  // growing (and copying) the buffer.
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t size = 0;
  for (;;) {
    if (size == bytes.size()) bytes.resize(bytes.size() * 2);  // the file grew
    const ssize_t got = ::read(file.get(), bytes.data() + size, bytes.size() - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  bytes.resize(size);
  return bytes;
}

// The splitter beside the running program, if there is one there.
std::string splitter_beside_program(std::string_view program) {
  std::string self(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < self.size()) {
      self.resize(static_cast<std::size_t>(length));
      break;
    }
    self.resize(self.size() * 2);
  }
  const std::size_t slash = self.rfind('/');
  if (slash == std::string::npos) return {};
  std::string path = self.substr(0, slash + 1);
  path += program;
  return ::access(path.c_str(), X_OK) == 0 ? path : std::string();
}

// Runs the splitter on `input` and waits for it; true when it ended with
// status 0. The name goes to it as one argument, never through a shell.
bool run_splitter_program(const Edition& edition, const std::string& input) {
  const std::string program(edition.splitter_program);
  const std::string beside = splitter_beside_program(program);
  std::string argument = input;
  std::string name = program;
  char* argv[] = {name.data(), argument.data(), nullptr};
  std::fflush(stdout);
  pid_t pid = 0;
  const int spawned = beside.empty() ? ::posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ)
                                     : ::posix_spawn(&pid, beside.c_str(), nullptr, nullptr, argv, environ);
  if (spawned != 0) return false;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Writes the extract beside its final name and renames it into place, so
// that the file appears whole or not at all.
void write_extract(const std::string& name, const Summary& summary) {
  const Error cannot_create("\tERROR: can not create " + name + "\n");
  const std::size_t slash = name.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    temporary = folder + ".kernova-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt == 100)) throw cannot_create;
  }
  FileDescriptor file(fd);
  auto fail = [&]() {
    file.close();
    ::unlink(temporary.c_str());
    throw cannot_create;
  };
  std::string buffer;
  buffer.reserve(kWriteChunk);
  for (const Sentence& sentence : summary.sentences) {
    if (!sentence.selected) continue;
    if (buffer.size() + sentence.text.size() >= kWriteChunk) {
      if (!write_all(file.get(), buffer)) fail();
      buffer.clear();
      if (sentence.text.size() >= kWriteChunk && !write_all(file.get(), sentence.text)) fail();
    }
    if (sentence.text.size() < kWriteChunk) buffer += sentence.text;
    buffer += '\n';
  }
  if (!write_all(file.get(), buffer) || !file.close()) fail();
  if (::rename(temporary.c_str(), name.c_str()) != 0) {
    ::unlink(temporary.c_str());
    throw cannot_create;
  }
}

void create_marker() {
  FileDescriptor marker(::open(kMarker, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (marker.get() < 0 || !marker.close())
    throw Error(std::string("\tERROR: can not create ") + kMarker + "\n");
}

// An extract written over one of its inputs would destroy it.
void check_extract_spares_inputs(const std::string& extract, const std::vector<std::string>& inputs) {
  struct stat extract_info;
  const bool extract_exists = ::stat(extract.c_str(), &extract_info) == 0;
  for (const std::string& input : inputs) {
    struct stat input_info;
    const bool same_file = extract_exists && ::stat(input.c_str(), &input_info) == 0 &&
                           input_info.st_dev == extract_info.st_dev &&
                           input_info.st_ino == extract_info.st_ino;
    if (input == extract || same_file)
      throw Error("\tERROR: extract " + extract + " would overwrite its input\n");
  }
}

// The splitter writes NAME.seg beside each input NAME and the run deletes
// it afterwards: an input of that name would be destroyed.
void check_sentence_files_spare_inputs(const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    const std::string sentence_file = input + ".seg";
    struct stat sentence_info;
    const bool exists = ::stat(sentence_file.c_str(), &sentence_info) == 0;
    for (const std::string& other : inputs) {
      struct stat other_info;
      const bool same_file = exists && ::stat(other.c_str(), &other_info) == 0 &&
                             other_info.st_dev == sentence_info.st_dev && other_info.st_ino == sentence_info.st_ino;
      if (other == sentence_file || same_file)
        throw Error("\tERROR: sentence file " + sentence_file + " would overwrite an input\n");
    }
  }
}

// The marker is emptied at the end of every run: an input that is the
// marker file would be lost.
void check_marker_spares_inputs(const std::vector<std::string>& inputs) {
  struct stat marker_info;
  if (::stat(kMarker, &marker_info) != 0) return;
  for (const std::string& input : inputs) {
    struct stat input_info;
    if (::stat(input.c_str(), &input_info) == 0 && input_info.st_dev == marker_info.st_dev &&
        input_info.st_ino == marker_info.st_ino)
      throw Error(std::string("\tERROR: marker ") + kMarker + " would overwrite an input\n");
  }
}

int summarize_files(const Edition& edition, const CommandLine& command_line) {
  const std::string extract = extract_name(command_line.inputs);
  check_extract_spares_inputs(extract, command_line.inputs);
  check_sentence_files_spare_inputs(command_line.inputs);
  check_marker_spares_inputs(command_line.inputs);
  std::vector<std::string> sentence_files;
  sentence_files.reserve(command_line.inputs.size());
  for (const std::string& input : command_line.inputs) {
    sentence_files.push_back(split_into_sentences(edition, input));
  }
  const Summary summary = summarize(edition, std::move(sentence_files), command_line.options);
  write_extract(extract, summary);
  create_marker();
  return 0;
}

}  // namespace

std::string split_into_sentences(const Edition& edition, const std::string& input) {
  const std::string sentence_file = input + ".seg";
  std::optional<std::string> bytes;
  if (run_splitter_program(edition, input)) bytes = read_whole_file(sentence_file);
  if (!bytes) throw Error("\tERROR: can not open " + sentence_file + "\n");
  ::unlink(sentence_file.c_str());
  return std::move(*bytes);
}

int run_summarizer(const Edition& edition, int argc, char** argv) {
  std::string error;
  try {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const std::variant<CommandLine, UsageError> parsed = parse_command_line(args);
    if (std::holds_alternative<UsageError>(parsed)) {
      std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
      std::fflush(stdout);
      return 1;
    }
    return summarize_files(edition, std::get<CommandLine>(parsed));
  } catch (const Error& e) {
    error = e.what();
  } catch (const std::bad_alloc&) {
    error = kOutOfMemory;
  }
  std::fwrite(error.data(), 1, error.size(), stdout);
  std::fflush(stdout);
  return 1;
}

}  // namespace kernova::summarizer
