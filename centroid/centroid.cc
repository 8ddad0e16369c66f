#include "centroid/centroid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <queue>
#include <span>
#include <utility>

#include "summarizer/method.h"

namespace kernova::centroid {
namespace {

using summarizer::Sentence;
using summarizer::method::Corpus;

// Reads every sentence's stems once: the distinct stems of each, and over
// the input each stem's count and the number of sentences that hold it.
StemSets stem_sets(const Corpus& corpus, std::size_t stem_count, std::vector<std::uint32_t>& term_frequency,
                   std::vector<std::uint32_t>& sentence_frequency) {
  StemSets sets;
  sets.stems.reserve(corpus.stems.size());
  sets.begin.reserve(corpus.sentences.size() + 1);
  term_frequency.assign(stem_count, 0);
  sentence_frequency.assign(stem_count, 0);
  std::vector<std::uint32_t> last_sentence(stem_count, UINT32_MAX);
  std::vector<std::uint32_t> ids;
  for (std::size_t i = 0; i < corpus.sentences.size(); ++i) {
    for (std::uint32_t stem : corpus.stems_of(i, ids)) {
      ++term_frequency[stem];
      if (last_sentence[stem] == i) continue;
      last_sentence[stem] = static_cast<std::uint32_t>(i);
      ++sentence_frequency[stem];
      sets.stems.push_back(stem);
    }
    sets.begin.push_back(sets.stems.size());
  }
  return sets;
}

// The cosine between each sentence's isf-weighted stem set and the
// centroid of the input (tf * isf).
std::vector<double> centralities(const StemSets& sets, std::span<const std::uint32_t> term_frequency,
                                 std::span<const double> isf) {
  double centroid_norm = 0.0;
  for (std::size_t s = 0; s < isf.size(); ++s) {
    const double weight = term_frequency[s] * isf[s];
    centroid_norm += weight * weight;
  }
  centroid_norm = std::sqrt(centroid_norm);
  std::vector<double> result(sets.begin.size() - 1, 0.0);
  if (centroid_norm == 0.0) return result;
  for (std::size_t i = 0; i < result.size(); ++i) {
    double dot = 0.0;
    double norm = 0.0;
    for (std::uint32_t s : sets.of(i)) {
      dot += isf[s] * term_frequency[s] * isf[s];
      norm += isf[s] * isf[s];
    }
    if (norm > 0.0) result[i] = dot / (std::sqrt(norm) * centroid_norm);
  }
  return result;
}

std::int32_t budget_of(const summarizer::SummaryOptions& options, std::int64_t size_text) {
  if (options.size_extract) return std::max<std::int32_t>(*options.size_extract, 0);
  const float rate = std::isnan(options.compression_rate) ? 0.0f : options.compression_rate;
  return summarizer::method::extract_size(size_text, rate);
}

// The weight of position for a budget that is `share` of the input.
double position_weight_for(const Parameters& p, double share) {
  if (share <= p.short_share) return p.position_weight;
  if (share >= p.long_share) return p.position_weight_long;
  return p.position_weight + (p.position_weight_long - p.position_weight) * (share - p.short_share) /
                                 (p.long_share - p.short_share);
}

}  // namespace

// Ranks stop when no rank moves by more than this, or after so many rounds
// (each round divides the distance to the fixed point by 1 / damping at
// least).
namespace {
constexpr double kTolerance = 1e-4;
constexpr int kMaxIterations = 100;
}  // namespace

// The n * n weights are never formed: with V the matrix whose rows are the
// sentences' unit vectors, W x = V (V^T x) - x (the pair of a sentence with
// itself taken out), two passes over the stems of every sentence.
std::vector<double> cosine_ranks(const StemSets& sets, std::span<const double> isf, double damping) {
  const std::size_t n = sets.begin.size() - 1;
  std::vector<double> inverse_norm(n, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    double norm = 0.0;
    for (std::uint32_t s : sets.of(i)) norm += isf[s] * isf[s];
    if (norm > 0.0) inverse_norm[i] = 1.0 / std::sqrt(norm);
  }
  std::vector<double> by_stem(isf.size());
  auto weigh = [&](std::span<const double> x, std::span<double> y) {
    std::fill(by_stem.begin(), by_stem.end(), 0.0);
    for (std::size_t i = 0; i < n; ++i) {
      const double scaled = inverse_norm[i] * x[i];
      if (scaled == 0.0) continue;
      for (std::uint32_t s : sets.of(i)) by_stem[s] += isf[s] * scaled;
    }
    for (std::size_t i = 0; i < n; ++i) {
      double sum = 0.0;
      for (std::uint32_t s : sets.of(i)) sum += isf[s] * by_stem[s];
      // Rounding may leave a sentence that shares nothing a little below 0.
      y[i] = inverse_norm[i] > 0.0 ? std::max(0.0, inverse_norm[i] * sum - x[i]) : 0.0;
    }
  };
  std::vector<double> rank(n, 1.0);
  std::vector<double> strength(n);
  weigh(rank, strength);
  std::vector<double> passed(n);
  std::vector<double> received(n);
  for (int round = 0; round < kMaxIterations; ++round) {
    // A sentence that shares no stem (strength 0 up to rounding) passes
    // nothing on.
    for (std::size_t j = 0; j < n; ++j) passed[j] = strength[j] > 1e-9 ? rank[j] / strength[j] : 0.0;
    weigh(passed, received);
    double change = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
      const double next = (1.0 - damping) + damping * received[i];
      change = std::max(change, std::abs(next - rank[i]));
      rank[i] = next;
    }
    if (change < kTolerance) break;
  }
  return rank;
}

summarizer::Summary summarize(const summarizer::Edition& edition, std::vector<std::string> sentence_files,
                              const summarizer::SummaryOptions& options, const Parameters& parameters,
                              Fill fill) {
  using namespace summarizer::method;
  summarizer::Summary summary;
  summary.storage = std::move(sentence_files);
  Vocabulary vocabulary(edition);
  Corpus corpus;
  reserve(corpus, summary.storage);
  // Each sentence's place in its own text.
  std::vector<std::size_t> place;
  for (const std::string& file : summary.storage) {
    const std::size_t first = corpus.sentences.size();
    load(file, vocabulary, corpus);
    for (std::size_t i = first; i < corpus.sentences.size(); ++i) place.push_back(i - first);
  }
  std::vector<Sentence>& sentences = corpus.sentences;
  const std::size_t n = sentences.size();

  std::vector<std::uint32_t> term_frequency;
  std::vector<std::uint32_t> sentence_frequency;
  const StemSets sets = stem_sets(corpus, vocabulary.stem_count(), term_frequency, sentence_frequency);
  // Inverse sentence frequency; n + 1 keeps a stem of every sentence above 0.
  std::vector<double> isf(vocabulary.stem_count(), 0.0);
  for (std::size_t s = 0; s < isf.size(); ++s) {
    if (sentence_frequency[s] > 0) isf[s] = std::log((n + 1.0) / sentence_frequency[s]);
  }
  const std::vector<double> centrality = centralities(sets, term_frequency, isf);
  const double top_centrality =
      centrality.empty() ? 0.0 : *std::max_element(centrality.begin(), centrality.end());

  std::vector<float> cosines;
  if (options.query) {
    try {
      const QueryVector query(*options.query, vocabulary);
      CosineScratch scratch(vocabulary.stem_count());
      std::vector<std::uint32_t> ids;
      cosines.resize(n);
      for (std::size_t i = 0; i < n; ++i) cosines[i] = cosine(query, corpus.stems_of(i, ids), scratch);
    } catch (const std::bad_alloc&) {
      throw summarizer::QueryOutOfMemory();
    }
  }

  const float rate = std::isnan(options.compression_rate) ? 0.0f : options.compression_rate;
  const bool best_alone = !options.size_extract && rate < 0.0f;
  summary.size_text = corpus.size_text;
  summary.size_extract = budget_of(options, corpus.size_text);
  const std::int64_t budget = summary.size_extract;
  // The budget as a share of the input's words; no size keeps everything.
  double budget_share = 1.0;
  if (best_alone) {
    budget_share = 0.0;
  } else if (corpus.size_text > 0 && (options.size_extract || rate != 0.0f)) {
    budget_share = std::min(1.0, static_cast<double>(budget) / corpus.size_text);
  }
  const double position_weight = position_weight_for(parameters, budget_share);
  const std::vector<double> graph =
      parameters.graph_weight > 0.0f ? cosine_ranks(sets, isf, parameters.damping) : std::vector<double>();
  const double top_graph = graph.empty() ? 0.0 : *std::max_element(graph.begin(), graph.end());

  double score_sum = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double position = 1.0 / (1.0 + place[i] / static_cast<double>(parameters.position_scale));
    double central = top_centrality > 0.0 ? centrality[i] / top_centrality : 0.0;
    if (top_graph > 0.0) {
      central = (1.0 - parameters.graph_weight) * central + parameters.graph_weight * graph[i] / top_graph;
    }
    double score = position_weight * position + (1.0 - position_weight) * central;
    if (!cosines.empty()) score += parameters.query_weight * cosines[i];
    score *= std::min(1.0, sentences[i].number_of_words / static_cast<double>(parameters.short_sentence));
    sentences[i].score = static_cast<float>(score);
    score_sum += sentences[i].score;
  }
  summary.threshold = n == 0 ? 0.0f : static_cast<float>(score_sum / n);

  // Lazy greedy choice: a sentence's value (score times novelty) only falls
  // as stems get covered, so a value taken from the queue that still tops
  // the queue once recomputed is the best one.
  std::vector<std::uint8_t> covered(vocabulary.stem_count(), 0);
  auto value_of = [&](std::size_t i) {
    double all = 0.0;
    double fresh = 0.0;
    for (std::uint32_t s : sets.of(i)) {
      const double weight = 1.0 + isf[s];
      all += weight;
      if (!covered[s]) fresh += weight;
    }
    return all > 0.0 ? sentences[i].score * (fresh / all) : static_cast<double>(sentences[i].score);
  };
  // Greater value first; of equals, the earlier sentence.
  using Entry = std::pair<double, std::size_t>;
  auto later = [](const Entry& a, const Entry& b) {
    return a.first < b.first || (a.first == b.first && a.second > b.second);
  };
  std::priority_queue<Entry, std::vector<Entry>, decltype(later)> queue(later);
  for (std::size_t i = 0; i < n; ++i) {
    if (sentences[i].number_of_words > 0) queue.push({sentences[i].score, i});
  }
  std::int64_t chosen_words = 0;
  while (!queue.empty()) {
    const auto [stale, i] = queue.top();
    queue.pop();
    const double value = value_of(i);
    if (value < stale && !queue.empty() && later(Entry{value, i}, queue.top())) {
      queue.push({value, i});
      continue;
    }
    const bool first = !summary.gist_sentence.has_value();
    if (!first) {
      if (best_alone || chosen_words >= budget) break;
      if (fill == Fill::kCeiling && chosen_words + sentences[i].number_of_words > budget) continue;
    }
    sentences[i].selected = true;
    chosen_words += sentences[i].number_of_words;
    for (std::uint32_t s : sets.of(i)) covered[s] = 1;
    if (first) {
      summary.gist_sentence = i;
      sentences[i].gist = true;
      for (std::uint32_t s : sets.of(i)) summary.gist_stems.emplace_back(vocabulary.stem(s));
    }
  }
  summary.sentences = std::move(sentences);
  return summary;
}

}  // namespace kernova::centroid
