// The centroid method on small texts written for it: what it picks first,
// how it meets the budget, and what it leaves out.
#include "centroid/centroid.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(picks(summary), "0*,5");
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
