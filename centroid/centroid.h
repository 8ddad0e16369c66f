// The centroid method: an extractive summary that fills a word budget with
// the sentences that stand early in their text, lie close to the centroid of
// the whole input and repeat little of what is already chosen.
//
// For every sentence i (of n in the input; k its place in its own text, 0
// for the first):
//   position(i)  = 1 / (1 + k / position_scale)
//   centrality(i)= cosine between the sentence's set of stems, each weighted
//                  by its inverse sentence frequency isf(s) = log(n / n_s),
//                  and the input's centroid, tf(s) * isf(s) over all
//                  sentences (n_s: sentences holding stem s; stopwords out)
//   score(i)     = position_weight * position(i)
//                + (1 - position_weight) * centrality(i) / max centrality
//                + query_weight * cosine(query, sentence)   [with a query]
//   score(i)    *= min(1, words(i) / short_sentence)
// Sentences are then chosen greedily by score times the share of their
// stems (each weighted 1 + isf) that no chosen sentence holds yet (values
// only fall as coverage grows, so a lazy queue suffices), until
// the chosen sentences hold the budget's words. Cost: linear in the
// input's words plus n log n for the queue.
#ifndef KERNOVA_CENTROID_CENTROID_H_
#define KERNOVA_CENTROID_CENTROID_H_

#include <string>
#include <vector>

#include "summarizer/edition.h"
#include "summarizer/summarize.h"

namespace kernova::centroid {

struct Parameters {
  float position_weight = 0.7f;
  float position_scale = 1.0f;
  float query_weight = 2.0f;
  float short_sentence = 8.0f;
};

// How the budget of N words is met.
enum class Fill {
  // Sentences are added in order of value until they hold N words or
  // more: the last one may cross N.
  kReach,
  // Only sentences that fit in what is left of N are added.
  kCeiling,
};

// Summarizes the texts whose sentence files are `sentence_files` (as
// summarizer::summarize reads them, sentence for sentence the same list).
// From `options`: the query, and the budget: `size_extract` when set, else
// the words that `compression_rate` gives as it does for the classic
// method (below 1 the share left out, from 1 up the number of words; a
// negative rate keeps the best sentence alone). remove_stopwords and
// average_scores must be false. In the result `score` is the sentence's
// score above, `gist` marks the best sentence (always selected), and
// `threshold` is the average score.
summarizer::Summary summarize(const summarizer::Edition& edition, std::vector<std::string> sentence_files,
                              const summarizer::SummaryOptions& options, const Parameters& parameters = {},
                              Fill fill = Fill::kReach);

}  // namespace kernova::centroid

#endif  // KERNOVA_CENTROID_CENTROID_H_
