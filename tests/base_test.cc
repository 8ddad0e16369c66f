#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/files.h"
#include "tests/test_util.h"

namespace kernova::base {
namespace {

namespace fs = std::filesystem;
using kernova::testing::escape;
using kernova::testing::files_in;
using kernova::testing::read_file;
using kernova::testing::TempDir;
using kernova::testing::write_file;

TEST(CrLfJoinerTest, JoinsPairsAcrossPieces) {
  struct Case {
    std::vector<std::string> pieces;
    std::string out;
  } cases[] = {
      {{"a\r\nb"}, "a\nb"},
      {{"a\r", "\nb"}, "a\nb"},
      {{"a\r", "", "\nb"}, "a\nb"},
      {{"a\r", "b"}, "a\rb"},
      {{"a\r"}, "a\r"},
      {{"\r\r\n\n"}, "\r\n\n"},
      {{"\n\r", "\r", "\n"}, "\n\r\n"},
      {{}, ""},
  };
  for (const Case& c : cases) {
    std::string all;
    for (const std::string& piece : c.pieces) all += piece + "|";
    SCOPED_TRACE(escape(all));
    CrLfJoiner joiner;
    std::string out;
    for (const std::string& piece : c.pieces) joiner.join(piece, out);
    joiner.finish(out);
    EXPECT_EQ(escape(out), escape(c.out));
    // The same through views: a piece with no CR, none held, is not copied.
    CrLfJoiner viewer;
    std::string viewed;
    std::string scratch;
    bool held = false;
    for (const std::string& piece : c.pieces) {
      const std::string_view view = viewer.joined(piece, scratch);
      if (!held && piece.find('\r') == std::string::npos) {
        EXPECT_EQ(view.data(), piece.data());
      }
      viewed += view;
      held = !piece.empty() ? piece.back() == '\r' : held;
    }
    viewer.finish(viewed);
    EXPECT_EQ(escape(viewed), escape(c.out));
    std::string text;
    for (const std::string& piece : c.pieces) text += piece;
    std::string whole;
    join_crlf(text, whole);
    EXPECT_EQ(escape(whole), escape(c.out));
  }
}

TEST(ReplaceExtensionTest, LastComponentOnly) {
  struct Case {
    std::string name, extension, prefix, out;
  } cases[] = {
      {"a.txt", ".sum", "", "a.sum"},
      {"a", ".sum", "", "a.sum"},
      {"dir.d/a", ".sum", "", "dir.d/a.sum"},
      {"dir.d/a.b.c", ".json", "", "dir.d/a.b.json"},
      {"dir/.hidden", ".sum", "", "dir/.sum"},
      {"x/y.txt", ".sum", "multidoc-", "x/multidoc-y.sum"},
      {"y", ".sum", "multidoc-", "multidoc-y.sum"},
  };
  for (const Case& c : cases) EXPECT_EQ(replace_extension(c.name, c.extension, c.prefix), c.out) << c.name;
}

class OutputFileTest : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return (dir_.path() / name).string(); }
  TempDir dir_;
};

TEST_F(OutputFileTest, AppearsWholeOnCommitOnly) {
  write_file(dir_.path() / "out.txt", "old\n");
  {
    OutputFile file(path("out.txt"));
    file.write("new ");
    file.write("bytes\n");
    EXPECT_EQ(read_file(dir_.path() / "out.txt"), "old\n");
    EXPECT_EQ(files_in(dir_.path()).size(), 2u);  // the target and the new file
    file.commit();
  }
  EXPECT_EQ(read_file(dir_.path() / "out.txt"), "new bytes\n");
  EXPECT_EQ(files_in(dir_.path()), (std::set<std::string>{"out.txt"}));
}

TEST_F(OutputFileTest, AnUncommittedFileLeavesTheTargetAlone) {
  write_file(dir_.path() / "out.txt", "old\n");
  {
    OutputFile file(path("out.txt"));
    file.write("half");
  }
  {
    OutputFile file(path("new.txt"));
    file.write("half");
  }
  EXPECT_EQ(read_file(dir_.path() / "out.txt"), "old\n");
  EXPECT_EQ(files_in(dir_.path()), (std::set<std::string>{"out.txt"}));
}

TEST_F(OutputFileTest, FailuresNameTheActionAndTheTarget) {
  fs::create_directory(dir_.path() / "folder");
  try {
    base::write_file(path("folder"), "x");
    ADD_FAILURE() << "a folder was replaced";
  } catch (const Error& error) {
    EXPECT_EQ(error.action(), "create");
    EXPECT_EQ(error.name(), path("folder"));
    EXPECT_FALSE(error.reason().empty());
  }
  try {
    base::write_file(path("missing/x"), "x");
    ADD_FAILURE() << "a file was written in a missing folder";
  } catch (const Error& error) {
    EXPECT_EQ(error.action(), "create");
    EXPECT_EQ(std::string(error.what()), "can not create " + path("missing/x") + ": " + error.reason());
  }
  EXPECT_EQ(files_in(dir_.path()), (std::set<std::string>{"folder/"}));
}

// A device the user names is written into, not replaced, and a link to it
// stays whether the writing worked or not. A name the program chose is
// replaced by a new file whatever held it: the link goes, its target stays.
TEST_F(OutputFileTest, ADeviceIsWrittenThroughOnlyWhenTheUserNamedIt) {
  if (!fs::exists("/dev/full") || !fs::exists("/dev/null")) GTEST_SKIP() << "no /dev/full or /dev/null";
  fs::create_symlink("/dev/null", dir_.path() / "null");
  base::write_file(path("null"), "gone\n", Naming::kUser);
  EXPECT_TRUE(fs::is_symlink(dir_.path() / "null"));
  fs::create_symlink("/dev/full", dir_.path() / "full");
  try {
    base::write_file(path("full"), "x", Naming::kUser);
    ADD_FAILURE() << "/dev/full took a byte";
  } catch (const Error& error) {
    EXPECT_EQ(error.action(), "write");
  }
  EXPECT_TRUE(fs::is_symlink(dir_.path() / "full"));
  base::write_file(path("full"), "mine\n");
  EXPECT_FALSE(fs::is_symlink(dir_.path() / "full"));
  EXPECT_EQ(read_file(dir_.path() / "full"), "mine\n");
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
  EXPECT_EQ(files_in(dir_.path()), (std::set<std::string>{"full", "null"}));
}

TEST_F(OutputFileTest, ReadFileAndSameFile) {
  write_file(dir_.path() / "a", std::string(100000, 'a'));
  fs::create_hard_link(dir_.path() / "a", dir_.path() / "b");
  fs::create_symlink("a", dir_.path() / "c");
  EXPECT_EQ(base::read_file(path("c")), std::string(100000, 'a'));
  EXPECT_TRUE(same_file(path("a"), path("b")));
  EXPECT_TRUE(same_file(path("a"), path("c")));
  EXPECT_TRUE(same_file(path("none"), path("none")));
  EXPECT_FALSE(same_file(path("a"), path("none")));
  try {
    base::read_file(dir_.path().string(), true);
    ADD_FAILURE() << "a folder was read as a regular file";
  } catch (const Error& error) {
    EXPECT_EQ(error.action(), "open");
  }
}

}  // namespace
}  // namespace kernova::base
