// Cost of stemming one Portuguese word. The word list is UTF-8 (as Debian
// ships it); its words are turned into ISO 8859-1 here, and words with
// characters beyond Latin-1 are left out.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "portuguese_stemmer/pool.h"
#include "portuguese_stemmer/portuguese_stemmer.h"

namespace {

using kernova::portuguese_stemmer::create_pool;
using kernova::portuguese_stemmer::irregular_forms;
using kernova::portuguese_stemmer::stem_word;

// `utf8` as ISO 8859-1, or nothing when it holds a character past U+00FF or
// a malformed sequence.
std::optional<std::string> to_latin1(const std::string& utf8) {
  std::string latin1;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      latin1.push_back(static_cast<char>(c));
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
      const unsigned char next = static_cast<unsigned char>(utf8[++i]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      latin1.push_back(static_cast<char>(((c & 0x03) << 6) | (next & 0x3F)));
    } else {
      return std::nullopt;
    }
  }
  return latin1;
}

const std::vector<std::string>& words() {
  static const std::vector<std::string> list = [] {
    const char* path = std::getenv("KERNOVA_PT_WORDS");
    std::ifstream in(path != nullptr ? path : "/usr/share/dict/brazilian");
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);) {
      if (std::optional<std::string> word = to_latin1(line); word && !word->empty()) result.push_back(*word);
    }
    return result;
  }();
  return list;
}

void set_counters(benchmark::State& state, std::size_t words_per_iteration) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * words_per_iteration));
  state.counters["words"] = static_cast<double>(words_per_iteration);
  // Seconds per word, shown in ns by the console reporter's unit scaling.
  state.counters["per_word"] =
      benchmark::Counter(static_cast<double>(words_per_iteration),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The summarizer's use: one call per word, the stem written into a string
// that the caller keeps.
void BM_StemWordList(benchmark::State& state) {
  const std::vector<std::string>& list = words();
  if (list.empty()) {
    state.SkipWithError("no word list: install wbrazilian or set KERNOVA_PT_WORDS");
    return;
  }
  std::string out;
  for (auto _ : state) {
    for (const std::string& word : list) {
      stem_word(word, out);
      benchmark::DoNotOptimize(out.data());
    }
  }
  set_counters(state, list.size());
}
BENCHMARK(BM_StemWordList)->Unit(benchmark::kMillisecond);

// The same with a fresh string per word.
void BM_StemWordListReturning(benchmark::State& state) {
  const std::vector<std::string>& list = words();
  if (list.empty()) {
    state.SkipWithError("no word list: install wbrazilian or set KERNOVA_PT_WORDS");
    return;
  }
  for (auto _ : state) {
    for (const std::string& word : list) benchmark::DoNotOptimize(stem_word(word));
  }
  set_counters(state, list.size());
}
BENCHMARK(BM_StemWordListReturning)->Unit(benchmark::kMillisecond);

// What building the irregular pool costs: paid once per process, where a
// per-word build would add it to every word.
void BM_CreatePool(benchmark::State& state) {
  std::ostream nowhere(nullptr);
  for (auto _ : state) benchmark::DoNotOptimize(create_pool(irregular_forms, nowhere).entries.data());
}
BENCHMARK(BM_CreatePool);

// One long word (several hundred letters) per call.
void BM_StemLongWord(benchmark::State& state) {
  std::string word;
  for (int i = 0; i < 100; ++i) word += "organiza\347\343o";
  std::string out;
  for (auto _ : state) {
    stem_word(word, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * word.size()));
}
BENCHMARK(BM_StemLongWord);

}  // namespace
