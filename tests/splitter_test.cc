#include "splitter/splitter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "tests/test_util.h"

namespace kernova::splitter {
namespace {

using testing::escape;
using namespace std::string_view_literals;

// The sentence file with each line end shown as '|'.
std::string lines(const language::Language& language, std::string_view text) {
  std::string out = segment_text(language, text);
  for (char& c : out) {
    if (c == '\n') c = '|';
  }
  return out;
}

struct Case {
  std::string_view text;
  std::string_view expected;
};

void expect_cases(const language::Language& language, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(escape(std::string(c.text)));
    EXPECT_EQ(lines(language, c.text), c.expected);
  }
}

TEST(SegmentTest, EnglishExamples) {
  expect_cases(language::english(),
               {
                   {"Dr. Smith arrived.\n", "Dr. Smith arrived.|"},
                   {"It costs 3.50 dollars. Next one.\n", "It costs 3.50 dollars.|Next one.|"},
                   {"Version 2. Next\n", "Version 2.|Next|"},
                   {"e.g. this works.\n", "e.|g.|this works.|"},
                   {"U.S. Army units.\n", "U.|S. Army units.|"},
                   {"I gave it to her. Then I left.\n", "I gave it to her. Then I left.|"},
                   {"Red, white, etc. Then blue.\n", "Red, white, etc.|Then blue.|"},
                   {"Wait... Then it came.\n", "Wait... |Then it came.|"},
                   {"(It works. Really.) Then more.\n", "(It works. Really.) Then more.|"},
                   {"Really?! Yes.\n", "Really?|!|Yes.|"},
                   {"No final mark", "No final mark|"},
                   {"He said \"Stop.\" Then he left.\n", "He said \"Stop.\" |Then he left.|"},
               });
}

TEST(SegmentTest, QuotesBracketsAndCapitals) {
  expect_cases(language::english(),
               {
                   // Only ASCII capitals begin a sentence after a quote.
                   {"He said \"No\" \311mile came.\n", "He said \"No\" \311mile came.|"},
                   // Typographic quotes are ordinary characters.
                   {"He said \223Stop.\224 Then left.\n", "He said \223Stop.|\224 Then left.|"},
                   // A quote inside brackets still toggles; the bracket alone hides the marks.
                   {"(a \"b) c. d\" e. F\n", "(a \"b) c. d\" e.|F|"},
                   // An unclosed bracket or quote lasts to the line end, not beyond.
                   {"Open (here. And. There\nNew. Line.\n", "Open (here. And. There|New.|Line.|"},
                   {"Say \"hi. Yes.\nNext. One.\n", "Say \"hi. Yes.|Next.|One.|"},
                   // A closing bracket with no opening one does nothing.
                   {"A) b. C.\n", "A) b.|C.|"},
                   // Two periods then a capital, with blanks and tabs between.
                   {"So.. \tThen.\n", "So.. \t|Then.|"},
                   // A capital after a lone period is no boundary by itself.
                   {"X .Y z.\n", "X .|Y z.|"},
               });
}

TEST(SegmentTest, NumbersAbbreviationsAndAddresses) {
  expect_cases(language::english(),
               {
                   {"Pi is 3.14 today.\n", "Pi is 3.14 today.|"},
                   {"Value .5 here.\n", "Value .5 here.|"},  // a blank before and a digit after
                   {"Item a.5 here.\n", "Item a.|5 here.|"},
                   {"Write to ana.maria@example.com today.\n", "Write to ana.|maria@example.com today.|"},
                   {"See www.example.org for more. Bye.\n", "See www.example.org for more.|Bye.|"},
                   {"Get http://x.example.com/a.b now.\n", "Get http://x.example.com/a.b now.|"},
                   {"Use ftp.example.net. Ok.\n", "Use ftp.example.net.|Ok.|"},
                   // A tab does not delimit the address token; the space does.
                   {"x www\tfoo.bar baz.\n", "x www\tfoo.bar baz.|"},
                   {"www x.y z.\n", "www x.|y z.|"},
                   // Case matters for the address marks.
                   {"WWW.Example now.\n", "WWW.|Example now.|"},
               });
}

TEST(SegmentTest, LineEndsAndBlanks) {
  expect_cases(language::english(),
               {
                   {"", ""},
                   {"\n\n  \n\t\n", ""},
                   {"  Indented line\n", "Indented line|"},
                   {"One.  Two.   \n", "One.|Two.|"},  // the blanks after it are a blank rest of the line
                   {"One.  Two   \n", "One.|Two   |"},
                   {"End.  ", "End.||"},
                   {"End.\t", "End.||"},
                   {"Hard\nwrapped\nlines\n", "Hard|wrapped|lines|"},
                   {"last\n  ", "last||"},
               });
}

TEST(SegmentTest, PortugueseAbbreviations) {
  expect_cases(language::portuguese(),
               {
                   {"O Sr. Silva chegou. Saiu.\n", "O Sr. Silva chegou.|Saiu.|"},
                   {"Veja a p\341g. 12 do livro. Fim.\n", "Veja a p\341g. 12 do livro.|Fim.|"},
                   // The feminine ordinal is a word character; the masculine one is not,
                   // so the word in front of this period is empty.
                   {"A Sr\252. Costa chegou. Ok.\n", "A Sr\252. Costa chegou.|Ok.|"},
                   {"Mora no n\272. 5 da rua.\n", "Mora no n\272.|5 da rua.|"},
                   {"Comprei etc. E mais.\n", "Comprei etc. E mais.|"},
                   // 'Dr' is an abbreviation in both lists, 'e' in neither.
                   {"e.g. isto.\n", "e.|g. isto.|"},
               });
}

TEST(SegmentTest, NulBytesAreOrdinaryCharacters) {
  EXPECT_EQ(segment_text(language::english(), "Zero\0here. Next\0 one.\n\0"sv), "Zero\0here.\nNext\0 one.\n\0\n"sv);
}

TEST(SegmentTest, LookBehindStopsAtThePreviousSentence) {
  // The period after '?' has no character in front of it within its own
  // sentence: neither the digit rule nor the two-period rule sees '?' or '.'.
  expect_cases(language::english(),
               {
                   {"Why?.5 more.\n", "Why?|.|5 more.|"},
                   {"A.. B. C. \"D\n", "A.. |B.|C.|\"D|"},
                   {"Go! \"Now\" Then.\n", "Go!|\"Now\" |Then.|"},
               });
}

// Long sentences are judged exactly like short ones, wherever a period,
// blank or capital falls.
TEST(SegmentTest, LongSentencesDependOnlyOnTheText) {
  for (std::size_t at : {1490u, 1497u, 1498u, 1499u, 1500u, 2998u, 4000u}) {
    SCOPED_TRACE(at);
    std::string filler(at, 'x');
    for (std::size_t i = 7; i < filler.size(); i += 8) filler[i] = ' ';
    std::string number = "  " + filler + "3.14 and more words" + std::string(5000 - at, 'y') + ".\n";
    std::string expected = number.substr(2);
    EXPECT_EQ(segment_text(language::english(), number), expected);

    std::string pair = "   " + filler + "left right" + std::string(3000, 'z') + "!\n";
    EXPECT_EQ(segment_text(language::english(), pair), pair.substr(3));

    std::string quote = filler + "\"q\" Then.\n";
    EXPECT_EQ(segment_text(language::english(), quote), filler + "\"q\" \nThen.\n");
  }
}

// Feeding the text in pieces of any size gives the same sentence file.
TEST(SegmentTest, PiecesGiveTheSameResult) {
  const std::string text =
      "Dr. Who came at 3.50 p.m. today. \"Yes.\" Then... Oh! (A. B.) See www.x.org. Done\n\n"
      "  Second line? Yes. Last bit with no end";
  const std::string whole = segment_text(language::english(), text);
  for (std::size_t size : {1u, 2u, 3u, 7u, 64u}) {
    SCOPED_TRACE(size);
    Segmenter segmenter(language::english());
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += size) segmenter.feed(std::string_view(text).substr(i, size), out);
    segmenter.finish(out);
    EXPECT_EQ(out, whole);
  }
}

// On any text, the sentence file holds every byte of the input in order,
// apart from blanks dropped in front of sentences and line ends added after
// them; and no line is empty but the last.
TEST(SegmentTest, NoByteIsLostOnRandomText) {
  std::mt19937 random(20261211);
  const std::string_view alphabet = "aZ .!?\"()[]{}\n\t@w.3\0\255\310-"sv;
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    SCOPED_TRACE(escape(text));
    const std::string out = segment_text(language::english(), text);
    auto squeeze = [](const std::string& s) {
      std::string kept;
      for (char c : s) {
        if (c != ' ' && c != '\t' && c != '\n') kept += c;
      }
      return kept;
    };
    EXPECT_EQ(squeeze(out), squeeze(text));
    if (!out.empty()) {
      EXPECT_EQ(out.back(), '\n');
    }
    const std::size_t empty_line = out.find("\n\n");
    EXPECT_TRUE(empty_line == std::string::npos || empty_line + 2 == out.size());
    EXPECT_FALSE(out.size() > 1 && out[0] == '\n') << "empty first line";
  }
}

}  // namespace
}  // namespace kernova::splitter
