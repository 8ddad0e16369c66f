// What a program leaves when SIGINT, SIGTERM or SIGHUP ends it: nothing of
// its own. Files being made are listed here while they are incomplete, and
// a child process while it runs; the signal removes the files, ends the
// child and waits for it, and the program exits with 128 + the signal.
#ifndef KERNOVA_BASE_CLEANUP_H_
#define KERNOVA_BASE_CLEANUP_H_

#include <sys/types.h>

#include <string>

namespace kernova::base {

// Installs the handlers for SIGINT, SIGTERM and SIGHUP (signals ignored
// when the program started stay ignored), and puts SIGCHLD back to its
// default so that a child can be waited for. Call once, early in main.
void remove_on_signal();

// A file to remove if a signal ends the program; the listing ends when the
// object goes. Safe from any thread.
class RemovalListing {
 public:
  RemovalListing() = default;
  ~RemovalListing() { release(); }
  RemovalListing(const RemovalListing&) = delete;
  RemovalListing& operator=(const RemovalListing&) = delete;

  // Lists `name` in place of the name listed before.
  void list(const std::string& name);

  // Ends the listing (the file stays).
  void release();

 private:
  int slot_ = -1;
};

// The child a signal must end (0: none).
void set_child_to_end(pid_t child);

}  // namespace kernova::base

#endif  // KERNOVA_BASE_CLEANUP_H_
