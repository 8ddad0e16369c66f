#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "language/language.h"
#include "language/word_lists.h"
#include "tests/test_util.h"

namespace kernova::language {
namespace {

using kernova::testing::escape;

constexpr std::string_view kEAcute = "\351";  // é

// The list as compiled in: 522 distinct words of the letters a to z, every
// single letter among them.
TEST(EnglishStopwordListTest, HoldsDistinctLowerCaseWords) {
  std::set<std::string_view> distinct(english_words::stopwords.begin(), english_words::stopwords.end());
  EXPECT_EQ(english_words::stopwords.size(), 522u);
  EXPECT_EQ(distinct.size(), 522u);
  for (std::string_view entry : english_words::stopwords) {
    SCOPED_TRACE(entry);
    ASSERT_FALSE(entry.empty());
    for (char c : entry) EXPECT_TRUE(c >= 'a' && c <= 'z');
  }
  for (char c = 'a'; c <= 'z'; ++c) {
    EXPECT_TRUE(stopword(english(), std::string(1, c))) << c;
  }
}

struct StopwordCase {
  std::string word;
  bool stopword;     // exact, case-sensitive
  bool is_stopword;  // after folding to lower case
};

TEST(EnglishStopwordTest, Words) {
  const StopwordCase cases[] = {
      // Case: only the lower-case form matches exactly.
      {"the", true, true},
      {"The", false, true},
      {"THE", false, true},
      {"tHe", false, true},
      {"Q", false, true},
      {"x", true, true},
      // Contracted forms and abbreviations without their apostrophes or
      // periods, and both of "knows" and "known".
      {"cant", true, true},
      {"thats", true, true},
      {"ie", true, true},
      {"etc", true, true},
      {"uucp", true, true},
      {"knows", true, true},
      {"known", true, true},
      {"first", true, true},
      {"z", true, true},
      // "don't" reaches the list as "don" and "t".
      {"don", false, false},
      {"t", true, true},
      {"would", true, true},
      {"wouldn", false, false},
      // A hyphen, a digit or an accented letter keeps a word out.
      {"e-mail", false, false},
      {"co-op", false, false},
      {"2nd", false, false},
      {"caf" + std::string(kEAcute), false, false},
      // Near misses and non-words.
      {"th", true, true},
      {"thee", false, false},
      {"", false, false},
      {"the ", false, false},
      {std::string("the\0", 4), false, false},
      {std::string(200, 'a'), false, false},
      {std::string(200, 'A'), false, false},
  };
  for (const StopwordCase& c : cases) {
    SCOPED_TRACE(escape(c.word));
    EXPECT_EQ(stopword(english(), c.word), c.stopword);
    EXPECT_EQ(stopword_folded(english(), c.word), c.is_stopword);
  }
}

}  // namespace
}  // namespace kernova::language
