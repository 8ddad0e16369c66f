// ROUGE against cases worked by hand, and the tokens it counts.
#include "rouge/rouge.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "english_stemmer/english_stemmer.h"
#include "portuguese_stemmer/portuguese_stemmer.h"

namespace kernova::rouge {
namespace {

std::string joined(const std::vector<std::string>& tokens) {
  std::string out;
  for (const std::string& token : tokens) out += (out.empty() ? "" : "|") + token;
  return out;
}

void expect_score(const Score& score, double recall, double precision, double f) {
  EXPECT_DOUBLE_EQ(score.recall, recall);
  EXPECT_DOUBLE_EQ(score.precision, precision);
  EXPECT_DOUBLE_EQ(score.f, f);
}

TEST(RougeTokensTest, RunsOfWordCharactersLowerCased) {
  struct Case {
    std::string text;
    std::string tokens;
  };
  const Case cases[] = {
      {"Dr. Smith's 3.50-dollar FEE", "dr|smith|s|3|50|dollar|fee"},
      {"snake_case x\xc2\xb2 \xc2\xbd", "snake_case|x\xc2\xb2|\xc2\xbd"},  // x² ½
      // UTF-8: ÉCOLE São, naïve—word (an em dash between), a😀b.
      {"\xc3\x89"
       "COLE S\xc3\xa3o",
       "\xc3\xa9"
       "cole|s\xc3\xa3o"},
      {"na\xc3\xafve\xe2\x80\x94word", "na\xc3\xafve|word"},
      {"a\xf0\x9f\x98\x80"
       "b",
       "a|b"},
      // ŁÓDŹ and ΑΘΗΝΑ: Latin Extended-A and Greek capitals.
      {"\xc5\x81\xc3\x93"
       "D\xc5\xb9",
       "\xc5\x82\xc3\xb3"
       "d\xc5\xba"},
      {"\xce\x91\xce\x98\xce\x97\xce\x9d\xce\x91", "\xce\xb1\xce\xb8\xce\xb7\xce\xbd\xce\xb1"},
      // Bytes that are not UTF-8 are ISO 8859-1: S\xe3o is São; × divides.
      {"S\xe3o 2\xd7"
       "3",
       "s\xc3\xa3o|2|3"},
      {"", ""},
      {" -- !? ", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(joined(tokens(c.text)), c.tokens);
  }
}

TEST(RougeTokensTest, StemsTokensOfIsoLatin1Characters) {
  EXPECT_EQ(joined(tokens("Running CONNECTIONS", &english_stemmer::stem_word)), "run|connect");
  // "Łódź" has characters beyond ISO 8859-1: it stays as it is.
  EXPECT_EQ(joined(tokens("cats \xc5\x81\xc3\xb3"
                          "d\xc5\xba",
                          &english_stemmer::stem_word)),
            "cat|\xc5\x82\xc3\xb3"
            "d\xc5\xba");
  using PortugueseStem = void (*)(std::string_view, std::string&);
  const PortugueseStem portuguese = &portuguese_stemmer::stem_word;
  std::string stem;
  portuguese("meninas", stem);
  EXPECT_NE(stem, "meninas");
  EXPECT_EQ(joined(tokens("Meninas", portuguese)), stem);
}

TEST(RougeScoreTest, WorkedByHand) {
  // the cat sat on the mat / the cat was on the mat: six tokens each.
  // ROUGE-1: the (2 in both), cat, on, mat are shared: 5 of 6 either way.
  // ROUGE-2: of five bigrams each, the-cat, on-the, the-mat are shared: 3/5.
  // ROUGE-L: "the cat on the mat" is the longest common subsequence: 5/6.
  Scores s = score(tokens("The cat sat on the mat."), tokens("The cat was on the mat!"));
  expect_score(s.rouge1, 5.0 / 6, 5.0 / 6, 5.0 / 6);
  expect_score(s.rouge2, 3.0 / 5, 3.0 / 5, 3.0 / 5);
  expect_score(s.rouge_l, 5.0 / 6, 5.0 / 6, 5.0 / 6);

  // Clipping: candidate a a a b (a 3, b 1), reference a b b (a 1, b 2).
  // ROUGE-1 shares min(3,1) + min(1,2) = 2: recall 2/3, precision 2/4,
  // F = 2 * (2/3) * (1/2) / (2/3 + 1/2) = 4/7.
  // ROUGE-2: candidate aa aa ab, reference ab bb share ab: recall 1/2,
  // precision 1/3, F = 2 * (1/2) * (1/3) / (5/6) = 2/5.
  // ROUGE-L: "a b" has length 2: as ROUGE-1.
  s = score(tokens("a a a b"), tokens("a b b"));
  expect_score(s.rouge1, 2.0 / 3, 2.0 / 4, 4.0 / 7);
  expect_score(s.rouge2, 1.0 / 2, 1.0 / 3, 2.0 / 5);
  expect_score(s.rouge_l, 2.0 / 3, 2.0 / 4, 4.0 / 7);

  // Order: c b a against a b c shares every token, no bigram, and a common
  // subsequence of one token.
  s = score(tokens("c b a"), tokens("a b c"));
  expect_score(s.rouge1, 1, 1, 1);
  expect_score(s.rouge2, 0, 0, 0);
  expect_score(s.rouge_l, 1.0 / 3, 1.0 / 3, 1.0 / 3);
}

TEST(RougeScoreTest, NothingSharedOrNothingToCountIsZero) {
  for (const auto& [candidate, reference] :
       {std::pair<std::string, std::string>{"x y", "a b"}, {"", "a b"}, {"a b", ""}, {"a", "a"}}) {
    SCOPED_TRACE(candidate + " / " + reference);
    const Scores s = score(tokens(candidate), tokens(reference));
    expect_score(s.rouge2, 0, 0, 0);  // "a" alone has no bigram
    if (candidate != "a") {
      expect_score(s.rouge1, 0, 0, 0);
      expect_score(s.rouge_l, 0, 0, 0);
    }
  }
}

TEST(RougeScoreTest, CutKeepsTheFirstTokensAndAverageIsPerFigure) {
  std::vector<std::string> candidate = tokens("the cat sat on the mat");
  cut(candidate, 2);
  EXPECT_EQ(joined(candidate), "the|cat");
  cut(candidate, 10);
  EXPECT_EQ(joined(candidate), "the|cat");
  // the cat against the cat was on the mat: 2 of 6 recalled, precision 1,
  // F = 2 * (1/3) / (4/3) = 1/2.
  const Scores first = score(candidate, tokens("the cat was on the mat"));
  expect_score(first.rouge1, 1.0 / 3, 1, 0.5);
  const Scores second = score(tokens("x"), tokens("y"));
  const Scores mean = average({first, second});
  expect_score(mean.rouge1, 1.0 / 6, 0.5, 0.25);
  expect_score(average({}).rouge_l, 0, 0, 0);
}

}  // namespace
}  // namespace kernova::rouge
