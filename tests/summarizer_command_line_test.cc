// The summarizer's command line: options, input files, query and rate, the
// numbers as C's scanf reads them, and the extract's name.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/number.h"
#include "summarizer/command_line.h"

namespace kernova::summarizer {
namespace {

using base::scan_float;
using base::scan_int;

// "is ak | in1 in2 | query | rate" for a command line, or "usage".
std::string render(const std::variant<CommandLine, UsageError>& parsed) {
  if (std::holds_alternative<UsageError>(parsed)) return "usage";
  const CommandLine& line = std::get<CommandLine>(parsed);
  std::string out;
  if (line.options.remove_stopwords) out += "is ";
  if (line.options.average_scores) out += "ak ";
  out += "|";
  for (const std::string& input : line.inputs) out += " " + input;
  out += " | ";
  out += line.options.query ? "\"" + *line.options.query + "\"" : "none";
  char rate[32];
  std::snprintf(rate, sizeof rate, "%g", static_cast<double>(line.options.compression_rate));
  return out + " | " + rate;
}

TEST(SummarizerCommandLineTest, Grammar) {
  struct Case {
    std::vector<std::string_view> args;
    std::string parsed;
  };
  const Case cases[] = {
      {{"a.txt", "0.3"}, "| a.txt | none | 0.3"},
      {{"-is", "-ak", "a.txt", "0.3"}, "is ak | a.txt | none | 0.3"},
      {{"-is", "a.txt", "0.3"}, "is | a.txt | none | 0.3"},
      {{"-ak", "a.txt", "0.3"}, "ak | a.txt | none | 0.3"},
      {{"a.txt", "oil prices", "0.3"}, "| a.txt | \"oil prices\" | 0.3"},
      {{"-n2", "a.txt", "b.txt", "0.3"}, "| a.txt b.txt | none | 0.3"},
      {{"-n1", "a.txt", "0.3"}, "| a.txt | none | 0.3"},
      {{"-n2", "a.txt", "b.txt", "oil", "0.3"}, "| a.txt b.txt | \"oil\" | 0.3"},
      {{"a.txt", "what", "if", "0.3"}, "| a.txt | \"what\" | 0"},
      // "-ak" first takes "-is" for the input file.
      {{"-ak", "-is", "a.txt", "0.3"}, "ak | -is | \"a.txt\" | 0.3"},
      // Anything that starts with "-n" in the option's place is the option.
      {{"-n1x", "a.txt", "0.3"}, "| a.txt | none | 0.3"},
      {{"-n 2", "a", "b", "0.3"}, "| a b | none | 0.3"},
      {{"-n+1", "a", "0.3"}, "| a | none | 0.3"},
      // Elsewhere "-is", "-ak" and "-n" are file names or queries.
      {{"-is", "-is", "0.3"}, "is | -is | none | 0.3"},
      {{"a.txt", "-n2", "5"}, "| a.txt | \"-n2\" | 5"},
      {{"a.txt", "not a number"}, "| a.txt | none | 0"},
      {{"a.txt", "nan"}, "| a.txt | none | 0"},
      {{"a.txt", "-1"}, "| a.txt | none | -1"},
      {{"a.txt", "inf"}, "| a.txt | none | inf"},
      {{"a.txt", "150.7"}, "| a.txt | none | 150.7"},
      {{"a.txt", "", "0.3"}, "| a.txt | \"\" | 0.3"},
      // Too short: no rate after the input files, or too few files.
      {{}, "usage"},
      {{"a.txt"}, "usage"},
      {{"-is", "a.txt"}, "usage"},
      {{"-is", "-ak"}, "usage"},
      {{"-is", "-ak", "a.txt"}, "usage"},
      {{"-n2", "a.txt", "b.txt"}, "usage"},
      {{"-n3", "a.txt", "b.txt", "0.3"}, "usage"},
      {{"-n99999999999999999999", "a", "0.3"}, "usage"},
      // Counts that are unreadable, 0 or negative.
      {{"-n", "a.txt", "0.3"}, "usage"},
      {{"-nx", "a.txt", "0.3"}, "usage"},
      {{"-n0", "a.txt", "0.3"}, "usage"},
      {{"-n-1", "a.txt", "0.3"}, "usage"},
  };
  for (const Case& c : cases) {
    std::string trace;
    for (std::string_view arg : c.args) trace.append("[").append(arg).append("] ");
    SCOPED_TRACE(trace);
    EXPECT_EQ(render(parse_command_line(c.args)), c.parsed);
  }
}

// The C library, in the "C" locale that a test runs in, is the reference.
TEST(SummarizerScanTest, FloatsAsScanfReadsThem) {
  const char* texts[] = {
      "0.3",
      " \t0.3",
      "+.5",
      "-2.5e3",
      "1e",
      "1e+",
      "1ex",
      "100ergs",
      "1.5.3",
      "00.5e-1x",
      "1.e5",
      ".",
      "-",
      "+",
      "+-1",
      ".e5",
      "e5",
      "",
      "abc",
      "inf",
      "-INF",
      "infinity",
      "Infinityx",
      "infx",
      "in",
      "infi",
      "infinit",
      "nan",
      "NaN",
      "nan(123)",
      "nanx",
      "-nan",
      "0x1p3",
      "0X1A",
      "0x.8",
      "0x1.8p",
      "0x1g",
      "0x.",
      "0x",
      "0xg",
      "0xp1",
      "-0x",
      "1e39",
      "-1e39",
      "1e-50",
      "7e-46",
      "1.4e-45",
      "3.40282357e38",
      "9e99999999999999999999",
      "0.000000000000000000000000000000000000000000000001",
      "1e-99999999999999",
      "0x1p99999999999",
      "0x1p-200",
      "340282356779733661637539395458142568448",
      "0.30000001192092896",
      "-0",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(std::string("[") + text + "]");
    float expected = 0.0f;
    const bool read = std::sscanf(text, "%f", &expected) == 1;
    const std::optional<float> got = scan_float(text);
    ASSERT_EQ(got.has_value(), read);
    if (!read) continue;
    if (std::isnan(expected)) {
      EXPECT_TRUE(std::isnan(*got));
    } else {
      EXPECT_EQ(std::memcmp(&*got, &expected, sizeof expected), 0) << *got << " instead of " << expected;
    }
  }
}

TEST(SummarizerScanTest, CountsAsScanfReadsThem) {
  for (const char* text : {"3", "3x", " -2", "+5", "0", "007", "", "x", "--1", "- 1", " \n12"}) {
    SCOPED_TRACE(std::string("[") + text + "]");
    int expected = 0;
    const bool read = std::sscanf(text, "%d", &expected) == 1;
    const std::optional<std::int64_t> got = scan_int(text);
    ASSERT_EQ(got.has_value(), read);
    if (read) {
      EXPECT_EQ(*got, expected);
    }
  }
  // Beyond the int range the count does not wrap around into a small one.
  EXPECT_GT(*scan_int("4294967298"), 4294967297);
  EXPECT_LT(*scan_int("-4294967298"), -4294967297);
}

TEST(SummarizerExtractNameTest, FromTheLastInput) {
  struct Case {
    std::vector<std::string> inputs;
    std::string name;
  };
  const Case cases[] = {
      {{"a.txt"}, "a.sum"},
      {{"report.2007.txt"}, "report.2007.sum"},
      {{"notes"}, "notes.sum"},
      {{".profile"}, ".sum"},
      {{"a.txt", "b.txt"}, "multidoc-b.sum"},
      {{"a", "b"}, "multidoc-b.sum"},
      {{"a", ".b"}, "multidoc-.sum"},
      // A '.' in a folder's name is not the extension's, and the prefix
      // goes on the file's name, not on the folder's.
      {{"texts.old/notes"}, "texts.old/notes.sum"},
      {{"docs/a.txt", "docs/b.txt"}, "docs/multidoc-b.sum"},
      {{"a.txt", "../x.y/b.txt"}, "../x.y/multidoc-b.sum"},
      {{"/tmp/t.d/.profile"}, "/tmp/t.d/.sum"},
      {{"my notes; rm -rf x.txt"}, "my notes; rm -rf x.sum"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.inputs.back());
    EXPECT_EQ(extract_name(c.inputs), c.name);
  }
}

}  // namespace
}  // namespace kernova::summarizer
