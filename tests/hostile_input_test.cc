// Bad and odd command lines and files through the real programs, each in a
// fresh folder: the message, the exit status, the files the run leaves and
// those it must not leave. An input that cannot be summarized gets one
// message and status 1; an odd but valid one gets a normal run; no input
// is lost or changed, no file is left half-written and no name is ever run
// as a command.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "english_stemmer/english_stemmer.h"
#include "portuguese_stemmer/portuguese_stemmer.h"
#include "tests/test_util.h"

namespace kernova::testing {
namespace {

namespace fs = std::filesystem;

// cats.txt: scores 6 6 2 4 over 11 words, threshold 4.5. The first sentence
// is the gist sentence; the second also holds gist words and scores above
// the threshold; both fit in 7 words, one in 5.
const std::string kCats = fixture("cats.txt");
const std::string kBoth = "Cats chase mice.\nDogs chase cats.\n";
const std::string kGist = "Cats chase mice.\n";

std::string random_bytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(generator() & 0xFF);
  return bytes;
}

// A file to make before the run, or one the run must leave: a name ending
// in '/' is a folder. Without bytes only the file's existence is checked.
// One with `link_to` is a symbolic link to that name, made before the run
// and still such a link after it; one with `fifo` is a named pipe; one with
// `mode` has those permission bits, before and after.
struct File {
  std::string name;
  std::optional<std::string> bytes;
  std::string link_to = "";
  bool fifo = false;
  fs::perms mode = fs::perms::none;
};

struct Row {
  const char* name = "";
  std::string program = "Kernova_En";  // a program of the project, or an absolute path
  std::vector<File> inputs = {};  // besides a.txt (cats) and b.txt (mice)
  std::vector<std::string> args = {};
  std::string stdin_bytes = "";
  int status = 0;
  std::string out = "";                  // standard output
  std::string err = "";                  // standard error
  std::vector<File> outputs = {};        // the files the run adds, nothing else
  std::vector<std::string> absent = {};  // named for emphasis: these must not exist
};

// The files a completed summarizer run adds: its extract and the marker.
std::vector<File> summary(const std::string& name, std::optional<std::string> bytes) {
  return {{name, std::move(bytes)}, {"_ready_.tmp", ""}};
}

// Every file and folder under `folder`, as relative paths; folders end
// with '/'.

// The name and the folders that lead to it, as files_in lists them.
void add_with_folders(const std::string& name, std::set<std::string>& names) {
  names.insert(name);
  for (fs::path folder = fs::path(name).parent_path(); !folder.empty(); folder = folder.parent_path())
    names.insert(folder.string() + "/");
}

// A file name as a failure message shows it: escaped, and shortened in the
// middle when it is long.
std::string shown(const std::string& name) {
  const std::string escaped = escape(name);
  if (escaped.size() <= 120) return escaped;
  return escaped.substr(0, 60) + "..." + escaped.substr(escaped.size() - 50);
}

void make(const fs::path& dir, const File& file) {
  if (file.name.ends_with('/')) {
    fs::create_directories(dir / file.name);
    return;
  }
  fs::create_directories((dir / file.name).parent_path());
  if (!file.link_to.empty()) {
    fs::create_symlink(file.link_to, dir / file.name);
  } else if (file.fifo) {
    ASSERT_EQ(::mkfifo((dir / file.name).c_str(), 0644), 0);
  } else {
    write_file(dir / file.name, *file.bytes);
  }
  if (file.mode != fs::perms::none) fs::permissions(dir / file.name, file.mode);
}

// What a file is besides its bytes: a link to the same name, a pipe, the
// same permission bits.
void expect_kind(const fs::path& dir, const File& file) {
  const fs::path path = dir / file.name;
  if (!file.link_to.empty()) {
    ASSERT_TRUE(fs::is_symlink(path)) << escape(file.name) << " is no longer a link";
    EXPECT_EQ(fs::read_symlink(path).string(), file.link_to);
  } else {
    EXPECT_FALSE(fs::is_symlink(path)) << escape(file.name);
  }
  EXPECT_EQ(fs::is_fifo(path), file.fifo) << escape(file.name);
  if (file.mode != fs::perms::none) {
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, file.mode) << escape(file.name);
  }
}

// Compares whole files without printing megabytes on a failure.
void expect_bytes(const fs::path& path, const std::string& expected) {
  const std::string actual = read_file(path);
  EXPECT_TRUE(actual == expected) << path.filename().string().substr(0, 80) << ": " << actual.size()
                                  << " bytes, expected " << expected.size() << "; starts with "
                                  << escape(actual.substr(0, 80));
}

void run_row(const Row& row) {
  TempDir dir;
  std::vector<File> inputs = {{"a.txt", kCats}, {"b.txt", fixture("mice.txt")}};
  inputs.insert(inputs.end(), row.inputs.begin(), row.inputs.end());
  std::set<std::string> expected;
  for (const File& input : inputs) {
    make(dir.path(), input);
    // An input named among the absent files is one the run removes.
    if (std::find(row.absent.begin(), row.absent.end(), input.name) == row.absent.end()) {
      add_with_folders(input.name, expected);
    }
  }
  const fs::path path = row.program.starts_with('/') ? fs::path(row.program) : program(row.program);
  const RunResult result = run(path, row.args, dir.path(), row.stdin_bytes);
  EXPECT_EQ(result.status, row.status);
  EXPECT_EQ(escape(result.out), escape(row.out));
  EXPECT_EQ(escape(result.err), escape(row.err));
  for (const File& output : row.outputs) {
    add_with_folders(output.name, expected);
    if (!output.bytes) {
      EXPECT_TRUE(fs::exists(fs::symlink_status(dir / output.name))) << escape(output.name);
    } else if (!output.name.ends_with('/')) {
      expect_bytes(dir / output.name, *output.bytes);
    }
    if (!output.name.ends_with('/')) expect_kind(dir.path(), output);
  }
  // Nothing else appeared, nothing went, and every input is unchanged.
  std::set<std::string> names;
  for (const std::string& name : files_in(dir.path())) names.insert(shown(name));
  std::set<std::string> expected_names;
  for (const std::string& name : expected) expected_names.insert(shown(name));
  EXPECT_EQ(names, expected_names);
  for (const File& input : inputs) {
    // An input listed among the outputs is one the run replaces.
    if (std::any_of(row.outputs.begin(), row.outputs.end(),
                    [&](const File& output) { return output.name == input.name; }) ||
        std::find(row.absent.begin(), row.absent.end(), input.name) != row.absent.end()) {
      continue;
    }
    if (input.bytes) expect_bytes(dir / input.name, *input.bytes);
    if (!input.name.ends_with('/')) expect_kind(dir.path(), input);
  }
  for (const std::string& name : row.absent) {
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir / name))) << escape(name);
  }
}

// The folders of a relative path of 1000 characters, four of 247 each.
std::string long_path(const std::string& file) {
  std::string path;
  for (char c : std::string("pqrs")) path += std::string(247, c) + "/";
  return path + file;
}

TEST(HostileInputTest, SummarizerCommandLines) {
  const std::string both_texts = "Cats chase mice.\nDogs chase cats.\nCats and dogs wait.\n";
  const Row rows[] = {
      // Rates: what is no number counts as 0 (nothing left out), NaN as 0,
      // an infinite or huge rate is no limit, a negative one keeps the gist
      // sentence alone.
      {.name = "rate abc", .args = {"a.txt", "abc"}, .outputs = summary("a.sum", kBoth)},
      {.name = "rate nan", .args = {"a.txt", "nan"}, .outputs = summary("a.sum", kBoth)},
      {.name = "rate -NaN",
       .program = "Kernova_Por",
       .args = {"a.txt", "-NaN"},
       .outputs = summary("a.sum", kBoth)},
      {.name = "rate inf", .args = {"a.txt", "inf"}, .outputs = summary("a.sum", kBoth)},
      {.name = "rate 1e30", .args = {"a.txt", "1e30"}, .outputs = summary("a.sum", kBoth)},
      {.name = "rate beyond any float", .args = {"a.txt", "1e99999"}, .outputs = summary("a.sum", kBoth)},
      {.name = "rate -inf", .args = {"a.txt", "-inf"}, .outputs = summary("a.sum", kGist)},
      {.name = "rate -1e30",
       .program = "Kernova_Por",
       .args = {"a.txt", "-1e30"},
       .outputs = summary("a.sum", kGist)},
      {.name = "rate -0 is no negative rate", .args = {"a.txt", "-0"}, .outputs = summary("a.sum", kBoth)},
      {.name = "rate 0.5 in hexadecimal", .args = {"a.txt", "0x1p-1"}, .outputs = summary("a.sum", kGist)},
      {.name = "rate that is empty", .args = {"a.txt", ""}, .outputs = summary("a.sum", kBoth)},
      // Queries that match no stem count as no query.
      {.name = "empty query", .args = {"a.txt", "", "0.3"}, .outputs = summary("a.sum", kBoth)},
      {.name = "query of stopwords only",
       .args = {"a.txt", "The and of it", "0"},
       .outputs = summary("a.sum", kBoth)},
      {.name = "query of stopwords only, Portuguese",
       .program = "Kernova_Por",
       .args = {"a.txt", "o e os de", "0"},
       .outputs = summary("a.sum", kBoth)},
      {.name = "query of control and Latin-1 bytes",
       .args = {"a.txt", "\x01\x7f\xff\xe7\t\n", "0.3"},
       .outputs = summary("a.sum", kBoth)},
      {.name = "query of 100 000 bytes",
       .args = {"a.txt", std::string(20000, ' ') + std::string(80000, 'z') + " sleeps", "0.5"},
       .outputs = summary("a.sum", "The cat sleeps.\n")},
      // Counts after -n.
      {.name = "-n5 with two files",
       .program = "Kernova_Por",
       .args = {"-n5", "a.txt", "b.txt", "0.3"},
       .status = 1,
       .out = kSummarizerUsage,
       .absent = {"_ready_.tmp"}},
      {.name = "-n5 with five files and no rate",
       .args = {"-n5", "a.txt", "b.txt", "a.txt", "b.txt", "a.txt"},
       .status = 1,
       .out = kSummarizerUsage,
       .absent = {"a.txt.seg", "_ready_.tmp"}},
      {.name = "-n0, Portuguese",
       .program = "Kernova_Por",
       .args = {"-n0", "a.txt", "0.3"},
       .status = 1,
       .out = kSummarizerUsage},
      {.name = "-n with a count beyond any integer",
       .args = {"-n99999999999999999999", "a.txt", "0.3"},
       .status = 1,
       .out = kSummarizerUsage},
      {.name = "-n with a blank and a sign before the count",
       .args = {"-n +2", "a.txt", "b.txt", "0.3"},
       .outputs = summary("multidoc-b.sum", both_texts)},
      {.name = "-n2x reads the count 2",
       .args = {"-n2x", "a.txt", "b.txt", "0.3"},
       .outputs = summary("multidoc-b.sum", both_texts)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    run_row(row);
  }
}

TEST(HostileInputTest, FileNames) {
  const std::string shell = "`touch hacked`;$(touch hacked2)|touch hacked3&'\".txt";
  const std::string too_long(255, 'n');  // the longest name a folder can hold
  const std::string cats_sentences = "Cats chase mice.\nDogs chase cats.\nBirds sing.\nThe cat sleeps.\n";
  const Row rows[] = {
      {.name = "missing input, Portuguese",
       .program = "Kernova_Por",
       .args = {"nofile.txt", "0.3"},
       .status = 1,
       .out = "\tERROR: can not open file nofile.txt\n\tERROR: can not open nofile.txt.seg\n",
       .absent = {"nofile.txt.seg", "nofile.sum", "_ready_.tmp"}},
      {.name = "shell characters, Portuguese",
       .program = "Kernova_Por",
       .inputs = {{shell, kCats}},
       .args = {shell, "0.3"},
       .outputs = summary("`touch hacked`;$(touch hacked2)|touch hacked3&'\".sum", kBoth),
       .absent = {"hacked", "hacked2", "hacked3"}},
      {.name = "shell characters in a folder",
       .program = "CLAVER_En",
       .inputs = {{"$(touch x)/`touch y`", kCats}},
       .args = {"$(touch x)/`touch y`"},
       .outputs = {{"$(touch x)/`touch y`.seg", cats_sentences}},
       .absent = {"x", "y"}},
      {.name = "quotes",
       .inputs = {{"it's \"cats\".txt", kCats}},
       .args = {"it's \"cats\".txt", "0.3"},
       .outputs = summary("it's \"cats\".sum", kBoth)},
      {.name = "a leading '-'",
       .inputs = {{"-cats.txt", kCats}},
       .args = {"-cats.txt", "0.5"},
       .outputs = summary("-cats.sum", kGist)},
      {.name = "the name '-' is a file",
       .program = "Kernova_Por",
       .inputs = {{"-", kCats}},
       .args = {"-", "0.5"},
       .outputs = summary("-.sum", kGist)},
      {.name = "a leading '-' after -n2",
       .inputs = {{"-a.txt", kCats}, {"--", "Mice hide.\n"}},
       .args = {"-n2", "-a.txt", "--", "0.3"},
       .outputs = summary("multidoc---.sum", std::nullopt)},
      {.name = "Latin-1 and bytes of no encoding",
       .program = "Kernova_Por",
       .inputs = {{"gato\xe7\xe3o \xff\x80.txt", kCats}},
       .args = {"gato\xe7\xe3o \xff\x80.txt", "0.3"},
       .outputs = summary("gato\xe7\xe3o \xff\x80.sum", kBoth)},
      {.name = "control bytes",
       .inputs = {{"new\nline\ttab\x1b[31m.txt", kCats}},
       .args = {"new\nline\ttab\x1b[31m.txt", "0.3"},
       .outputs = summary("new\nline\ttab\x1b[31m.sum", kBoth)},
      {.name = "a path of 1000 characters",
       .inputs = {{long_path("cats.txt"), kCats}},
       .args = {long_path("cats.txt"), "0.3"},
       .outputs = summary(long_path("cats.sum"), kBoth)},
      {.name = "a path of 1000 characters, splitter alone",
       .program = "CLAVER_Por",
       .inputs = {{long_path("cats.txt"), kCats}},
       .args = {long_path("cats.txt")},
       .outputs = {{long_path("cats.txt.seg"), cats_sentences}}},
      {.name = "a name whose sentence file name is too long",
       .inputs = {{too_long, kCats}},
       .args = {too_long, "0.3"},
       .status = 1,
       .out =
           "\tERROR: can not create file " + too_long + ".seg\n\tERROR: can not open " + too_long + ".seg\n",
       .absent = {"_ready_.tmp"}},
      {.name = "sentence file name taken by a folder",
       .inputs = {{"a.txt.seg/", std::nullopt}},
       .args = {"a.txt", "0.3"},
       .status = 1,
       .out = "\tERROR: can not create file a.txt.seg\n\tERROR: can not open a.txt.seg\n",
       .absent = {"a.sum", "_ready_.tmp"}},
      {.name = "second sentence file name taken by a folder: the first is gone too",
       .program = "Kernova_Por",
       .inputs = {{"b.txt.seg/", std::nullopt}},
       .args = {"-n2", "a.txt", "b.txt", "0.3"},
       .status = 1,
       .out = "\tERROR: can not create file b.txt.seg\n\tERROR: can not open b.txt.seg\n",
       .absent = {"a.txt.seg", "multidoc-b.sum", "_ready_.tmp"}},
      {.name = "an input that is the marker",
       .inputs = {{"_ready_.tmp", kCats}},
       .args = {"_ready_.tmp", "0.3"},
       .status = 1,
       .out = "\tERROR: marker _ready_.tmp would overwrite an input\n",
       .absent = {"_ready_.sum", "_ready_.tmp.seg"}},
      {.name = "an input that is the marker, named by another path",
       .program = "Kernova_Por",
       .inputs = {{"_ready_.tmp", kCats}, {"in/", std::nullopt}},
       .args = {"-n2", "a.txt", "./in/../_ready_.tmp", "0.3"},
       .status = 1,
       .out = "\tERROR: marker _ready_.tmp would overwrite an input\n",
       .absent = {"a.txt.seg", "multidoc-_ready_.sum"}},
      {.name = "extract of two texts taken by a folder",
       .inputs = {{"multidoc-b.sum/", std::nullopt}},
       .args = {"-n2", "a.txt", "b.txt", "0.3"},
       .status = 1,
       .out = "\tERROR: can not create multidoc-b.sum\n",
       .absent = {"a.txt.seg", "b.txt.seg", "_ready_.tmp"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(escape(row.name));
    run_row(row);
  }
}

TEST(HostileInputTest, FileContents) {
  const std::string binary = random_bytes(256 << 10, 6);
  const std::string nuls(1000, '\0');
  // 20 MB of sentences on one line, without a line end.
  std::string line;
  std::string line_sentences;
  while (line.size() < (20 << 20)) {
    line += "Cats chase mice. Dogs sleep in the garden. ";
    line_sentences += "Cats chase mice.\nDogs sleep in the garden.\n";
  }
  line += "Birds sing.";
  line_sentences += "Birds sing.\n";
  const std::string word = "Cats " + std::string(1 << 20, 'w') + "s.";  // one word of 1 MB
  const Row rows[] = {
      {.name = "random bytes",
       .inputs = {{"r.bin", binary}},
       .args = {"r.bin", "0.9"},
       .outputs = summary("r.sum", std::nullopt),
       .absent = {"r.bin.seg"}},
      {.name = "random bytes, Portuguese, -is -ak and a query",
       .program = "Kernova_Por",
       .inputs = {{"r.bin", binary}},
       .args = {"-is", "-ak", "r.bin", "\xe7\xe3o", "0.5"},
       .outputs = summary("r.sum", std::nullopt),
       .absent = {"r.bin.seg"}},
      {.name = "random bytes, splitter alone",
       .program = "CLAVER_En",
       .inputs = {{"r.bin", binary}},
       .args = {"r.bin"},
       .outputs = {{"r.bin.seg", std::nullopt}}},
      {.name = "NUL bytes only: one sentence without words",
       .inputs = {{"nul.txt", nuls}},
       .args = {"nul.txt", "0.3"},
       .outputs = summary("nul.sum", nuls + "\n")},
      {.name = "NUL bytes only, Portuguese, with -is",
       .program = "Kernova_Por",
       .inputs = {{"nul.txt", nuls}},
       .args = {"-is", "nul.txt", "0.3"},
       .outputs = summary("nul.sum", "\n")},
      {.name = "NUL bytes only, splitter alone",
       .program = "CLAVER_Por",
       .inputs = {{"nul.txt", nuls}},
       .args = {"nul.txt"},
       .outputs = {{"nul.txt.seg", nuls + "\n"}}},
      {.name = "20 MB on one line",
       .inputs = {{"line.txt", line}},
       .args = {"line.txt", "-1"},
       .outputs = summary("line.sum", kGist)},
      {.name = "20 MB on one line, splitter alone",
       .program = "CLAVER_En",
       .inputs = {{"line.txt", line}},
       .args = {"line.txt"},
       .outputs = {{"line.txt.seg", line_sentences}}},
      {.name = "a word of 1 MB",
       .inputs = {{"word.txt", word}, {"other.txt", "Dogs bark.\n"}},
       .args = {"-n2", "word.txt", "other.txt", "0.5"},
       .outputs = summary("multidoc-other.sum", word + "\n")},
      {.name = "a word of 1 MB, Portuguese, as a query too",
       .program = "Kernova_Por",
       .inputs = {{"word.txt", word}},
       .args = {"-is", "word.txt", "cats " + std::string(100000, 'w') + "s", "0.5"},
       .outputs = summary("word.sum", word.substr(0, word.size() - 1) + ". \n")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    run_row(row);
  }
}

// Whatever holds an output's name before the run. A name the user gives is
// followed through links and written in place when it is a device; a name
// a program makes up is replaced by a new file, never written through, and
// a regular file replaced either way keeps its permission bits. Nothing is
// waited on, and a run that fails leaves nothing.
TEST(HostileInputTest, WhatHoldsAnOutputName) {
  const std::string kernova = program("kernova").string();
  const std::string cats_summary = run(program("kernova"), {"summarize"}, ".", kCats).out;
  ASSERT_FALSE(cats_summary.empty());
  const std::string cats_sentences = "Cats chase mice.\nDogs chase cats.\nBirds sing.\nThe cat sleeps.\n";
  const fs::perms owner_only = fs::perms::owner_read | fs::perms::owner_write;
  const fs::perms shared = owner_only | fs::perms::group_read;
  const std::string usage = "Run 'kernova summarize --help' for usage.\n";
  const Row rows[] = {
      // Outputs the user names.
      {.name = "-o through a link: its target is replaced, keeping its mode; the link stays",
       .program = "kernova",
       .inputs = {{"mine.sum", "old", "", false, shared}, {"out.sum", std::nullopt, "mine.sum"}},
       .args = {"summarize", "-o", "out.sum", "a.txt"},
       .outputs = {{"mine.sum", cats_summary, "", false, shared}}},
      {.name = "-o through a link to a device: written into, the link stays",
       .program = "kernova",
       .inputs = {{"null", std::nullopt, "/dev/null"}},
       .args = {"summarize", "-o", "null", "a.txt"}},
      {.name = "-o /dev/stdout writes to standard output",
       .program = "kernova",
       .args = {"summarize", "-o", "/dev/stdout", "a.txt"},
       .out = cats_summary},
      {.name = "-o ''",
       .program = "kernova",
       .args = {"summarize", "-o", "", "a.txt"},
       .status = 2,
       .err = "kernova: --output: the name is empty\n" + usage},
      {.name = "--output-dir ''",
       .program = "kernova",
       .args = {"summarize", "--each", "--output-dir", "", "a.txt"},
       .status = 2,
       .err = "kernova: --output-dir: the name is empty\n" + usage,
       .absent = {"a.sum"}},
      {.name = "--help, then --version, to a full device: the statuses 1 and 1",
       .program = "/bin/sh",
       .args = {"-c", "\"$0\" --help > /dev/full; a=$?; \"$0\" --version > /dev/full; exit $((a * 10 + $?))",
                kernova},
       .status = 11,
       .err = "kernova: can not write standard output: No space left on device\n"
              "kernova: can not write standard output: No space left on device\n"},
      // --each: outputs against inputs and each other, before any write.
      {.name = "--each: a summary that is another input",
       .program = "kernova",
       .inputs = {{"report.txt", kCats}, {"report.sum", "mine"}},
       .args = {"summarize", "--each", "report.txt", "report.sum"},
       .status = 2,
       .err = "kernova: report.txt: its summary report.sum would overwrite report.sum\n"},
      {.name = "--each: a JSON summary that is another input",
       .program = "kernova",
       .inputs = {{"data.txt", kCats}, {"data.json", "{}"}},
       .args = {"summarize", "--each", "--format", "json", "data.txt", "data.json"},
       .status = 2,
       .err = "kernova: data.txt: its summary data.json would overwrite data.json\n"},
      {.name = "--each: two inputs, one summary by two paths",
       .program = "kernova",
       .inputs = {{"notes.txt", kCats}, {"notes.md", "Mice hide.\n"}},
       .args = {"summarize", "--each", "notes.txt", "./notes.md"},
       .status = 2,
       .err = "kernova: ./notes.md: its summary ./notes.sum is also the summary of notes.txt\n",
       .absent = {"notes.sum"}},
      {.name = "--each: a summary that links to an input",
       .program = "kernova",
       .inputs = {{"a.sum", std::nullopt, "b.txt"}},
       .args = {"summarize", "--each", "a.txt", "b.txt"},
       .status = 2,
       .err = "kernova: a.txt: its summary a.sum would overwrite b.txt\n"},
      {.name = "--each: a link where the summary goes is replaced, its target untouched",
       .program = "kernova",
       .inputs = {{"mine.txt", "mine"}, {"a.sum", std::nullopt, "mine.txt"}},
       .args = {"summarize", "--each", "a.txt"},
       .outputs = {{"a.sum", cats_summary}}},
      // Sentence files, extracts and the marker.
      {.name = "splitter: a link at NAME.seg is replaced, its target untouched",
       .program = "CLAVER_En",
       .inputs = {{"mine.txt", "mine"}, {"a.txt.seg", std::nullopt, "mine.txt"}},
       .args = {"a.txt"},
       .outputs = {{"a.txt.seg", cats_sentences}}},
      {.name = "splitter: a pipe at NAME.seg is replaced, not waited on",
       .program = "CLAVER_Por",
       .inputs = {{"a.txt.seg", std::nullopt, "", true}},
       .args = {"a.txt"},
       .outputs = {{"a.txt.seg", cats_sentences}}},
      {.name = "splitter: a sentence file replaced keeps its mode",
       .program = "CLAVER_En",
       .inputs = {{"a.txt.seg", "old", "", false, owner_only}},
       .args = {"a.txt"},
       .outputs = {{"a.txt.seg", cats_sentences, "", false, owner_only}}},
      {.name = "summarizer: a link at NAME.seg goes, its target untouched",
       .inputs = {{"mine.txt", "mine"}, {"a.txt.seg", std::nullopt, "mine.txt"}},
       .args = {"a.txt", "0.3"},
       .outputs = summary("a.sum", kBoth),
       .absent = {"a.txt.seg"}},
      {.name = "summarizer: a pipe at NAME.seg",
       .program = "Kernova_Por",
       .inputs = {{"a.txt.seg", std::nullopt, "", true}},
       .args = {"a.txt", "0.3"},
       .outputs = summary("a.sum", kBoth),
       .absent = {"a.txt.seg"}},
      {.name = "a marker that links to the extract",
       .inputs = {{"_ready_.tmp", std::nullopt, "a.sum"}},
       .args = {"a.txt", "0.3"},
       .outputs = summary("a.sum", kBoth)},
      {.name = "a marker that is a pipe",
       .program = "Kernova_Por",
       .inputs = {{"_ready_.tmp", std::nullopt, "", true}},
       .args = {"a.txt", "0.3"},
       .outputs = summary("a.sum", kBoth)},
      {.name = "an extract that links elsewhere",
       .inputs = {{"mine.txt", "mine"}, {"a.sum", std::nullopt, "mine.txt"}},
       .args = {"a.txt", "0.3"},
       .outputs = summary("a.sum", kBoth)},
      {.name = "an extract replaced keeps its mode",
       .inputs = {{"a.sum", "old", "", false, owner_only}},
       .args = {"a.txt", "0.3"},
       .outputs = {{"a.sum", kBoth, "", false, owner_only}, {"_ready_.tmp", ""}}},
      {.name = "started with SIGCHLD ignored",
       .program = "/bin/sh",
       .args = {"-c", "trap '' CHLD; exec \"$0\" a.txt 0.3", program("Kernova_En").string()},
       .outputs = summary("a.sum", kBoth),
       .absent = {"a.txt.seg"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    run_row(row);
  }
  EXPECT_TRUE(fs::is_symlink("/dev/stdout") || !fs::is_regular_file("/dev/stdout"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// Two summarizer runs on one input at once take turns over its sentence
// file: each writes the extract it writes alone. Before they did, about
// two tries in three of this loop went wrong.
TEST(HostileInputTest, RunsOnOneInputTakeTurns) {
  TempDir dir;
  std::string text;
  for (int copy = 0; copy < 2000; ++copy) text += sample("storm.txt") + "Note " + std::to_string(copy) + ".\n";
  write_file(dir / "in.txt", text);
  write_file(dir / "o1.txt", "Cats sleep. Dogs bark.\n");
  write_file(dir / "o2.txt", "Mice hide. Birds sing.\n");
  const std::vector<std::string> first = {"-n2", "in.txt", "o1.txt", "0.9"};
  const std::vector<std::string> second = {"-n2", "in.txt", "o2.txt", "0.5"};
  ASSERT_EQ(run(program("Kernova_En"), first, dir.path()).status, 0);
  ASSERT_EQ(run(program("Kernova_En"), second, dir.path()).status, 0);
  const std::string alone_first = read_file(dir / "multidoc-o1.sum");
  const std::string alone_second = read_file(dir / "multidoc-o2.sum");
  const std::set<std::string> files = files_in(dir.path());
  for (int attempt = 0; attempt < 20; ++attempt) {
    SCOPED_TRACE("attempt " + std::to_string(attempt));
    fs::remove(dir / "multidoc-o1.sum");
    fs::remove(dir / "multidoc-o2.sum");
    RunResult early;
    std::thread runner([&] { early = run(program("Kernova_En"), first, dir.path()); });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const RunResult late = run(program("Kernova_En"), second, dir.path());
    runner.join();
    ASSERT_EQ(early.status, 0) << escape(early.out);
    ASSERT_EQ(late.status, 0) << escape(late.out);
    expect_bytes(dir / "multidoc-o1.sum", alone_first);
    expect_bytes(dir / "multidoc-o2.sum", alone_second);
    ASSERT_EQ(files_in(dir.path()), files);  // no sentence file, no lock file
  }
}

// SIGINT, SIGTERM or SIGHUP while the sentence file is being written: the
// run removes what it made, ends its splitter and exits with 128 + the
// signal; nothing appears afterwards either.
TEST(HostileInputTest, ASignalLeavesNothing) {
  TempDir dir;
  std::string text;
  while (text.size() < (40 << 20)) text += sample("storm.txt");
  write_file(dir / "big.txt", text);
  struct Case {
    std::string program;
    std::vector<std::string> args;
    int signal_number;
  };
  const Case cases[] = {
      {"CLAVER_En", {"big.txt"}, SIGTERM},
      {"Kernova_En", {"big.txt", "0.5"}, SIGINT},
      {"Kernova_Por", {"-n2", "big.txt", "big.txt", "0.5"}, SIGHUP},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    std::vector<std::string> storage = {program(c.program).string()};
    storage.insert(storage.end(), c.args.begin(), c.args.end());
    std::vector<char*> argv;
    for (std::string& arg : storage) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // Started with the three signals at their defaults, as from a shell.
      for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal_number, SIG_DFL);
      if (::chdir(dir.path().c_str()) != 0) ::_exit(126);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    // Waits for the sentence file's new file to appear, then sends the signal.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (files_in(dir.path()).size() < 2 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(pid, c.signal_number);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 128 + c.signal_number);
    EXPECT_EQ(files_in(dir.path()), (std::set<std::string>{"big.txt"}));
    // A splitter left running would still write its sentence file.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(files_in(dir.path()), (std::set<std::string>{"big.txt"}));
  }
}

// No thread can be started (a process limit, as in containers): the work
// goes on in the calling thread and gives the same outputs. Root is not
// held to the limit, so the runs are made as the user nobody.
TEST(HostileInputTest, NoThreadToBeHad) {
  if (::geteuid() != 0 || !fs::exists("/usr/bin/setpriv") || !fs::exists("/bin/bash")) {
    GTEST_SKIP() << "needs root, setpriv and bash";
  }
  TempDir dir;
  fs::permissions(dir.path(), fs::perms::all);
  std::string text;
  while (text.size() < (2 << 20)) text += sample("storm.txt");  // split by two threads when it can
  write_file(dir / "big.txt", text);
  write_file(dir / "a.txt", kCats);
  write_file(dir / "b.txt", fixture("mice.txt"));
  const std::string kernova = program("kernova").string();
  const std::vector<std::string> as_nobody = {"--reuid=65534", "--regid=65534", "--clear-groups", "/bin/bash", "-c"};
  auto limited = [&](const std::string& command) {
    std::vector<std::string> args = as_nobody;
    // The leak checker of a sanitizer build needs a thread of its own.
    args.push_back("ulimit -u 1 && ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" exec \"$0\" " +
                   command);
    args.push_back(kernova);
    return run("/usr/bin/setpriv", args, dir.path());
  };
  const RunResult alone = limited("summarize --rate 0.5 big.txt");
  EXPECT_EQ(alone.status, 0) << escape(alone.err);
  EXPECT_TRUE(alone.out == run(program("kernova"), {"summarize", "--rate", "0.5", "big.txt"}, dir.path()).out);
  const RunResult each = limited("summarize --each --jobs 4 a.txt b.txt");
  EXPECT_EQ(each.status, 0) << escape(each.err);
  EXPECT_EQ(read_file(dir / "a.sum"), run(program("kernova"), {"summarize", "a.txt"}, dir.path()).out);
  EXPECT_EQ(read_file(dir / "b.sum"), run(program("kernova"), {"summarize", "b.txt"}, dir.path()).out);
  EXPECT_EQ(files_in(dir.path()), (std::set<std::string>{"a.sum", "a.txt", "b.sum", "b.txt", "big.txt"}));
}

// In a shared sticky folder a sentence file made beforehand by another
// user is not the run's to replace: the run fails as it does for any file
// it cannot create, and no byte of the text goes into the other user's file.
TEST(HostileInputTest, AnotherUsersFileInASharedFolder) {
  if (::geteuid() != 0 || !fs::exists("/usr/bin/setpriv")) GTEST_SKIP() << "needs root and setpriv";
  TempDir dir;
  fs::permissions(dir.path(), fs::perms::all | fs::perms::sticky_bit);
  write_file(dir / "a.txt", kCats);
  write_file(dir / "a.txt.seg", "another user's\n");
  using fs::perms;
  fs::permissions(dir / "a.txt.seg", perms::owner_read | perms::owner_write | perms::group_read |
                                         perms::group_write | perms::others_read | perms::others_write);
  ASSERT_EQ(::chown((dir / "a.txt.seg").c_str(), 1234, 1234), 0);
  for (const std::string name : {"CLAVER_En", "Kernova_En"}) {
    SCOPED_TRACE(name);
    const RunResult result =
        run("/usr/bin/setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "/bin/sh", "-c",
                                 "umask 077; exec \"$0\" a.txt 0.3", program(name).string()},
            dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, name == "CLAVER_En" ? "\tERROR: can not create file a.txt.seg\n"
                                              : "\tERROR: can not create file a.txt.seg\n"
                                                "\tERROR: can not open a.txt.seg\n");
    EXPECT_EQ(read_file(dir / "a.txt.seg"), "another user's\n");
    EXPECT_EQ(files_in(dir.path()), (std::set<std::string>{"a.txt", "a.txt.seg"}));
  }
}

// A sentence file name that is a link to the input: the input must survive.
TEST(HostileInputTest, SentenceFileThatLinksToTheInput) {
  struct Case {
    const char* name;
    std::string program;
    bool hard_link;
    std::string out;
  };
  const Case cases[] = {
      {"symbolic link, splitter", "CLAVER_En", false,
       "\tERROR: sentence file a.txt.seg would overwrite its input\n"},
      {"hard link, splitter", "CLAVER_Por", true,
       "\tERROR: sentence file a.txt.seg would overwrite its input\n"},
      {"symbolic link, summarizer", "Kernova_En", false,
       "\tERROR: sentence file a.txt.seg would overwrite an input\n"},
      {"hard link, summarizer", "Kernova_Por", true,
       "\tERROR: sentence file a.txt.seg would overwrite an input\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_file(dir / "a.txt", kCats);
    if (c.hard_link) {
      fs::create_hard_link(dir / "a.txt", dir / "a.txt.seg");
    } else {
      fs::create_symlink("a.txt", dir / "a.txt.seg");
    }
    std::vector<std::string> args = {"a.txt"};
    if (c.program.starts_with("Kernova")) args.push_back("0.3");
    const RunResult result = run(program(c.program), args, dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(escape(result.out), escape(c.out));
    EXPECT_EQ(read_file(dir / "a.txt"), kCats);
    EXPECT_EQ(files_in(dir.path()), (std::set<std::string>{"a.txt", "a.txt.seg"}));
  }
}

// The random bytes' extract is made of their own sentences, in order.
TEST(HostileInputTest, RandomBytesGiveAnExtractOfTheirSentences) {
  TempDir dir;
  write_file(dir / "r.bin", random_bytes(256 << 10, 6));
  ASSERT_EQ(run(program("CLAVER_En"), {"r.bin"}, dir.path()).status, 0);
  const std::string sentences = read_file(dir / "r.bin.seg");
  ASSERT_EQ(run(program("Kernova_En"), {"r.bin", "0.9"}, dir.path()).status, 0);
  const std::string extract = read_file(dir / "r.sum");
  ASSERT_FALSE(extract.empty());
  // Each extract line is a whole sentence line, found after the previous.
  std::size_t from = 0;
  std::size_t lines = 0;
  for (std::size_t start = 0; start < extract.size(); ++lines) {
    const std::size_t end = extract.find('\n', start);
    ASSERT_NE(end, std::string::npos);
    const std::string wanted = extract.substr(start, end - start + 1);
    std::size_t at = from;
    while (at != std::string::npos) {
      at = sentences.find(wanted, at);
      if (at == std::string::npos || at == 0 || sentences[at - 1] == '\n') break;
      ++at;
    }
    ASSERT_NE(at, std::string::npos) << "extract line " << lines << " is no sentence";
    from = at + wanted.size();
    start = end + 1;
  }
  EXPECT_GT(lines, 0u);
}

TEST(HostileInputTest, StemCommand) {
  const std::string word(1 << 20, 'w');
  const std::string binary_line = [] {
    std::string bytes = random_bytes(64 << 10, 7);
    for (char& c : bytes) {
      if (c == '\n' || c == '\r') c = 'x';
    }
    return bytes;
  }();
  const std::string nuls(100, '\0');
  const std::string latin = "A\xc7\xc3O" + std::string(300000, '\xe7') + "\xe3o";
  const Row rows[] = {
      {.name = "a word of 1 MB",
       .program = "kernova",
       .args = {"stem", "--lang", "en"},
       .stdin_bytes = word + "s\n",
       .out = english_stemmer::stem_word(word + "s") + "\n"},
      {.name = "a word of 1 MB, Portuguese",
       .program = "kernova",
       .args = {"stem", "--lang", "pt"},
       .stdin_bytes = word + "s\n",
       .out = portuguese_stemmer::stem_word(word + "s") + "\n"},
      {.name = "accented letters that each take three bytes when encoded",
       .program = "kernova",
       .args = {"stem", "--lang", "pt"},
       .stdin_bytes = latin + "\n",
       .out = portuguese_stemmer::stem_word(latin) + "\n"},
      {.name = "random bytes on one line",
       .program = "kernova",
       .args = {"stem", "--lang", "en"},
       .stdin_bytes = binary_line,
       .out = english_stemmer::stem_word(binary_line) + "\n"},
      {.name = "random bytes on one line, Portuguese",
       .program = "kernova",
       .args = {"stem", "--lang", "pt"},
       .stdin_bytes = binary_line,
       .out = portuguese_stemmer::stem_word(binary_line) + "\n"},
      {.name = "NUL bytes",
       .program = "kernova",
       .args = {"stem", "--lang", "pt"},
       .stdin_bytes = nuls + "\n" + nuls,
       .out = portuguese_stemmer::stem_word(nuls) + "\n" + portuguese_stemmer::stem_word(nuls) + "\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    run_row(row);
  }
}

}  // namespace
}  // namespace kernova::testing
