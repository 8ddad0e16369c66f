#include "english_stemmer/english_stemmer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "tests/test_util.h"

namespace kernova::english_stemmer {
namespace {

using kernova::testing::escape;

constexpr std::string_view kIDiaeresis = "\357";       // ï
constexpr std::string_view kCapitalEAcute = "\311";    // É
constexpr std::string_view kCapitalCCedilla = "\307";  // Ç
constexpr std::string_view kCapitalATilde = "\303";    // Ã

// `stem` over a whole lower-case word, as the entry calls it.
std::string stem_lower(std::string word) {
  int last = stem(word.data(), 0, static_cast<int>(word.size()) - 1);
  word.resize(static_cast<std::size_t>(last + 1));
  return word;
}

std::string repeat(std::string_view piece, int times) {
  std::string out;
  for (int n = 0; n < times; ++n) out += piece;
  return out;
}

std::string upper(std::string word) {
  for (char& c : word) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
  }
  return word;
}

struct StemCase {
  std::string word;
  std::string stem;
};

TEST(EnglishStemTest, WholeWords) {
  const StemCase cases[] = {
      // Step 1a: plurals.
      {"caresses", "caress"},
      {"ponies", "poni"},
      {"ties", "ti"},
      {"cats", "cat"},
      // Step 1b: -eed, -ed, -ing and what follows the cut.
      {"feed", "feed"},
      {"agreed", "agre"},
      {"plastered", "plaster"},
      {"bled", "bled"},
      {"motoring", "motor"},
      {"sing", "sing"},
      {"conflated", "conflat"},
      {"troubled", "troubl"},
      {"sized", "size"},
      {"hopping", "hop"},
      {"falling", "fall"},
      {"fizzed", "fizz"},
      {"filing", "file"},
      // Step 1c.
      {"happy", "happi"},
      {"sky", "sky"},
      // Steps 2 to 5.
      {"relational", "relat"},
      {"conditional", "condit"},
      {"rational", "ration"},
      {"digitizer", "digit"},
      {"operator", "oper"},
      {"hopefulness", "hope"},
      {"sensibiliti", "sensibl"},
      {"electrical", "electr"},
      {"adjustable", "adjust"},
      {"replacement", "replac"},
      {"adoption", "adopt"},
      {"homologous", "homolog"},
      {"generalizations", "gener"},
      {"oscillators", "oscil"},
      {"controll", "control"},
      {"roll", "roll"},
      {"cease", "ceas"},
      {"ion", "ion"},
      // Where this stemmer departs from the 1980 rules: -bli after any
      // letter, -logi, and words of one or two letters.
      {"possibly", "possibl"},
      {"archaeology", "archaeolog"},
      {"as", "as"},
      {"is", "is"},
      {"a", "a"},
      // Step 1 can leave a single letter; the later steps have nothing to
      // look at then.
      {"aed", "a"},
      // The first suffix of a list that ends the word decides alone:
      // "ement" matches with m("bat") = 1 and is kept, so "ent" (which
      // would leave "batem", m = 2) is never tried.
      {"batement", "batement"},
      // A run of y's alternates consonant and vowel from a consonant at the
      // start: "yyyy" is CVCV with m = 1, so -ness goes.
      {"yyyyness", "yyyy"},
      // y after a vowel ends a stem with a vowel in it: step 1c applies.
      {"toy", "toi"},
      // The y after t is a vowel, so "styl" ends consonant-vowel-consonant
      // and gets its e back.
      {"styling", "style"},
      // -ion goes only after s or t.
      {"opinion", "opinion"},
  };
  for (const StemCase& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(stem_lower(c.word), c.stem);
  }
}

// The word may sit anywhere in a buffer: only p[i..j] is read as the word
// and nothing outside it is written.
TEST(EnglishStemTest, WordInsideALargerBuffer) {
  struct Case {
    std::string buffer;
    int i;
    int j;
    int last;
    std::string after;
  } cases[] = {
      // "ponies" -> "poni": the i of -ies is written where it stood; only
      // the end moves.
      {"XXponiesYY", 2, 7, 5, "XXponiesYY"},
      {"XXcaressesYY", 2, 9, 7, "XXcaressesYY"},
      // Cut to one letter by step 1: the 'o' before the word is not the
      // last-but-one letter of the word.
      {"oaed", 1, 3, 1, "oaed"},
      // Two letters: unchanged even though "as" would lose its s.
      {"xxas", 2, 3, 3, "xxas"},
      // Step 2 writes "ate" over "ati"; step 5 then only moves the end.
      {"relational!", 0, 9, 4, "relateonal!"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.buffer);
    EXPECT_EQ(stem(c.buffer.data(), c.i, c.j), c.last);
    EXPECT_EQ(c.buffer, c.after);
  }
}

// Each word alone in a heap block of its exact size, so that a sanitizer
// build reports any read before its first or after its last letter.
TEST(EnglishStemTest, ReadsOnlyTheWord) {
  for (std::string_view word : {"aed", "ies", "sses", "as", "y", "yyyyness", "ization", "ll", "eed"}) {
    SCOPED_TRACE(word);
    std::unique_ptr<char[]> exact(new char[word.size()]);
    std::copy(word.begin(), word.end(), exact.get());
    int last = stem(exact.get(), 0, static_cast<int>(word.size()) - 1);
    EXPECT_EQ(std::string(exact.get(), static_cast<std::size_t>(last + 1)), stem_lower(std::string(word)));
  }
}

TEST(EnglishStemmingTest, Words) {
  const StemCase cases[] = {
      {"CONNECTIONS", "connect"},
      {"Cats", "cat"},
      {"HOPPING", "hop"},
      // Only the last run of ASCII letters counts.
      {"e-mail", "mail"},
      {"well-known", "known"},
      {"re-used", "us"},
      {"co-op", "op"},
      {"mp3", "mp"},
      {"b2b", "b"},
      {"x_y", "y"},
      {"generalizations2001", "gener"},
      {"na" + std::string(kIDiaeresis) + "ve", "ve"},
      // An accented capital is not folded and not an ASCII letter.
      {std::string(kCapitalEAcute) + "COLE", "cole"},
      // No ASCII letter: the word itself.
      {"2001", "2001"},
      {"-", "-"},
      // The O is an ASCII capital: its run is the last one.
      {std::string(kCapitalCCedilla) + std::string(kCapitalATilde) + "O", "o"},
      {std::string(kCapitalCCedilla) + std::string(kCapitalATilde),
       std::string(kCapitalCCedilla) + std::string(kCapitalATilde)},
      {"", ""},
      {"as", "as"},
      {"AS", "as"},
  };
  for (const StemCase& c : cases) {
    SCOPED_TRACE(escape(c.word));
    EXPECT_EQ(escape(stem_word(c.word)), escape(c.stem));
    std::string out = "left over from an earlier word";
    stem_word(c.word, out);
    EXPECT_EQ(escape(out), escape(c.stem));
  }
}

// A word of any length is stemmed whole. The prefix only raises the
// measure, so every rule that fires for "generalizations" (down to "gener")
// still fires.
TEST(EnglishStemmingTest, LongWordsAreStemmedWhole) {
  for (int pairs : {1, 30, 125, 50000}) {
    std::string prefix = repeat("ab", pairs);
    SCOPED_TRACE(prefix.size());
    EXPECT_EQ(stem_word(upper(prefix + "generalizations")), prefix + "gener");
    EXPECT_EQ(stem_word("2001-" + prefix + "hopping"), prefix + "hop");
    EXPECT_EQ(stem_lower(prefix + "generalizations"), prefix + "gener");
  }
  // A long run of y's: CVCV... has m > 0, so -ness goes.
  std::string ys(20001, 'y');
  EXPECT_EQ(stem_word(ys + "ness"), ys);
}

// `out` keeps its storage when it is large enough: the entry allocates
// nothing per word.
TEST(EnglishStemmingTest, ReusesTheCallersString) {
  std::string out;
  out.reserve(64);
  const char* storage = out.data();
  for (std::string_view word : {"generalizations", "Cats", "2001", "x", "", "HOPPING"}) {
    SCOPED_TRACE(word);
    stem_word(word, out);
    EXPECT_EQ(out.data(), storage);
  }
  EXPECT_EQ(out, "hop");
}

// Stemming keeps no state between calls that threads could share.
TEST(EnglishStemmingTest, ThreadsStemAtOnce) {
  const StemCase cases[] = {
      {"generalizations", "gener"},  {"HOPPING", "hop"},      {"ponies", "poni"}, {"re-used", "us"},
      {"archaeology", "archaeolog"}, {"controll", "control"},
  };
  constexpr int kThreads = 4;
  std::vector<int> failures(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      std::string out;
      for (int round = 0; round < 20000; ++round) {
        const StemCase& c = cases[(round + t) % std::size(cases)];
        stem_word(c.word, out);
        if (out != c.stem) ++failures[static_cast<std::size_t>(t)];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(failures[static_cast<std::size_t>(t)], 0) << "thread " << t;
}

}  // namespace
}  // namespace kernova::english_stemmer
