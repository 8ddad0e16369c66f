// The centroid method on small texts written for it: what it picks first,
// how it meets the budget, and what it leaves out.
#include "centroid/centroid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "summarizer/edition.h"
#include "summarizer/summarize.h"

namespace kernova::centroid {
namespace {

using summarizer::Sentence;

// Sentence files are one sentence a line, as the splitter writes them.
// Its sentences share no word but stopwords, so none makes another
// redundant and position decides.
const std::string
    kFlood =
        "Heavy rain flooded the valley road and closed the old stone bridge on Monday.\n"      // 14 words
        "Council workers placed yellow warning signs at both ends of every lane nearby.\n"     // 13
        "Shops in the village opened late because delivery vans arrived after lunch today.\n"  // 13
        "A local choir still held its concert in the church hall that evening.\n"              // 13
        "Forecasters expect drier weather from Thursday onwards with bright sunshine across southern "
        "counties.\n";  // 13

// "0,2" for the selected sentences (by index), "*" after the gist.
std::string picks(const summarizer::Summary& summary) {
  std::string out;
  for (std::size_t i = 0; i < summary.sentences.size(); ++i) {
    const Sentence& sentence = summary.sentences[i];
    if (!sentence.selected) continue;
    if (!out.empty()) out += ',';
    out += std::to_string(i) + (sentence.gist ? "*" : "");
  }
  return out;
}

summarizer::Summary run(std::vector<std::string> files, summarizer::SummaryOptions options,
                        Fill fill = Fill::kReach) {
  return summarize(summarizer::english_edition(), std::move(files), options, Parameters{}, fill);
}

summarizer::SummaryOptions words(std::int32_t n) {
  summarizer::SummaryOptions options;
  options.size_extract = n;
  return options;
}

TEST(CentroidTest, TheBudgetIsReachedAndTheLastSentenceMayCrossIt) {
  struct Case {
    std::int32_t budget;
    Fill fill;
    std::string picks;
  };
  // The lead sentence is the best; budgets are met by adding sentences in
  // order of value until the words reach the budget (kReach) or while they
  // fit under it (kCeiling). The best sentence stays even when it alone is
  // over the budget.
  const Case cases[] = {
      {0, Fill::kReach, "0*"},
      {1, Fill::kReach, "0*"},
      {14, Fill::kReach, "0*"},
      {15, Fill::kReach, "0*,1"},
      {27, Fill::kReach, "0*,1"},
      {28, Fill::kReach, "0*,1,2"},
      {1000, Fill::kReach, "0*,1,2,3,4"},
      {1, Fill::kCeiling, "0*"},
      {26, Fill::kCeiling, "0*"},
      {27, Fill::kCeiling, "0*,1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.budget) + (c.fill == Fill::kReach ? " reach" : " ceiling"));
    const summarizer::Summary summary = run({kFlood}, words(c.budget), c.fill);
    EXPECT_EQ(picks(summary), c.picks);
    EXPECT_EQ(summary.size_extract, c.budget);
    EXPECT_EQ(summary.size_text, 66);
  }
}

TEST(CentroidTest, RatesGiveTheBudgetAsForTheClassicMethod) {
  summarizer::SummaryOptions options;
  options.compression_rate = 0.6f;  // 40 % of 66 words kept: 26
  summarizer::Summary summary = run({kFlood}, options);
  EXPECT_EQ(summary.size_extract, 26);
  EXPECT_EQ(picks(summary), "0*,1");
  options.compression_rate = -1.0f;  // the best sentence alone
  EXPECT_EQ(picks(run({kFlood}, options)), "0*");
}

TEST(CentroidTest, ARepeatedSentenceIsNotChosenAgain) {
  // Sentence 1 says what sentence 0 says; every stem of it is covered once
  // sentence 0 is chosen, so sentence 2 comes next although it stands later.
  const std::string text =
      "The ferry to the island stopped running after the storm damaged its landing stage.\n"
      "The ferry to the island stopped running after the storm damaged its landing stage.\n"
      "Engineers from the county declared the landing stage unsafe for passengers and cars.\n";
  EXPECT_EQ(picks(run({text}, words(20))), "0*,2");
}

TEST(CentroidTest, AQueryLiftsTheSentenceItMatches) {
  summarizer::SummaryOptions options = words(1);
  options.query = "choir concert";
  EXPECT_EQ(picks(run({kFlood}, options)), "3*");
}

TEST(CentroidTest, PositionCountsInEachText) {
  // Two texts: the first sentence of each ranks above the second sentences.
  const std::string second =
      "A late frost damaged the apple blossom in the orchards along the river.\n"
      "Growers lit small fires between the rows of trees to keep the frost away.\n";
  const summarizer::Summary summary = run({kFlood, second}, words(27));
  EXPECT_TRUE(summary.sentences[0].selected);
  EXPECT_TRUE(summary.sentences[5].selected);
  EXPECT_EQ(summary.size_extract - summary.sentences[0].number_of_words - summary.sentences[5].number_of_words, 0);
}

// A lead about something else, then four sentences on one subject, the
// third of which shares a stem with each of the others.
const std::string kOffLead =
    "The museum reopened its east wing after two years of careful restoration.\n"      // 12 words
    "Farmers in the north valley lost most of their wheat to the long drought.\n"     // 14
    "Wells near the valley farms ran dry by the middle of July this summer.\n"        // 14
    "Drought, dry wells and failed wheat left valley farmers short of money.\n"       // 12
    "The farmers asked the regional government for money to deepen their wells.\n";  // 12

TEST(CentroidTest, PositionWeighsLessAsTheBudgetGrows) {
  struct Case {
    std::int32_t budget;
    std::size_t gist;
  };
  // 64 words: up to 12 (a fifth) position rules and the lead is the best
  // sentence; from 26 (two fifths) centrality rules and the best is
  // sentence 3, which shares most with the others.
  const Case cases[] = {{1, 0}, {12, 0}, {26, 3}, {38, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.budget);
    const summarizer::Summary summary = run({kOffLead}, words(c.budget));
    EXPECT_EQ(summary.gist_sentence, c.gist);
  }
  // Without a size everything is kept, as at the largest budgets.
  EXPECT_EQ(picks(run({kOffLead}, summarizer::SummaryOptions{})), "0,1,2,3*,4");
}

// The ranks by the definition: every cosine formed, rounds until nothing
// moves.
std::vector<double> dense_ranks(const StemSets& sets, const std::vector<double>& weights, double damping) {
  const std::size_t n = sets.begin.size() - 1;
  std::vector<std::vector<double>> cos(n, std::vector<double>(n, 0.0));
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      if (i == j) continue;
      double dot = 0.0, a = 0.0, b = 0.0;
      for (std::uint32_t s : sets.of(i)) {
        a += weights[s] * weights[s];
        for (std::uint32_t t : sets.of(j)) dot += s == t ? weights[s] * weights[s] : 0.0;
      }
      for (std::uint32_t t : sets.of(j)) b += weights[t] * weights[t];
      if (a > 0.0 && b > 0.0) cos[i][j] = dot / std::sqrt(a * b);
    }
  }
  std::vector<double> strength(n, 0.0);
  for (std::size_t j = 0; j < n; ++j) {
    for (std::size_t i = 0; i < n; ++i) strength[j] += cos[i][j];
  }
  std::vector<double> rank(n, 1.0);
  for (int round = 0; round < 2000; ++round) {
    std::vector<double> next(n, 1.0 - damping);
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = 0; j < n; ++j) {
        if (strength[j] > 0.0) next[i] += damping * cos[i][j] / strength[j] * rank[j];
      }
    }
    rank = next;
  }
  return rank;
}

TEST(CentroidTest, CosineRanksAreThoseOfTheWholeGraph) {
  // Six sentences over five stems of unequal weight; sentence 4 shares
  // nothing and sentence 5 has no stem.
  StemSets sets;
  const std::vector<std::vector<std::uint32_t>> sentences = {{0, 1, 2}, {1, 2}, {0, 3}, {2, 3, 1}, {4}, {}};
  for (const auto& stems : sentences) {
    sets.stems.insert(sets.stems.end(), stems.begin(), stems.end());
    sets.begin.push_back(sets.stems.size());
  }
  const std::vector<double> weights = {0.5, 1.0, 2.0, 0.25, 3.0};
  const std::vector<double> expected = dense_ranks(sets, weights, 0.85);
  const std::vector<double> ranks = cosine_ranks(sets, weights, 0.85);
  ASSERT_EQ(ranks.size(), expected.size());
  for (std::size_t i = 0; i < ranks.size(); ++i) EXPECT_NEAR(ranks[i], expected[i], 1e-3) << i;
  EXPECT_NEAR(ranks[4], 0.15, 1e-9);
  EXPECT_NEAR(ranks[5], 0.15, 1e-9);
  EXPECT_GT(ranks[3], ranks[2]);
}

TEST(CentroidTest, ShortLinesAndEmptyInputs) {
  // A two-word line, such as a byline, is worth less than a full sentence
  // that follows it.
  EXPECT_EQ(picks(run({"By Staff.\n" + kFlood}, words(10))), "1*");
  const summarizer::Summary empty = run({"", "\n\n"}, words(10));
  EXPECT_TRUE(empty.sentences.empty());
  EXPECT_FALSE(empty.gist_sentence.has_value());
  EXPECT_EQ(empty.threshold, 0.0f);
}

TEST(CentroidTest, GistStemsAreTheBestSentencesStems) {
  const summarizer::Summary summary = run({"Storms closed harbours.\nSun.\n"}, words(1));
  EXPECT_EQ(picks(summary), "0*");
  std::string stems;
  for (const std::string& stem : summary.gist_stems) stems += stem + " ";
  EXPECT_EQ(stems, "storm close harbour ");
}

}  // namespace
}  // namespace kernova::centroid
