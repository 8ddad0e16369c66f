// Summarizer runs side by side in one working folder, each on inputs of
// its own: every run writes the extract it writes when it runs alone. The
// only file they share is the marker "_ready_.tmp".
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/test_util.h"

namespace kernova::testing {
namespace {

namespace fs = std::filesystem;

std::string sample(const std::string& name) {
  return read_file(fs::path(KERNOVA_SOURCE_DIR) / "samples" / name);
}

// A longer text made of a sample's paragraphs, so that runs last long
// enough to overlap; `variant` keeps the texts apart.
std::string long_text(const std::string& sample_text, int variant) {
  std::string text;
  for (int copy = 0; copy < 400; ++copy) {
    text += sample_text;
    text += "Note " + std::to_string(variant * 100 + copy) + " follows here.\n";
  }
  return text;
}

struct Job {
  std::string program;
  std::vector<std::string> args;
  std::string extract;
};

TEST(ConcurrentRunsTest, SideBySideRunsWriteTheExtractsOfRunsOneAfterTheOther) {
  TempDir dir;
  const std::vector<std::pair<std::string, std::string>> inputs = {
      {"storm.txt", long_text(sample("storm.txt"), 1)}, {"ferry.txt", long_text(sample("ferry.txt"), 2)},
      {"frio.txt", long_text(sample("frio.txt"), 3)},   {"one.txt", long_text(sample("storm.txt"), 4)},
      {"two.txt", long_text(sample("ferry.txt"), 5)},   {"tres.txt", long_text(sample("frio.txt"), 6)},
  };
  for (const auto& [name, text] : inputs) write_file(dir / name, text);
  const std::vector<Job> jobs = {
      {"Kernova_En", {"storm.txt", "lifeboat crew", "0.8"}, "storm.sum"},
      {"Kernova_En", {"-is", "-ak", "ferry.txt", "0.5"}, "ferry.sum"},
      {"Kernova_Por", {"frio.txt", "0.9"}, "frio.sum"},
      {"Kernova_En", {"-n2", "one.txt", "two.txt", "0.95"}, "multidoc-two.sum"},
      {"Kernova_Por", {"-is", "tres.txt", "frio", "0.7"}, "tres.sum"},
  };

  // One after the other.
  std::vector<std::string> alone;
  for (const Job& job : jobs) {
    const RunResult result = run(program(job.program), job.args, dir.path());
    ASSERT_EQ(result.status, 0) << job.extract << ": " << result.out;
    alone.push_back(read_file(dir / job.extract));
    ASSERT_FALSE(alone.back().empty()) << job.extract;
    fs::remove(dir / job.extract);
  }

  std::set<std::string> expected_files = {"_ready_.tmp"};
  for (const auto& input : inputs) expected_files.insert(input.first);
  for (const Job& job : jobs) expected_files.insert(job.extract);

  // All at once, a few times over: overlaps fall differently every round.
  using Clock = std::chrono::steady_clock;
  int overlaps = 0;
  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::vector<RunResult> results(jobs.size());
    std::vector<std::pair<Clock::time_point, Clock::time_point>> times(jobs.size());
    std::vector<std::thread> threads;
    for (std::size_t j = 0; j < jobs.size(); ++j) {
      threads.emplace_back([&, j] {
        times[j].first = Clock::now();
        results[j] = run(program(jobs[j].program), jobs[j].args, dir.path());
        times[j].second = Clock::now();
      });
    }
    for (std::thread& thread : threads) thread.join();
    for (std::size_t j = 0; j < jobs.size(); ++j) {
      for (std::size_t k = j + 1; k < jobs.size(); ++k) {
        if (times[j].first < times[k].second && times[k].first < times[j].second) ++overlaps;
      }
    }
    for (std::size_t j = 0; j < jobs.size(); ++j) {
      SCOPED_TRACE(jobs[j].extract);
      EXPECT_EQ(results[j].status, 0);
      EXPECT_EQ(results[j].out, "");
      EXPECT_EQ(read_file(dir / jobs[j].extract), alone[j]);
    }
    // No sentence file or temporary file is left; the marker is empty.
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir.path()))
      files.insert(entry.path().filename().string());
    EXPECT_EQ(files, expected_files);
    EXPECT_EQ(read_file(dir / "_ready_.tmp"), "");
    for (const Job& job : jobs) fs::remove(dir / job.extract);
    fs::remove(dir / "_ready_.tmp");
  }
  // The test proves something only if runs did overlap.
  EXPECT_GT(overlaps, 0);
}

}  // namespace
}  // namespace kernova::testing
