// The centroid method: an extractive summary that fills a word budget with
// the sentences that stand early in their text, are central to the whole
// input and repeat little of what is already chosen.
//
// Each sentence i (of n in the input; k its place in its own text, 0 for
// the first) is a set of stems (stopwords out), each weighted by its
// inverse sentence frequency isf(s) = log((n + 1) / n_s), n_s the
// sentences holding s. With share = budget / input words:
//   position(i)   = 1 / (1 + k / position_scale)
//   centroid(i)   = cosine between sentence i and the input's centroid,
//                   tf(s) * isf(s) over all sentences
//   graph(i)      = PageRank of i over the graph of all sentence pairs
//                   weighted by their cosines (damping d)
//   centrality(i) = (1 - graph_weight) * centroid(i) / max centroid
//                 + graph_weight * graph(i) / max graph
//   w             = position weight for `share`: high for short summaries,
//                   where news puts what matters first; low for long ones,
//                   which should cover the whole text
//   score(i)      = w * position(i) + (1 - w) * centrality(i)
//                 + query_weight * cosine(query, sentence)   [with a query]
//   score(i)     *= min(1, words(i) / short_sentence)
// Sentences are then chosen greedily by score times the share of their
// stems (each weighted 1 + isf) that no chosen sentence holds yet (values
// only fall as coverage grows, so a lazy queue suffices), until the chosen
// sentences hold the budget's words. Cost: linear in the input's words for
// each PageRank round (at most 100), plus n log n for the queue.
#ifndef KERNOVA_CENTROID_CENTROID_H_
#define KERNOVA_CENTROID_CENTROID_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "summarizer/edition.h"
#include "summarizer/summarize.h"

namespace kernova::centroid {

struct Parameters {
  // The weight of position is position_weight for budgets up to
  // short_share of the input's words, position_weight_long from long_share
  // up, and in between on the line joining them.
  float position_weight = 0.7f;
  float position_weight_long = 0.2f;
  float short_share = 0.2f;
  float long_share = 0.4f;
  // The share of the graph rank in centrality, and its damping factor.
  float graph_weight = 0.5f;
  float damping = 0.85f;
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

// Each sentence's distinct stems, in order of first occurrence, in one
// array: sentence i holds stems[begin[i], begin[i + 1]).
struct StemSets {
  std::vector<std::uint32_t> stems;
  std::vector<std::size_t> begin{0};

  std::span<const std::uint32_t> of(std::size_t sentence) const {
    return std::span<const std::uint32_t>(stems).subspan(begin[sentence],
                                                         begin[sentence + 1] - begin[sentence]);
  }
};

// PageRank over the graph of every pair of sentences, weighted by the
// cosine of their stem sets (stem s weighted weights[s]): rank(i) = (1 - d)
// + d * sum over j != i of cos(i, j) / strength(j) * rank(j), strength(j)
// the sum of j's cosines; a sentence that shares no stem passes nothing on.
// Rounds stop when no rank moves by 1e-4 or after 100; each costs time
// linear in the stems of all sentences.
std::vector<double> cosine_ranks(const StemSets& sets, std::span<const double> weights, double damping);

}  // namespace kernova::centroid

#endif  // KERNOVA_CENTROID_CENTROID_H_
