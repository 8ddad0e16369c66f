// The library's own time per text, for the Python benchmark to set its
// calls beside: every file in FOLDER is read into memory, then summarized
// on its own by kernova::api::summarize at most WORDS words, in three
// rounds; prints the best round's microseconds per text, of wall time and
// of CPU time (a shared machine's other work leaves the second alone).
//
// Usage: summarize_texts_bench FOLDER WORDS
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "kernova/kernova.hpp"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: summarize_texts_bench FOLDER WORDS\n");
    return 2;
  }
  std::vector<std::filesystem::path> names;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) names.push_back(entry.path());
  std::sort(names.begin(), names.end());
  std::vector<std::string> texts;
  for (const auto& name : names) {
    std::ifstream in(name, std::ios::binary);
    texts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (texts.empty()) {
    std::fprintf(stderr, "summarize_texts_bench: no texts in %s\n", argv[1]);
    return 1;
  }
  kernova::api::SummaryOptions options;
  options.length = kernova::api::MaxWords{std::atoll(argv[2])};
  double best = 0;
  double best_cpu = 0;
  std::size_t selected = 0;
  for (int round = 0; round < 3; ++round) {
    const std::clock_t cpu_start = std::clock();
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& text : texts) {
      const std::string_view one[] = {text};
      const kernova::api::Summary summary = kernova::api::summarize(one, options);
      selected += summary.sentences.size();
    }
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    const double cpu = 1e6 * static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    best = round == 0 ? took.count() : std::min(best, took.count());
    best_cpu = round == 0 ? cpu : std::min(best_cpu, cpu);
  }
  // `selected` keeps the calls from being optimized away.
  const double count = static_cast<double>(texts.size());
  std::printf("%.3f %.3f %zu\n", best / count, best_cpu / count, selected);
  return 0;
}
