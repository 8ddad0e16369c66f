// A whole run of the centroid method in memory on arbitrary texts, query
// and budget, in both editions. Checked for every run:
// - the summary holds the sentence files' sentences, in order, with their
//   word counts, and every score is finite and not negative;
// - the best sentence (the gist) is selected, scores highest among the
//   sentences with words (the first of equals wins), and gives the gist
//   stems;
// - the budget is met as promised: when the selected sentences hold fewer
//   words than the budget, every sentence with words is selected; else
//   some selected sentence (the last one chosen) takes them below the
//   budget when it is left out, unless the gist alone is selected.
//
// Input: byte 0 holds the flags (bit 0 Portuguese, bit 3 a query, bits 4-5
// the number of texts less one); bytes 1 and 2 the budget, a signed
// number. Then come the query (if any) and the texts, each ended by a byte
// 0x01 (the last one by the end of the input).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "centroid/centroid.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "splitter/splitter.h"
#include "summarizer/edition.h"
#include "summarizer/summarize.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kernova;
  if (size < 3 || size > 1 << 17) return 0;
  const std::uint8_t flags = data[0];
  const summarizer::Edition& edition =
      (flags & 1) ? summarizer::portuguese_edition() : summarizer::english_edition();
  summarizer::SummaryOptions options;
  options.size_extract = static_cast<std::int16_t>((data[1] << 8) | data[2]);
  std::string_view input(reinterpret_cast<const char*>(data) + 3, size - 3);
  if (flags & 8) options.query = std::string(fuzz::take_field(input));
  const std::size_t texts = 1 + ((flags >> 4) & 3);
  std::vector<std::string> files;
  std::vector<std::string_view> expected;
  for (std::size_t t = 0; t < texts; ++t) {
    files.push_back(splitter::segment_text(edition.language, fuzz::take_field(input)));
  }
  for (const std::string& file : files) fuzz::add_sentences(file, expected);

  const summarizer::Summary summary = centroid::summarize(edition, files, options);
  const std::vector<summarizer::Sentence>& sentences = summary.sentences;
  FUZZ_CHECK(sentences.size() == expected.size());
  std::int64_t with_words = 0;
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    FUZZ_CHECK(sentences[i].text == expected[i]);
    FUZZ_CHECK(sentences[i].number_of_words == static_cast<std::int64_t>(fuzz::words_of(expected[i]).size()));
    FUZZ_CHECK(std::isfinite(sentences[i].score) && sentences[i].score >= 0.0f);
    if (sentences[i].number_of_words > 0) ++with_words;
  }
  FUZZ_CHECK(summary.size_extract == std::max<std::int32_t>(*options.size_extract, 0));
  FUZZ_CHECK(summary.gist_sentence.has_value() == (with_words > 0));
  if (!summary.gist_sentence) {
    for (const summarizer::Sentence& sentence : sentences) FUZZ_CHECK(!sentence.selected);
    return 0;
  }

  const std::size_t gist = *summary.gist_sentence;
  FUZZ_CHECK(sentences[gist].selected && sentences[gist].gist);
  std::int64_t chosen = 0;
  std::size_t chosen_count = 0;
  std::int64_t largest = 0;
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    FUZZ_CHECK(sentences[i].gist == (i == gist));
    if (sentences[i].number_of_words == 0) {
      FUZZ_CHECK(!sentences[i].selected);
      continue;
    }
    FUZZ_CHECK(sentences[i].score <= sentences[gist].score);
    if (i < gist) FUZZ_CHECK(sentences[i].score < sentences[gist].score);
    if (!sentences[i].selected) continue;
    chosen += sentences[i].number_of_words;
    ++chosen_count;
    if (i != gist) largest = std::max(largest, sentences[i].number_of_words);
  }
  if (chosen < summary.size_extract) {
    FUZZ_CHECK(chosen_count == static_cast<std::size_t>(with_words));
  } else if (chosen_count > 1) {
    // Leaving out the sentence chosen last goes below the budget; the
    // largest selected sentence but the gist does at least as well.
    FUZZ_CHECK(chosen - largest < summary.size_extract);
  }

  std::vector<std::string> gist_stems;
  std::string stem;
  for (std::string_view word : fuzz::words_of(expected[gist])) {
    if (language::stopword_folded(edition.language, word)) continue;
    edition.stem(word, stem);
    if (std::find(gist_stems.begin(), gist_stems.end(), stem) == gist_stems.end()) gist_stems.push_back(stem);
  }
  FUZZ_CHECK(summary.gist_stems == gist_stems);
  return 0;
}
