// Kernova's library interface: sentence splitting, stemming and extractive
// summaries of English and Portuguese plain text, in ISO 8859-1 or UTF-8.
//
// This header is the whole public interface; link the library `kernova`
// (CMake: find_package(Kernova) and the target kernova::kernova;
// pkg-config: kernova). It needs C++20.
//
// Text handling. A text is bytes. ISO 8859-1 (Latin-1) text is used as it
// is. A UTF-8 text is handled exactly as its ISO 8859-1 form would be: each
// character up to U+00FF stands for that byte, and every other character
// is a non-word character that no sentence rule looks at and that comes
// back unchanged in the results (curly quotes, dashes and emoji pass
// through). Results are in the encoding the text was read in.
//
// Errors. Every call reports a failure by throwing kernova::api::Error;
// running out of memory throws std::bad_alloc. No call prints anything,
// touches a file or keeps state between calls: calls may run side by side
// in several threads.
#ifndef KERNOVA_KERNOVA_HPP_
#define KERNOVA_KERNOVA_HPP_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// What the shared library exports: this header's declarations and nothing
// else.
#if defined(__GNUC__)
#define KERNOVA_API __attribute__((visibility("default")))
#else
#define KERNOVA_API
#endif

namespace kernova::api {

// A failure of a call. what() is one line without a line end, for example
// "not valid UTF-8 (byte 17)".
class KERNOVA_API Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message, std::optional<std::size_t> input = std::nullopt)
      : std::runtime_error(message), input_(input) {}
  // For `summarize`: the index of the text at fault, when one is.
  std::optional<std::size_t> input() const { return input_; }

 private:
  std::optional<std::size_t> input_;
};

enum class Language { kEnglish, kPortuguese };

// A language the library knows: its code ("en") and its English name.
struct LanguageInfo {
  Language language = Language::kEnglish;
  std::string_view code;
  std::string_view name;
};

// Every language the library knows, in a fixed order.
KERNOVA_API std::span<const LanguageInfo> languages();

enum class Encoding {
  // A text that is valid UTF-8 and holds a byte above 0x7F is read as
  // UTF-8, any other as ISO 8859-1.
  kAutomatic,
  kLatin1,
  // The text must be valid UTF-8; Error otherwise.
  kUtf8,
};

// How a text is read before it is cut into sentences.
struct ReadOptions {
  Language language = Language::kEnglish;
  Encoding encoding = Encoding::kAutomatic;
  // Joins the lines that a hard-wrapped text breaks inside a paragraph: a
  // line end between two lines that both hold a non-blank character
  // becomes a blank. A line end next to a blank line stays, so a blank
  // line still ends the paragraph. (The splitter ends a sentence at every
  // line end.)
  bool unwrap = false;
};

// The sentences of one text.
struct Sentences {
  Encoding encoding = Encoding::kLatin1;  // the text's: kLatin1 or kUtf8
  // One entry per line of the sentence file: each sentence without its line
  // end and without the blanks in front of it. A text whose last line
  // holds only blanks ends with one empty entry, as the sentence file does.
  std::vector<std::string> sentences;
};

// Cuts `text` into sentences. A CR LF pair is one line end. With
// ISO 8859-1 text the sentences, each followed by a line end, are byte for
// byte the sentence file that the splitter programs (CLAVER_En,
// CLAVER_Por) write. Throws Error when `options.encoding` is kUtf8 and the
// text is not valid UTF-8.
KERNOVA_API Sentences split(std::string_view text, const ReadOptions& options = {});

// The stem of one word, in ISO 8859-1 bytes and any letter case, by the
// stemmer of `language`.
KERNOVA_API std::string stem(std::string_view word, Language language);

// The same, replacing the content of `out` (whose storage is reused).
KERNOVA_API void stem(std::string_view word, Language language, std::string& out);

// The size of the extract, in one of three forms.
//
// As the summarizer programs' compression rate: below 1 the share of the
// input's words left out, from 1 up the largest number of words, negative
// for the gist sentence alone.
struct Rate {
  float value = 0.0f;
};
// At most numerator / denominator times the input's words, rounded down,
// computed exactly (0 < numerator <= denominator).
struct Share {
  std::uint64_t numerator = 1;
  std::uint64_t denominator = 1;
};
// At most this many words (0 or more).
struct MaxWords {
  std::int64_t words = 0;
};
using Length = std::variant<Rate, Share, MaxWords>;

// The summarizing method.
enum class Method {
  // The summarizer programs' method: the sentences that score above the
  // average and share a stem with the gist sentence, trimmed to the size.
  kClassic,
  // Sentences early in their text (the shorter the extract, the more that
  // counts), central to the input (close to its centroid, high in a
  // PageRank over the sentences' similarities) and new to the extract,
  // chosen until they hold the size's words: the last one chosen may cross
  // it (a strict ceiling would leave words unused). No condensing or
  // averaging. Better than kClassic on news texts.
  kCentroid,
};

// The best method we have.
inline constexpr Method kBestMethod = Method::kCentroid;

// In every form the gist sentence (for kCentroid, the best sentence) stays
// in the extract even when it alone holds more words than the size allows.
struct SummaryOptions {
  ReadOptions read;
  Method method = Method::kClassic;
  // Rate{0}: no share left out, so the extract is every sentence the method
  // selects.
  Length length = Rate{};
  // Sentences are ranked against this text; read like the texts (with
  // kAutomatic, by its own bytes).
  std::optional<std::string> query;
  // Stopwords are removed inside every sentence before scoring, and the
  // results show the condensed sentences.
  bool condense = false;
  // A sentence scores the average frequency of its words instead of the sum.
  bool average = false;
};

struct SentenceResult {
  // The sentence (condensed with `condense`), in the summary's encoding.
  // It views bytes that the Summary holding it keeps alive (`storage`).
  std::string_view text;
  std::size_t input = 0;  // index of the text it comes from
  std::int64_t words = 0;
  float score = 0.0f;
  bool selected = false;  // part of the extract
  bool gist = false;      // the gist sentence (always selected)
};

struct Summary {
  // kUtf8 when any text was read as UTF-8 (ISO 8859-1 texts then appear
  // in UTF-8 too), else kLatin1.
  Encoding encoding = Encoding::kLatin1;
  // Every sentence of every text, in order.
  std::vector<SentenceResult> sentences;
  std::optional<std::size_t> gist_sentence;  // empty only without sentences
  float threshold = 0.0f;                    // the average score
  std::int64_t size_text = 0;                // words of all the texts
  std::int64_t size_extract = 0;             // the most words the extract may hold
  // Stems of the gist sentence's words that are not stopwords, each once,
  // in the summary's encoding.
  std::vector<std::string> gist_stems;
  // Owns the bytes behind the sentences' texts, shared by copies of the
  // Summary, so copying or moving it keeps every text valid.
  std::shared_ptr<const void> storage;
};

// One summary of `texts` taken together, in order. With ISO 8859-1 texts
// and Rate{r}, the selected sentences are those that the summarizer
// programs (Kernova_En, Kernova_Por) write for the same files, query and
// options at compression rate r. Throws Error (with the text's index in
// input()) when a text or the query cannot be read in the encoding asked
// for, when a Share is not in (0, 1], or when kCentroid is asked to condense
// or average.
KERNOVA_API Summary summarize(std::span<const std::string_view> texts, const SummaryOptions& options = {});

// The extract: each selected sentence followed by a line end, in order.
KERNOVA_API std::string extract(const Summary& summary);

// ROUGE (C.-Y. Lin, 2004) of a candidate summary against a reference.
// Tokens are maximal runs of word characters, lower-cased; the texts are
// UTF-8, and a byte that starts no valid UTF-8 sequence stands for the ISO
// 8859-1 character of the same code. ROUGE-N counts the n-grams the two
// share, each at most as often as in either; ROUGE-L takes the longest
// common subsequence of the two token lists as wholes. Recall divides by
// the reference's count, precision by the candidate's, F is their harmonic
// mean (0 when both are 0).
struct RougeScore {
  double recall = 0.0;
  double precision = 0.0;
  double f = 0.0;
};
struct RougeScores {
  RougeScore rouge1;
  RougeScore rouge2;
  RougeScore rouge_l;
};
struct RougeOptions {
  // Tokens made only of ISO 8859-1 characters are stemmed by this
  // language's stemmer.
  std::optional<Language> stem;
  // The candidate is cut to its first `words` tokens.
  std::optional<std::size_t> words;
};

// Cost: linear in the texts for ROUGE-1 and ROUGE-2, the product of the two
// token counts for ROUGE-L.
KERNOVA_API RougeScores rouge(std::string_view candidate, std::string_view reference,
                              const RougeOptions& options = {});

// Each figure averaged over `scores` (all 0 for none).
KERNOVA_API RougeScores average(std::span<const RougeScores> scores);

}  // namespace kernova::api

#endif  // KERNOVA_KERNOVA_HPP_
