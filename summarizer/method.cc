#include "summarizer/method.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "base/huge_pages.h"

namespace kernova::summarizer::method {
namespace {

// A float counter that is raised by 1 at a time stops growing at 2^24,
// where adding 1 no longer changes it. Counts are kept as integers and
// shown as such a counter would show them.
constexpr std::uint32_t kFloatCountLimit = 1u << 24;

float as_float_count(std::uint64_t count) {
  return static_cast<float>(std::min<std::uint64_t>(count, kFloatCountLimit));
}

constexpr std::size_t kArenaBlock = 64 * 1024;

// Byte equality of two strings of the same size, from sizeof(Word) to
// 2 * sizeof(Word) bytes: their first and last Words, which overlap.
template <typename Word>
bool same_ends(const char* a, const char* b, std::size_t size) {
  Word a1, a2, b1, b2;
  std::memcpy(&a1, a, sizeof(Word));
  std::memcpy(&b1, b, sizeof(Word));
  std::memcpy(&a2, a + size - sizeof(Word), sizeof(Word));
  std::memcpy(&b2, b + size - sizeof(Word), sizeof(Word));
  return ((a1 ^ b1) | (a2 ^ b2)) == 0;
}

// Byte equality of two strings of the same size, inline for short words.
bool same_bytes(const char* a, const char* b, std::size_t size) {
  if (size > 16) return std::memcmp(a, b, size) == 0;
  if (size >= 8) return same_ends<std::uint64_t>(a, b, size);
  if (size >= 4) return same_ends<std::uint32_t>(a, b, size);
  for (std::size_t i = 0; i < size; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

}  // namespace

std::string_view Arena::store(std::string_view bytes) {
  if (bytes.empty()) return {};
  char* at;
  if (bytes.size() > kArenaBlock / 4) {
    // A long string gets a block of its own; the current block stays open.
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(bytes.size()));
    at = blocks_.back().get();
  } else {
    if (bytes.size() > left_) {
      blocks_.push_back(std::make_unique_for_overwrite<char[]>(kArenaBlock));
      free_ = blocks_.back().get();
      left_ = kArenaBlock;
    }
    at = free_;
    free_ += bytes.size();
    left_ -= bytes.size();
  }
  std::memcpy(at, bytes.data(), bytes.size());
  return {at, bytes.size()};
}

StringIndex::Slot StringIndex::slot_for(std::string_view key, std::uint64_t hash) {
  Slot slot;
  std::memcpy(&slot.head, key.data(), std::min<std::size_t>(key.size(), sizeof slot.head));
  // The low byte holds the size (255 for any size from 255 up), so that two
  // keys of eight bytes or fewer are equal when their slots' heads and tags
  // are.
  const auto size_byte = static_cast<std::uint32_t>(std::min<std::size_t>(key.size(), 255));
  slot.tag = (static_cast<std::uint32_t>(hash >> 32) & ~0xFFu) | size_byte;
  return slot;
}

std::uint32_t StringIndex::find(std::string_view key, std::uint64_t hash) const {
  if (slots_.empty()) return kMissing;
  const std::size_t mask = slots_.size() - 1;
  const Slot wanted = slot_for(key, hash);
  const std::size_t size = key.size();
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.id_plus_one == 0) return kMissing;
    if (slot.tag != wanted.tag || slot.head != wanted.head) continue;
    if (size <= sizeof slot.head) return slot.id_plus_one - 1;
    const std::string_view candidate = keys_[slot.id_plus_one - 1];
    if (candidate.size() == size && same_bytes(candidate.data() + 8, key.data() + 8, size - 8)) {
      return slot.id_plus_one - 1;
    }
  }
}

std::uint32_t StringIndex::add(std::string_view key, std::uint64_t hash) {
  // Three slots in four at most are used: the tags keep probing cheap.
  if ((keys_.size() + 1) * 4 > slots_.size() * 3) grow(std::max<std::size_t>(64, slots_.size() * 2));
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i].id_plus_one != 0) i = (i + 1) & mask;
  keys_.push_back(key);
  slots_[i] = slot_for(key, hash);
  slots_[i].id_plus_one = static_cast<std::uint32_t>(keys_.size());
  return static_cast<std::uint32_t>(keys_.size() - 1);
}

void StringIndex::grow(std::size_t size) {
  std::vector<Slot, base::HugePageAllocator<Slot>> slots(size);
  const std::size_t mask = slots.size() - 1;
  for (std::size_t id = 0; id < keys_.size(); ++id) {
    const std::uint64_t h = hash(keys_[id]);
    std::size_t i = h & mask;
    while (slots[i].id_plus_one != 0) i = (i + 1) & mask;
    slots[i] = slot_for(keys_[id], h);
    slots[i].id_plus_one = static_cast<std::uint32_t>(id + 1);
  }
  slots_ = std::move(slots);
}

Vocabulary::Word Vocabulary::word(std::string_view word) {
  const std::uint64_t h = StringIndex::hash(word);
  const std::uint32_t id = words_.find(word, h);
  if (id != StringIndex::kMissing) return word_info_[id];

  edition_.stem(word, scratch_);
  const std::uint64_t stem_hash = StringIndex::hash(scratch_);
  std::uint32_t stem = stems_.find(scratch_, stem_hash);
  if (stem == StringIndex::kMissing) stem = stems_.add(arena_.store(scratch_), stem_hash);
  const Word info{stem, language::stopword_folded(edition_.language, word)};
  words_.add(arena_.store(word), h);
  word_info_.push_back(info);
  return info;
}

void reserve(Corpus& corpus, std::span<const std::string> sentence_files) {
  std::size_t lines = 0;
  std::size_t words = 0;
  for (const std::string& file : sentence_files) {
    const char* p = file.data();
    const char* end = p + file.size();
    ++lines;
    while (const void* feed = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
      ++lines;
      p = static_cast<const char*>(feed) + 1;
    }
    // Two words are at least one byte apart.
    words += file.size() / 2 + 1;
  }
  corpus.sentences.reserve(corpus.sentences.size() + lines);
  corpus.stems_begin.reserve(corpus.stems_begin.size() + lines);
  // Three bytes hold any of the first two million stems.
  corpus.stems.reserve(corpus.stems.size() + 3 * words);
  base::prefer_huge_pages_for(corpus.sentences);
  base::prefer_huge_pages_for(corpus.stems_begin);
  base::prefer_huge_pages_for(corpus.stems);
}

void load(std::string_view sentence_file, Vocabulary& vocabulary, Corpus& corpus) {
  const char* data = sentence_file.data();
  const std::size_t size = sentence_file.size();
  std::size_t pos = 0;
  bool first_line = true;
  while (pos < size) {
    if (!first_line) {
      // Blank lines and the blanks and tabs that open a line are not part
      // of any sentence; the first line of a file keeps its blanks.
      while (pos < size && (data[pos] == ' ' || data[pos] == '\t' || data[pos] == '\n')) ++pos;
      if (pos == size) break;
    }
    first_line = false;
    const void* feed = std::memchr(data + pos, '\n', size - pos);
    const std::size_t end = feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - data) : size;
    const std::string_view line(data + pos, end - pos);

    std::int64_t words = 0;
    for_each_word(line, [&](std::string_view word) {
      ++words;
      const Vocabulary::Word info = vocabulary.word(word);
      if (info.stem >= corpus.frequency.size()) corpus.frequency.resize(info.stem + 1, 0);
      ++corpus.frequency[info.stem];
      if (!info.stopword) corpus.add_stem(info.stem);
    });
    if (!line.empty()) {
      corpus.sentences.push_back(Sentence{.text = line, .number_of_words = words});
      corpus.stems_begin.push_back(corpus.stems.size());
      corpus.size_text += words;
    }
    pos = end + 1;
  }
}

void condense(const language::Language& language, std::string_view sentence, std::string& out) {
  condense_with(sentence, out,
                [&language](std::string_view word) { return language::stopword_folded(language, word); });
}

float sentence_score(std::span<const std::uint32_t> stems, std::span<const std::int64_t> frequency,
                     bool average) {
  float score = 0.0f;
  for (std::uint32_t stem : stems) score += static_cast<float>(frequency[stem]);
  if (average) score = stems.empty() ? 0.0f : score / static_cast<float>(stems.size());
  return score;
}

QueryVector::QueryVector(std::string_view query, Vocabulary& vocabulary) {
  std::vector<std::uint64_t> counts;
  for_each_word(query, [&](std::string_view word) {
    const Vocabulary::Word info = vocabulary.word(word);
    if (info.stopword) return;
    if (info.stem >= term_of_stem_.size()) term_of_stem_.resize(info.stem + 1, -1);
    std::int32_t& term = term_of_stem_[info.stem];
    if (term < 0) {
      term = static_cast<std::int32_t>(counts.size());
      counts.push_back(0);
    }
    ++counts[static_cast<std::size_t>(term)];
  });
  float sum = 0.0f;
  for (std::uint64_t count : counts) {
    const float c = as_float_count(count);
    counts_.push_back(c);
    sum += c * c;
  }
  length_ = std::sqrt(sum);
}

float cosine(const QueryVector& query, std::span<const std::uint32_t> stems, CosineScratch& scratch) {
  std::vector<std::uint32_t>& count = scratch.count_;
  std::vector<std::uint32_t>& seen = scratch.seen_;
  std::vector<std::pair<std::int32_t, std::uint32_t>>& shared = scratch.shared_;
  for (std::uint32_t stem : stems) {
    std::uint32_t& c = count[stem];
    if (c == 0) seen.push_back(stem);
    if (c < kFloatCountLimit) ++c;
  }
  // The sums run over the query's terms first, in the query's order, then
  // over the sentence's other stems in order of first occurrence. Terms
  // that one side lacks add 0 and can be left out.
  shared.clear();
  for (std::uint32_t stem : seen) {
    const std::int32_t term = query.term_of(stem);
    if (term >= 0) shared.emplace_back(term, stem);
  }
  std::sort(shared.begin(), shared.end());
  float dot_product = 0.0f;
  float sentence_length = 0.0f;
  for (const auto& [term, stem] : shared) {
    const float in_sentence = as_float_count(count[stem]);
    dot_product += in_sentence * query.count(term);
    sentence_length += in_sentence * in_sentence;
  }
  for (std::uint32_t stem : seen) {
    if (query.term_of(stem) < 0) {
      const float in_sentence = as_float_count(count[stem]);
      sentence_length += in_sentence * in_sentence;
    }
    count[stem] = 0;
  }
  seen.clear();

  sentence_length = std::sqrt(sentence_length);
  const float query_length = query.length();
  if (query_length == 0.0f || sentence_length == 0.0f) return 0.0f;
  const long double lengths =
      static_cast<long double>(sentence_length) * static_cast<long double>(query_length);
  const long double quotient = static_cast<long double>(dot_product) / lengths;
  return static_cast<float>(quotient);
}

float cosine(const Edition& edition, std::string_view query, std::string_view sentence) {
  Vocabulary vocabulary(edition);
  const QueryVector query_vector(query, vocabulary);
  std::vector<std::uint32_t> stems;
  for_each_word(sentence, [&](std::string_view word) {
    const Vocabulary::Word info = vocabulary.word(word);
    if (!info.stopword) stems.push_back(info.stem);
  });
  CosineScratch scratch(vocabulary.stem_count());
  return cosine(query_vector, stems, scratch);
}

Ranking rank(std::span<float> scores, std::span<const float> cosines) {
  Ranking ranking;
  float best_cosine = 0.0f;
  for (std::size_t i = 0; i < cosines.size(); ++i) {
    if (cosines[i] > 0.0f && (!ranking.gist || cosines[i] > best_cosine)) {
      ranking.gist = i;
      best_cosine = cosines[i];
    }
  }
  if (scores.empty()) return ranking;
  // A query that matches no sentence counts as no query.
  const bool by_query = ranking.gist.has_value();
  if (!by_query) ranking.gist = 0;
  float highest = 0.0f;
  float sum = 0.0f;
  for (std::size_t i = 0; i < scores.size(); ++i) {
    if (!by_query && scores[i] > scores[*ranking.gist]) ranking.gist = i;
    if (scores[i] > highest) highest = scores[i];
    sum += scores[i];
  }
  ranking.threshold = sum / static_cast<float>(scores.size());
  if (by_query) scores[*ranking.gist] = highest + 1.0f;
  return ranking;
}

std::int32_t extract_size(std::int64_t size_text, float rate) {
  if (std::isnan(rate)) rate = 0.0f;
  long double size;
  if (rate < 1.0f) {
    const long double t = static_cast<float>(size_text);
    const long double left_out = t * static_cast<long double>(rate);
    size = t - left_out;
  } else {
    size = rate;
  }
  // Only an empty text at rate -inf gives NaN (0 times infinity).
  if (std::isnan(size)) return 0;
  if (size >= static_cast<long double>(INT32_MAX)) return INT32_MAX;
  return static_cast<std::int32_t>(size);
}

void mark(std::span<Sentence> sentences, const Corpus& corpus, std::span<const std::uint8_t> gist_stem,
          float threshold, float rate) {
  if (rate < 0.0f) return;
  std::vector<std::uint32_t> ids;
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    Sentence& sentence = sentences[i];
    if (sentence.selected || !(sentence.score > threshold)) continue;
    for (std::uint32_t stem : corpus.stems_of(i, ids)) {
      if (gist_stem[stem]) {
        sentence.selected = true;
        break;
      }
    }
  }
}

void trim(std::span<Sentence> sentences, std::int64_t size_extract) {
  std::int64_t words = 0;
  std::vector<std::size_t> selected;
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    if (!sentences[i].selected) continue;
    words += sentences[i].number_of_words;
    selected.push_back(i);
  }
  if (words <= size_extract) return;
  // A heap whose top is the next sentence to drop: the lowest score, and of
  // equal scores the last in input order. Dropping one changes nothing for
  // the others, so the drops come in the order of repeated searches.
  auto dropped_later = [&sentences](std::size_t a, std::size_t b) {
    if (sentences[a].score != sentences[b].score) return sentences[a].score > sentences[b].score;
    return a < b;
  };
  std::make_heap(selected.begin(), selected.end(), dropped_later);
  while (words > size_extract && !selected.empty()) {
    std::pop_heap(selected.begin(), selected.end(), dropped_later);
    Sentence& dropped = sentences[selected.back()];
    selected.pop_back();
    dropped.selected = false;
    words -= dropped.number_of_words;
  }
}

}  // namespace kernova::summarizer::method
