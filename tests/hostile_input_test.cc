// Bad and odd command lines and files through the real programs, each in a
// fresh folder: the message, the exit status, the files the run leaves and
// those it must not leave. An input that cannot be summarized gets one
// message and status 1; an odd but valid one gets a normal run; no input
// is lost or changed, no file is left half-written and no name is ever run
// as a command.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
#include <string>
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
struct File {
  std::string name;
  std::optional<std::string> bytes;
};

struct Row {
  const char* name = "";
  std::string program = "Kernova_En";
  std::vector<File> inputs = {};  // besides a.txt (cats) and b.txt (mice)
  std::vector<std::string> args = {};
  std::string stdin_bytes = "";
  int status = 0;
  std::string out = "";                  // standard output; standard error must stay empty
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
  write_file(dir / file.name, *file.bytes);
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
    add_with_folders(input.name, expected);
  }
  const RunResult result = run(program(row.program), row.args, dir.path(), row.stdin_bytes);
  EXPECT_EQ(result.status, row.status);
  EXPECT_EQ(escape(result.out), escape(row.out));
  EXPECT_EQ(escape(result.err), "");
  for (const File& output : row.outputs) {
    add_with_folders(output.name, expected);
    if (!output.bytes) {
      EXPECT_TRUE(fs::exists(dir / output.name)) << escape(output.name);
    } else if (!output.name.ends_with('/')) {
      expect_bytes(dir / output.name, *output.bytes);
    }
  }
  // Nothing else appeared, nothing went, and every input is unchanged.
  std::set<std::string> names;
  for (const std::string& name : files_in(dir.path())) names.insert(shown(name));
  std::set<std::string> expected_names;
  for (const std::string& name : expected) expected_names.insert(shown(name));
  EXPECT_EQ(names, expected_names);
  for (const File& input : inputs) {
    if (input.bytes) expect_bytes(dir / input.name, *input.bytes);
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
