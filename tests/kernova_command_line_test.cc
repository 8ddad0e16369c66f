#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>
#include <vector>

#include "frontend/command_line.h"
#include "tests/test_util.h"

namespace kernova::frontend {
namespace {

using kernova::testing::escape;

// ---------------------------------------------------------------------------
// The parser.

enum class Outcome { kStem, kHelp, kError };

struct ParseCase {
  std::vector<std::string> args;
  Outcome outcome;
  std::vector<std::string> files = {};  // kStem: the files to read
  std::string text = {};                // kHelp: a part of it; kError: the whole message
};

TEST(KernovaCommandLineTest, Table) {
  const ParseCase cases[] = {
      // Commands.
      {{"stem", "--lang", "en"}, Outcome::kStem},
      {{"stem", "--lang=en", "a.txt", "b.txt"}, Outcome::kStem, {"a.txt", "b.txt"}},
      {{"stem", "a.txt", "--lang", "en", "b.txt"}, Outcome::kStem, {"a.txt", "b.txt"}},
      {{"stem", "--lang", "en", "--", "-odd-name"}, Outcome::kStem, {"-odd-name"}},
      // Help, for the program and for the command.
      {{"--help"}, Outcome::kHelp, {}, "stem"},
      {{"-h"}, Outcome::kHelp, {}, "Usage: kernova"},
      {{"stem", "--help"}, Outcome::kHelp, {}, "--lang CODE"},
      {{"stem", "--lang", "pt", "--help"}, Outcome::kHelp, {}, "Usage: kernova stem"},
      // No command, or not a known one.
      {{}, Outcome::kError, {}, "kernova: no command given\nRun 'kernova --help' for usage.\n"},
      {{"splat"},
       Outcome::kError,
       {},
       "kernova: unknown command 'splat' (commands: stem, split, summarize, eval)\nRun 'kernova --help' for usage.\n"},
      {{"--bogus"},
       Outcome::kError,
       {},
       "kernova: unknown option '--bogus'\nRun 'kernova --help' for usage.\n"},
      // Options of the command.
      {{"stem"}, Outcome::kError, {}, "kernova: --lang is required\nRun 'kernova stem --help' for usage.\n"},
      {{"stem", "--lang"},
       Outcome::kError,
       {},
       "kernova: --lang: 1 required CODE missing\nRun 'kernova stem --help' for usage.\n"},
      {{"stem", "--lang", "en", "--bogus"},
       Outcome::kError,
       {},
       "kernova: The following argument was not expected: --bogus\nRun 'kernova stem --help' for usage.\n"},
      {{"stem", "--lang", "en", "--lang", "en"},
       Outcome::kError,
       {},
       "kernova: --lang: At Most 1 required but received 2\nRun 'kernova stem --help' for usage.\n"},
      // Languages: codes are exact.
      {{"stem", "--lang", "fr"},
       Outcome::kError,
       {},
       "kernova: unknown language 'fr' (known: en, pt)\nRun 'kernova stem --help' for usage.\n"},
      {{"stem", "--lang", "EN"},
       Outcome::kError,
       {},
       "kernova: unknown language 'EN' (known: en, pt)\nRun 'kernova stem --help' for usage.\n"},
  };
  for (const ParseCase& c : cases) {
    std::string row;
    for (const std::string& arg : c.args) row += "[" + arg + "]";
    SCOPED_TRACE(row);
    const Invocation invocation = parse_command_line(c.args);
    switch (c.outcome) {
      case Outcome::kStem: {
        ASSERT_TRUE(std::holds_alternative<Command>(invocation));
        const auto& options = std::get<StemOptions>(std::get<Command>(invocation));
        EXPECT_EQ(options.language, api::Language::kEnglish);
        EXPECT_EQ(options.files, c.files);
        break;
      }
      case Outcome::kHelp:
        ASSERT_TRUE(std::holds_alternative<HelpRequest>(invocation));
        EXPECT_NE(std::get<HelpRequest>(invocation).text.find(c.text), std::string::npos)
            << std::get<HelpRequest>(invocation).text;
        break;
      case Outcome::kError:
        ASSERT_TRUE(std::holds_alternative<UsageError>(invocation));
        EXPECT_EQ(std::get<UsageError>(invocation).message, c.text);
        break;
    }
  }
}

// The help of the program lists the commands; the help of a command lists
// its options and the languages. Both end with exactly one line end.
TEST(KernovaCommandLineTest, HelpTexts) {
  const std::vector<std::string> program_help = {"--help"};
  const std::vector<std::string> stem_help = {"stem", "--help"};
  std::string program_text = std::get<HelpRequest>(parse_command_line(program_help)).text;
  std::string stem_text = std::get<HelpRequest>(parse_command_line(stem_help)).text;
  EXPECT_NE(program_text.find("stem"), std::string::npos);
  EXPECT_EQ(program_text.find("--lang"), std::string::npos);
  EXPECT_NE(stem_text.find("Language of the words: en, pt"), std::string::npos);
  for (const std::string& text : {program_text, stem_text}) {
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_NE(text[text.size() - 2], '\n') << escape(text);
  }
}

// Every code in the library's table is accepted, and only those.
TEST(KernovaCommandLineTest, LanguagesByExactCode) {
  std::set<std::string_view> codes;
  for (const api::LanguageInfo& language : api::languages()) {
    const std::vector<std::string> args = {"stem", "--lang", std::string(language.code)};
    const Invocation invocation = parse_command_line(args);
    ASSERT_TRUE(std::holds_alternative<Command>(invocation)) << language.code;
    EXPECT_EQ(std::get<StemOptions>(std::get<Command>(invocation)).language, language.language);
    codes.insert(language.code);
  }
  EXPECT_EQ(codes, (std::set<std::string_view>{"en", "pt"}));
  for (const std::string code : {"En", ""}) {
    const std::vector<std::string> args = {"stem", "--lang", code};
    EXPECT_TRUE(std::holds_alternative<UsageError>(parse_command_line(args))) << code;
  }
}

TEST(KernovaCommandLineTest, PortugueseChoosesThePortugueseStemmer) {
  const std::vector<std::string> args = {"stem", "--lang", "pt", "palavras.txt"};
  const Invocation invocation = parse_command_line(args);
  ASSERT_TRUE(std::holds_alternative<Command>(invocation));
  const auto& options = std::get<StemOptions>(std::get<Command>(invocation));
  EXPECT_EQ(options.language, api::Language::kPortuguese);
  EXPECT_EQ(options.files, std::vector<std::string>{"palavras.txt"});
}

// ---------------------------------------------------------------------------
// Option values.

TEST(KernovaCommandLineValuesTest, Shares) {
  struct Case {
    std::string text;
    std::optional<std::pair<std::uint64_t, std::uint64_t>> share;
  } cases[] = {
      {"0.25", std::pair<std::uint64_t, std::uint64_t>{25, 100}},
      {".5", std::pair<std::uint64_t, std::uint64_t>{5, 10}},
      {"1", std::pair<std::uint64_t, std::uint64_t>{1, 1}},
      {"1.000", std::pair<std::uint64_t, std::uint64_t>{1, 1}},
      {"00.29", std::pair<std::uint64_t, std::uint64_t>{29, 100}},
      {"0.123456789012345678000", std::pair<std::uint64_t, std::uint64_t>{123456789012345678, 1000000000000000000}},
      {"0.1234567890123456789", std::nullopt},  // more than 18 decimals that count
      {"0", std::nullopt},
      {"0.000", std::nullopt},
      {"1.01", std::nullopt},
      {"2", std::nullopt},
      {"10", std::nullopt},
      {"-0.5", std::nullopt},
      {"+0.5", std::nullopt},
      {"0.5.", std::nullopt},
      {"1e-1", std::nullopt},
      {".", std::nullopt},
      {"", std::nullopt},
      {"half", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<api::Share> share = parse_share(c.text);
    ASSERT_EQ(share.has_value(), c.share.has_value());
    if (share) {
      EXPECT_EQ(share->numerator, c.share->first);
      EXPECT_EQ(share->denominator, c.share->second);
    }
  }
}

TEST(KernovaCommandLineValuesTest, Rates) {
  struct Case {
    std::string text;
    std::optional<float> rate;
  } cases[] = {
      {"0.3", 0.3f}, {"+0.3", 0.3f}, {"-1", -1.0f}, {"20", 20.0f}, {"1e2", 100.0f},
      {"0.1000000000000000055511151231257827", 0.1f},
      {"0.3x", std::nullopt}, {"", std::nullopt}, {"x", std::nullopt}, {" 0.3", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parse_rate(c.text), c.rate);
  }
}

}  // namespace
}  // namespace kernova::frontend
