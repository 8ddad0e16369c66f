#include "classic/summarizer_program.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "base/files.h"
#include "summarizer/summarize.h"

extern char** environ;

namespace kernova::classic {
namespace {

constexpr char kMarker[] = "_ready_.tmp";

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
bool run_splitter_program(const ClassicEdition& edition, const std::string& input) {
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
