#include "tests/test_util.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace kernova::testing {

std::filesystem::path program(const std::string& name) { return std::filesystem::path(KERNOVA_BIN_DIR) / name; }

namespace {

void check(int result, const char* what) {
  if (result != 0) throw std::runtime_error(std::string(what) + " failed");
}

}  // namespace

RunResult run(const std::filesystem::path& program_path, const std::vector<std::string>& args,
              const std::filesystem::path& cwd, const std::string& input) {
  // A program that ends without reading all of its input must make the
  // write fail, not end the test with SIGPIPE.
  static const bool sigpipe_ignored = [] {
    std::signal(SIGPIPE, SIG_IGN);
    return true;
  }();
  (void)sigpipe_ignored;
  int in_pipe[2], out_pipe[2], err_pipe[2];
  check(pipe(in_pipe), "pipe");
  check(pipe(out_pipe), "pipe");
  check(pipe(err_pipe), "pipe");

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in_pipe[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], 2);
  for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]}) {
    posix_spawn_file_actions_addclose(&actions, fd);
  }
  posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());

  std::vector<std::string> storage;
  storage.push_back(program_path.string());
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : storage) argv.push_back(arg.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  int spawned = posix_spawn(&pid, program_path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in_pipe[0]);
  close(out_pipe[1]);
  close(err_pipe[1]);
  if (spawned != 0) {
    close(in_pipe[1]);
    close(out_pipe[0]);
    close(err_pipe[0]);
    throw std::runtime_error("cannot start " + program_path.string());
  }

  // Feed standard input while draining both output pipes, so that no side
  // can block the other.
  RunResult result;
  std::size_t written = 0;
  int in_fd = in_pipe[1];
  if (input.empty()) {
    close(in_fd);
    in_fd = -1;
  } else {
    fcntl(in_fd, F_SETFL, O_NONBLOCK);
  }
  bool out_open = true, err_open = true;
  char chunk[65536];
  while (out_open || err_open || in_fd >= 0) {
    pollfd fds[3];
    int n = 0;
    int out_index = -1, err_index = -1, in_index = -1;
    if (out_open) { fds[n] = {out_pipe[0], POLLIN, 0}; out_index = n++; }
    if (err_open) { fds[n] = {err_pipe[0], POLLIN, 0}; err_index = n++; }
    if (in_fd >= 0) { fds[n] = {in_fd, POLLOUT, 0}; in_index = n++; }
    if (poll(fds, static_cast<nfds_t>(n), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    auto drain = [&](int index, int fd, std::string& sink, bool& open) {
      if (index < 0 || fds[index].revents == 0) return;
      ssize_t got = read(fd, chunk, sizeof chunk);
      if (got > 0) {
        sink.append(chunk, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        open = false;
      }
    };
    drain(out_index, out_pipe[0], result.out, out_open);
    drain(err_index, err_pipe[0], result.err, err_open);
    if (in_index >= 0 && fds[in_index].revents != 0) {
      ssize_t put = write(in_fd, input.data() + written, input.size() - written);
      if (put > 0) written += static_cast<std::size_t>(put);
      if (put < 0 && errno != EAGAIN && errno != EINTR) written = input.size();
      if (written == input.size()) {
        close(in_fd);
        in_fd = -1;
      }
    }
  }
  close(out_pipe[0]);
  close(err_pipe[0]);
  int wstatus = 0;
  while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  return result;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kernova-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void write_file(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string escape(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

std::string sample(const std::string& name) {
  return read_file(std::filesystem::path(KERNOVA_SOURCE_DIR) / "samples" / name);
}

std::string fixture(const std::string& name) {
  return read_file(std::filesystem::path(KERNOVA_SOURCE_DIR) / "testdata" / "summarizer" / name);
}

std::set<std::string> files_in(const std::filesystem::path& folder) {
  std::set<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    std::string name = entry.path().lexically_relative(folder).string();
    if (entry.is_directory() && !entry.is_symlink()) name += '/';
    files.insert(name);
  }
  return files;
}

const std::string kSummarizerUsage =
    "\nExecuting Kernova for Windows/MSDOS:\n"
    "Kernova [-is] [-ak] [-nM] text1 [... textM] [query] compression_rate\n\n"
    "Executing Kernova for Unix/Linux:\n"
    "./Kernova.exe [-is] [-ak] [-nM] text1 [... textM] [query] compression_rate\n";

}  // namespace kernova::testing
