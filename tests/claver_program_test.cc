// The splitter programs, run for real in a temporary folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/test_util.h"

namespace kernova::testing {
namespace {

namespace fs = std::filesystem;

class ClaverTest : public ::testing::Test {
 protected:
  RunResult claver(const std::vector<std::string>& args, const std::string& edition = "CLAVER_En") {
    return run(program(edition), args, dir_.path());
  }
  TempDir dir_;
};

TEST_F(ClaverTest, WritesTheSentenceFileBesideTheInput) {
  struct Case {
    const char* name;
    std::string input;
    std::string sentences;
  };
  const Case cases[] = {
      {"empty input", "", ""},
      {"blank lines only", "\n  \n\t\t\n \n", ""},
      {"last line without line end", "One. Two", "One.\nTwo\n"},
      {"blanks after the last mark", "Done.  ", "Done.\n\n"},
      {"CR LF is one line end", "First line\r\nSecond. Third.\r\n", "First line\nSecond.\nThird.\n"},
      {"a lone CR is kept", "A\rB. C\r", "A\rB.\nC\r\n"},
      {"CR at the very end", "Fine.\r", "Fine.\n\r\n"},
      {"Latin-1 bytes pass unchanged", "Caf\351 cr\350me. \300 la carte.\n", "Caf\351 cr\350me.\n\300 la carte.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    write_file(dir_ / "text.txt", c.input);
    RunResult result = claver({"text.txt"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(escape(read_file(dir_ / "text.txt.seg")), escape(c.sentences));
  }
}

TEST_F(ClaverTest, ReplacesAnExistingSentenceFile) {
  write_file(dir_ / "notes", "New text.\n");
  write_file(dir_ / "notes.seg", "old content that is much longer than the new one\n");
  RunResult result = claver({"notes", "ignored", "arguments"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(read_file(dir_ / "notes.seg"), "New text.\n");
}

TEST_F(ClaverTest, EditionsDifferOnlyInTheirAbbreviations) {
  write_file(dir_ / "t.txt", "Vi a p\341g. 3 hoje. Her. Next.\n");
  EXPECT_EQ(claver({"t.txt"}, "CLAVER_En").status, 0);
  EXPECT_EQ(read_file(dir_ / "t.txt.seg"), "Vi a p\341g.\n3 hoje.\nHer. Next.\n");
  EXPECT_EQ(claver({"t.txt"}, "CLAVER_Por").status, 0);
  EXPECT_EQ(read_file(dir_ / "t.txt.seg"), "Vi a p\341g. 3 hoje.\nHer.\nNext.\n");
}

TEST_F(ClaverTest, NamesWithBlanksAndShellCharactersAreFileNames) {
  for (std::string name : {"my text.txt", "a;b$(touch x)`y`.txt", "-dash.txt", "quote\"s'.txt"}) {
    SCOPED_TRACE(name);
    write_file(dir_ / name, "Hello there. Bye.\n");
    EXPECT_EQ(claver({name}).status, 0);
    EXPECT_EQ(read_file(dir_ / (name + ".seg")), "Hello there.\nBye.\n");
  }
  EXPECT_FALSE(fs::exists(dir_ / "x"));
}

TEST_F(ClaverTest, Failures) {
  fs::create_directory(dir_ / "folder");
  fs::create_directory(dir_ / "taken.txt.seg");
  write_file(dir_ / "taken.txt", "Text.\n");
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string message;
    const char* must_not_exist;
  };
  const Case cases[] = {
      {"missing input", {"missing.txt"}, "\tERROR: can not open file missing.txt\n", "missing.txt.seg"},
      {"input is a folder", {"folder"}, "\tERROR: can not open file folder\n", "folder.seg"},
      {"sentence file name is a folder", {"taken.txt"}, "\tERROR: can not create file taken.txt.seg\n", nullptr},
      {"no argument", {}, "\tERROR: no input file given (usage: CLAVER_En file)\n", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunResult result = claver(c.args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, c.message);
    if (c.must_not_exist != nullptr) {
      EXPECT_FALSE(fs::exists(dir_ / c.must_not_exist));
    }
  }
  EXPECT_TRUE(fs::is_directory(dir_ / "taken.txt.seg"));
  // Nothing was created by the run without an argument.
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_.path())) ++entries;
  EXPECT_EQ(entries, 3u);
}

// A file size limit makes the writes fail part way.
TEST_F(ClaverTest, AWriteErrorRemovesThePartialSentenceFile) {
  write_file(dir_ / "full.txt", std::string(3 << 20, 'a') + ". End.\n");
  const RunResult result = run("/bin/sh", {"-c", "trap '' XFSZ; ulimit -f 1024; exec \"$0\" full.txt",
                                           program("CLAVER_En").string()},
                               dir_.path());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "\tERROR: can not write file full.txt.seg\n");
  EXPECT_EQ(files_in(dir_.path()), (std::set<std::string>{"full.txt"}));
}

TEST_F(ClaverTest, AReadErrorIsNotTakenForTheEnd) {
  // Reading a process's own memory at offset 0 fails with an I/O error.
  fs::create_symlink("/proc/self/mem", dir_ / "mem");
  RunResult result = claver({"mem"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "\tERROR: can not read file mem\n");
  EXPECT_FALSE(fs::exists(dir_ / "mem.seg"));
}

}  // namespace
}  // namespace kernova::testing
