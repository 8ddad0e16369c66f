#include "summarizer/summarize.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "base/lines.h"
#include "summarizer/method.h"

namespace kernova::summarizer {

Summary summarize(const Edition& edition, std::vector<std::string> sentence_files,
                  const SummaryOptions& options) {
  using namespace method;
  // A size limit given directly stands in for a rate of 0 (no share left
  // out), whose size it then replaces.
  const float rate =
      options.size_extract || std::isnan(options.compression_rate) ? 0.0f : options.compression_rate;

  Summary summary;
  summary.storage = std::move(sentence_files);
  Vocabulary vocabulary(edition);
  Corpus corpus;
  reserve(corpus, summary.storage);
  for (const std::string& file : summary.storage) load(file, vocabulary, corpus);
  std::vector<Sentence>& sentences = corpus.sentences;

  if (options.remove_stopwords) {
    // Every word is in the vocabulary, with its stopword mark.
    auto is_stopword = [&vocabulary](std::string_view word) { return vocabulary.word(word).stopword; };
    Arena arena;
    std::string condensed;
    for (Sentence& sentence : sentences) {
      condense_with(sentence.text, condensed, is_stopword);
      if (condensed.size() <= sentence.text.size()) {
        // Nearly always shorter: it takes the place of the loaded text,
        // whose bytes are the summary's own (summary.storage) and are not
        // read again.
        char* place = const_cast<char*>(sentence.text.data());
        std::copy(condensed.begin(), condensed.end(), place);
        sentence.text = std::string_view(place, condensed.size());
      } else {
        sentence.text = arena.store(condensed);
      }
    }
    summary.condensed_storage = arena.release();
  }

  std::vector<std::uint32_t> ids;
  std::vector<float> scores(sentences.size());
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    scores[i] = sentence_score(corpus.stems_of(i, ids), corpus.frequency, options.average_scores);
  }
  std::vector<float> cosines;
  if (options.query) {
    try {
      const QueryVector query(*options.query, vocabulary);
      CosineScratch scratch(vocabulary.stem_count());
      cosines.resize(sentences.size());
      for (std::size_t i = 0; i < sentences.size(); ++i)
        cosines[i] = cosine(query, corpus.stems_of(i, ids), scratch);
    } catch (const std::bad_alloc&) {
      throw QueryOutOfMemory();
    }
  }
  const Ranking ranking = rank(scores, cosines);
  for (std::size_t i = 0; i < sentences.size(); ++i) sentences[i].score = scores[i];
  summary.threshold = ranking.threshold;
  summary.size_text = corpus.size_text;
  summary.size_extract = options.size_extract ? std::max<std::int32_t>(*options.size_extract, 0)
                                              : extract_size(corpus.size_text, rate);

  std::vector<std::uint8_t> gist_stem(vocabulary.stem_count(), 0);
  if (ranking.gist) {
    Sentence& gist = sentences[*ranking.gist];
    gist.gist = true;
    gist.selected = true;
    for (std::uint32_t stem : corpus.stems_of(*ranking.gist, ids)) {
      if (gist_stem[stem]) continue;
      gist_stem[stem] = 1;
      summary.gist_stems.emplace_back(vocabulary.stem(stem));
    }
  }
  if (!(rate < 0.0f)) {
    mark(sentences, corpus, gist_stem, summary.threshold, rate);
    trim(sentences, summary.size_extract);
  }
  // The gist sentence stays, even above the size limit.
  if (ranking.gist) sentences[*ranking.gist].selected = true;

  summary.gist_sentence = ranking.gist;
  summary.sentences = std::move(sentences);
  return summary;
}

std::string extract_text(const Summary& summary) { return base::selected_lines(summary.sentences); }

}  // namespace kernova::summarizer
