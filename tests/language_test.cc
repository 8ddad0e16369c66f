#include "language/language.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kernova::language {
namespace {

TEST(LetterTest, WordCharactersAreExactlyTheListedBytes) {
  // Everything that makes up a word: ASCII letters and digits, '-', '_',
  // the accented Latin-1 letters, the feminine ordinal and the degree sign.
  const std::string_view words =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_"
      "\340\341\342\343\344\347\350\351\352\353\354\355\356\357\361\362\363\364\365\366\371\372\373\374"
      "\300\301\302\303\304\307\310\311\312\313\314\315\316\317\321\322\323\324\325\326\331\332\333\334"
      "\252\260";
  for (int c = 0; c < 256; ++c) {
    const bool expected = words.find(static_cast<char>(c)) != std::string_view::npos;
    EXPECT_EQ(letter(static_cast<unsigned char>(c)), expected) << "byte " << c;
    EXPECT_EQ(is_letter(static_cast<char>(c)), expected) << "byte " << c;
  }
}

TEST(LetterTest, NeighboursThatAreNotLetters) {
  struct Case {
    const char* name;
    char byte;
  };
  const Case cases[] = {
      {"NUL", '\0'},           {"space", ' '},          {"tab", '\t'},         {"line end", '\n'},
      {"apostrophe", '\''},    {"period", '.'},         {"at sign", '@'},      {"double quote", '"'},
      {"no-break space", '\240'}, {"masculine ordinal", '\272'}, {"sharp s", '\337'}, {"a with ring", '\345'},
      {"o with stroke", '\370'}, {"ae", '\346'},       {"y acute", '\375'},   {"y diaeresis", '\377'},
      {"multiplication", '\327'}, {"division", '\367'},
  };
  for (const Case& c : cases) EXPECT_FALSE(is_letter(c.byte)) << c.name;
}

TEST(LowercaseTest, FoldsOnlyAsciiCapitals) {
  struct Case {
    std::string_view word, folded;
  };
  const Case cases[] = {
      {"Dr", "dr"},
      {"", ""},
      {"\307\303O", "\307\303o"},      // accented capitals stay, the ASCII O folds
      {"\311COLE", "\311cole"},
      {"MiXeD-Case_9", "mixed-case_9"},
      {std::string_view("A\0B", 3), std::string_view("a\0b", 3)},
  };
  for (const Case& c : cases) EXPECT_EQ(lowercase(c.word), c.folded);
}

TEST(WordListTest, ListsHoldTheirWords) {
  EXPECT_EQ(english().stopwords.size(), 522u);
  EXPECT_EQ(english().abbreviations.size(), 725u);
  EXPECT_EQ(portuguese().stopwords.size(), 233u);
  EXPECT_EQ(portuguese().abbreviations.size(), 239u);
}

TEST(AbbrevTest, EnglishAndPortugueseLists) {
  struct Case {
    const Language& language;
    std::string_view word;
    bool expected;
  };
  const Language& en = english();
  const Language& pt = portuguese();
  const Case cases[] = {
      // Case folding covers the ASCII capitals only.
      {en, "dr", true}, {en, "Dr", true}, {en, "DR", true}, {en, "dr.", false}, {en, "", false},
      // Of the single letters only 's' is an English abbreviation.
      {en, "s", true}, {en, "e", false}, {en, "g", false}, {en, "u", false}, {en, "etc", false},
      {en, "her", true}, {en, "may", false}, {en, "co-op", true}, {en, "c-in-c", true},
      {en, "a/c", true}, {en, "l'pool", true}, {en, "vmet", true},
      // Portuguese: accents and ordinal signs are part of the entries.
      {pt, "sr", true}, {pt, "SR", true}, {pt, "Dra", true}, {pt, "etc", true}, {pt, "no", true},
      {pt, "p\341g", true}, {pt, "P\341g", true}, {pt, "P\301G", false}, {pt, "pag", false},
      {pt, "n\272", true}, {pt, "sr\252", true}, {pt, "sr.", false}, {pt, "", false},
      {pt, "b", false}, {pt, "c", true}, {pt, "dr", true}, {pt, "her", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.language.name) + " '" + std::string(c.word) + "'");
    EXPECT_EQ(abbrev_folded(c.language, c.word), c.expected);
    EXPECT_EQ(abbrev(c.language, lowercase(c.word)), c.expected);
  }
  // The exact lookup does not fold.
  EXPECT_FALSE(abbrev(en, "Dr"));
}

}  // namespace
}  // namespace kernova::language
