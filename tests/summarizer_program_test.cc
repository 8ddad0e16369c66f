// Kernova_En and Kernova_Por run for real, each time in a fresh folder:
// their extracts, messages, exit statuses and the files they leave.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/test_util.h"

namespace kernova::testing {
namespace {

namespace fs = std::filesystem;

class SummarizerProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file(dir_ / "a.txt", fixture("cats.txt"));
    write_file(dir_ / "b.txt", fixture("mice.txt"));
  }
  RunResult kernova(const std::vector<std::string>& args, const std::string& edition = "Kernova_En") {
    return run(program(edition), args, dir_.path());
  }
  TempDir dir_;
};

// Cats and mice: over a.txt alone the scores are 6 6 2 4 (threshold 4.5);
// over a.txt and b.txt 8 8 2 5 3 7 (threshold 5.5).
TEST_F(SummarizerProgramTest, CommandLines) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string extract_name;
    std::string extract;
  };
  const Case cases[] = {
      {"generic", {"a.txt", "0.3"}, "a.sum", "Cats chase mice.\nDogs chase cats.\n"},
      {"a rate that leaves room for one sentence", {"a.txt", "0.5"}, "a.sum", "Cats chase mice.\n"},
      {"-is and -ak: averages 2 2 1 2, the last of the three 2s goes",
       {"-is", "-ak", "a.txt", "0.3"},
       "a.sum",
       "Cats chase mice. \nDogs chase cats. \n"},
      {"query: its sentence is raised above all and outlasts the others",
       {"a.txt", "dogs", "0.5"},
       "a.sum",
       "Dogs chase cats.\n"},
      {"two texts together",
       {"-n2", "a.txt", "b.txt", "0.3"},
       "multidoc-b.sum",
       "Cats chase mice.\nDogs chase cats.\nCats and dogs wait.\n"},
      {"-n1 is one text", {"-n1", "a.txt", "0.3"}, "a.sum", "Cats chase mice.\nDogs chase cats.\n"},
      {"query, then a rate that is no number: rate 0, nothing trimmed",
       {"a.txt", "sleep", "if", "0.3"},
       "a.sum",
       "Cats chase mice.\nDogs chase cats.\nThe cat sleeps.\n"},
      {"a negative rate: the gist sentence alone",
       {"-n2", "a.txt", "b.txt", "-1"},
       "multidoc-b.sum",
       "Cats chase mice.\n"},
      {"a rate of 1 word: the gist sentence alone, above the limit",
       {"a.txt", "1"},
       "a.sum",
       "Cats chase mice.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = kernova(c.args);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(files_in(dir_.path()),
              (std::set<std::string>{"a.txt", "b.txt", c.extract_name, "_ready_.tmp"}));
    EXPECT_EQ(read_file(dir_ / c.extract_name), c.extract);
    EXPECT_EQ(read_file(dir_ / "_ready_.tmp"), "");
    fs::remove(dir_ / c.extract_name);
    fs::remove(dir_ / "_ready_.tmp");
  }
}

TEST_F(SummarizerProgramTest, ShortCommandLinesPrintTheUsage) {
  const std::vector<std::vector<std::string>> command_lines = {
      {},
      {"a.txt"},
      {"-is", "a.txt"},
      {"-is", "-ak", "a.txt"},
      {"-n2", "a.txt", "b.txt"},
      {"-n3", "a.txt", "b.txt", "0.3"},
      {"-n", "a.txt", "0.3"},
      {"-nx", "a.txt", "0.3"},
      {"-n0", "a.txt", "0.3"},
      {"-n-2", "a.txt", "b.txt", "0.3"},
  };
  for (const std::vector<std::string>& args : command_lines) {
    std::string trace;
    for (const std::string& arg : args) trace.append("[").append(arg).append("] ");
    SCOPED_TRACE(trace);
    const RunResult result = kernova(args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, kSummarizerUsage);
    // Nothing was split, written or marked.
    EXPECT_EQ(files_in(dir_.path()), (std::set<std::string>{"a.txt", "b.txt"}));
  }
}

TEST_F(SummarizerProgramTest, Failures) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string out;
  };
  fs::create_directory(dir_ / "folder");
  write_file(dir_ / "gone.txt.seg", "A sentence file from an earlier run.\n");
  write_file(dir_ / "notes.sum", "My own notes.\n");
  write_file(dir_ / "link.sum", "More notes.\n");
  fs::create_symlink("link.sum", dir_ / "link.txt");
  write_file(dir_ / "x.txt.seg", "Not a sentence file but a text of its own.\n");
  const std::set<std::string> prepared = {"folder/",  "gone.txt.seg", "notes.sum",
                                          "link.sum", "link.txt",     "x.txt.seg"};
  const Case cases[] = {
      {"missing input: the splitter's message, then ours",
       {"nofile.txt", "0.3"},
       "\tERROR: can not open file nofile.txt\n\tERROR: can not open nofile.txt.seg\n"},
      {"a folder as input",
       {"folder", "0.3"},
       "\tERROR: can not open file folder\n\tERROR: can not open folder.seg\n"},
      {"an old sentence file is never read when the splitter fails",
       {"gone.txt", "0.3"},
       "\tERROR: can not open file gone.txt\n\tERROR: can not open gone.txt.seg\n"},
      {"the second of two inputs missing",
       {"-n2", "a.txt", "nofile", "0.3"},
       "\tERROR: can not open file nofile\n\tERROR: can not open nofile.seg\n"},
      {"-ak before -is: -is is the input",
       {"-ak", "-is", "a.txt", "0.3"},
       "\tERROR: can not open file -is\n\tERROR: can not open -is.seg\n"},
      {"the extract would replace its input",
       {"notes.sum", "0.3"},
       "\tERROR: extract notes.sum would overwrite its input\n"},
      {"the extract would replace its input, reached through a link",
       {"link.txt", "0.3"},
       "\tERROR: extract link.sum would overwrite its input\n"},
      {"a sentence file would replace another input",
       {"-n2", "x.txt", "x.txt.seg", "0.3"},
       "\tERROR: sentence file x.txt.seg would overwrite an input\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = kernova(c.args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(escape(result.out), escape(c.out));
    std::set<std::string> expected = prepared;
    expected.insert({"a.txt", "b.txt"});
    EXPECT_EQ(files_in(dir_.path()), expected);
  }
  EXPECT_EQ(read_file(dir_ / "gone.txt.seg"), "A sentence file from an earlier run.\n");
  EXPECT_EQ(read_file(dir_ / "notes.sum"), "My own notes.\n");
  EXPECT_EQ(read_file(dir_ / "link.sum"), "More notes.\n");
  EXPECT_EQ(read_file(dir_ / "x.txt.seg"), "Not a sentence file but a text of its own.\n");
}

TEST_F(SummarizerProgramTest, ExtractOrMarkerThatCannotBeCreated) {
  fs::create_directory(dir_ / "a.sum");
  RunResult result = kernova({"a.txt", "0.3"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(escape(result.out), escape("\tERROR: can not create a.sum\n"));
  // No marker, no half-written file, no sentence file left behind.
  EXPECT_EQ(files_in(dir_.path()), (std::set<std::string>{"a.txt", "b.txt", "a.sum/"}));
  fs::remove(dir_ / "a.sum");

  fs::create_directory(dir_ / "_ready_.tmp");
  result = kernova({"a.txt", "0.3"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(escape(result.out), escape("\tERROR: can not create _ready_.tmp\n"));
  EXPECT_EQ(read_file(dir_ / "a.sum"), "Cats chase mice.\nDogs chase cats.\n");
}

TEST_F(SummarizerProgramTest, ReplacesEarlierExtractsAndMarkers) {
  write_file(dir_ / "a.sum", "An extract from an earlier run, longer than the new one.\n");
  write_file(dir_ / "_ready_.tmp", "left over");
  const RunResult result = kernova({"a.txt", "0.5"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(read_file(dir_ / "a.sum"), "Cats chase mice.\n");
  EXPECT_EQ(read_file(dir_ / "_ready_.tmp"), "");
}

TEST_F(SummarizerProgramTest, InputWithoutSentences) {
  write_file(dir_ / "empty.txt", "");
  write_file(dir_ / "blank.txt", "  \n\t\n");
  for (const char* input : {"empty.txt", "blank.txt"}) {
    SCOPED_TRACE(input);
    const RunResult result = kernova({input, "dogs", "0.3"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    const std::string extract = std::string(input, 5) + ".sum";
    EXPECT_EQ(read_file(dir_ / extract), "");
    EXPECT_TRUE(fs::exists(dir_ / "_ready_.tmp"));
  }
}

TEST_F(SummarizerProgramTest, ExtractNames) {
  struct Case {
    std::vector<std::string> inputs;  // each holds cats.txt
    std::vector<std::string> args;
    std::string extract;
  };
  const Case cases[] = {
      {{"report.2007.txt"}, {"report.2007.txt", "0.3"}, "report.2007.sum"},
      {{".profile"}, {".profile", "0.3"}, ".sum"},
      {{"texts.old/notes"}, {"texts.old/notes", "0.3"}, "texts.old/notes.sum"},
      {{"docs/a.txt", "docs/b.txt"}, {"-n2", "docs/a.txt", "docs/b.txt", "0.3"}, "docs/multidoc-b.sum"},
      {{"my notes; touch hacked $(touch hacked2) `touch hacked3` | touch hacked4.txt"},
       {"my notes; touch hacked $(touch hacked2) `touch hacked3` | touch hacked4.txt", "0.3"},
       "my notes; touch hacked $(touch hacked2) `touch hacked3` | touch hacked4.sum"},
      {{std::string(200, 'n') + ".txt"},
       {std::string(200, 'n') + ".txt", "0.3"},
       std::string(200, 'n') + ".sum"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extract);
    TempDir dir;
    std::set<std::string> expected = {c.extract, "_ready_.tmp"};
    for (const std::string& input : c.inputs) {
      fs::create_directories((dir / input).parent_path());
      write_file(dir / input, fixture("cats.txt"));
      expected.insert(input);
      for (fs::path folder = fs::path(input).parent_path(); !folder.empty(); folder = folder.parent_path()) {
        expected.insert(folder.string() + "/");
      }
    }
    const RunResult result = run(program("Kernova_En"), c.args, dir.path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(files_in(dir.path()), expected);
    EXPECT_TRUE(fs::is_regular_file(dir / c.extract));
  }
}

TEST_F(SummarizerProgramTest, AbsoluteInputNamesWriteBesideTheInput) {
  TempDir elsewhere;
  write_file(elsewhere / "far.txt", fixture("cats.txt"));
  const RunResult result = kernova({(elsewhere / "far.txt").string(), "0.5"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(read_file(elsewhere / "far.sum"), "Cats chase mice.\n");
  EXPECT_EQ(files_in(elsewhere.path()), (std::set<std::string>{"far.txt", "far.sum"}));
  // The marker goes to the working folder.
  EXPECT_TRUE(fs::exists(dir_ / "_ready_.tmp"));
}

TEST_F(SummarizerProgramTest, BytesPassThroughUnchanged) {
  // A lone CR and a NUL end words and stay in their sentence; a word of any
  // length is a word. Scores 7 6 7, threshold 20 / 3.
  const std::string long_word(3000, 'w');
  const std::string text =
      std::string("Cats\rchase mi\0ce. Dogs chase cats.\n", 35) + long_word + " cats " + long_word + ".\n";
  write_file(dir_ / "odd.txt", text);
  const RunResult result = kernova({"odd.txt", "0"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(escape(read_file(dir_ / "odd.sum")),
            escape(std::string("Cats\rchase mi\0ce.\n", 18) + long_word + " cats " + long_word + ".\n"));
}

// Where the splitter comes from: beside the summarizer, else from PATH.
class SummarizerSplitterLookupTest : public SummarizerProgramTest {
 protected:
  void SetUp() override {
    SummarizerProgramTest::SetUp();
    const char* path = std::getenv("PATH");
    saved_path_ = path ? path : "";
    // A copy of the summarizer without a splitter beside it.
    fs::create_directory(dir_ / "alone");
    fs::copy_file(program("Kernova_En"), dir_ / "alone" / "Kernova_En");
    // A stand-in splitter that writes one sentence, and one that fails
    // after writing.
    fs::create_directories(dir_ / "fake" / "good");
    fs::create_directories(dir_ / "fake" / "bad");
    write_file(dir_ / "fake" / "good" / "CLAVER_En",
               "#!/bin/sh\nprintf 'Stand-in sentence.\\n' > \"$1.seg\"\n");
    write_file(dir_ / "fake" / "bad" / "CLAVER_En", "#!/bin/sh\nprintf 'Half.\\n' > \"$1.seg\"\nexit 3\n");
    for (const char* which : {"good", "bad"}) {
      fs::permissions(dir_ / "fake" / which / "CLAVER_En", fs::perms::owner_all);
    }
    // A copy with a splitter beside it that cannot be run, and a stand-in
    // in the working folder that only a relative PATH entry would find.
    fs::create_directory(dir_ / "blocked");
    fs::copy_file(program("Kernova_En"), dir_ / "blocked" / "Kernova_En");
    write_file(dir_ / "blocked" / "CLAVER_En", "#!/bin/sh\nprintf 'Blocked.\\n' > \"$1.seg\"\n");
    fs::permissions(dir_ / "blocked" / "CLAVER_En", fs::perms::owner_read | fs::perms::owner_write);
    fs::copy_file(dir_ / "fake" / "good" / "CLAVER_En", dir_ / "CLAVER_En");
  }
  void TearDown() override { setenv("PATH", saved_path_.c_str(), 1); }

  std::string saved_path_;
};

TEST_F(SummarizerSplitterLookupTest, BesideTheProgramFirstThenOnThePath) {
  struct Case {
    const char* name;
    const char* copy;  // the folder of the copy of the summarizer run, or null
    std::string path;
    int status;
    std::string out;
    std::string extract;  // empty: no extract
  };
  const Case cases[] = {
      {"beside the program, whatever PATH holds", nullptr, (dir_ / "fake" / "good").string(), 0, "",
       "Cats chase mice.\nDogs chase cats.\n"},
      {"from PATH", "alone", (dir_ / "fake" / "good").string(), 0, "", "Stand-in sentence.\n"},
      {"the real one from PATH", "alone", program("CLAVER_En").parent_path().string(), 0, "",
       "Cats chase mice.\nDogs chase cats.\n"},
      {"nowhere", "alone", (dir_ / "fake").string(), 1, "\tERROR: can not open a.txt.seg\n", ""},
      {"a splitter that fails", "alone", (dir_ / "fake" / "bad").string(), 1,
       "\tERROR: can not open a.txt.seg\n", ""},
      {"one beside that cannot run is the error, not a reason to look on PATH", "blocked",
       (dir_ / "fake" / "good").string(), 1, "\tERROR: can not open a.txt.seg\n", ""},
      {"an empty PATH is not the working folder", "alone", "", 1, "\tERROR: can not open a.txt.seg\n", ""},
      {"nor are empty and relative entries", "alone", "::.:fake/good", 1, "\tERROR: can not open a.txt.seg\n",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setenv("PATH", c.path.c_str(), 1);
    const fs::path summarizer = c.copy != nullptr ? dir_ / c.copy / "Kernova_En" : program("Kernova_En");
    const RunResult result = run(summarizer, {"a.txt", "0.3"}, dir_.path());
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(escape(result.out), escape(c.out));
    if (c.extract.empty()) {
      EXPECT_FALSE(fs::exists(dir_ / "a.sum"));
      EXPECT_FALSE(fs::exists(dir_ / "_ready_.tmp"));
    } else {
      EXPECT_EQ(read_file(dir_ / "a.sum"), c.extract);
      EXPECT_TRUE(fs::exists(dir_ / "_ready_.tmp"));
      EXPECT_FALSE(fs::exists(dir_ / "a.txt.seg"));
    }
    fs::remove(dir_ / "a.sum");
    fs::remove(dir_ / "_ready_.tmp");
    fs::remove(dir_ / "a.txt.seg");
  }
}

TEST_F(SummarizerProgramTest, PortugueseEdition) {
  // "o", "e" and "os" are stopwords; "gato" and "gatos" share a stem, so
  // the first two sentences score 3 each against 1 (threshold 7 / 3).
  write_file(dir_ / "gatos.txt", fixture("gatos.txt"));
  RunResult result = kernova({"gatos.txt", "0"}, "Kernova_Por");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(read_file(dir_ / "gatos.sum"), "O gato e o peixe.\nOs gatos dormem.\n");
  result = kernova({"-is", "gatos.txt", "chove", "0"}, "Kernova_Por");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(read_file(dir_ / "gatos.sum"), "Chove. \n");
  EXPECT_EQ(files_in(dir_.path()),
            (std::set<std::string>{"a.txt", "b.txt", "gatos.txt", "gatos.sum", "_ready_.tmp"}));
  // A query picks the sentence closest to it, accented stems included:
  // organiza\347\343o and organiza\347\365es share the stem organiz, and the
  // shorter first sentence has the higher cosine. A negative rate keeps the
  // gist sentence alone.
  write_file(dir_ / "frio.txt",
             "O frio chegou cedo.\nA organiza\347\343o cresceu muito.\n"
             "As organiza\347\365es sofreram com o frio.\n");
  result = kernova({"frio.txt", "organiza\347\365es", "-1"}, "Kernova_Por");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(read_file(dir_ / "frio.sum"), "A organiza\347\343o cresceu muito.\n");
  std::filesystem::remove(dir_ / "frio.txt");
  std::filesystem::remove(dir_ / "frio.sum");
  // Its usage text is the same as the English edition's.
  result = kernova({"gatos.txt"}, "Kernova_Por");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, kSummarizerUsage);
}

}  // namespace
}  // namespace kernova::testing
