// Cost of a whole summary (splitting, loading, scoring, choosing) by the
// centroid method and by the classic one, on texts of 0.25 to 4 MB kept at
// 30 % of their words. The texts are sentences of 6 to 35 words drawn from
// a dictionary (by default /usr/share/dict/american-english; another list
// can be named in KERNOVA_EN_WORDS), frequent words far more often than
// rare ones, five sentences to a paragraph.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "kernova/kernova.hpp"

namespace {

std::vector<std::string> dictionary() {
  const char* path = std::getenv("KERNOVA_EN_WORDS");
  std::ifstream in(path != nullptr ? path : "/usr/share/dict/american-english", std::ios::binary);
  std::vector<std::string> words;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.find('\'') == std::string::npos) words.push_back(line);
  }
  if (words.empty()) words = {"storm", "harbour", "council", "bridge", "ferry", "rain", "road", "town"};
  return words;
}

// About `bytes` bytes of text.
std::string make_text(std::size_t bytes) {
  static const std::vector<std::string> words = dictionary();
  std::uint64_t state = 0x9E3779B97F4A7C15ULL;
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  std::string text;
  text.reserve(bytes + 256);
  for (int sentence = 0; text.size() < bytes; ++sentence) {
    const int length = 6 + static_cast<int>(next() % 30);
    for (int i = 0; i < length; ++i) {
      // The cube of a uniform number in [0, 1) leans hard toward the
      // list's first words.
      const double u = static_cast<double>(next() % 1000000) / 1000000.0;
      const std::string& word = words[static_cast<std::size_t>(u * u * u * words.size())];
      if (i == 0 && word[0] >= 'a' && word[0] <= 'z') {
        text += static_cast<char>(word[0] - 'a' + 'A');
        text.append(word, 1);
      } else {
        text += word;
      }
      text += i + 1 < length ? " " : ".";
    }
    text += sentence % 5 == 4 ? "\n\n" : " ";
  }
  return text;
}

void summarize(benchmark::State& state, kernova::api::Method method) {
  const std::string text = make_text(static_cast<std::size_t>(state.range(0)) * 1024);
  const std::string_view texts[] = {text};
  kernova::api::SummaryOptions options;
  options.method = method;
  options.length = kernova::api::Share{3, 10};
  for (auto _ : state) {
    kernova::api::Summary summary = kernova::api::summarize(texts, options);
    benchmark::DoNotOptimize(summary.sentences.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
  state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}

void BM_Centroid(benchmark::State& state) { summarize(state, kernova::api::Method::kCentroid); }
void BM_Classic(benchmark::State& state) { summarize(state, kernova::api::Method::kClassic); }

// Sizes in KB: 0.25, 0.5, 1, 2 and 4 MB.
BENCHMARK(BM_Centroid)
    ->RangeMultiplier(2)
    ->Range(256, 4096)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_Classic)
    ->RangeMultiplier(2)
    ->Range(256, 4096)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
