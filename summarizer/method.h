// The steps of the summarizing method, one function each, as `summarize`
// runs them: loading, condensation, scoring, query similarity, the gist
// sentence and the threshold, the extract size, selection and trimming.
//
// Numbers follow one rule throughout: scores, the threshold and the
// similarity sums are single-precision floats rounded at every step, in the
// order the sentences and words come; the extract size and the cosine's
// quotient are computed in extended precision (long double).
#ifndef KERNOVA_SUMMARIZER_METHOD_H_
#define KERNOVA_SUMMARIZER_METHOD_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/huge_pages.h"
#include "language/language.h"
#include "language/word_hash.h"
#include "summarizer/edition.h"
#include "summarizer/summarize.h"

namespace kernova::summarizer::method {

// Calls `on_word(word)` for every word of `text`, in order. A word is a
// maximal run of bytes for which language::is_letter holds, of any length.
template <typename OnWord>
void for_each_word(std::string_view text, OnWord&& on_word) {
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    if (!language::is_letter(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < size && language::is_letter(text[end])) ++end;
    on_word(text.substr(i, end - i));
    i = end;
  }
}

// Copies of strings that stay where they are until the arena dies; the
// arena may be moved.
class Arena {
 public:
  std::string_view store(std::string_view bytes);
  // Hands the blocks over (to a Summary that keeps views into them).
  std::vector<std::unique_ptr<char[]>> release() { return std::move(blocks_); }

 private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;
  std::size_t left_ = 0;
};

// A hash index of distinct strings, each given the next id (0, 1, ...).
// Keys are not copied: they must stay valid as long as the index.
//
// A slot keeps a key's first eight bytes and its size beside part of its
// hash, so that a key of eight bytes or fewer is found, or known to be
// missing, from the slot alone; only longer keys read their other bytes.
class StringIndex {
 public:
  static constexpr std::uint32_t kMissing = UINT32_MAX;

  static std::uint64_t hash(std::string_view key) { return hash_word(key); }
  std::uint32_t find(std::string_view key, std::uint64_t hash) const;
  // `key` must not be in the index yet.
  std::uint32_t add(std::string_view key, std::uint64_t hash);
  std::string_view key(std::uint32_t id) const { return keys_[id]; }
  std::size_t size() const { return keys_.size(); }

 private:
  struct Slot {
    std::uint64_t head = 0;        // the key's first bytes, zeros after its end
    std::uint32_t tag = 0;         // hash bits above the index's, and the size
    std::uint32_t id_plus_one = 0;  // 0: the slot is free
  };
  static Slot slot_for(std::string_view key, std::uint64_t hash);
  void grow(std::size_t slots);

  std::vector<Slot, base::HugePageAllocator<Slot>> slots_;
  std::vector<std::string_view, base::HugePageAllocator<std::string_view>> keys_;
};

// The words and stems of one run. Each distinct word (as spelt, case
// included) is stemmed and looked up in the stopword list once; each
// distinct stem gets an id.
class Vocabulary {
 public:
  struct Word {
    std::uint32_t stem;
    bool stopword;
  };

  explicit Vocabulary(const Edition& edition) : edition_(edition) {}

  const Edition& edition() const { return edition_; }
  Word word(std::string_view word);
  std::string_view stem(std::uint32_t id) const { return stems_.key(id); }
  std::size_t stem_count() const { return stems_.size(); }

 private:
  const Edition& edition_;
  Arena arena_;
  StringIndex words_;
  std::vector<Word, base::HugePageAllocator<Word>> word_info_;
  StringIndex stems_;
  std::string scratch_;
};

// The loaded input: the sentences, and for each the stem ids of its
// non-stopword words in text order (all the later steps need of its words;
// removing stopwords with -is leaves them unchanged), and every stem's
// frequency over all words of the input, stopwords included.
//
// The stem ids are stored as variable-length numbers, seven bits to a byte
// (the high bit set on every byte but the last): ids count distinct stems in
// order of first use, so the frequent ones are small and most take one or
// two bytes instead of four.
struct Corpus {
  std::vector<Sentence> sentences;
  std::vector<std::size_t> stems_begin{0};  // sentence i: bytes [begin[i], begin[i+1])
  std::vector<std::uint8_t> stems;
  std::vector<std::int64_t> frequency;
  std::int64_t size_text = 0;

  // Appends `stem` to the stems of the sentence being loaded.
  void add_stem(std::uint32_t stem) {
    while (stem >= 0x80) {
      stems.push_back(static_cast<std::uint8_t>(stem | 0x80));
      stem >>= 7;
    }
    stems.push_back(static_cast<std::uint8_t>(stem));
  }

  // The stem ids of sentence `sentence`, decoded into `ids` (which is
  // overwritten); the span views `ids`.
  std::span<const std::uint32_t> stems_of(std::size_t sentence, std::vector<std::uint32_t>& ids) const {
    ids.clear();
    std::uint32_t value = 0;
    int shift = 0;
    for (std::size_t i = stems_begin[sentence]; i < stems_begin[sentence + 1]; ++i) {
      value |= static_cast<std::uint32_t>(stems[i] & 0x7F) << shift;
      if (stems[i] & 0x80) {
        shift += 7;
      } else {
        ids.push_back(value);
        value = 0;
        shift = 0;
      }
    }
    return ids;
  }
};

// Room for the sentences and words of `sentence_files`, so that loading
// never moves what it has loaded (only pages that are used are touched).
void reserve(Corpus& corpus, std::span<const std::string> sentence_files);

// Appends the sentences of one sentence file to `corpus`; the sentences'
// texts view `sentence_file`.
void load(std::string_view sentence_file, Vocabulary& vocabulary, Corpus& corpus);

namespace internal {
// The condensation of `sentence` into `out` (emptied first): `copy(from,
// size)` appends sentence[from, from + size) to `out`, `insert_blank()`
// appends a blank of the condensation's own.
template <typename IsStopword, typename Copy, typename InsertBlank>
void condense(std::string_view sentence, std::string& out, IsStopword&& is_stopword, Copy&& copy,
              InsertBlank&& insert_blank) {
  out.clear();
  std::size_t word_start = 0;
  std::size_t word_size = 0;
  for (std::size_t i = 0; i < sentence.size(); ++i) {
    const char c = sentence[i];
    if (language::is_letter(c)) {
      if (word_size == 0) word_start = i;
      ++word_size;
      continue;
    }
    if (word_size == 0) continue;  // a non-word byte that follows no word goes
    if (!is_stopword(sentence.substr(word_start, word_size))) copy(word_start, word_size);
    if (c == ' ') {
      if (!out.empty() && out.back() != ' ') copy(i, 1);
    } else {
      copy(i, 1);
      insert_blank();
    }
    word_size = 0;
  }
  if (word_size > 0 && !is_stopword(sentence.substr(word_start, word_size))) copy(word_start, word_size);
  if (!out.empty() && out[0] >= 'a' && out[0] <= 'z') out[0] = static_cast<char>(out[0] - 'a' + 'A');
}
}  // namespace internal

// `sentence` without its stopwords, into `out`. A word is followed by what
// ended it: one blank for a blank (never doubled, never leading), or a
// punctuation mark (any other byte) and a blank, even after a removed
// stopword; other non-word bytes go. The first letter a-z becomes a capital.
// `is_stopword(word)` tells the stopwords.
template <typename IsStopword>
void condense_with(std::string_view sentence, std::string& out, IsStopword&& is_stopword) {
  internal::condense(
      sentence, out, is_stopword, [&](std::size_t from, std::size_t size) { out.append(sentence.substr(from, size)); },
      [&]() { out += ' '; });
}

// `condense_with`, telling also where each byte of `out` came from:
// `sources[k]` is the index in `sentence` of the byte copied to `out[k]`,
// or kInserted for a blank the condensation put in. Gives the same `out`.
inline constexpr std::size_t kInserted = static_cast<std::size_t>(-1);
template <typename IsStopword>
void condense_with_sources(std::string_view sentence, std::string& out, std::vector<std::size_t>& sources,
                           IsStopword&& is_stopword) {
  sources.clear();
  internal::condense(
      sentence, out, is_stopword,
      [&](std::size_t from, std::size_t size) {
        out.append(sentence.substr(from, size));
        for (std::size_t k = 0; k < size; ++k) sources.push_back(from + k);
      },
      [&]() {
        out += ' ';
        sources.push_back(kInserted);
      });
}

// The same with the stopwords of `language`.
void condense(const language::Language& language, std::string_view sentence, std::string& out);

// The sum of the frequencies of a sentence's non-stopword stems, in order;
// with `average`, divided by their number (0 for none).
float sentence_score(std::span<const std::uint32_t> stems, std::span<const std::int64_t> frequency,
                     bool average);

// A query's stems with their counts, in order of first occurrence.
class QueryVector {
 public:
  QueryVector(std::string_view query, Vocabulary& vocabulary);

  // Stems of the vocabulary added after the query was read are never
  // query terms.
  std::int32_t term_of(std::uint32_t stem) const {
    return stem < term_of_stem_.size() ? term_of_stem_[stem] : -1;
  }
  float count(std::int32_t term) const { return counts_[static_cast<std::size_t>(term)]; }
  float length() const { return length_; }

 private:
  std::vector<float> counts_;
  std::vector<std::int32_t> term_of_stem_;  // -1: not a query term
  float length_ = 0.0f;
};

// Work space of `cosine`, reused from sentence to sentence.
class CosineScratch {
 public:
  explicit CosineScratch(std::size_t stem_count) : count_(stem_count, 0) {}

 private:
  friend float cosine(const QueryVector&, std::span<const std::uint32_t>, CosineScratch&);
  std::vector<std::uint32_t> count_;
  std::vector<std::uint32_t> seen_;
  std::vector<std::pair<std::int32_t, std::uint32_t>> shared_;
};

// The cosine between the query's and a sentence's stem-count vectors, in
// [0, 1]; 0 when either has no stem. `stems` are the sentence's non-stopword
// stems, all below the scratch's stem count.
float cosine(const QueryVector& query, std::span<const std::uint32_t> stems, CosineScratch& scratch);

// The same for two texts, the query first.
float cosine(const Edition& edition, std::string_view query, std::string_view sentence);

struct Ranking {
  std::optional<std::size_t> gist;
  float threshold = 0.0f;
};

// Chooses the gist sentence: with cosines (one per sentence; none without
// a query), the first sentence with the greatest positive cosine, whose
// score then becomes the highest score plus 1; otherwise, or when no cosine
// is positive, the first sentence with the highest score. The threshold is
// the average score before that raise (0 for no sentence).
Ranking rank(std::span<float> scores, std::span<const float> cosines);

// The most words an extract may hold for `size_text` words at `rate`: below
// 1 the rate is the share left out (t - t * rate in extended precision,
// truncated), else the rate itself truncated. NaN counts as 0; the result
// is at most INT32_MAX.
std::int32_t extract_size(std::int64_t size_text, float rate);

// Selects every sentence that scores above `threshold` and holds a
// non-stopword word with a gist stem. Nothing is selected for a negative
// rate.
void mark(std::span<Sentence> sentences, const Corpus& corpus, std::span<const std::uint8_t> gist_stem,
          float threshold, float rate);

// While the selected sentences hold more than `size_extract` words, drops
// the selected sentence with the lowest score (the last of equals).
void trim(std::span<Sentence> sentences, std::int64_t size_extract);

}  // namespace kernova::summarizer::method

#endif  // KERNOVA_SUMMARIZER_METHOD_H_
