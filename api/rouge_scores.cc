// The public face of the rouge module.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kernova/kernova.hpp"
#include "rouge/rouge.h"

namespace kernova::api {
namespace {

void stem_english(std::string_view word, std::string& out) { stem(word, Language::kEnglish, out); }
void stem_portuguese(std::string_view word, std::string& out) { stem(word, Language::kPortuguese, out); }

rouge::StemFunction stemmer_of(const std::optional<Language>& language) {
  if (!language) return nullptr;
  return *language == Language::kPortuguese ? stem_portuguese : stem_english;
}

RougeScore public_score(const rouge::Score& score) { return {score.recall, score.precision, score.f}; }

}  // namespace

RougeScores rouge(std::string_view candidate, std::string_view reference, const RougeOptions& options) {
  const rouge::StemFunction stem = stemmer_of(options.stem);
  std::vector<std::string> candidate_tokens = rouge::tokens(candidate, stem);
  if (options.words) rouge::cut(candidate_tokens, *options.words);
  const rouge::Scores scores = rouge::score(candidate_tokens, rouge::tokens(reference, stem));
  return {public_score(scores.rouge1), public_score(scores.rouge2), public_score(scores.rouge_l)};
}

RougeScores average(std::span<const RougeScores> scores) {
  auto inner = [](const RougeScore& score) { return rouge::Score{score.recall, score.precision, score.f}; };
  std::vector<rouge::Scores> all;
  all.reserve(scores.size());
  for (const RougeScores& one : scores)
    all.push_back({inner(one.rouge1), inner(one.rouge2), inner(one.rouge_l)});
  const rouge::Scores mean = rouge::average(all);
  return {public_score(mean.rouge1), public_score(mean.rouge2), public_score(mean.rouge_l)};
}

}  // namespace kernova::api
