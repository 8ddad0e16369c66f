// Cost of the English stemming entry per word: the words of a dictionary as
// they come (capitals, apostrophes and UTF-8 bytes included), the same words
// folded to plain lower case, and one long word.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "english_stemmer/english_stemmer.h"

namespace {

using kernova::english_stemmer::stem_word;

const std::vector<std::string>& dictionary() {
  static const std::vector<std::string> list = [] {
    const char* path = std::getenv("KERNOVA_EN_WORDS");
    std::ifstream in(path != nullptr ? path : "/usr/share/dict/american-english", std::ios::binary);
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) result.push_back(line);
    }
    return result;
  }();
  return list;
}

// Only the words of ASCII letters a to z: the stemmer's own work, with no
// run to look for.
const std::vector<std::string>& plain_words() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> result;
    for (const std::string& word : dictionary()) {
      bool plain = true;
      for (char c : word) plain = plain && c >= 'a' && c <= 'z';
      if (plain) result.push_back(word);
    }
    return result;
  }();
  return list;
}

void set_counters(benchmark::State& state, std::size_t words_per_iteration) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * words_per_iteration));
  state.counters["words"] = static_cast<double>(words_per_iteration);
  // Seconds per word, shown in ns by the console reporter.
  state.counters["per_word"] =
      benchmark::Counter(static_cast<double>(words_per_iteration),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void stem_all(benchmark::State& state, const std::vector<std::string>& words) {
  if (words.empty()) {
    state.SkipWithError("no words (install wamerican or set KERNOVA_EN_WORDS)");
    return;
  }
  std::string out;
  for (auto _ : state) {
    for (const std::string& word : words) {
      stem_word(word, out);
      benchmark::DoNotOptimize(out.data());
    }
    benchmark::ClobberMemory();
  }
  set_counters(state, words.size());
}

void BM_StemmingDictionary(benchmark::State& state) { stem_all(state, dictionary()); }
BENCHMARK(BM_StemmingDictionary)->Unit(benchmark::kMillisecond);

void BM_StemmingPlainWords(benchmark::State& state) { stem_all(state, plain_words()); }
BENCHMARK(BM_StemmingPlainWords)->Unit(benchmark::kMillisecond);

// A word of `state.range(0)` letters ending in a suffix that every step
// looks at: the measure is computed over the whole word several times.
void BM_StemmingLongWord(benchmark::State& state) {
  std::string word;
  while (word.size() + 15 < static_cast<std::size_t>(state.range(0))) word += "ab";
  word += "GENERALIZATIONS";
  std::string out;
  for (auto _ : state) {
    stem_word(word, out);
    benchmark::DoNotOptimize(out.data());
  }
  set_counters(state, 1);
}
BENCHMARK(BM_StemmingLongWord)->Arg(64)->Arg(256)->Arg(4096);

}  // namespace
