// Helpers shared by the tests: running the real programs in a temporary
// folder and reading and writing whole files.
#ifndef KERNOVA_TESTS_TEST_UTIL_H_
#define KERNOVA_TESTS_TEST_UTIL_H_

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace kernova::testing {

// What a finished program left behind.
struct RunResult {
  int status = -1;          // exit status, or -1 when it did not exit normally
  std::string out;          // everything it wrote on standard output
  std::string err;          // everything it wrote on standard error
};

// Path of a program built by this project ("CLAVER_En", "kernova", ...).
std::filesystem::path program(const std::string& name);

// Runs `program_path` with `args` (no shell) in the folder `cwd`, feeding
// it `input` on standard input, and waits for it.
RunResult run(const std::filesystem::path& program_path, const std::vector<std::string>& args,
              const std::filesystem::path& cwd, const std::string& input = "");

// A fresh empty folder, removed with everything in it when the object dies.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Whole-file helpers; bytes are written and read unchanged.
void write_file(const std::filesystem::path& path, const std::string& bytes);
std::string read_file(const std::filesystem::path& path);

// Makes bytes visible in failure messages: "\n" as "\\n", others as \xHH.
std::string escape(const std::string& bytes);

// A sample text of samples/, and a small text of testdata/summarizer/.
std::string sample(const std::string& name);
std::string fixture(const std::string& name);

// Every file under `folder`, as relative paths; folders end with '/'.
std::set<std::string> files_in(const std::filesystem::path& folder);

// The two usage texts that the summarizer programs print.
extern const std::string kSummarizerUsage;

}  // namespace kernova::testing

#endif  // KERNOVA_TESTS_TEST_UTIL_H_
