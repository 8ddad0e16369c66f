#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "english_stemmer/english_stemmer.h"
#include "frontend/stem_command.h"
#include "portuguese_stemmer/portuguese_stemmer.h"
#include "tests/test_util.h"

namespace kernova::frontend {
namespace {

using kernova::testing::escape;
using kernova::testing::program;
using kernova::testing::run;
using kernova::testing::RunResult;
using kernova::testing::TempDir;
using kernova::testing::write_file;

constexpr std::string_view kEAcute = "\351";           // é
constexpr std::string_view kIDiaeresis = "\357";       // ï
constexpr std::string_view kCapitalCCedilla = "\307";  // Ç
constexpr std::string_view kYDiaeresis = "\377";       // ÿ

// ---------------------------------------------------------------------------
// Lines to stems.

// Shows exactly which bytes were handed over as one word.
void bracket(std::string_view word, api::Language, std::string& out) {
  out.assign(1, '[');
  out += word;
  out += ']';
}

TEST(KernovaLineStemmerTest, HandsOverEachLineWhole) {
  struct Case {
    std::vector<std::string> pieces;
    std::string out;
  } cases[] = {
      {{"a\nb\n"}, "[a]\n[b]\n"},
      {{"a\nb"}, "[a]\n[b]\n"},
      {{"a\r\nb\r\n"}, "[a]\n[b]\n"},
      // A CR LF pair split between two pieces.
      {{"a\r", "\nb"}, "[a]\n[b]\n"},
      {{"a", "b\n", "", "c"}, "[ab]\n[c]\n"},
      {{"\n\n"}, "[]\n[]\n"},
      {{"\r\n"}, "[]\n"},
      {{""}, ""},
      {{}, ""},
      // Only the CR right before the LF belongs to the line end.
      {{"a\rb\n"}, "[a\rb]\n"},
      {{"a\r\r\n"}, "[a\r]\n"},
      {{"x\n\r"}, "[x]\n[\r]\n"},
      // Any byte is part of the word, NUL and Latin-1 included.
      {{std::string("na\0ve\n", 6), "caf" + std::string(kEAcute) + " au lait\n"},
       std::string("[na\0ve]\n", 8) + "[caf" + std::string(kEAcute) + " au lait]\n"},
  };
  for (const Case& c : cases) {
    std::string all;
    for (const std::string& piece : c.pieces) all += piece + "|";
    SCOPED_TRACE(escape(all));
    LineStemmer stemmer(api::Language::kEnglish, &bracket);
    std::string out;
    for (const std::string& piece : c.pieces) stemmer.feed(piece, out);
    stemmer.finish(out);
    EXPECT_EQ(escape(out), escape(c.out));
  }
}

// After `finish` a new input starts: its first line does not join the last
// line of the one before.
TEST(KernovaLineStemmerTest, FinishStartsANewInput) {
  LineStemmer stemmer(api::Language::kEnglish, &bracket);
  std::string out;
  stemmer.feed("one\ntwo", out);
  stemmer.finish(out);
  stemmer.feed("three", out);
  stemmer.finish(out);
  stemmer.finish(out);
  EXPECT_EQ(out, "[one]\n[two]\n[three]\n");
}

// ---------------------------------------------------------------------------
// The program.

// What the library's entry makes of each line, one stem per line.
std::string expected_stems(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += english_stemmer::stem_word(line) + "\n";
  return out;
}

TEST(KernovaStemProgramTest, StemsStandardInput) {
  TempDir dir;
  const std::string input =
      "CONNECTIONS\nCats\ne-mail\n2001\n\nna" + std::string(kIDiaeresis) + "ve\nas\nhopping";
  RunResult result = run(program("kernova"), {"stem", "--lang", "en"}, dir.path(), input);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "connect\ncat\nmail\n2001\n\nve\nas\nhop\n");
  EXPECT_EQ(result.err, "");
}

TEST(KernovaStemProgramTest, EmptyInputGivesNoOutput) {
  TempDir dir;
  RunResult result = run(program("kernova"), {"stem", "--lang", "en"}, dir.path(), "");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
}

TEST(KernovaStemProgramTest, StemsPortugueseWords) {
  TempDir dir;
  // ISO 8859-1: organiza\347\365es, A\307\303O, \351, p\364de, falar\355amos.
  const std::string input = "organiza\347\365es\nA\307\303O\r\n\351\np\364de\nfalar\355amos\nlivros\n";
  RunResult result = run(program("kernova"), {"stem", "--lang", "pt"}, dir.path(), input);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(escape(result.out), escape("organiz\na\347\343\nser\npod\nfal\nlivr\n"));
}

// Named files are read in order, each to its end, and standard input is
// left alone. Nothing is written into the working folder.
TEST(KernovaStemProgramTest, StemsNamedFilesInOrder) {
  TempDir dir;
  write_file(dir / "a.txt", "hopping\r\nrelational");
  write_file(dir / "b.txt", "Cats\r\nPONIES\r\n");
  RunResult result =
      run(program("kernova"), {"stem", "a.txt", "--lang", "en", "b.txt", "a.txt"}, dir.path(), "ignored\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "hop\nrelat\ncat\nponi\nhop\nrelat\n");
  EXPECT_EQ(result.err, "");
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::set<std::string>{"a.txt", "b.txt"}));
}

// Each line reaches the stemming entry whole, whatever its bytes, and
// comes back byte for byte as the entry gives it; CR LF ends a line.
TEST(KernovaStemProgramTest, MatchesTheEntryByteForByte) {
  std::vector<std::string> lines = {
      std::string(kCapitalCCedilla) + "\303O",
      "caf" + std::string(kEAcute),
      std::string(kYDiaeresis) + "\376\200",
      "generalizations2001",
      "two words here",
      "\tGENERALIZATIONS\t",
      "\r",
      "",
      std::string(260, 'y') + "ness",
      "HOPPING" + std::string(300, '-'),
  };
  // Every byte value but the line end, 16 to a line.
  for (int first = 0; first < 256; first += 16) {
    std::string line;
    for (int c = first; c < first + 16; ++c) {
      if (c != '\n') line += static_cast<char>(c);
    }
    lines.push_back(line);
  }
  std::string input;
  for (const std::string& line : lines) input += line + "\r\n";

  TempDir dir;
  RunResult result = run(program("kernova"), {"stem", "--lang", "en"}, dir.path(), input);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  // "\r" + CR LF is a line holding one CR; the empty line stays a line.
  EXPECT_EQ(escape(result.out), escape(expected_stems(lines)));
  EXPECT_EQ(escape(result.out.substr(0, 10)), escape("o\ncaf\n\377\376\200\n"));
}

// More output than one block, from more input than one read.
TEST(KernovaStemProgramTest, LongInput) {
  const std::string words[] = {"generalizations", "Cats", "e-mail", "2001", "HOPPING", "archaeology"};
  std::vector<std::string> lines;
  for (int n = 0; n < 60000; ++n) lines.push_back(words[n % std::size(words)] + std::string(n % 7, 'S'));
  std::string input;
  for (const std::string& line : lines) input += line + "\n";
  ASSERT_GT(input.size(), 4u << 16);

  TempDir dir;
  RunResult result = run(program("kernova"), {"stem", "--lang", "en"}, dir.path(), input);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(result.out == expected_stems(lines)) << "output of " << result.out.size() << " bytes differs";
}

TEST(KernovaStemProgramTest, Failures) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  write_file(dir / "a.txt", "Cats\n");
  // A bad command line ends with status 2, a failure while running with 1.
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;  // stems written before the failure
    std::string err;
  } cases[] = {
      {{"stem", "--lang", "fr"},
       2,
       "",
       "kernova: unknown language 'fr' (known: en, pt)\nRun 'kernova stem --help' for usage.\n"},
      {{"stem", "--lang", "en", "--bogus"},
       2,
       "",
       "kernova: The following argument was not expected: --bogus\nRun 'kernova stem --help' for usage.\n"},
      {{}, 2, "", "kernova: no command given\nRun 'kernova --help' for usage.\n"},
      {{"stem", "--lang", "en", "missing.txt"},
       1,
       "",
       "kernova: can not open missing.txt: No such file or directory\n"},
      // The run ends at the first file that fails; earlier stems stay.
      {{"stem", "--lang", "en", "a.txt", "missing.txt", "a.txt"},
       1,
       "cat\n",
       "kernova: can not open missing.txt: No such file or directory\n"},
      {{"stem", "--lang", "en", "folder"}, 1, "", "kernova: can not read folder: Is a directory\n"},
  };
  for (const Case& c : cases) {
    std::string row;
    for (const std::string& arg : c.args) row += "[" + arg + "]";
    SCOPED_TRACE(row);
    RunResult result = run(program("kernova"), c.args, dir.path(), "Cats\n");
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
  }
}

TEST(KernovaStemProgramTest, Help) {
  TempDir dir;
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, {"stem", "--help"}}) {
    SCOPED_TRACE(args.size());
    RunResult result = run(program("kernova"), args, dir.path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::get<HelpRequest>(parse_command_line(args)).text);
    EXPECT_EQ(result.err, "");
  }
}

}  // namespace
}  // namespace kernova::frontend
