// The library interface and the pieces under it: UTF-8 reading and writing
// back, unwrapping, condensing with sources, the --keep and --rate values,
// and split and summarize against the splitter and the summarizer.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "api/text_codec.h"
#include "kernova/kernova.hpp"
#include "language/language.h"
#include "splitter/splitter.h"
#include "summarizer/method.h"
#include "summarizer/summarize.h"
#include "tests/test_util.h"

namespace kernova::api {
namespace {

using kernova::testing::escape;

// U+201C, U+201D, U+2014 and U+1F600 in UTF-8.
const std::string kOpenQuote = "\xE2\x80\x9C";
const std::string kCloseQuote = "\xE2\x80\x9D";
const std::string kDash = "\xE2\x80\x94";
const std::string kGrin = "\xF0\x9F\x98\x80";

TEST(KernovaCodecTest, FindsTheFirstInvalidUtf8Byte) {
  struct Case {
    std::string bytes;
    std::optional<std::size_t> invalid;
  } cases[] = {
      {"plain", std::nullopt},
      {"caf\xC3\xA9 " + kOpenQuote + kGrin, std::nullopt},
      {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF", std::nullopt},
      {"caf\xE9", 3},                // ISO 8859-1
      {"a\xC0\x80", 1},              // overlong NUL
      {"a\xC1\xBF", 1},              // overlong
      {"\xE0\x9F\xBF", 0},           // overlong three-byte form
      {"ok\xED\xA0\x80", 2},         // surrogate
      {"\xF0\x8F\xBF\xBF", 0},       // overlong four-byte form
      {"\xF4\x90\x80\x80", 0},       // above U+10FFFF
      {"\xF5\x80\x80\x80", 0},
      {"ab\x80", 2},                 // lone continuation
      {"ab\xE2\x80", 2},             // cut short at the end
      {"\xE2\x80x", 0},
      {"\xC3\xA9\xFF", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(escape(c.bytes));
    EXPECT_EQ(first_invalid_utf8(c.bytes), c.invalid);
  }
}

TEST(KernovaCodecTest, ChoosesTheEncoding) {
  EXPECT_FALSE(reads_as_utf8("plain ASCII", api::Encoding::kAutomatic));
  EXPECT_TRUE(reads_as_utf8("caf\xC3\xA9", api::Encoding::kAutomatic));
  EXPECT_FALSE(reads_as_utf8("caf\xE9", api::Encoding::kAutomatic));
  EXPECT_FALSE(reads_as_utf8("caf\xC3\xA9", api::Encoding::kLatin1));
  EXPECT_TRUE(reads_as_utf8("plain", api::Encoding::kUtf8));
  try {
    reads_as_utf8("na\xEFve", api::Encoding::kUtf8);
    FAIL() << "no error";
  } catch (const api::Error& error) {
    EXPECT_STREQ(error.what(), "not valid UTF-8 (byte 3)");
  }
}

// Characters up to U+00FF become their byte, others the stand-in; CR LF is
// one line end; writing the whole text back gives the original.
TEST(KernovaCodecTest, DecodesAndWritesBack) {
  const std::string original = "\xC3\xA9" + kOpenQuote + "\xC2\x80" + kGrin + "\r\nx\ry\xC3\xBF" + kDash;
  const DecodedText decoded = decode(original, api::Encoding::kAutomatic);
  ASSERT_TRUE(decoded.utf8);
  EXPECT_EQ(escape(decoded.text), escape("\xE9\x80\x80\x80\nx\ry\xFF\x80"));
  ASSERT_EQ(decoded.stand_ins.size(), 3u);
  EXPECT_EQ(decoded.stand_ins[0].position, 1u);
  EXPECT_EQ(decoded.stand_ins[1].position, 3u);  // position 2 is a genuine U+0080
  EXPECT_EQ(decoded.stand_ins[2].position, 9u);

  std::string back;
  append_original(decoded, 0, decoded.text.size(), back);
  EXPECT_EQ(escape(back), escape("\xC3\xA9" + kOpenQuote + "\xC2\x80" + kGrin + "\nx\ry\xC3\xBF" + kDash));

  // A piece that starts inside the text finds its stand-ins by position.
  back.clear();
  append_original(decoded, 2, 2, back);
  EXPECT_EQ(escape(back), escape("\xC2\x80" + kGrin));

  // Picked bytes: only a copied stand-in is restored; a put-in 0x80 is a
  // genuine U+0080.
  const std::size_t put_in = static_cast<std::size_t>(-1);
  const std::vector<std::size_t> sources = {3, 1, put_in, 2};
  back.clear();
  append_original(decoded, "\x80\x80\x80\x80", sources, back);
  EXPECT_EQ(escape(back), escape(kGrin + kOpenQuote + "\xC2\x80\xC2\x80"));

  // ISO 8859-1 is kept as it is, CR LF aside.
  const DecodedText latin1 = decode("caf\xE9\r\n\x80\r", api::Encoding::kAutomatic);
  EXPECT_FALSE(latin1.utf8);
  EXPECT_EQ(escape(latin1.text), escape("caf\xE9\n\x80\r"));
}

TEST(KernovaCodecTest, UnwrapsParagraphs) {
  struct Case {
    std::string text;
    std::string unwrapped;
  } cases[] = {
      {"one\ntwo\nthree\n", "one two three\n"},
      {"one\ntwo\n\nthree\nfour", "one two\n\nthree four"},
      {"one\n  \t\ntwo\n", "one\n  \t\ntwo\n"},  // a line of blanks is a blank line
      {"one\r\n", "one\r\n"},
      {"one\n\r\ntwo", "one\n\r\ntwo"},
      {"\n\none\n", "\n\none\n"},
      {"one\n   indented\n", "one    indented\n"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(escape(c.text));
    std::string text = c.text;
    unwrap_lines(text);
    EXPECT_EQ(escape(text), escape(c.unwrapped));
  }
}

// The tracking condensation gives the summarizer's bytes, and each copied
// byte names where it came from.
TEST(KernovaCodecTest, CondensingWithSourcesMatchesCondensing) {
  const language::Language& english = language::english();
  auto is_stopword = [&english](std::string_view word) { return language::stopword_folded(english, word); };
  const std::string sentences[] = {
      "the cat sat on the mat.",
      "a \x80" "b\x80 c",
      "Of course, it is (as they say) the end!",
      "  leading blanks and   runs  of blanks ",
      "x--y, z;; w",
      "",
      "?!",
      "and then",
      "caf\xE9 na\xEFve \x80\x80 \xC0 10.5%",
  };
  for (const std::string& sentence : sentences) {
    SCOPED_TRACE(escape(sentence));
    std::string expected;
    summarizer::method::condense_with(sentence, expected, is_stopword);
    std::string out;
    std::vector<std::size_t> sources;
    summarizer::method::condense_with_sources(sentence, out, sources, is_stopword);
    EXPECT_EQ(escape(out), escape(expected));
    ASSERT_EQ(sources.size(), out.size());
    for (std::size_t k = 0; k < out.size(); ++k) {
      if (sources[k] == summarizer::method::kInserted) {
        EXPECT_EQ(out[k], ' ');
      } else if (k > 0 || out[k] == sentence[sources[k]]) {
        EXPECT_EQ(out[k], sentence[sources[k]]) << k;
      } else {
        EXPECT_EQ(out[k], language::fold(sentence[sources[k]]) - 'a' + 'A');  // the capital in front
      }
      if (k > 0 && sources[k] != summarizer::method::kInserted && sources[k - 1] != summarizer::method::kInserted) {
        EXPECT_LT(sources[k - 1], sources[k]);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// The calls.

std::string join_lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

const std::string kTricky =
    "Dr. Smith arrived at 5.30 p.m. on Monday!  \"Was it late?\" she asked. Then (quietly. softly) "
    "he left.. Nobody saw him\tagain.\r\nMail me at a.b@example.org today. The end is 3.5 km away\n"
    "\n   \nLast line without an end.   ";

// ISO 8859-1 text splits exactly as the splitter does (CR LF joined).
TEST(KernovaApiTest, SplitIsTheSplitter) {
  for (const std::string& text : {kTricky, std::string("caf\xE9. ol\xE1! x\n  \n"), std::string(), std::string("  ")}) {
    SCOPED_TRACE(escape(text));
    std::string joined = text;
    for (std::size_t at; (at = joined.find("\r\n")) != std::string::npos;) joined.erase(at, 1);
    const api::Sentences sentences = api::split(text);
    EXPECT_EQ(sentences.encoding, api::Encoding::kLatin1);
    EXPECT_EQ(escape(join_lines(sentences.sentences)), escape(splitter::segment_text(language::english(), joined)));
  }
}

// A UTF-8 text splits where its ISO 8859-1 form with stand-ins splits, and
// each sentence holds its own characters back.
TEST(KernovaApiTest, SplitsUtf8AsItsLatin1Form) {
  const std::string utf8 = kOpenQuote + "Caf\xC3\xA9 time." + kCloseQuote + " He waited " + kDash +
                           " then left! " + kGrin + " Dr. " + kGrin + "Who? Yes";
  const api::Sentences sentences = api::split(utf8);
  EXPECT_EQ(sentences.encoding, api::Encoding::kUtf8);
  EXPECT_EQ(sentences.sentences,
            (std::vector<std::string>{kOpenQuote + "Caf\xC3\xA9 time.", kCloseQuote + " He waited " + kDash + " then left!",
                                      kGrin + " Dr. " + kGrin + "Who?", "Yes"}));
  const api::Sentences latin1 = api::split("\x80" "Caf\xE9 time.\x80 He waited \x80 then left! \x80 Dr. \x80Who? Yes",
                                           {.encoding = api::Encoding::kLatin1});
  EXPECT_EQ(latin1.sentences.size(), sentences.sentences.size());
  EXPECT_THROW(api::split("caf\xE9", {.encoding = api::Encoding::kUtf8}), api::Error);
}

const std::string kStory =
    "The storm hit the harbour town at noon. The harbour wall broke in the storm. "
    "Boats in the harbour sank. Children played in the park. The storm passed by evening. "
    "The town council will rebuild the harbour wall. Bread prices rose. The storm was the worst in years.";

api::SummaryOptions with_length(api::Length length) {
  api::SummaryOptions options;
  options.length = length;
  return options;
}

api::SummaryOptions reading(api::Encoding encoding) {
  api::SummaryOptions options;
  options.read.encoding = encoding;
  return options;
}

std::vector<bool> selected(const api::Summary& summary) {
  std::vector<bool> flags;
  for (const api::SentenceResult& sentence : summary.sentences) flags.push_back(sentence.selected);
  return flags;
}

// Rates go to the summarizer unchanged; shares and word counts set the
// exact size, which a float rate could miss (0.29 * 100 is 28.999...).
TEST(KernovaApiTest, Lengths) {
  std::string text;
  for (int i = 0; i < 10; ++i) text += kStory + " ";  // 80 sentences
  const std::string_view texts[] = {text};
  const std::int64_t words = api::summarize(texts).size_text;
  ASSERT_EQ(words, 480);

  for (float rate : {0.0f, 0.3f, 0.9f, 25.0f, -1.0f}) {
    SCOPED_TRACE(rate);
    summarizer::SummaryOptions options;
    options.compression_rate = rate;
    const summarizer::Summary expected = summarizer::summarize(
        summarizer::english_edition(), {splitter::segment_text(language::english(), text)}, options);
    const api::Summary summary = api::summarize(texts, with_length(api::Rate{rate}));
    EXPECT_EQ(summary.size_extract, expected.size_extract);
    EXPECT_EQ(api::extract(summary), summarizer::extract_text(expected));
  }
  struct Case {
    api::Length length;
    std::int64_t size_extract;
  } cases[] = {
      {api::Share{29, 100}, words * 29 / 100},
      {api::Share{1, 3}, words / 3},
      {api::Share{1, 1}, words},
      {api::MaxWords{0}, 0},
      {api::MaxWords{40}, 40},
      {api::MaxWords{std::int64_t{1} << 40}, INT32_MAX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size_extract);
    const api::Summary summary = api::summarize(texts, with_length(c.length));
    EXPECT_EQ(summary.size_extract, c.size_extract);
    std::int64_t kept = 0;
    for (const api::SentenceResult& sentence : summary.sentences) {
      if (sentence.selected && !sentence.gist) kept += sentence.words;
    }
    ASSERT_TRUE(summary.gist_sentence);
    if (c.size_extract > 0) {
      EXPECT_LE(kept + summary.sentences[*summary.gist_sentence].words, c.size_extract);
    }
  }
  // No words allowed: the gist sentence alone.
  const std::vector<bool> flags = selected(api::summarize(texts, with_length(api::MaxWords{0})));
  EXPECT_EQ(std::count(flags.begin(), flags.end(), true), 1);
  EXPECT_THROW(api::summarize(texts, with_length(api::Share{0, 1})), api::Error);
  EXPECT_THROW(api::summarize(texts, with_length(api::Share{2, 1})), api::Error);
}

// Every sentence names the text it comes from, past texts that hold no
// sentence (empty, or blank lines only), whether the run is ISO 8859-1 or
// UTF-8.
TEST(KernovaApiTest, SentencesNameTheirTexts) {
  const std::string utf8_text = "Caf\xC3\xA9 " + kDash + " open late. It rains.\n";
  const std::vector<std::string> latin1 = {"",          "One. Two!\n\nThree?", " \n\t\n", "",
                                           "Caf\xE9 open.", "Four. Five.\n"};
  std::vector<std::string> mixed = latin1;
  mixed[4] = utf8_text;
  const std::vector<std::size_t> latin1_inputs = {1, 1, 1, 4, 5, 5};
  const std::vector<std::size_t> mixed_inputs = {1, 1, 1, 4, 4, 5, 5};
  for (const auto& [texts, inputs] : {std::pair{latin1, latin1_inputs}, std::pair{mixed, mixed_inputs}}) {
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    const api::Summary summary = api::summarize(views);
    std::vector<std::size_t> got;
    for (const api::SentenceResult& sentence : summary.sentences) got.push_back(sentence.input);
    EXPECT_EQ(got, inputs);
  }
}

TEST(KernovaApiTest, ReportsWhichTextFailed) {
  const std::string_view texts[] = {"fine text.", "caf\xE9."};
  try {
    api::summarize(texts, reading(api::Encoding::kUtf8));
    FAIL() << "no error";
  } catch (const api::Error& error) {
    EXPECT_STREQ(error.what(), "not valid UTF-8 (byte 4)");
    EXPECT_EQ(error.input(), std::optional<std::size_t>(1));
  }
  try {
    const std::string_view good[] = {"fine text."};
    api::SummaryOptions options = reading(api::Encoding::kUtf8);
    options.query = "\xFF";
    api::summarize(good, options);
    FAIL() << "no error";
  } catch (const api::Error& error) {
    EXPECT_STREQ(error.what(), "the query is not valid UTF-8 (byte 1)");
    EXPECT_EQ(error.input(), std::nullopt);
  }
}

// No state is shared between calls: summaries made side by side in
// threads are those made one after another.
TEST(KernovaApiTest, CallsRunSideBySide) {
  const std::string portuguese = "O porto da cidade ficou cheio. A chuva caiu no porto. Os barcos do porto "
                                 "afundaram. A c\xE2mara vai reconstruir o porto.";
  const std::string_view english_texts[] = {kStory};
  const std::string_view portuguese_texts[] = {portuguese};
  api::SummaryOptions pt;
  pt.read.language = api::Language::kPortuguese;
  pt.condense = true;
  const std::string english_extract = api::extract(api::summarize(english_texts));
  const std::string portuguese_extract = api::extract(api::summarize(portuguese_texts, pt));
  std::vector<std::string> results(8);
  {
    std::vector<std::jthread> threads;
    for (std::size_t t = 0; t < results.size(); ++t) {
      threads.emplace_back([&, t] {
        for (int round = 0; round < 20; ++round) {
          results[t] = t % 2 == 0 ? api::extract(api::summarize(english_texts))
                                  : api::extract(api::summarize(portuguese_texts, pt));
        }
      });
    }
  }
  for (std::size_t t = 0; t < results.size(); ++t) {
    EXPECT_EQ(results[t], t % 2 == 0 ? english_extract : portuguese_extract) << t;
  }
  EXPECT_EQ(api::stem("CONNECTIONS", api::Language::kEnglish), "connect");
  EXPECT_EQ(api::stem("livros", api::Language::kPortuguese), "livr");
}

// The centroid method through the interface: a UTF-8 text comes back in
// UTF-8, the extract reaches the word count, and it neither condenses nor
// averages.
TEST(KernovaApiTest, CentroidMethod) {
  const std::string text =
      "Caf\xc3\xa9 owners on the quay reopened at noon after the storm.\n"
      "The harbour master said the sea wall had held through the night.\n"
      "Fishing boats stayed in port until the wind dropped on Tuesday.\n";
  const std::string_view texts[] = {text};
  api::SummaryOptions options = with_length(api::MaxWords{12});
  options.method = api::Method::kCentroid;
  const api::Summary summary = api::summarize(texts, options);
  EXPECT_EQ(summary.encoding, api::Encoding::kUtf8);
  ASSERT_EQ(summary.sentences.size(), 3u);
  EXPECT_EQ(summary.gist_sentence, 0u);
  // The first sentence holds 11 words: a second one is needed to reach 12.
  EXPECT_EQ(summary.sentences[0].words, 11);
  const std::vector<bool> flags = selected(summary);
  EXPECT_EQ(std::count(flags.begin(), flags.end(), true), 2);
  EXPECT_EQ(api::extract(summary).substr(0, 5), "Caf\xc3\xa9");
  for (bool condense : {true, false}) {
    api::SummaryOptions wrong = options;
    wrong.condense = condense;
    wrong.average = !condense;
    try {
      api::summarize(texts, wrong);
      ADD_FAILURE() << "no error";
    } catch (const api::Error& error) {
      EXPECT_STREQ(error.what(), "the centroid method neither condenses nor averages");
    }
  }
}

}  // namespace
}  // namespace kernova::api
