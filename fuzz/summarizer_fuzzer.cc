// A whole summarizing run in memory on arbitrary texts, queries, rates and
// options, in both editions: the texts go through the splitter into
// sentence files, and those into `summarize`. Checked for every run:
// - the summary holds the sentence files' sentences, in order, with their
//   word counts (condensed with -is);
// - the extract is those sentences that are selected, in order, and holds
//   the gist sentence whenever there is a sentence;
// - the gist sentence has the highest score (the first of the highest
//   without a query), and its stems are the gist stems;
// - the selection is the marked sentences (above the threshold, with a
//   gist word) trimmed from the lowest score (the last of equals) until
//   they fit the size limit, plus the gist sentence: so the extract fits
//   the limit unless it is the gist sentence alone, and a negative rate
//   gives the gist sentence alone;
// - the size limit follows from the rate, or is the one given directly
//   (which makes the rate count as 0).
//
// Input: byte 0 holds the flags (bit 0 Portuguese, bit 1 -is, bit 2 -ak,
// bit 3 a query, bits 4-5 the number of texts less one, bit 6 a size limit
// given directly); byte 1 picks a rate from a table, or from 200 up takes
// the rate's bits from the next 4 bytes. With bit 6 the next 2 bytes are
// the size limit, taken as a signed number. Then come the query (if any)
// and the texts, each ended by a byte 0x01 (the last one by the end of the
// input).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "language/language.h"
#include "splitter/splitter.h"
#include "summarizer/edition.h"
#include "summarizer/method.h"
#include "summarizer/summarize.h"

namespace {

namespace sm = kernova::summarizer;
using kernova::fuzz::add_sentences;
using kernova::fuzz::take_field;
using kernova::fuzz::words_of;

constexpr float kRates[] = {0.0f,
                            0.1f,
                            0.3f,
                            0.5f,
                            0.75f,
                            0.9f,
                            0.999f,
                            0.9999999f,
                            1.0f,
                            1.5f,
                            2.0f,
                            3.0f,
                            5.0f,
                            10.0f,
                            25.0f,
                            100.0f,
                            -1.0f,
                            -0.0f,
                            -0.5f,
                            1e-30f,
                            1e30f,
                            -1e30f,
                            2147483520.0f,  // the largest float below 2^31
                            2147483648.0f,
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN()};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || size > 1 << 17) return 0;
  const std::uint8_t flags = data[0];
  const sm::Edition& edition = (flags & 1) ? sm::portuguese_edition() : sm::english_edition();
  sm::SummaryOptions options;
  options.remove_stopwords = flags & 2;
  options.average_scores = flags & 4;
  const std::size_t texts = 1 + ((flags >> 4) & 3);
  std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
  if (data[1] < 200) {
    options.compression_rate = kRates[data[1] % std::size(kRates)];
  } else if (input.size() >= sizeof(float)) {
    std::memcpy(&options.compression_rate, input.data(), sizeof(float));
    input.remove_prefix(sizeof(float));
  }
  if ((flags & 64) && input.size() >= 2) {
    options.size_extract = static_cast<std::int16_t>((static_cast<unsigned char>(input[0]) << 8) |
                                                     static_cast<unsigned char>(input[1]));
    input.remove_prefix(2);
  }
  if (flags & 8) options.query = std::string(take_field(input));

  std::vector<std::string> sentence_files;
  std::vector<std::string_view> expected;
  for (std::size_t t = 0; t < texts; ++t) {
    sentence_files.push_back(kernova::splitter::segment_text(edition.language, take_field(input)));
  }
  for (const std::string& file : sentence_files) add_sentences(file, expected);

  const sm::Summary summary = sm::summarize(edition, sentence_files, options);
  const std::vector<sm::Sentence>& sentences = summary.sentences;
  const float rate = options.compression_rate;

  // The sentences, as loaded or condensed, with their word counts.
  FUZZ_CHECK(sentences.size() == expected.size());
  std::vector<std::string> texts_shown(expected.size());
  std::int64_t size_text = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto words = static_cast<std::int64_t>(words_of(expected[i]).size());
    FUZZ_CHECK(sentences[i].number_of_words == words);
    size_text += words;
    if (options.remove_stopwords) {
      sm::method::condense(edition.language, expected[i], texts_shown[i]);
    } else {
      texts_shown[i] = expected[i];
    }
    FUZZ_CHECK(sentences[i].text == texts_shown[i]);
  }
  FUZZ_CHECK(summary.size_text == size_text);

  // The extract: the selected sentences in input order, gist included.
  std::string extract;
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    if (sentences[i].selected) extract.append(texts_shown[i]).push_back('\n');
  }
  FUZZ_CHECK(sm::extract_text(summary) == extract);
  FUZZ_CHECK(summary.gist_sentence.has_value() == !sentences.empty());
  if (sentences.empty()) {
    FUZZ_CHECK(extract.empty());
    return 0;
  }
  const std::size_t gist = *summary.gist_sentence;
  FUZZ_CHECK(gist < sentences.size());
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    FUZZ_CHECK(sentences[i].gist == (i == gist));
    FUZZ_CHECK(sentences[i].score <= sentences[gist].score);
    if (!options.query && i < gist) FUZZ_CHECK(sentences[i].score < sentences[gist].score);
  }
  FUZZ_CHECK(sentences[gist].selected);

  // The gist stems: those of the gist sentence's words that are no
  // stopwords, each once, in order.
  std::vector<std::string> gist_stems;
  std::string stem;
  for (std::string_view word : words_of(expected[gist])) {
    if (kernova::language::stopword_folded(edition.language, word)) continue;
    edition.stem(word, stem);
    if (std::find(gist_stems.begin(), gist_stems.end(), stem) == gist_stems.end()) gist_stems.push_back(stem);
  }
  FUZZ_CHECK(summary.gist_stems == gist_stems);
  const std::set<std::string> gist_stem_set(gist_stems.begin(), gist_stems.end());

  // The size limit.
  const float checked_rate = options.size_extract || std::isnan(rate) ? 0.0f : rate;
  if (options.size_extract) {
    FUZZ_CHECK(summary.size_extract == std::max<std::int32_t>(*options.size_extract, 0));
  } else if (checked_rate >= 0.0f && checked_rate < 1.0f) {
    FUZZ_CHECK(summary.size_extract >= 0 && summary.size_extract <= summary.size_text);
  } else if (checked_rate >= 1.0f) {
    const std::int64_t whole =
        checked_rate >= 2147483647.0f ? INT32_MAX : static_cast<std::int64_t>(std::trunc(checked_rate));
    FUZZ_CHECK(summary.size_extract == whole);
  }

  // The selection, worked out the other way round: the marked sentences in
  // the order in which trimming drops them, dropped until they fit.
  std::vector<std::size_t> marked;
  if (!(checked_rate < 0.0f)) {
    for (std::size_t i = 0; i < sentences.size(); ++i) {
      bool qualifies = i == gist;
      if (!qualifies && sentences[i].score > summary.threshold) {
        for (std::string_view word : words_of(expected[i])) {
          if (kernova::language::stopword_folded(edition.language, word)) continue;
          edition.stem(word, stem);
          if (gist_stem_set.count(stem)) {
            qualifies = true;
            break;
          }
        }
      }
      if (qualifies) marked.push_back(i);
    }
  }
  std::stable_sort(marked.begin(), marked.end(), [&](std::size_t a, std::size_t b) {
    if (sentences[a].score != sentences[b].score) return sentences[a].score < sentences[b].score;
    return a > b;
  });
  std::int64_t held = 0;
  for (std::size_t i : marked) held += sentences[i].number_of_words;
  std::size_t dropped = 0;
  while (held > summary.size_extract && dropped < marked.size())
    held -= sentences[marked[dropped++]].number_of_words;
  std::vector<bool> selected(sentences.size(), false);
  for (std::size_t k = dropped; k < marked.size(); ++k) selected[marked[k]] = true;
  selected[gist] = true;
  std::int64_t extract_words = 0;
  std::size_t extract_sentences = 0;
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    FUZZ_CHECK(sentences[i].selected == selected[i]);
    if (selected[i]) {
      extract_words += sentences[i].number_of_words;
      ++extract_sentences;
    }
  }
  FUZZ_CHECK(extract_words <= summary.size_extract || extract_sentences == 1);
  if (checked_rate < 0.0f) FUZZ_CHECK(extract_sentences == 1);
  return 0;
}
