// `kernova split` run for real: the splitter programs' sentence files for
// ISO 8859-1 text, UTF-8 text split as its ISO 8859-1 form, --unwrap, and
// failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/test_util.h"

namespace kernova::testing {
namespace {

namespace fs = std::filesystem;

RunResult split(const std::vector<std::string>& options, const fs::path& dir, const std::string& input = "") {
  std::vector<std::string> args = {"split"};
  args.insert(args.end(), options.begin(), options.end());
  return run(program("kernova"), args, dir, input);
}

TEST(KernovaSplitTest, SameSentenceFileAsTheSplitterPrograms) {
  struct Case {
    std::string name;
    std::string splitter;
    std::string lang;
    std::string text;
  } cases[] = {
      {"storm", "CLAVER_En", "en", sample("storm.txt")},
      {"ferry", "CLAVER_En", "en", sample("ferry.txt")},
      {"frio", "CLAVER_Por", "pt", sample("frio.txt")},
      {"rules", "CLAVER_En", "en",
       "Dr. Smith came at 5.30 p.m. on Monday!  \"Was it late?\" she asked. Then (quietly. softly) he left.."
       " Nobody saw him\tagain.\r\nMail a.b@example.org or see www.example.org/x. It is 3.5 km. \"Go.\"He went.\n"
       "\n   \n\r\rLast line, then blanks.   \n   "},
      {"portuguese abbreviations", "CLAVER_Por", "pt", "A Sra. Campos e o Dr. Lima chegaram. O Prof. saiu.\r\n"},
      {"english abbreviations in Portuguese", "CLAVER_Por", "pt", "Mr. Tobin came. Ms. Pell left.\n"},
      {"crlf and lone cr", "CLAVER_En", "en", "One.\r\nTwo\rthree.\r\n\r\nFour\r"},
      {"empty", "CLAVER_En", "en", ""},
      {"only blanks", "CLAVER_En", "en", "  \t "},
      {"high bytes", "CLAVER_En", "en", "Caf\xE9 \x80\x81\xFF. Na\xEFve!\x00Ok.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    write_file(dir / "text.txt", c.text);
    const RunResult reference = run(program(c.splitter), {"text.txt"}, dir.path());
    ASSERT_EQ(reference.status, 0);
    const std::string expected = read_file(dir / "text.txt.seg");
    const RunResult from_file = split({"--lang", c.lang, "text.txt"}, dir.path());
    EXPECT_EQ(from_file.status, 0);
    EXPECT_EQ(from_file.err, "");
    EXPECT_EQ(escape(from_file.out), escape(expected));
    const RunResult from_input = split({"--lang", c.lang, "--encoding", "latin1"}, dir.path(), c.text);
    EXPECT_EQ(escape(from_input.out), escape(expected));
    EXPECT_EQ(split({"--lang", c.lang, "-"}, dir.path(), c.text).out, from_input.out);
  }
}

// The sentences of a UTF-8 text, with characters beyond ISO 8859-1 that no
// rule looks at: curly quotes do not open a quotation, a dash does not end
// a sentence.
TEST(KernovaSplitTest, Utf8) {
  const std::string open = "\xE2\x80\x9C";
  const std::string close = "\xE2\x80\x9D";
  const std::string dash = "\xE2\x80\x94";
  const std::string grin = "\xF0\x9F\x98\x80";
  struct Case {
    std::string text;
    std::string sentences;
  } cases[] = {
      {open + "Is it late?" + close + " she asked. " + grin + " Fine.",
       open + "Is it late?\n" + close + " she asked.\n" + grin + " Fine.\n"},
      {"\"Is it late?\" she asked" + dash + "twice. Dr. Caf\xC3\xA9 \xC3\xA0s 5.30 h." + grin + "\r\nNext",
       "\"Is it late?\" she asked" + dash + "twice.\nDr. Caf\xC3\xA9 \xC3\xA0s 5.30 h.\n" + grin + "\nNext\n"},
      {"\xEF\xBB\xBFTitle\n\n  " + grin + grin + " ok.  ", "\xEF\xBB\xBFTitle\n" + grin + grin + " ok.\n\n"},  // blanks at the end: an empty line
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(escape(c.text));
    const RunResult result = split({}, dir.path(), c.text);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(escape(result.out), escape(c.sentences));
    EXPECT_EQ(split({"--encoding", "utf8"}, dir.path(), c.text).out, result.out);
  }
}

TEST(KernovaSplitTest, Unwrap) {
  TempDir dir;
  const std::string text = "The storm hit the\ntown at noon. It\r\nended late.\n\nA new\n  paragraph.\n";
  EXPECT_EQ(split({"--unwrap"}, dir.path(), text).out,
            "The storm hit the town at noon.\nIt ended late.\nA new   paragraph.\n");
  EXPECT_EQ(split({}, dir.path(), text).out, "The storm hit the\ntown at noon.\nIt\nended late.\nA new\nparagraph.\n");
}

TEST(KernovaSplitTest, Failures) {
  TempDir dir;
  fs::create_directory(dir / "folder");
  const std::string hint = "Run 'kernova split --help' for usage.\n";
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"a.txt", "b.txt"}, 2, "kernova: The following argument was not expected: b.txt\n" + hint},
      {{"--lang", "de"}, 2, "kernova: unknown language 'de' (known: en, pt)\n" + hint},
      {{"--encoding", "ascii"}, 2, "kernova: unknown encoding 'ascii' (known: auto, latin1, utf8)\n" + hint},
      {{"missing.txt"}, 1, "kernova: can not open missing.txt: No such file or directory\n"},
      {{"folder"}, 1, "kernova: can not read folder: Is a directory\n"},
      {{"--encoding", "utf8"}, 1, "kernova: standard input: not valid UTF-8 (byte 4)\n"},
  };
  for (const Case& c : cases) {
    std::string row;
    for (const std::string& arg : c.args) row += "[" + arg + "]";
    SCOPED_TRACE(row);
    const RunResult result = split(c.args, dir.path(), "Caf\xE9.\n");
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.err);
  }
  const RunResult help = split({"--help"}, dir.path());
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--unwrap"), std::string::npos);
}

}  // namespace
}  // namespace kernova::testing
