// The summarizing method step by step, on small inputs whose numbers can be
// followed by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "summarizer/edition.h"
#include "summarizer/method.h"
#include "summarizer/summarize.h"
#include "tests/test_util.h"

namespace kernova::summarizer {
namespace {

using testing::escape;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// "text/words|text/words" for the sentences of a loaded input.
std::string render_loaded(const method::Corpus& corpus) {
  std::string out;
  for (const Sentence& sentence : corpus.sentences) {
    if (!out.empty()) out += '|';
    out += escape(std::string(sentence.text)) + "/" + std::to_string(sentence.number_of_words);
  }
  return out;
}

// Loading a sentence file.

TEST(SummarizerLoadTest, LinesBecomeSentences) {
  struct Case {
    const char* name;
    std::string file;
    std::string sentences;
    std::int64_t size_text;
  };
  const Case cases[] = {
      {"empty file", "", "", 0},
      {"one line", "Cats purr.\n", "Cats purr./2", 2},
      {"last line without line feed", "One two.\nThree", "One two./2|Three/1", 3},
      {"file opening with a line feed", "\nFirst.\n", "First./1", 1},
      {"blank lines and blank-only lines", "A b.\n\n  \t \n\nC.\n", "A b./2|C./1", 3},
      {"first line keeps its blanks, later lines lose them", "  A.\n \t B.\n", "  A./1|B./1", 2},
      {"a first line of blanks only is a sentence", "   \nA.\n", "   /0|A./1", 1},
      {"digits and hyphens are word characters", "It costs 10-12 dollars.\n", "It costs 10-12 dollars./4", 4},
      {"a line without words", "***\n", "***/0", 0},
      {"CR stays in the sentence", "Dry.\r\nWet.\r\n", "Dry.\\x0D/1|Wet.\\x0D/1", 2},
      {"NUL stays and ends a word", std::string("ab\0cd.\n", 7), "ab\\x00cd./2", 2},
      {"Latin-1 letters belong to words", "Caf\351 cr\350me.\n", "Caf\\xE9 cr\\xE8me./2", 2},
      {"no length limit on words", std::string(5000, 'x') + " y\n", escape(std::string(5000, 'x')) + " y/2",
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    method::Vocabulary vocabulary(english_edition());
    method::Corpus corpus;
    method::load(c.file, vocabulary, corpus);
    EXPECT_EQ(render_loaded(corpus), c.sentences);
    EXPECT_EQ(corpus.size_text, c.size_text);
  }
}

TEST(SummarizerLoadTest, EveryWordIsCountedOnceItsStemIsKnown) {
  method::Vocabulary vocabulary(english_edition());
  method::Corpus corpus;
  // Two files as one input; "The" is a stopword, counted but not scored.
  method::load("The cats sat.\n", vocabulary, corpus);
  method::load("A cat. Cats!\n", vocabulary, corpus);
  auto frequency = [&](std::string_view word) { return corpus.frequency[vocabulary.word(word).stem]; };
  EXPECT_EQ(frequency("cat"), 3);
  EXPECT_EQ(frequency("CATS"), 3);
  EXPECT_EQ(frequency("the"), 1);
  EXPECT_EQ(frequency("sat"), 1);
  EXPECT_EQ(corpus.size_text, 6);
  ASSERT_EQ(corpus.sentences.size(), 2u);
  // Only non-stopword stems are kept per sentence.
  std::vector<std::uint32_t> ids;
  EXPECT_EQ(corpus.stems_of(0, ids).size(), 2u);
  EXPECT_EQ(corpus.stems_of(1, ids).size(), 2u);
}

// Stem ids are stored in as few bytes as they need; every id comes back.
TEST(SummarizerLoadTest, StemIdsSurviveTheirCompactStorage) {
  const std::vector<std::uint32_t> first = {0, 127, 128, 300, 16383, 16384, 2097151, 2097152, 0xFFFFFFFFu, 5};
  const std::vector<std::uint32_t> second = {128, 1};
  method::Corpus corpus;
  for (std::uint32_t id : first) corpus.add_stem(id);
  corpus.stems_begin.push_back(corpus.stems.size());
  corpus.stems_begin.push_back(corpus.stems.size());  // a sentence without stems
  for (std::uint32_t id : second) corpus.add_stem(id);
  corpus.stems_begin.push_back(corpus.stems.size());
  std::vector<std::uint32_t> ids;
  const auto decoded = [&](std::size_t sentence) {
    const auto span = corpus.stems_of(sentence, ids);
    return std::vector<std::uint32_t>(span.begin(), span.end());
  };
  EXPECT_EQ(decoded(0), first);
  EXPECT_EQ(decoded(1), std::vector<std::uint32_t>{});
  EXPECT_EQ(decoded(2), second);
  EXPECT_EQ(corpus.stems.size(), 1u + 1 + 2 + 2 + 2 + 3 + 3 + 4 + 5 + 1 + 2 + 1);
}

// Removing stopwords with -is.

TEST(SummarizerCondenseTest, KeepsWordsAndWhatEndedThem) {
  struct Case {
    std::string sentence;
    std::string condensed;
  };
  const Case cases[] = {
      {"The cat sat on the mat, and it slept.", "Cat sat mat, slept. "},
      {"Prices rose, as it was.", "Prices rose, . "},
      {"However, prices rose.", ", prices rose. "},
      {"In 2007 prices rose?!", "2007 prices rose? "},
      {"the and of it", ""},
      {"\"Harbour\" boats", "Harbour\" boats"},
      {"cat\tdog", "Cat\t dog"},
      {"co-op x_y 10-12", "Co-op x_y 10-12"},
      {"  cat   dog  ", "Cat dog "},
      {"\351cole cat", "\351cole cat"},
      {std::string("cat\0dog", 7), std::string("Cat\0 dog", 8)},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(escape(c.sentence));
    std::string out;
    method::condense(english_edition().language, c.sentence, out);
    EXPECT_EQ(escape(out), escape(c.condensed));
  }
}

// Scores, the gist sentence and the threshold.

TEST(SummarizerScoreTest, SumOrAverageOfFrequencies) {
  const std::vector<std::int64_t> frequency = {4, 2, 7};
  const std::vector<std::uint32_t> stems = {0, 1, 1};
  EXPECT_EQ(method::sentence_score(stems, frequency, false), 8.0f);
  EXPECT_EQ(method::sentence_score(stems, frequency, true), 8.0f / 3.0f);
  EXPECT_EQ(method::sentence_score({}, frequency, false), 0.0f);
  EXPECT_EQ(method::sentence_score({}, frequency, true), 0.0f);
}

TEST(SummarizerRankTest, GistSentenceAndThreshold) {
  struct Case {
    const char* name;
    std::vector<float> scores;
    std::vector<float> cosines;
    std::size_t gist;
    float threshold;
    std::vector<float> final_scores;
  };
  const Case cases[] = {
      {"no query: first of the highest", {3, 5, 5, 2}, {}, 1, 3.75f, {3, 5, 5, 2}},
      {"query: first of the greatest cosine, raised above all",
       {4, 1, 9, 2},
       {0, 0.2f, 0.2f, 0.1f},
       1,
       4.0f,
       {4, 10, 9, 2}},
      {"query matching nothing counts as none", {4, 1, 9, 2}, {0, 0, 0, 0}, 2, 4.0f, {4, 1, 9, 2}},
      {"all scores equal: the first sentence", {0, 0, 0}, {}, 0, 0.0f, {0, 0, 0}},
      {"single precision average", {1, 1, 2}, {}, 2, 4.0f / 3.0f, {1, 1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<float> scores = c.scores;
    const method::Ranking ranking = method::rank(scores, c.cosines);
    ASSERT_TRUE(ranking.gist.has_value());
    EXPECT_EQ(*ranking.gist, c.gist);
    EXPECT_EQ(ranking.threshold, c.threshold);
    EXPECT_EQ(scores, c.final_scores);
  }
  std::vector<float> none;
  const method::Ranking empty = method::rank(none, {});
  EXPECT_FALSE(empty.gist.has_value());
  EXPECT_EQ(empty.threshold, 0.0f);
}

TEST(SummarizerExtractSizeTest, FromTheCompressionRate) {
  struct Case {
    std::int64_t size_text;
    float rate;
    std::int32_t size_extract;
  };
  const Case cases[] = {
      // 0.3f is a little above 0.3, so a little more than 300 words go.
      {1000, 0.3f, 699},
      {1001, 0.5f, 500},
      {1000, 0.0f, 1000},
      {1000, 1.0f, 1},
      {1000, 150.7f, 150},
      {100, 0.999f, 0},
      {100, -1.0f, 200},
      {100, kNaN, 100},
      {100, 3e9f, INT32_MAX},
      {100, kInfinity, INT32_MAX},
      {100, -kInfinity, INT32_MAX},
      {0, -kInfinity, 0},
      {0, 0.3f, 0},
      // 2^24 + 1 words are counted as 2^24 once turned into a float.
      {16777217, 0.0f, 16777216},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.size_text) + " words at rate " + std::to_string(c.rate));
    EXPECT_EQ(method::extract_size(c.size_text, c.rate), c.size_extract);
  }
}

// Similarity to the query.

TEST(SummarizerCosineTest, StemCountVectors) {
  struct Case {
    const char* query;
    const char* sentence;
    float cosine;
  };
  const Case cases[] = {
      // Terms cat, dog, chase, ran: (1, 1, 0, 0) against (2, 1, 1, 1);
      // lengths 1.4142135 and 2.6457512.
      {"Cats and dogs", "A dog chased the cats, the cats ran.", 0.80178374f},
      {"CATS", "cats", 1.0f},
      {"cat cat", "cat", 1.0f},
      {"connect", "connected connecting", 1.0f},
      {"the and of", "the cat", 0.0f},
      {"cat", "the and of", 0.0f},
      {"cat", "dog", 0.0f},
      {"", "cat", 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.query) + " / " + c.sentence);
    EXPECT_EQ(method::cosine(english_edition(), c.query, c.sentence), c.cosine);
  }
}

TEST(SummarizerCosineTest, CountsStopGrowingAtTwoToTheTwentyFour) {
  // A float counter raised by 1 stays at 2^24 from there on. With the
  // counts (2^24, 1) against the query (1, 1), the dot product 2^24 + 1
  // rounds to 2^24, and so does the sentence's length.
  method::Vocabulary vocabulary(english_edition());
  const method::QueryVector query("cat dog", vocabulary);
  const std::uint32_t cat = vocabulary.word("cat").stem;
  const std::uint32_t dog = vocabulary.word("dog").stem;
  std::vector<std::uint32_t> stems((1u << 24) + 2, cat);
  stems.push_back(dog);
  method::CosineScratch scratch(vocabulary.stem_count());
  const long double lengths = 16777216.0L * static_cast<long double>(std::sqrt(2.0f));
  EXPECT_EQ(method::cosine(query, stems, scratch), static_cast<float>(16777216.0L / lengths));
  // The scratch is clean for the next sentence.
  const std::vector<std::uint32_t> just_a_dog = {dog};
  EXPECT_EQ(method::cosine(query, just_a_dog, scratch), static_cast<float>(1.0L / std::sqrt(2.0f)));
}

// Selection and trimming.

std::vector<Sentence> sentences_with(const std::vector<float>& scores,
                                     const std::vector<std::int64_t>& words) {
  std::vector<Sentence> sentences;
  for (std::size_t i = 0; i < scores.size(); ++i) {
    Sentence sentence;
    sentence.number_of_words = words[i];
    sentence.score = scores[i];
    sentence.selected = true;
    sentences.push_back(sentence);
  }
  return sentences;
}

std::string selection(const std::vector<Sentence>& sentences) {
  std::string marks;
  for (const Sentence& sentence : sentences) marks += sentence.selected ? 'x' : '.';
  return marks;
}

TEST(SummarizerTrimTest, DropsTheLowestScoreLastOfEqualsFirst) {
  struct Case {
    const char* name;
    std::vector<float> scores;
    std::vector<std::int64_t> words;
    std::int64_t size_extract;
    std::string kept;
  };
  const Case cases[] = {
      {"one removal: the later of two equal lowest", {7, 4, 4, 9}, {10, 10, 10, 10}, 30, "xx.x"},
      {"two removals", {7, 4, 4, 9}, {10, 10, 10, 10}, 20, "x..x"},
      {"fits already", {7, 4, 4, 9}, {10, 10, 10, 10}, 40, "xxxx"},
      {"size 0: a sentence without words outlasts the others when it scores highest",
       {7, 4, 4, 9},
       {1, 1, 1, 0},
       0,
       "...x"},
      {"size 0: it goes in its turn like any other", {7, 4, 4, 9}, {1, 0, 1, 1}, 0, "...."},
      {"the lowest scores go first, however short", {3, 1, 2}, {50, 1, 1}, 50, "x.."},
      {"equal scores: last first", {5, 5, 5}, {1, 1, 1}, 1, "x.."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Sentence> sentences = sentences_with(c.scores, c.words);
    method::trim(sentences, c.size_extract);
    EXPECT_EQ(selection(sentences), c.kept);
  }
}

// The whole method in memory.

TEST(SummarizerMethodTest, GenericSummaryOfTwoTexts) {
  // Stems counted over both texts: cat 4, chase 2, mice 2, dog 2, the
  // others 1. Scores 8 8 2 5 3 7, threshold 33 / 6 = 5.5; the gist sentence
  // is the first; "The cat sleeps." holds a gist stem but scores too low.
  SummaryOptions options;
  options.compression_rate = 0.3f;
  const Summary summary = summarize(english_edition(),
                                    {"Cats chase mice.\nDogs chase cats.\nBirds sing.\nThe cat sleeps.\n",
                                     "Mice hide.\nCats and dogs wait.\n"},
                                    options);
  std::vector<float> scores;
  for (const Sentence& sentence : summary.sentences) scores.push_back(sentence.score);
  EXPECT_EQ(scores, (std::vector<float>{8, 8, 2, 5, 3, 7}));
  EXPECT_EQ(selection(summary.sentences), "xx...x");
  EXPECT_EQ(summary.gist_sentence, std::optional<std::size_t>(0));
  EXPECT_TRUE(summary.sentences[0].gist);
  EXPECT_EQ(summary.threshold, 5.5f);
  EXPECT_EQ(summary.size_text, 17);
  EXPECT_EQ(summary.size_extract, 11);
  EXPECT_EQ(summary.gist_stems, (std::vector<std::string>{"cat", "chase", "mice"}));
  EXPECT_EQ(extract_text(summary), "Cats chase mice.\nDogs chase cats.\nCats and dogs wait.\n");
}

TEST(SummarizerMethodTest, QueryChoosesTheGistSentence) {
  SummaryOptions options;
  options.query = "dog";
  options.compression_rate = 0.5f;
  const Summary summary = summarize(
      english_edition(), {"Cats chase mice.\nDogs chase cats.\nBirds sing.\nThe cat sleeps.\n"}, options);
  // Scores 6 6 2 4; the second sentence is raised to 7 and outranks the first.
  EXPECT_EQ(summary.gist_sentence, std::optional<std::size_t>(1));
  EXPECT_EQ(summary.sentences[1].score, 7.0f);
  EXPECT_EQ(summary.threshold, 4.5f);
  EXPECT_EQ(extract_text(summary), "Dogs chase cats.\n");
}

TEST(SummarizerMethodTest, CondensedSentencesKeepTheirLoadedWordCounts) {
  SummaryOptions options;
  options.remove_stopwords = true;
  options.compression_rate = -1.0f;
  const Summary summary =
      summarize(english_edition(), {"The cat sat on the mat.\nIt was the cat.\n"}, options);
  ASSERT_EQ(summary.sentences.size(), 2u);
  EXPECT_EQ(summary.sentences[0].text, "Cat sat mat. ");
  EXPECT_EQ(summary.sentences[0].number_of_words, 6);
  EXPECT_EQ(summary.sentences[1].text, "Cat. ");
  EXPECT_EQ(summary.sentences[1].number_of_words, 4);
  EXPECT_EQ(summary.size_text, 10);
  // A negative rate: the gist sentence alone.
  EXPECT_EQ(extract_text(summary), "Cat sat mat. \n");
}

TEST(SummarizerMethodTest, NoSentenceNoGist) {
  SummaryOptions options;
  options.query = "cat";
  const Summary summary = summarize(english_edition(), {"", "\n \n"}, options);
  EXPECT_TRUE(summary.sentences.empty());
  EXPECT_FALSE(summary.gist_sentence.has_value());
  EXPECT_EQ(summary.threshold, 0.0f);
  EXPECT_EQ(extract_text(summary), "");
}

TEST(SummarizerMethodTest, TextsStayValidWhenTheSummaryMoves) {
  // Short texts live inside their string objects; the summary must own
  // them where they cannot move.
  for (bool condensed : {false, true}) {
    SCOPED_TRACE(condensed ? "condensed" : "as loaded");
    std::vector<Summary> summaries;
    for (int i = 0; i < 20; ++i) {
      SummaryOptions options;
      options.remove_stopwords = condensed;
      summaries.push_back(
          summarize(english_edition(), {"Cat " + std::to_string(i) + ".\n", "Dog.\n"}, options));
    }
    for (int i = 0; i < 20; ++i) {
      ASSERT_EQ(summaries[static_cast<std::size_t>(i)].sentences.size(), 2u);
      EXPECT_EQ(summaries[static_cast<std::size_t>(i)].sentences[0].text,
                "Cat " + std::to_string(i) + (condensed ? ". " : "."));
    }
  }
}

TEST(SummarizerMethodTest, BothEditionsRunTheSameMethod) {
  // The Portuguese stopwords "o", "e" and "os" do not count; "gato" and
  // "gatos" share a stem.
  SummaryOptions options;
  options.compression_rate = 0.0f;
  const Summary summary =
      summarize(portuguese_edition(), {"O gato e o peixe.\nOs gatos dormem.\nChove.\n"}, options);
  EXPECT_EQ(summary.size_text, 9);
  EXPECT_EQ(summary.gist_sentence, std::optional<std::size_t>(0));
  EXPECT_EQ(summary.gist_stems.size(), 2u);
  EXPECT_EQ(selection(summary.sentences), "xx.");
}

}  // namespace
}  // namespace kernova::summarizer
