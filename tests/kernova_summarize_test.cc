// `kernova summarize` run for real: the same extracts as Kernova_En and
// Kernova_Por, UTF-8 texts, the output formats, --each, and every failure
// with its status.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "tests/test_util.h"

namespace kernova::testing {
namespace {

namespace fs = std::filesystem;

std::string to_utf8(const std::string& latin1) {
  std::string out;
  for (char c : latin1) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::string row_of(const std::vector<std::string>& args) {
  std::string row;
  for (const std::string& arg : args) row += "[" + arg + "]";
  return row;
}

class KernovaSummarizeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file(dir_ / "storm.txt", sample("storm.txt"));
    write_file(dir_ / "ferry.txt", sample("ferry.txt"));
    write_file(dir_ / "frio.txt", sample("frio.txt"));
    write_file(dir_ / "cats.txt", fixture("cats.txt"));
    write_file(dir_ / "mice.txt", fixture("mice.txt"));
    write_file(dir_ / "gatos.txt", fixture("gatos.txt"));
    write_file(dir_ / "storm-crlf.txt", replace_all(sample("storm.txt"), "\n", "\r\n"));
  }
  RunResult kernova(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), "summarize");
    return run(program("kernova"), args, dir_.path(), input);
  }
  // The extract that the summarizer program `edition` writes.
  std::string reference(const std::string& edition, const std::vector<std::string>& args,
                        const std::string& extract) {
    const RunResult result = run(program(edition), args, dir_.path());
    EXPECT_EQ(result.status, 0) << result.out;
    std::string bytes = read_file(dir_ / extract);
    fs::remove(dir_ / extract);
    return bytes;
  }
  TempDir dir_;
};

// With ISO 8859-1 texts the extract is byte for byte the program's.
TEST_F(KernovaSummarizeTest, SameExtractAsTheSummarizerPrograms) {
  struct Case {
    std::string edition;
    std::vector<std::string> program_args;
    std::string extract;
    std::vector<std::string> args;
  } cases[] = {
      {"Kernova_En", {"storm.txt", "0.5"}, "storm.sum", {"--rate", "0.5", "storm.txt"}},
      {"Kernova_En", {"storm.txt", "0.5"}, "storm.sum", {"--keep", "0.5", "storm.txt"}},
      {"Kernova_En", {"storm.txt", "0"}, "storm.sum", {"storm.txt"}},
      {"Kernova_En", {"storm.txt", "0.85"}, "storm.sum", {"--rate=0.85", "storm.txt"}},
      {"Kernova_En", {"storm.txt", "-1"}, "storm.sum", {"--rate", "-1", "storm.txt"}},
      {"Kernova_En", {"ferry.txt", "30"}, "ferry.sum", {"--rate", "30", "ferry.txt"}},
      {"Kernova_En", {"ferry.txt", "30"}, "ferry.sum", {"--words", "30", "ferry.txt"}},
      {"Kernova_En", {"-is", "storm.txt", "0.6"}, "storm.sum", {"--condense", "--rate", "0.6", "storm.txt"}},
      {"Kernova_En", {"-ak", "storm.txt", "0.4"}, "storm.sum", {"--average", "--rate", "0.4", "storm.txt"}},
      {"Kernova_En",
       {"-is", "-ak", "storm.txt", "sea wall repairs", "0.7"},
       "storm.sum",
       {"--rate", "0.7", "--query", "sea wall repairs", "--average", "--condense", "storm.txt"}},
      {"Kernova_En",
       {"-n2", "storm.txt", "ferry.txt", "0.5"},
       "multidoc-ferry.sum",
       {"--rate", "0.5", "storm.txt", "ferry.txt"}},
      {"Kernova_En", {"-n2", "cats.txt", "mice.txt", "0"}, "multidoc-mice.sum", {"cats.txt", "mice.txt"}},
      {"Kernova_En", {"storm-crlf.txt", "0.5"}, "storm-crlf.sum", {"--rate", "0.5", "storm-crlf.txt"}},
      {"Kernova_Por", {"frio.txt", "0.5"}, "frio.sum", {"--lang", "pt", "--rate", "0.5", "frio.txt"}},
      {"Kernova_Por",
       {"-is", "frio.txt", "temperatura inverno", "0.6"},
       "frio.sum",
       {"--lang", "pt", "--condense", "--query", "temperatura inverno", "--rate", "0.6", "frio.txt"}},
      {"Kernova_Por",
       {"-n2", "gatos.txt", "frio.txt", "25"},
       "multidoc-frio.sum",
       {"--lang", "pt", "--words", "25", "gatos.txt", "frio.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(row_of(c.args));
    const std::string expected = reference(c.edition, c.program_args, c.extract);
    ASSERT_FALSE(expected.empty());
    const RunResult result = kernova(c.args);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(escape(result.out), escape(expected));
  }
}

// Standard input, "-", a named file and -o give the same bytes; -o leaves
// nothing else behind.
TEST_F(KernovaSummarizeTest, InputsAndOutputs) {
  const std::string text = sample("storm.txt");
  const RunResult from_file = kernova({"--rate", "0.6", "storm.txt"});
  ASSERT_EQ(from_file.status, 0);
  ASSERT_FALSE(from_file.out.empty());
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--rate", "0.6"}, {"--rate", "0.6", "-"}}) {
    SCOPED_TRACE(row_of(args));
    const RunResult from_input = kernova(args, text);
    EXPECT_EQ(from_input.status, 0);
    EXPECT_EQ(from_input.out, from_file.out);
  }
  const std::set<std::string> before = files_in(dir_.path());
  const RunResult to_file = kernova({"--rate", "0.6", "-o", "out.sum", "storm.txt"});
  EXPECT_EQ(to_file.status, 0);
  EXPECT_EQ(to_file.out, "");
  EXPECT_EQ(read_file(dir_ / "out.sum"), from_file.out);
  std::set<std::string> after = files_in(dir_.path());
  after.erase("out.sum");
  EXPECT_EQ(after, before);
  // Several texts with standard input among them, in order.
  const RunResult mixed = kernova({"cats.txt", "-"}, fixture("mice.txt"));
  const RunResult named = kernova({"cats.txt", "mice.txt"});
  EXPECT_EQ(mixed.status, 0);
  EXPECT_EQ(mixed.out, named.out);
}

// A UTF-8 text gives the extract of its ISO 8859-1 form: the characters
// beyond ISO 8859-1 come back where they were, with --condense too.
TEST_F(KernovaSummarizeTest, Utf8TextsSummarizeAsTheirLatin1Form) {
  struct Case {
    std::string sample;
    std::string edition;
    std::string replaced;     // ASCII bytes of the sample (no rule looks at them)
    std::string replacement;  // a character beyond ISO 8859-1
    std::vector<std::string> options;
    std::vector<std::string> program_options;
  } cases[] = {
      {"storm.txt", "Kernova_En", "'", "\xE2\x80\x99", {"--rate", "0.5"}, {}},
      {"storm.txt", "Kernova_En", ",", "\xF0\x9F\x98\x80", {"--condense", "--rate", "0.7"}, {"-is"}},
      {"ferry.txt", "Kernova_En", ",", "\xEF\xBC\x8C", {"--rate", "0.4"}, {}},
      {"frio.txt", "Kernova_Por", ",", "\xE2\x80\x94", {"--lang", "pt", "--condense", "--rate", "0.6"}, {"-is"}},
      {"frio.txt", "Kernova_Por", ",", "\xE2\x80\x94", {"--lang", "pt", "--rate", "0.3"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sample + " " + row_of(c.options));
    const std::string latin1 = sample(c.sample);
    ASSERT_NE(latin1.find(c.replaced), std::string::npos);
    ASSERT_EQ(latin1.find('\x80'), std::string::npos);
    // The program sees the byte 0x80 where the UTF-8 text has the character.
    write_file(dir_ / "stand-in.txt", replace_all(latin1, c.replaced, "\x80"));
    std::vector<std::string> program_args = c.program_options;
    program_args.push_back("stand-in.txt");
    program_args.push_back(c.options.back());
    const std::string expected =
        replace_all(to_utf8(reference(c.edition, program_args, "stand-in.sum")), "\xC2\x80", c.replacement);

    write_file(dir_ / "utf8.txt", replace_all(to_utf8(latin1), c.replaced, c.replacement));
    std::vector<std::string> args = c.options;
    args.push_back("utf8.txt");
    const RunResult result = kernova(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(escape(result.out), escape(expected));
    args.insert(args.begin(), {"--encoding", "utf8"});
    EXPECT_EQ(kernova(args).out, result.out);
  }
}

// An ISO 8859-1 text summarized together with a UTF-8 one comes out in
// UTF-8 too: its accented bytes become characters, not stray bytes.
TEST_F(KernovaSummarizeTest, Latin1TextBesideAUtf8TextComesOutInUtf8) {
  write_file(dir_ / "latin1.txt", "Caf\xE9 com leite. Bom dia.\n");
  write_file(dir_ / "utf8.txt", "Ol\xC3\xA1 \xE2\x80\x9Cmundo\xE2\x80\x9D. Caf\xC3\xA9 bom.\n");
  struct Case {
    std::vector<std::string> options;
    std::string out;
  } cases[] = {
      {{"--lang", "pt"}, "Caf\xC3\xA9 com leite.\nBom dia.\nCaf\xC3\xA9 bom.\n"},
      {{"--lang", "pt", "--condense"}, "Caf\xC3\xA9 leite. \nBom dia. \nCaf\xC3\xA9 bom. \n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(row_of(c.options));
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {"latin1.txt", "utf8.txt"});
    const RunResult result = kernova(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(escape(result.out), escape(c.out));
  }
}

// Characters are put back by position: a condensed sentence that drops
// the opening quote keeps the closing one, and a genuine U+0080 stays.
TEST_F(KernovaSummarizeTest, Utf8CharactersComeBackByPosition) {
  const std::string open = "\xE2\x80\x9C";
  const std::string close = "\xE2\x80\x9D";
  const std::string text = "Cats chase a " + open + "mouse" + close + " today. Cats\xC2\x80 chase dogs" + open +
                           " daily. Dogs sleep.\n";
  const RunResult plain = kernova({"--format", "tsv"}, text);
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_NE(plain.out.find("\tCats chase a " + open + "mouse" + close + " today.\n"), std::string::npos)
      << plain.out;
  const RunResult condensed = kernova({"--condense", "--format", "tsv"}, text);
  EXPECT_EQ(condensed.status, 0) << condensed.err;
  EXPECT_NE(condensed.out.find("\tCats chase mouse" + close + " today. \n"), std::string::npos) << condensed.out;
  EXPECT_NE(condensed.out.find("\tCats\xC2\x80 chase dogs" + open + " daily. \n"), std::string::npos)
      << condensed.out;
}

TEST_F(KernovaSummarizeTest, Encodings) {
  // ISO 8859-1 bytes that are not valid UTF-8 are read as ISO 8859-1 and
  // written back as they were.
  const std::string latin1 = sample("frio.txt");
  const RunResult automatic = kernova({"--lang", "pt"}, latin1);
  EXPECT_EQ(automatic.status, 0);
  EXPECT_EQ(automatic.out, kernova({"--lang", "pt", "--encoding", "latin1"}, latin1).out);
  EXPECT_NE(automatic.out, to_utf8(automatic.out));  // accented letters, one byte each
  // The UTF-8 form gives the same extract in UTF-8.
  EXPECT_EQ(kernova({"--lang", "pt"}, to_utf8(latin1)).out, to_utf8(automatic.out));
  // UTF-8 read as ISO 8859-1: each byte on its own.
  const RunResult forced = kernova({"--encoding", "latin1"}, "Caf\xC3\xA9 au lait.\n");
  EXPECT_EQ(forced.out, "Caf\xC3\xA9 au lait.\n");
}

// json lists every sentence with what the text format shows; tsv the same.
TEST_F(KernovaSummarizeTest, Formats) {
  const std::string text = sample("storm.txt") + "A line with a\ttab, a \"quote\" and a back\\slash in caf\xE9.\n";
  write_file(dir_ / "story.txt", text);
  const RunResult extract = kernova({"--rate", "0.5", "story.txt"});
  const RunResult json = kernova({"--rate", "0.5", "--format", "json", "story.txt"});
  const RunResult tsv = kernova({"--rate", "0.5", "--format", "tsv", "story.txt"});
  const RunResult split = run(program("kernova"), {"split", "story.txt"}, dir_.path());
  for (const RunResult* result : {&extract, &json, &tsv, &split}) {
    EXPECT_EQ(result->status, 0);
    EXPECT_EQ(result->err, "");
  }
  const nlohmann::json parsed = nlohmann::json::parse(json.out);
  EXPECT_EQ(parsed["encoding"], "latin1");
  EXPECT_EQ(parsed["size_text"].get<std::int64_t>() / 2, parsed["size_extract"].get<std::int64_t>());
  EXPECT_LE(parsed["extract_words"].get<std::int64_t>(), parsed["size_extract"].get<std::int64_t>());
  EXPECT_GT(parsed["threshold"].get<double>(), 0.0);
  EXPECT_FALSE(parsed["gist_words"].empty());

  std::string selected_text;
  std::string all_text;
  int gists = 0;
  std::int64_t selected_words = 0;
  std::string tsv_expected = "index\tinput\twords\tscore\tselected\tgist\tsentence\n";
  const nlohmann::json& sentences = parsed["sentences"];
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    const nlohmann::json& s = sentences[i];
    EXPECT_EQ(s["index"], i);
    EXPECT_EQ(s["input"], 0);
    const std::string utf8 = s["text"];
    all_text += utf8 + "\n";
    if (s["selected"]) {
      selected_text += utf8 + "\n";
      selected_words += s["words"].get<std::int64_t>();
    }
    if (s["gist"]) {
      ++gists;
      EXPECT_TRUE(s["selected"]);
    }
    std::string score = nlohmann::json(s["score"].get<float>()).dump();
    if (score.ends_with(".0")) score.resize(score.size() - 2);
    tsv_expected += std::to_string(i) + "\t0\t" + std::to_string(s["words"].get<int>()) + "\t" + score + "\t" +
                    (s["selected"] ? "1" : "0") + "\t" + (s["gist"] ? "1" : "0") + "\t";
    tsv_expected += replace_all(replace_all(replace_all(utf8, "\\", "\\\\"), "\t", "\\t"), "\xC3\xA9", "\xE9") + "\n";
  }
  EXPECT_EQ(gists, 1);
  EXPECT_EQ(selected_words, parsed["extract_words"]);
  // JSON shows ISO 8859-1 bytes as the characters of the same codes.
  EXPECT_EQ(selected_text, to_utf8(extract.out));
  EXPECT_EQ(all_text, to_utf8(split.out));
  EXPECT_NE(all_text.find("\ttab, a \"quote\" and a back\\slash in caf\xC3\xA9."), std::string::npos);
  EXPECT_EQ(escape(tsv.out), escape(tsv_expected));

  // UTF-8 text stays UTF-8 in JSON, characters beyond ISO 8859-1 too.
  const RunResult utf8 = kernova({"--lang", "pt", "--format", "json"}, "A A\xC3\x87\xC3\x83O \xF0\x9F\x98\x80 terminou.\n");
  const nlohmann::json utf8_parsed = nlohmann::json::parse(utf8.out);
  EXPECT_EQ(utf8_parsed["encoding"], "utf8");
  EXPECT_EQ(utf8_parsed["sentences"][0]["text"], "A A\xC3\x87\xC3\x83O \xF0\x9F\x98\x80 terminou.");
  EXPECT_EQ(utf8_parsed["gist_words"][0], "a\xC3\xA7\xC3\xA3");

  // No sentence at all.
  const RunResult empty = kernova({"--format", "json"}, "");
  EXPECT_EQ(empty.status, 0);
  EXPECT_TRUE(nlohmann::json::parse(empty.out)["sentences"].empty());
  EXPECT_EQ(kernova({}, "").out, "");
}

// Hard-wrapped paragraphs: without --unwrap every line end ends a
// sentence; with it the summary is that of the joined paragraphs.
TEST_F(KernovaSummarizeTest, Unwrap) {
  const std::string wrapped = "The storm hit the harbour\ntown at noon. The harbour\nwall broke.\n\n"
                              "Boats in the harbour\nsank in the storm.\n";
  const std::string joined = "The storm hit the harbour town at noon. The harbour wall broke.\n\n"
                             "Boats in the harbour sank in the storm.\n";
  const RunResult unwrapped = kernova({"--unwrap", "--format", "json"}, wrapped);
  EXPECT_EQ(unwrapped.status, 0);
  EXPECT_EQ(unwrapped.out, kernova({"--format", "json"}, joined).out);
  EXPECT_EQ(nlohmann::json::parse(unwrapped.out)["sentences"].size(), 3u);
  EXPECT_EQ(nlohmann::json::parse(kernova({"--format", "json"}, wrapped).out)["sentences"].size(), 6u);
}

TEST_F(KernovaSummarizeTest, Failures) {
  fs::create_directory(dir_ / "folder");
  const std::string hint = "Run 'kernova summarize --help' for usage.\n";
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"--rate", "half"}, 2, "kernova: --rate: 'half' is not a number\n" + hint},
      {{"--keep", "0"}, 2, "kernova: --keep: '0' is not a decimal number above 0 and at most 1\n" + hint},
      {{"--keep", "1.5"}, 2, "kernova: --keep: '1.5' is not a decimal number above 0 and at most 1\n" + hint},
      {{"--words", "-3"}, 2, "kernova: --words: '-3' is not a number of words\n" + hint},
      {{"--rate", "0.5", "--keep", "0.5"}, 2, "kernova: --rate excludes --keep\n" + hint},
      {{"--each", "--jobs", "0", "storm.txt"},
       2,
       "kernova: --jobs: '0' is not a number of jobs (1 or more)\n" + hint},
      {{"--jobs", "2", "storm.txt"}, 2, "kernova: --jobs requires --each\n" + hint},
      {{"--each"}, 2, "kernova: --each needs the names of the files to summarize\n" + hint},
      {{"--each", "-"}, 2, "kernova: --each cannot read standard input\n" + hint},
      {{"--each", "-o", "x", "storm.txt"}, 2, "kernova: --output excludes --each\n" + hint},
      {{"--format", "xml"}, 2, "kernova: unknown format 'xml' (known: text, json, tsv)\n" + hint},
      {{"--encoding", "utf16"}, 2, "kernova: unknown encoding 'utf16' (known: auto, latin1, utf8)\n" + hint},
      {{"--lang", "fr"}, 2, "kernova: unknown language 'fr' (known: en, pt)\n" + hint},
      {{"--bogus"}, 2, "kernova: The following argument was not expected: --bogus\n" + hint},
      {{"missing.txt"}, 1, "kernova: can not open missing.txt: No such file or directory\n"},
      {{"folder"}, 1, "kernova: can not read folder: Is a directory\n"},
      {{"--encoding", "utf8", "frio.txt"}, 1, "kernova: frio.txt: not valid UTF-8 (byte 80)\n"},
      {{"--encoding", "utf8", "--query", "inverno \xE9", "storm.txt"},
       1,
       "kernova: the query is not valid UTF-8 (byte 9)\n"},
      {{"-o", "no-such-folder/out.sum", "storm.txt"},
       1,
       "kernova: can not write no-such-folder/out.sum: No such file or directory\n"},
      {{"-o", "storm.txt", "storm.txt"}, 1, "kernova: storm.txt would overwrite an input\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(row_of(c.args));
    const RunResult result = kernova(c.args, "Some text.\n");
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.err);
  }
  EXPECT_EQ(read_file(dir_ / "storm.txt"), sample("storm.txt"));
}

TEST_F(KernovaSummarizeTest, HelpAndVersion) {
  const RunResult help = run(program("kernova"), {"summarize", "--help"}, dir_.path());
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--lang", "--rate", "--keep", "--words", "--query", "--condense", "--average", "--each",
                             "--jobs", "--output-dir", "--format", "--unwrap", "--encoding", "-o,--output"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  const RunResult version = run(program("kernova"), {"--version"}, dir_.path());
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with("kernova ")) << version.out;
}

// --each: every file on its own, as one run on it alone would give it,
// whatever the number of jobs; a file that fails does not stop the others.
TEST_F(KernovaSummarizeTest, Each) {
  fs::create_directory(dir_ / "sub");
  std::vector<std::string> inputs;
  const std::string texts[] = {sample("storm.txt"), sample("ferry.txt"), fixture("cats.txt")};
  for (int i = 0; i < 12; ++i) {
    const std::string name = (i % 4 == 3 ? "sub/text" : "text") + std::to_string(i) + ".v1.txt";
    write_file(dir_ / name, texts[i % 3] + "Copy number " + std::to_string(i) + " ends here.\n");
    inputs.push_back(name);
  }
  auto single = [&](const std::string& input, const std::vector<std::string>& options) {
    std::vector<std::string> args = options;
    args.push_back(input);
    const RunResult result = kernova(args);
    EXPECT_EQ(result.status, 0);
    return result.out;
  };
  std::vector<std::string> args = {"--each", "--jobs", "3", "--rate", "0.5"};
  args.insert(args.end(), inputs.begin(), inputs.end());
  RunResult result = kernova(args);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out + result.err, "");
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input);
    const std::string sum = input.substr(0, input.size() - 4) + ".sum";  // text0.v1.sum
    EXPECT_EQ(read_file(dir_ / sum), single(input, {"--rate", "0.5"}));
  }

  // Into a folder, as JSON, with a missing file and an input that its own
  // summary would replace among the others.
  fs::create_directory(dir_ / "out");
  write_file(dir_ / "old.json", sample("storm.txt"));
  args = {"--each", "--jobs", "4", "--format", "json", "--output-dir", "out", "missing.txt", "old.json"};
  args.insert(args.end(), inputs.begin(), inputs.end());
  result = kernova(args);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "kernova: can not open missing.txt: No such file or directory\n");
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input);
    const std::string name = fs::path(input).filename().string();
    EXPECT_EQ(read_file(dir_ / "out" / (name.substr(0, name.size() - 4) + ".json")),
              single(input, {"--format", "json"}));
  }
  EXPECT_TRUE(fs::exists(dir_ / "out" / "old.json"));

  // An output that is an input is a bad command line: nothing is written.
  result = kernova({"--each", "--format", "json", "text0.v1.txt", "old.json"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "kernova: old.json: its summary old.json would overwrite it\n");
  EXPECT_EQ(read_file(dir_ / "old.json"), sample("storm.txt"));
  EXPECT_FALSE(fs::exists(dir_ / "text0.v1.json"));
  write_file(dir_ / "again.sum", "x");
  result = kernova({"--each", "again.sum"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "kernova: again.sum: its summary again.sum would overwrite it\n");
  EXPECT_EQ(read_file(dir_ / "again.sum"), "x");
  // No temporary file is left anywhere.
  for (const auto& entry : fs::recursive_directory_iterator(dir_.path())) {
    EXPECT_FALSE(entry.path().filename().string().ends_with(".tmp")) << entry.path();
  }
}

}  // namespace
}  // namespace kernova::testing
