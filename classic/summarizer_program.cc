#include "classic/summarizer_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <string_view>
#include <vector>

#include "base/cleanup.h"
#include "base/error.h"
#include "base/files.h"
#include "summarizer/summarize.h"

extern char** environ;

namespace kernova::classic {
namespace {

constexpr char kMarker[] = "_ready_.tmp";

// The splitter to run: the file of that name beside the running program
// when there is one (whether or not it can run), else the first
// executable of that name in an absolute folder of PATH; empty when there
// is none. A relative or empty PATH entry never means the working folder.
std::string find_splitter(std::string_view program) {
  std::string self(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size());
    if (length < 0) {
      self.clear();
      break;
    }
    if (static_cast<std::size_t>(length) < self.size()) {
      self.resize(static_cast<std::size_t>(length));
      break;
    }
    self.resize(self.size() * 2);
  }
  const std::size_t slash = self.rfind('/');
  if (slash != std::string::npos) {
    std::string beside = self.substr(0, slash + 1);
    beside += program;
    struct stat info;
    if (::stat(beside.c_str(), &info) == 0) return beside;
  }
  const char* path = std::getenv("PATH");
  std::string_view folders = path == nullptr ? std::string_view() : std::string_view(path);
  while (!folders.empty()) {
    const std::size_t colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    folders.remove_prefix(colon == std::string_view::npos ? folders.size() : colon + 1);
    if (folder.empty() || folder[0] != '/') continue;
    std::string candidate(folder);
    candidate += '/';
    candidate += program;
    struct stat info;
    if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
      return candidate;
  }
  return {};
}

// Starts `program` with `argv` in a child with every signal at its default
// and none blocked, which a signal ends when this process ends first.
// Returns the child's id, or -1.
pid_t start_child(const std::string& program, char* const argv[]) {
  sigset_t all;
  sigset_t before;
  sigfillset(&all);
  // No handler of this process may run in the child before exec.
  ::pthread_sigmask(SIG_SETMASK, &all, &before);
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid == 0) {
    struct sigaction standard;
    std::memset(&standard, 0, sizeof standard);
    standard.sa_handler = SIG_DFL;
    for (int signal_number = 1; signal_number < NSIG; ++signal_number) ::sigaction(signal_number, &standard, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(127);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execve(program.c_str(), argv, environ);
    ::_exit(127);
  }
  if (pid > 0) base::set_child_to_end(pid);
  ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
  return pid;
}

// Runs the splitter on `input` and waits for it; true when it ended with
// status 0. The name goes to it as one argument, never through a shell.
bool run_splitter_program(const ClassicEdition& edition, const std::string& input) {
  const std::string program = find_splitter(edition.splitter_program);
  if (program.empty()) return false;
  std::string argument = input;
  std::string name(edition.splitter_program);
  char* argv[] = {name.data(), argument.data(), nullptr};
  std::fflush(stdout);
  const pid_t pid = start_child(program, argv);
  if (pid < 0) return false;
  int status = 0;
  pid_t waited;
  while ((waited = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
  }
  base::set_child_to_end(0);
  return waited == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Holds an advisory lock on a regular input file, so that runs on the same
// text take turns over its sentence file; runs on other texts go on. No
// file is made for it, and the lock goes with the descriptor.
class InputLock {
 public:
  explicit InputLock(const std::string& input)
      : file_(::open(input.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {
    struct stat info;
    if (file_.get() < 0 || ::fstat(file_.get(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    while (::flock(file_.get(), LOCK_EX) != 0 && errno == EINTR) {
    }
  }

 private:
  FileDescriptor file_;
};

// Writes the extract beside its final name and renames it into place, so
// that the file appears whole or not at all.
void write_extract(const std::string& name, const summarizer::Summary& summary) {
  try {
    base::write_file(name, summarizer::extract_text(summary));
  } catch (const Error&) {
    throw Failure("\tERROR: can not create " + name + "\n");
  }
}

void create_marker() {
  try {
    base::write_file(kMarker, "");
  } catch (const Error&) {
    throw Failure(std::string("\tERROR: can not create ") + kMarker + "\n");
  }
}

// An extract written over one of its inputs would destroy it.
void check_extract_spares_inputs(const std::string& extract, const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    if (base::same_file(input, extract))
      throw Failure("\tERROR: extract " + extract + " would overwrite its input\n");
  }
}

// The splitter writes NAME.seg beside each input NAME and the run deletes
// it afterwards: an input of that name would be destroyed.
void check_sentence_files_spare_inputs(const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    const std::string sentence_file = input + ".seg";
    for (const std::string& other : inputs) {
      if (base::same_file(other, sentence_file))
        throw Failure("\tERROR: sentence file " + sentence_file + " would overwrite an input\n");
    }
  }
}

// The marker is emptied at the end of every run: an input that is the
// marker file would be lost.
void check_marker_spares_inputs(const std::vector<std::string>& inputs) {
  std::error_code error;
  if (!std::filesystem::exists(kMarker, error)) return;
  for (const std::string& input : inputs) {
    if (base::same_file(input, kMarker))
      throw Failure(std::string("\tERROR: marker ") + kMarker + " would overwrite an input\n");
  }
}

void summarize_files(const ClassicEdition& edition, const summarizer::CommandLine& command_line) {
  const std::string extract = summarizer::extract_name(command_line.inputs);
  check_extract_spares_inputs(extract, command_line.inputs);
  check_sentence_files_spare_inputs(command_line.inputs);
  check_marker_spares_inputs(command_line.inputs);
  std::vector<std::string> sentence_files;
  sentence_files.reserve(command_line.inputs.size());
  for (const std::string& input : command_line.inputs) {
    sentence_files.push_back(split_into_sentences(edition, input));
  }
  const summarizer::Summary summary =
      summarizer::summarize(edition.summarizer, std::move(sentence_files), command_line.options);
  write_extract(extract, summary);
  create_marker();
}

}  // namespace

std::string split_into_sentences(const ClassicEdition& edition, const std::string& input) {
  const std::string sentence_file = input + ".seg";
  const InputLock lock(input);
  // The sentence file is the run's own from here until it is removed.
  base::RemovalListing listing;
  listing.list(sentence_file);
  std::string bytes;
  try {
    if (!run_splitter_program(edition, input)) throw Error("the splitter failed");
    bytes = base::read_file(sentence_file, true);
  } catch (const Error&) {
    throw Failure("\tERROR: can not open " + sentence_file + "\n");
  }
  ::unlink(sentence_file.c_str());
  return bytes;
}

Outcome run_summarizer(const ClassicEdition& edition,
                       const std::variant<summarizer::CommandLine, summarizer::UsageError>& command_line) {
  if (std::holds_alternative<summarizer::UsageError>(command_line))
    return {1, std::string(summarizer::kUsage)};
  try {
    summarize_files(edition, std::get<summarizer::CommandLine>(command_line));
    return {};
  } catch (const Failure& failure) {
    return {1, failure.what()};
  } catch (const summarizer::QueryOutOfMemory&) {
    return {1, std::string(edition.query_out_of_memory)};
  } catch (const std::bad_alloc&) {
    return {1, std::string(kOutOfMemory)};
  }
}

}  // namespace kernova::classic
