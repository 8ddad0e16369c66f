#include "base/cleanup.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace kernova::base {
namespace {

// One slot for each file being made at one time; more than this many at
// once (far above the threads a run has) go unlisted.
constexpr int kSlots = 256;
std::atomic<char*> listed[kSlots];
std::atomic<pid_t> child_to_end{0};
// Set by the handler before it reads the slots: a name taken out of its
// slot from then on is never freed, since the handler may be using it.
std::atomic<bool> ending{false};

void end_run(int signal_number) {
  ending.store(true);
  const pid_t child = child_to_end.load();
  if (child > 0) {
    ::kill(child, SIGTERM);
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  for (std::atomic<char*>& slot : listed) {
    if (const char* name = slot.load()) ::unlink(name);
  }
  ::_exit(128 + signal_number);
}

}  // namespace

void remove_on_signal() {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = end_run;
  sigfillset(&action.sa_mask);
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction before;
    if (::sigaction(signal_number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    ::sigaction(signal_number, &action, nullptr);
  }
  ::signal(SIGCHLD, SIG_DFL);
}

void RemovalListing::list(const std::string& name) {
  release();
  char* copy = ::strdup(name.c_str());
  if (copy == nullptr) return;
  for (int i = 0; i < kSlots; ++i) {
    char* empty = nullptr;
    if (listed[i].compare_exchange_strong(empty, copy)) {
      slot_ = i;
      return;
    }
  }
  std::free(copy);
}

void RemovalListing::release() {
  if (slot_ < 0) return;
  char* name = listed[slot_].exchange(nullptr);
  slot_ = -1;
  if (!ending.load()) std::free(name);
}

void set_child_to_end(pid_t child) { child_to_end.store(child); }

}  // namespace kernova::base
