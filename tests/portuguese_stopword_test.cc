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

// Latin-1 letters, one byte each.
constexpr std::string_view kAGrave = "\340";         // à
constexpr std::string_view kAAcute = "\341";         // á
constexpr std::string_view kATilde = "\343";         // ã
constexpr std::string_view kEAcute = "\351";         // é
constexpr std::string_view kECircumflex = "\352";    // ê
constexpr std::string_view kOAcute = "\363";         // ó
constexpr std::string_view kOCircumflex = "\364";    // ô
constexpr std::string_view kCapitalOAcute = "\323";  // Ó
constexpr std::string_view kCapitalEAcute = "\311";  // É

std::string cat(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (std::string_view part : parts) s += part;
  return s;
}

// 'A' to 'Z' for 'a' to 'z'; Latin-1 letters unchanged.
std::string ascii_upper(std::string_view word) {
  std::string upper(word);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// 233 distinct entries, none with an ASCII capital (the lookup folds only
// the word, never the list) and each made of word characters only, so that
// every entry can be met as a word of a text.
TEST(PortugueseStopwordListTest, HoldsDistinctLowerCaseWords) {
  const std::set<std::string_view> distinct(portuguese_words::stopwords.begin(),
                                            portuguese_words::stopwords.end());
  EXPECT_EQ(portuguese_words::stopwords.size(), 233u);
  EXPECT_EQ(distinct.size(), 233u);
  for (std::string_view entry : portuguese_words::stopwords) {
    SCOPED_TRACE(escape(std::string(entry)));
    ASSERT_FALSE(entry.empty());
    for (char c : entry) {
      EXPECT_TRUE(is_letter(c));
      EXPECT_FALSE(c >= 'A' && c <= 'Z');
    }
    // Every entry is found in any ASCII letter case.
    EXPECT_TRUE(stopword_folded(portuguese(), ascii_upper(entry)));
  }
}

struct StopwordCase {
  std::string word;
  bool stopword;     // exact, case-sensitive
  bool is_stopword;  // after folding the ASCII capitals
};

TEST(PortugueseStopwordTest, Words) {
  const StopwordCase cases[] = {
      // ASCII capitals fold; Latin-1 capitals do not.
      {"de", true, true},
      {"De", false, true},
      {"DE", false, true},
      {cat({"ap", kOAcute, "s"}), true, true},
      {cat({"Ap", kOAcute, "s"}), false, true},
      {cat({"AP", kCapitalOAcute, "S"}), false, false},
      {cat({"N", kCapitalOAcute, "S"}), false, false},
      {cat({"n", kOAcute, "s"}), true, true},
      {cat({"ningu", kCapitalEAcute, "m"}), false, false},
      // Accents must match byte for byte.
      {"apos", false, false},
      {"nao", false, false},
      {cat({"n", kATilde, "o"}), false, false},
      {"voce", false, false},
      {cat({"voc", kECircumflex}), true, true},
      {"ate", false, false},
      {cat({"at", kEAcute}), true, true},
      {cat({"v", kAAcute, "rios"}), true, true},
      {cat({"tr", kAAcute, "s"}), true, true},
      {cat({"ol", kAAcute}), true, true},
      {cat({"u", kEAcute}), true, true},
      {cat({"al", kOCircumflex}), true, true},
      {cat({"pr", kOAcute, "prios"}), true, true},
      {cat({"pr", kOAcute, "prio"}), false, false},  // only the plural is listed
      // The single characters of the list; 'é' (a form of 'ser') is not one.
      {"-", true, true},
      {"a", true, true},
      {std::string(kAGrave), true, true},
      {"e", true, true},
      {"o", true, true},
      {"O", false, true},
      {std::string(kOAcute), true, true},
      {std::string(kOCircumflex), true, true},
      {std::string(kEAcute), false, false},
      {std::string(kAAcute), false, false},
      {"i", false, false},
      {"_", false, false},
      // Of the forms of 'ser', 'estar' and 'ter' only "estou" is listed.
      {"estou", true, true},
      {"Estou", false, true},
      {cat({"est", kAAcute}), false, false},
      {"estar", false, false},
      {"ser", false, false},
      {"foi", false, false},
      {"tem", false, false},
      {"ter", false, false},
      {"era", false, false},
      // Words that are stopwords only in one of their forms.
      {"dessas", true, true},
      {"naquilo", true, true},
      {"quaisquer", true, true},
      {"outrem", true, true},
      {"nenhuns", true, true},
      // Near misses and non-words.
      {"", false, false},
      {"de ", false, false},
      {std::string("de\0", 3), false, false},
      {"--", false, false},
      {std::string(300, 'a'), false, false},
  };
  for (const StopwordCase& c : cases) {
    SCOPED_TRACE(escape(c.word));
    EXPECT_EQ(stopword(portuguese(), c.word), c.stopword);
    EXPECT_EQ(stopword_folded(portuguese(), c.word), c.is_stopword);
  }
}

// The two editions keep their own lists.
TEST(PortugueseStopwordTest, EditionsDoNotShareLists) {
  EXPECT_TRUE(stopword_folded(portuguese(), "para"));
  EXPECT_FALSE(stopword_folded(english(), "para"));
  EXPECT_TRUE(stopword_folded(english(), "the"));
  EXPECT_FALSE(stopword_folded(portuguese(), "the"));
}

}  // namespace
}  // namespace kernova::language
