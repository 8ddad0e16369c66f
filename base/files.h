// Files as every program of the project uses them: whole-file reading, the
// one way an output file is written, the same-file test, CR LF joining and
// output names. Failures throw kernova::Error with the action, the file's
// name and the system's reason apart (base/error.h).
#ifndef KERNOVA_BASE_FILES_H_
#define KERNOVA_BASE_FILES_H_

#include <string>
#include <string_view>

#include "base/cleanup.h"
#include "base/posix_file.h"

struct stat;

namespace kernova::base {

// Opens `name` for reading, whatever it is. Throws Error("open", name,
// reason) when it cannot be opened.
FileDescriptor open_file(const std::string& name);

// The same for a file that must not be a folder.
FileDescriptor open_input(const std::string& name);

// All the bytes of the file `name`. With `regular_only`, anything but a
// regular file (a folder, a pipe, a device) fails to open. Throws
// Error("open" or "read", name, reason).
std::string read_file(const std::string& name, bool regular_only = false);

// True when `a` and `b` are one name, or name one file (through links).
bool same_file(const std::string& a, const std::string& b);

// Who chose an output's name, which decides what happens to whatever holds
// the name already.
enum class Naming {
  // The program made the name up (NAME.seg, NAME.sum, a marker): the file
  // is created new, never through a link, a pipe or a device, and renamed
  // over whatever held the name (a regular file keeps its permission bits).
  kProgram,
  // The user typed it (`-o FILE`): a link is followed and its target
  // treated so, the link staying; a regular file (or nothing) is replaced
  // by rename, keeping its permission bits, owner and group where the
  // process may set them; anything else (a pipe, a device) is opened and
  // written in place, as the shell's redirection does.
  kUser,
};

// An output file that appears whole or not at all. The bytes go to a new
// file beside the target (same folder, a name no other writer uses), which
// commit() renames to the target; a writer destroyed before commit(), or
// a signal (base/cleanup.h), removes it, and the target stays as it was.
class OutputFile {
 public:
  // Throws Error("create", target, reason) when the new file cannot be made.
  explicit OutputFile(std::string target, Naming naming = Naming::kProgram);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Appends `bytes`. Throws Error("write", target, reason).
  void write(std::string_view bytes);

  // Finishes the file and puts it in place. Throws Error("write", ...)
  // when the bytes could not all be stored, Error("create", ...) when the
  // file cannot take the target's name.
  void commit();

 private:
  [[noreturn]] void fail(const char* action, int error_number);
  void discard();
  void create_beside(const std::string& destination, const struct stat* replaced, bool keep_owner);

  std::string target_;       // the name as given, for messages
  std::string destination_;  // what the new file is renamed to
  std::string temporary_;    // empty when writing into the target directly
  RemovalListing listing_;
  FileDescriptor file_;
  bool done_ = false;
};

// Makes the file `name` hold `bytes`, through an OutputFile.
void write_file(const std::string& name, std::string_view bytes, Naming naming = Naming::kProgram);

// Turns each CR LF pair into one '\n' in text that comes in pieces of any
// size; a lone CR stays. A CR at the end of a piece is held back until the
// next byte is known.
class CrLfJoiner {
 public:
  // Appends `piece`, joined, to `out`.
  void join(std::string_view piece, std::string& out);
  // The same, without a copy when it can: `piece` itself when it holds no
  // CR and none is held back, else its joined bytes in `scratch` (emptied
  // first). The view lasts as long as `piece` or `scratch`.
  std::string_view joined(std::string_view piece, std::string& scratch);
  // Ends the text: appends a CR still held back.
  void finish(std::string& out);

 private:
  bool held_cr_ = false;
};

// The whole of `text` with its CR LF pairs joined, appended to `out`.
void join_crlf(std::string_view text, std::string& out);

// `name` with the final path component's last extension (from its last
// '.') replaced by `extension`, and `prefix` put in front of that
// component. The folder part stays as typed.
std::string replace_extension(std::string_view name, std::string_view extension,
                              std::string_view prefix = {});

}  // namespace kernova::base

#endif  // KERNOVA_BASE_FILES_H_
