// `kernova eval` and `kernova summarize --method`: their command lines, and
// eval run for real over files and folders in every format.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <variant>
#include <vector>

#include "frontend/command_line.h"
#include "tests/test_util.h"

namespace kernova::frontend {
namespace {

using kernova::testing::program;
using kernova::testing::run;
using kernova::testing::RunResult;
using kernova::testing::TempDir;
using kernova::testing::write_file;

std::string row_of(const std::vector<std::string>& args) {
  std::string row;
  for (const std::string& arg : args) row += "[" + arg + "]";
  return row;
}

TEST(KernovaEvalCommandLineTest, Table) {
  struct Case {
    std::vector<std::string> args;
    std::string error;  // empty: the command parses
  };
  const Case cases[] = {
      {{"eval", "c.txt", "r.txt"}, ""},
      {{"eval", "--stem", "--lang", "pt", "--words", "30", "--format", "tsv", "c", "r"}, ""},
      {{"eval", "c.txt"}, "kernova: reference is required\nRun 'kernova eval --help' for usage.\n"},
      {{"eval", "--words", "-3", "c", "r"},
       "kernova: --words: '-3' is not a number of words\nRun 'kernova eval --help' for usage.\n"},
      {{"eval", "--lang", "fr", "c", "r"},
       "kernova: unknown language 'fr' (known: en, pt)\nRun 'kernova eval --help' for usage.\n"},
      {{"eval", "--format", "xml", "c", "r"},
       "kernova: unknown format 'xml' (known: text, json, tsv)\nRun 'kernova eval --help' for usage.\n"},
      {{"summarize", "--method", "centroid", "a.txt"}, ""},
      {{"summarize", "--method", "best", "--words", "40", "a.txt"}, ""},
      {{"summarize", "--method", "textrank"},
       "kernova: unknown method 'textrank' (known: classic, centroid, best)\n"
       "Run 'kernova summarize --help' for usage.\n"},
      {{"summarize", "--method", "centroid", "--condense"},
       "kernova: --condense and --average belong to the classic method\n"
       "Run 'kernova summarize --help' for usage.\n"},
      {{"summarize", "--method", "best", "--average"},
       "kernova: --condense and --average belong to the classic method\n"
       "Run 'kernova summarize --help' for usage.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(row_of(c.args));
    const Invocation invocation = parse_command_line(c.args);
    if (!c.error.empty()) {
      ASSERT_TRUE(std::holds_alternative<UsageError>(invocation));
      EXPECT_EQ(std::get<UsageError>(invocation).message, c.error);
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<Command>(invocation));
    const Command& command = std::get<Command>(invocation);
    if (c.args[0] == "summarize") {
      // The method given, and best is centroid.
      EXPECT_EQ(std::get<SummarizeOptions>(command).summary.method, api::Method::kCentroid);
      continue;
    }
    const EvalOptions& options = std::get<EvalOptions>(command);
    if (c.args.size() == 3) {
      EXPECT_EQ(options.candidate, "c.txt");
      EXPECT_EQ(options.reference, "r.txt");
      EXPECT_FALSE(options.stem.has_value());
      EXPECT_FALSE(options.words.has_value());
      EXPECT_EQ(options.format, OutputFormat::kText);
    } else {
      EXPECT_EQ(options.stem, api::Language::kPortuguese);
      EXPECT_EQ(options.words, 30u);
      EXPECT_EQ(options.format, OutputFormat::kTsv);
    }
  }
  // The classic method stays the default.
  const Invocation plain = parse_command_line(std::vector<std::string>{"summarize", "a.txt"});
  EXPECT_EQ(std::get<SummarizeOptions>(std::get<Command>(plain)).summary.method, api::Method::kClassic);
}

class KernovaEvalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Two pairs: "one" is the worked case of the ROUGE tests (5/6, 3/5,
    // 5/6); in "two" the candidate shares nothing. An extra candidate
    // without a reference is ignored.
    std::filesystem::create_directories(dir_ / "cand");
    std::filesystem::create_directories(dir_ / "ref");
    write_file(dir_ / "cand/one", "The cat sat on the mat.\n");
    write_file(dir_ / "ref/one", "The cat was on the mat!\n");
    write_file(dir_ / "cand/two", "Nothing here.\n");
    write_file(dir_ / "ref/two", "Completely different words\n");
    write_file(dir_ / "cand/extra", "unpaired\n");
  }
  RunResult kernova(std::vector<std::string> args) {
    args.insert(args.begin(), "eval");
    return run(program("kernova"), args, dir_.path());
  }
  TempDir dir_;
};

TEST_F(KernovaEvalTest, FilesAndFoldersInEveryFormat) {
  RunResult result = kernova({"cand/one", "ref/one"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "name         R1-R   R1-P   R1-F    R2-R   R2-P   R2-F    RL-R   RL-P   RL-F\n"
            "cand/one     0.8333 0.8333 0.8333  0.6000 0.6000 0.6000  0.8333 0.8333 0.8333\n"
            "average (1)  0.8333 0.8333 0.8333  0.6000 0.6000 0.6000  0.8333 0.8333 0.8333\n");

  // Folders: pairs by name, sorted; the average halves the first pair's
  // figures.
  result = kernova({"--format", "tsv", "cand", "ref"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(
      result.out,
      "name\trouge1_recall\trouge1_precision\trouge1_f\trouge2_recall\trouge2_precision\trouge2_f\t"
      "rougeL_recall\trougeL_precision\trougeL_f\n"
      "one\t0.833333\t0.833333\t0.833333\t0.600000\t0.600000\t0.600000\t0.833333\t0.833333\t0.833333\n"
      "two\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\n"
      "average\t0.416667\t0.416667\t0.416667\t0.300000\t0.300000\t0.300000\t0.416667\t0.416667\t0.416667\n");

  // --words 2 keeps "the cat": recall 2/6, precision 1, F 1/2; one bigram
  // of five, precision 1, F 1/3.
  result = kernova({"--format", "json", "--words", "2", "cand/one", "ref/one"});
  EXPECT_EQ(result.status, 0) << result.err;
  const nlohmann::json json = nlohmann::json::parse(result.out);
  ASSERT_EQ(json["pairs"].size(), 1u);
  EXPECT_EQ(json["pairs"][0]["name"], "cand/one");
  EXPECT_NEAR(json["pairs"][0]["rouge1"]["recall"].get<double>(), 1.0 / 3, 1e-6);
  EXPECT_NEAR(json["pairs"][0]["rouge1"]["f"].get<double>(), 0.5, 1e-6);
  EXPECT_NEAR(json["pairs"][0]["rouge2"]["f"].get<double>(), 1.0 / 3, 1e-6);
  EXPECT_NEAR(json["average"]["rougeL"]["precision"].get<double>(), 1.0, 1e-6);

  // --stem: "cats" meets "cat" only when stemmed.
  write_file(dir_ / "cats", "cats\n");
  write_file(dir_ / "cat", "cat\n");
  EXPECT_NE(kernova({"--format", "tsv", "cats", "cat"}).out.find("\ncats\t0.000000\t"), std::string::npos);
  EXPECT_NE(kernova({"--stem", "--format", "tsv", "cats", "cat"}).out.find("\ncats\t1.000000\t"),
            std::string::npos);
}

TEST_F(KernovaEvalTest, Failures) {
  write_file(dir_ / "ref/three", "a reference without a candidate\n");
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{"cand", "ref"}, "kernova: cand/three: no candidate for the reference ref/three\n"},
      {{"cand", "ref/one"}, "kernova: cand and ref/one must be two files or two folders\n"},
      {{"missing", "ref/one"}, "kernova: can not open missing: No such file or directory\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(row_of(c.args));
    const RunResult result = kernova(c.args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, c.error);
    EXPECT_EQ(result.out, "");
  }
}

}  // namespace
}  // namespace kernova::frontend
