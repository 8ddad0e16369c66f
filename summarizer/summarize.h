// The summarizing method, in memory: sentence files in, every sentence with
// its score and its place in the extract out. No file is touched and no
// state outlives a call, so calls may run side by side.
#ifndef KERNOVA_SUMMARIZER_SUMMARIZE_H_
#define KERNOVA_SUMMARIZER_SUMMARIZE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "summarizer/edition.h"

namespace kernova::summarizer {

// Memory ran out while the sentences were compared with the query. A
// std::bad_alloc like any other; the programs that word this case apart
// can tell it by its type.
class QueryOutOfMemory : public std::bad_alloc {
 public:
  const char* what() const noexcept override { return "out of memory comparing sentences with the query"; }
};

struct SummaryOptions {
  // The query, as one text; without one the gist sentence is the sentence
  // whose words are the most frequent of the input.
  std::optional<std::string> query;
  // Below 1: the share of the input's words to leave out. From 1 up: the
  // number of words the extract may hold. Negative: the extract is the gist
  // sentence alone. NaN counts as 0.
  float compression_rate = 0.0f;
  // Option -is: stopwords are removed inside every sentence before scoring,
  // and the extract shows the condensed sentences.
  bool remove_stopwords = false;
  // Option -ak: a sentence scores the average of its words' frequencies
  // instead of their sum.
  bool average_scores = false;
  // When set, the most words the extract may hold (0 or more), in place of
  // the size that the compression rate gives; the rate is then not used.
  std::optional<std::int32_t> size_extract;
};

struct Sentence {
  // The sentence as loaded, or condensed with -is. Views bytes owned by the
  // Summary that holds the sentence.
  std::string_view text;
  // Words of the sentence as loaded, stopwords included (with -is too).
  std::int64_t number_of_words = 0;
  float score = 0.0f;
  bool selected = false;  // part of the extract
  bool gist = false;      // the gist sentence (always selected)
};

// The outcome of one summarizing run. Move-only: the sentences view bytes
// that the Summary owns, and moving keeps them in place.
struct Summary {
  Summary() = default;
  Summary(Summary&&) = default;
  Summary& operator=(Summary&&) = default;
  Summary(const Summary&) = delete;
  Summary& operator=(const Summary&) = delete;

  // Every sentence of every input, in input order.
  std::vector<Sentence> sentences;
  // Index of the gist sentence; empty only when there is no sentence.
  std::optional<std::size_t> gist_sentence;
  // The average score (before the gist sentence's raise for a query); 0
  // when there is no sentence.
  float threshold = 0.0f;
  // The most words the extract may hold (the gist sentence may exceed it).
  std::int32_t size_extract = 0;
  // Words of the whole input, stopwords included.
  std::int64_t size_text = 0;
  // Stems of the gist sentence's non-stopword words, each once, in order
  // of first occurrence.
  std::vector<std::string> gist_stems;

  // Owned bytes behind the sentences' texts: the sentence files (with -is
  // holding the condensed sentences in place of the loaded ones) and the
  // condensed sentences that came out longer than they went in.
  std::vector<std::string> storage;
  std::vector<std::unique_ptr<char[]>> condensed_storage;
};

// Summarizes the texts whose sentence files (the splitter's output: one
// sentence per line, each ended by a line feed) are `sentence_files`, in
// order, as one input. A line feed ends a line; every other byte, CR and
// NUL included, belongs to the sentence. Empty lines give no sentence, and
// blanks and tabs at the start of a line are dropped except on the first
// line of each file. Fails only when memory runs out: std::bad_alloc
// (QueryOutOfMemory while comparing sentences with the query). Cost and
// memory grow linearly with the input; the summary keeps the sentence
// files' bytes (the sentences view them).
Summary summarize(const Edition& edition, std::vector<std::string> sentence_files,
                  const SummaryOptions& options);

// The extract as a file holds it: each selected sentence followed by a
// line feed, in input order.
std::string extract_text(const Summary& summary);

}  // namespace kernova::summarizer

#endif  // KERNOVA_SUMMARIZER_SUMMARIZE_H_
