// The summarizer checked against a deliberately plain model of its method,
// on many random inputs. The model rescans sentence texts at every step,
// keeps a per-call list of terms for every cosine, counts with float
// counters and trims by searching the whole list again after each removal;
// the library does none of this, so agreement on every score, mark and
// number tests its shortcuts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "language/language.h"
#include "summarizer/edition.h"
#include "summarizer/summarize.h"
#include "tests/test_util.h"

namespace kernova::summarizer {
namespace {

struct ModelSentence {
  std::string text;
  std::int64_t number_of_words = 0;
  float score = 0.0f;
  bool summary_worthy = false;
};

struct Model {
  std::vector<ModelSentence> sentences;
  std::optional<std::size_t> gist;
  float threshold = 0.0f;
  std::int64_t size_extract = 0;
  std::int64_t size_text = 0;
};

class PlainSummarizer {
 public:
  explicit PlainSummarizer(const Edition& edition) : edition_(edition) {}

  Model run(const std::vector<std::string>& files, const SummaryOptions& options) {
    for (const std::string& file : files) read_text(file);
    float rate = options.compression_rate;
    if (std::isnan(rate)) rate = 0.0f;
    if (options.remove_stopwords) {
      for (ModelSentence& sentence : model_.sentences) sentence.text = condense(sentence.text);
    }
    score_sentences(options, rate);
    select_sentences(rate);
    return std::move(model_);
  }

 private:
  std::string stem(const std::string& word) {
    std::string out;
    edition_.stem(word, out);
    return out;
  }
  bool stopword(const std::string& word) { return language::stopword_folded(edition_.language, word); }

  // Calls `f` with every word of `text`, read one byte at a time.
  template <typename F>
  static void words(const std::string& text, F f) {
    std::string word;
    for (char c : text) {
      if (language::is_letter(c)) {
        word += c;
      } else if (!word.empty()) {
        f(word);
        word.clear();
      }
    }
    if (!word.empty()) f(word);
  }

  void read_text(const std::string& file) {
    std::size_t i = 0;
    while (i < file.size()) {
      std::string sentence;
      while (i < file.size() && file[i] != '\n') sentence += file[i++];
      std::int64_t count = 0;
      words(sentence, [&](const std::string& word) {
        ++count;
        ++frequency_[stem(word)];
      });
      if (!sentence.empty()) {
        model_.sentences.push_back({sentence, count});
        model_.size_text += count;
      }
      ++i;
      while (i < file.size() && (file[i] == ' ' || file[i] == '\n' || file[i] == '\t')) ++i;
    }
  }

  std::string condense(const std::string& text) {
    std::string out;
    std::string word;
    for (char c : text) {
      if (language::is_letter(c)) {
        word += c;
      } else if (!word.empty()) {
        if (!stopword(word)) out += word;
        if (c == ' ') {
          if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
          out += c;
          out += ' ';
        }
        word.clear();
      }
    }
    if (!word.empty() && !stopword(word)) out += word;
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z') out[0] = static_cast<char>(out[0] - 32);
    return out;
  }

  std::int64_t get_freq(const std::string& stem) {
    auto found = frequency_.find(stem);
    EXPECT_NE(found, frequency_.end()) << "stem " << stem << " was never counted";
    return found == frequency_.end() ? 0 : found->second;
  }

  float cosine(const std::string& query, const std::string& sentence) {
    struct Term {
      std::string word;
      float freq_query;
      float freq_sent;
    };
    std::vector<Term> terms;
    auto count = [&](const std::string& word, bool in_query) {
      if (stopword(word)) return;
      const std::string s = stem(word);
      for (Term& term : terms) {
        if (term.word == s) {
          (in_query ? term.freq_query : term.freq_sent) += 1.0f;
          return;
        }
      }
      terms.push_back({s, in_query ? 1.0f : 0.0f, in_query ? 0.0f : 1.0f});
    };
    words(query, [&](const std::string& word) { count(word, true); });
    words(sentence, [&](const std::string& word) { count(word, false); });
    float dot_product = 0.0f, size_query = 0.0f, size_sentence = 0.0f;
    for (const Term& term : terms) {
      dot_product += term.freq_sent * term.freq_query;
      size_query += term.freq_query * term.freq_query;
      size_sentence += term.freq_sent * term.freq_sent;
    }
    size_query = std::sqrt(size_query);
    size_sentence = std::sqrt(size_sentence);
    if (size_query == 0.0f || size_sentence == 0.0f) return 0.0f;
    return static_cast<float>(
        static_cast<long double>(dot_product) /
        (static_cast<long double>(size_sentence) * static_cast<long double>(size_query)));
  }

  void score_sentences(const SummaryOptions& options, float rate) {
    std::vector<ModelSentence>& list = model_.sentences;
    std::optional<std::size_t> gist;
    float last_res = 0.0f;
    if (options.query) {
      for (std::size_t i = 0; i < list.size(); ++i) {
        const float res = cosine(*options.query, list[i].text);
        if (res > 0.0f && (!gist || res > last_res)) {
          gist = i;
          last_res = res;
        }
      }
    }
    const bool ignore_query = !gist;
    if (ignore_query && !list.empty()) gist = 0;
    float maior = 0.0f;
    float threshold = 0.0f;
    int number_of_sentences = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
      int number_of_actual_words = 0;
      words(list[i].text, [&](const std::string& word) {
        if (stopword(word)) return;
        ++number_of_actual_words;
        list[i].score = list[i].score + static_cast<float>(get_freq(stem(word)));
      });
      if (options.average_scores) {
        list[i].score =
            number_of_actual_words != 0 ? list[i].score / static_cast<float>(number_of_actual_words) : 0.0f;
      }
      if (ignore_query && list[i].score > list[*gist].score) gist = i;
      if (list[i].score > maior) maior = list[i].score;
      threshold += list[i].score;
      ++number_of_sentences;
    }
    if (gist) {
      list[*gist].summary_worthy = true;
      if (!ignore_query) list[*gist].score = maior + 1.0f;
      model_.threshold = threshold / static_cast<float>(number_of_sentences);
      words(list[*gist].text, [&](const std::string& word) {
        if (!stopword(word)) gist_words_[stem(word)] = true;
      });
    }
    model_.gist = gist;
    const long double t = static_cast<float>(model_.size_text);
    const long double size =
        rate < 1.0f ? t - t * static_cast<long double>(rate) : static_cast<long double>(rate);
    model_.size_extract = std::isnan(size)        ? 0
                          : size >= 2147483647.0L ? 2147483647
                                                  : static_cast<std::int64_t>(size);
  }

  void select_sentences(float rate) {
    std::vector<ModelSentence>& list = model_.sentences;
    if (!(rate < 0.0f)) {
      for (ModelSentence& sentence : list) {
        bool found = false;
        words(sentence.text, [&](const std::string& word) {
          if (found || stopword(word)) return;
          if (gist_words_[stem(word)] && sentence.score > model_.threshold) {
            sentence.summary_worthy = true;
            found = true;
          }
        });
      }
      auto counter = [&list] {
        std::int64_t words = 0;
        for (const ModelSentence& sentence : list)
          words += sentence.summary_worthy ? sentence.number_of_words : 0;
        return words;
      };
      while (counter() > model_.size_extract) {
        std::optional<std::size_t> aux;
        for (std::size_t i = 0; i < list.size(); ++i) {
          if (!list[i].summary_worthy) continue;
          if (!aux || list[i].score <= list[*aux].score) aux = i;
        }
        if (!aux) break;
        list[*aux].summary_worthy = false;
      }
    }
    if (model_.gist) list[*model_.gist].summary_worthy = true;
  }

  const Edition& edition_;
  Model model_;
  std::map<std::string, std::int64_t> frequency_;
  std::map<std::string, bool> gist_words_;
};

// Random sentence files over a small vocabulary, so that stems repeat,
// with every kind of byte the loader and the condenser treat apart.
class InputMaker {
 public:
  InputMaker(std::uint32_t seed, std::vector<std::string> vocabulary)
      : random_(seed), vocabulary_(std::move(vocabulary)) {}

  std::string word() { return vocabulary_[pick(vocabulary_.size())]; }

  std::string sentence_file() {
    static const std::vector<std::string> separators = {
        " ", " ", " ", ", ", ". ", "; ", "\t", "?! ", "\"", "(", ") ", "\r", std::string(1, '\0'), "  ", "'"};
    std::string file;
    if (pick(6) == 0) file += pick(2) ? " " : "\n";
    const std::size_t lines = pick(9);
    for (std::size_t l = 0; l < lines; ++l) {
      if (pick(5) == 0) file += pick(2) ? "  \t" : "\n \n";
      const std::size_t words = pick(12);
      for (std::size_t w = 0; w < words; ++w) {
        if (w > 0 || pick(4) == 0) file += separators[pick(separators.size())];
        file += word();
      }
      if (pick(3) == 0) file += separators[pick(separators.size())];
      if (words == 0 && pick(2) == 0) file += "***";
      if (l + 1 < lines || pick(4) != 0) file += '\n';
    }
    return file;
  }

  SummaryOptions options() {
    static const float rates[] = {-1.0f,
                                  0.0f,
                                  0.1f,
                                  0.3f,
                                  0.5f,
                                  0.7f,
                                  0.9f,
                                  0.999f,
                                  1.0f,
                                  3.0f,
                                  12.0f,
                                  40.5f,
                                  std::numeric_limits<float>::quiet_NaN(),
                                  std::numeric_limits<float>::infinity()};
    SummaryOptions options;
    options.compression_rate = rates[pick(std::size(rates))];
    options.remove_stopwords = pick(3) == 0;
    options.average_scores = pick(3) == 0;
    if (pick(3) != 0) {
      std::string query;
      const std::size_t words = pick(4);
      for (std::size_t w = 0; w < words; ++w) {
        if (w > 0) query += ' ';
        query += word();
      }
      if (pick(5) == 0) query += " unseen";
      options.query = query;
    }
    return options;
  }

  std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

 private:
  std::mt19937 random_;
  std::vector<std::string> vocabulary_;
};

std::string describe(const std::vector<std::string>& files, const SummaryOptions& options) {
  std::string out = "rate " + std::to_string(options.compression_rate);
  if (options.remove_stopwords) out += " -is";
  if (options.average_scores) out += " -ak";
  if (options.query) out += " query \"" + *options.query + "\"";
  for (const std::string& file : files) out += "\nfile: " + testing::escape(file);
  return out;
}

void compare_with_model(const Edition& edition, const std::vector<std::string>& vocabulary, int runs) {
  InputMaker maker(20240611, vocabulary);
  for (int run = 0; run < runs; ++run) {
    std::vector<std::string> files(1 + maker.pick(3));
    for (std::string& file : files) file = maker.sentence_file();
    const SummaryOptions options = maker.options();
    SCOPED_TRACE(describe(files, options));

    const Model expected = PlainSummarizer(edition).run(files, options);
    const Summary summary = summarize(edition, files, options);

    ASSERT_EQ(summary.sentences.size(), expected.sentences.size());
    for (std::size_t i = 0; i < expected.sentences.size(); ++i) {
      SCOPED_TRACE("sentence " + std::to_string(i));
      const Sentence& got = summary.sentences[i];
      const ModelSentence& want = expected.sentences[i];
      EXPECT_EQ(testing::escape(std::string(got.text)), testing::escape(want.text));
      EXPECT_EQ(got.number_of_words, want.number_of_words);
      EXPECT_EQ(got.score, want.score);
      EXPECT_EQ(got.selected, want.summary_worthy);
      EXPECT_EQ(got.gist, expected.gist == i);
    }
    EXPECT_EQ(summary.gist_sentence, expected.gist);
    EXPECT_EQ(summary.threshold, expected.threshold);
    EXPECT_EQ(summary.size_extract, expected.size_extract);
    EXPECT_EQ(summary.size_text, expected.size_text);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(SummarizerReferenceTest, EnglishAgreesWithThePlainModel) {
  compare_with_model(
      english_edition(),
      {"The",    "the",      "THE",      "and",   "of",  "it",      "appear",    "appearing",  "However",
       "a",      "cat",      "cats",     "Cats",  "CAT", "connect", "connected", "connecting", "storm",
       "storms", "harbour",  "boat",     "boats", "sea", "wall",    "10-12",     "2007",       "co-op",
       "x_y",    "na\357ve", "\311COLE", "don",   "t",   "mice",    "dog",       "dogs",       "ran"},
      3000);
}

TEST(SummarizerReferenceTest, PortugueseAgreesWithThePlainModel) {
  compare_with_model(portuguese_edition(),
                     {"O",
                      "o",
                      "os",
                      "e",
                      "de",
                      "que",
                      "gato",
                      "gatos",
                      "Gatos",
                      "peixe",
                      "peixes",
                      "barco",
                      "barcos",
                      "pescador",
                      "pescadores",
                      "mar",
                      "chuva",
                      "cora\347\343o",
                      "CORA\307\303O",
                      "a\347\365es",
                      "a\347\343o",
                      "porto",
                      "1998",
                      "guarda-chuva",
                      "\340",
                      "\252"},
                     2000);
}

}  // namespace
}  // namespace kernova::summarizer
