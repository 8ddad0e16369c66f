#include "portuguese_stemmer/portuguese_stemmer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/test_util.h"

namespace kernova::portuguese_stemmer {
namespace {

using kernova::testing::escape;

// Latin-1 letters, one byte each.
constexpr std::string_view kAGrave = "\340";              // à
constexpr std::string_view kAAcute = "\341";              // á
constexpr std::string_view kACircumflex = "\342";         // â
constexpr std::string_view kATilde = "\343";              // ã
constexpr std::string_view kCCedilla = "\347";            // ç
constexpr std::string_view kEAcute = "\351";              // é
constexpr std::string_view kECircumflex = "\352";         // ê
constexpr std::string_view kIAcute = "\355";              // í
constexpr std::string_view kOAcute = "\363";              // ó
constexpr std::string_view kOCircumflex = "\364";         // ô
constexpr std::string_view kOTilde = "\365";              // õ
constexpr std::string_view kUAcute = "\372";              // ú
constexpr std::string_view kUDiaeresis = "\374";          // ü
constexpr std::string_view kCapitalA = "\301";            // Á
constexpr std::string_view kCapitalATilde = "\303";       // Ã
constexpr std::string_view kCapitalCCedilla = "\307";     // Ç
constexpr std::string_view kCapitalECircumflex = "\312";  // Ê
constexpr std::string_view kCapitalOCircumflex = "\324";  // Ô

std::string cat(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (std::string_view part : parts) s += part;
  return s;
}

std::string encoded(std::string_view word) {
  std::string s;
  for (char c : word) acento(s, c);
  return s;
}

std::string internal(std::string_view word) {
  portuguese_stemmer z;
  return std::string(to_internal(z, encoded(word)));
}

TEST(AcentoTest, EncodesTheAccentedLettersOnly) {
  struct Case {
    std::string letter;
    std::string_view appended;
  };
  const Case cases[] = {
      {"\300", "a^c"},
      {"\340", "a^c"},
      {"\301", "a^a"},
      {"\341", "a^a"},
      {"\302", "a^h"},
      {"\342", "a^h"},
      {"\303", "a^t"},
      {"\343", "a^t"},
      {"\307", "c^c"},
      {"\347", "c^c"},
      {"\311", "e^a"},
      {"\351", "e^a"},
      {"\312", "e^h"},
      {"\352", "e^h"},
      {"\315", "i^a"},
      {"\355", "i^a"},
      {"\323", "o^a"},
      {"\363", "o^a"},
      {"\324", "o^h"},
      {"\364", "o^h"},
      {"\325", "o^t"},
      {"\365", "o^t"},
      {"\332", "u^a"},
      {"\372", "u^a"},
      // ASCII capitals fold; everything else passes unchanged.
      {"A", "a"},
      {"Z", "z"},
      {"q", "q"},
      {"7", "7"},
      {"-", "-"},
      {"_", "_"},
      {"^", "^"},
      {"\350", "\350"},  // è
      {"\356", "\356"},  // î
      {"\374", "\374"},  // ü
      {"\361", "\361"},  // ñ
      {"\310", "\310"},  // È
      {"\252", "\252"},  // ª
      {"\260", "\260"},  // °
      {std::string(1, '\0'), std::string_view("\0", 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(escape(c.letter));
    std::string s = "x";
    acento(s, c.letter[0]);
    std::string expected = "x";
    expected += c.appended;
    EXPECT_EQ(s, expected);
  }
}

TEST(InternalCodingTest, ToInternalAndBack) {
  struct Case {
    std::string encoded;   // as `acento` writes it, or made up
    std::string internal;  // after `to_internal`
    std::string text;      // `to_text` of the internal coding
  };
  const Case cases[] = {
      {"organizac^ca^to", "organizaCaNo", cat({"organiza", kCCedilla, kATilde, "o"})},
      {"a^ca^aa^ha^t", "AAAaN", cat({"aaa", kATilde})},
      {"e^ae^hi^ao^ao^ho^tu^a", "EEIOOoNU", cat({"eeioo", kOTilde, "u"})},
      {"portugue^as", "portuguEs", "portugues"},
      // Pairs that mean nothing lose the mark and the code.
      {"x^a", "x", "x"},
      {"e^t", "e", "e"},
      {"u^h", "u", "u"},
      // A mark at either end is an ordinary byte.
      {"^a", "^a", "^a"},
      {"a^", "a^", "a^"},
      {"^", "^", "^"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.encoded);
    portuguese_stemmer z;
    EXPECT_EQ(to_internal(z, c.encoded), c.internal);
    EXPECT_EQ(z.k, static_cast<int>(c.internal.size()));
    EXPECT_EQ(to_text(z), c.text);
  }
}

TEST(PrimitivesTest, VowelClasses) {
  const std::string_view vowels = "aeiouAEIOU";
  for (int ch = 0; ch < 256; ++ch) {
    SCOPED_TRACE(ch);
    EXPECT_EQ(char_type(ch), vowels.find(static_cast<char>(ch)) != std::string_view::npos);
    EXPECT_EQ(aei(ch), ch == 'a' || ch == 'e' || ch == 'i');
    EXPECT_EQ(AEI(ch), ch == 'A' || ch == 'E' || ch == 'I');
  }
}

TEST(PrimitivesTest, Measure) {
  struct Case {
    std::string_view word;
    int posV, pos2;
  };
  const Case cases[] = {
      {"", 0, 0},
      {"a", 1, 1},
      {"os", 2, 1},            // one vowel run: region 2 is empty
      {"felicidade", 2, 4},    // non-vowel, vowel: posV is 2
      {"aerea", 2, 4},         // two opening vowels; two vowel runs only
      {"experimentes", 3, 4},  // one opening vowel: the next vowel
      {"strada", 3, 5},        // opening non-vowels: the first vowel
      {"homens", 2, 5},
      {"aCaNo", 2, 3},           // 'C' and 'N' are not vowels
      {"ling\374Istica", 2, 7},  // nor is an unencoded ü
      {"falaste", 2, 5},
      {"rhythm", 6, 5},  // no vowel at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(escape(std::string(c.word)));
    portuguese_stemmer z;
    z.set_word(c.word);
    measure(z);
    EXPECT_EQ(z.posV, c.posV);
    EXPECT_EQ(z.pos2, c.pos2);
  }
}

TEST(PrimitivesTest, LookForAndEnds) {
  struct Case {
    std::string_view word, pattern;
    bool matches;
    int j;  // after a match
  };
  const Case cases[] = {
      {"falara", ".ra", true, 2},
      {"vendera", ".ra", true, 3},
      {"partira", ".ra", true, 3},
      {"fora", ".ra", false, 0},
      {"falarA", ".ra", false, 0},
      {"falAramos", ":ramos", true, 2},
      {"falaramos", ":ramos", false, 0},
      {"vendEramos", ":ramos", true, 3},
      {"ira", ".ra", true, -1},  // the pattern is the whole word
      {"ra", ".ra", false, 0},   // longer than the word: nothing before it is read
      {"", "n", false, 0},
      {"homen", "n", true, 3},
      {"nacionalmente", "mente", true, 7},
      {"organizaCaNo", "aCaNo", true, 6},
      {"a.ra", ".ra", false, 0},  // the class is on the pattern's side only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.word) + " " + std::string(c.pattern));
    portuguese_stemmer z;
    z.set_word(c.word);
    EXPECT_EQ(ends(z, c.pattern), c.matches);
    if (c.matches) {
      EXPECT_EQ(z.j, c.j);
    }
    EXPECT_EQ(z.k, static_cast<int>(c.word.size()));  // a test never cuts
  }
}

TEST(PrimitivesTest, ChopsCutOnlyInsideTheirRegion) {
  portuguese_stemmer z;
  // felicidade: posV 2, pos2 4.
  z.set_word("felicidade");
  measure(z);
  EXPECT_FALSE(chopV(z, "licidade"));  // begins at posV: not after it
  EXPECT_FALSE(chop2(z, "icidade"));   // begins at 3, before region 2
  EXPECT_EQ(z.word(), "felicidade");
  EXPECT_TRUE(chopV(z, "icidade"));  // but inside the V region
  EXPECT_EQ(z.word(), "fel");
  z.set_word("felicidade");
  EXPECT_FALSE(chopV(z, "xidade"));
  EXPECT_TRUE(chop2(z, "idade"));
  EXPECT_EQ(z.word(), "felic");
  EXPECT_FALSE(chop2(z, "ic"));
  EXPECT_EQ(z.word(), "felic");

  // eira and eiras are not verb endings; other -ira and -ara are.
  z.set_word("brasileira");
  measure(z);
  EXPECT_FALSE(chopV_not_e(z, ".ra"));
  EXPECT_EQ(z.word(), "brasileira");
  z.set_word("falara");
  measure(z);
  EXPECT_TRUE(chopV_not_e(z, ".ra"));
  EXPECT_EQ(z.word(), "fal");
  z.set_word("ira");
  measure(z);
  EXPECT_FALSE(chopV_not_e(z, ".ra"));  // j is -1: no character before it
  EXPECT_EQ(z.word(), "ira");
}

// One word through the steps: which step removed a suffix, the word after
// that step, after `tidy_up`, and the stem as text.
struct StepCase {
  std::string word;      // ISO 8859-1
  std::string internal;  // the word in the internal coding
  char step;             // 'R' remove_suffix, 'V' verb_ending, '-' neither
  std::string after_step;
  std::string after_tidy;
  std::string stem;
};

void expect_steps(const StepCase& c) {
  SCOPED_TRACE(escape(c.word));
  EXPECT_EQ(internal(c.word), c.internal);

  portuguese_stemmer z;
  z.set_word(c.internal);
  ASSERT_FALSE(search_pool(irregular_pool(), c.internal)) << "an irregular form";
  measure(z);
  char step = '-';
  bool removed = remove_suffix(z);
  if (removed) {
    step = 'R';
  } else if ((removed = verb_ending(z))) {
    step = 'V';
  }
  EXPECT_EQ(step, c.step);
  EXPECT_EQ(z.word(), c.after_step);
  tidy_up(z, removed);
  EXPECT_EQ(z.word(), c.after_tidy);

  EXPECT_EQ(stem_word(c.word), c.stem);
}

TEST(SuffixStepsTest, Examples) {
  const StepCase cases[] = {
      {"felicidade", "felicidade", 'R', "felic", "felic", "felic"},  // "ic" lies before region 2
      {"possibilidades", "possibilidades", 'R', "possibil", "possibil", "possibil"},
      {"produtividade", "produtividade", 'R', "produt", "produt", "produt"},  // "idade", then "iv"
      {"produtivo", "produtivo", 'R', "produt", "produt", "produt"},
      {cat({"organiza", kCCedilla, kATilde, "o"}), "organizaCaNo", 'R', "organiz", "organiz", "organiz"},
      {cat({"organiza", kCCedilla, kOTilde, "es"}), "organizaCoNes", 'R', "organiz", "organiz", "organiz"},
      {cat({"problem", kAAcute, "tico"}), "problemAtico", 'R', "problemAt", "problemAt", "problemat"},
      {"rapidamente", "rapidamente", 'R', "rapid", "rapid", "rapid"},
      {"nacionalmente", "nacionalmente", 'R', "nacional", "nacional", "nacional"},
      {"normalmente", "normalmente", '-', "normalmente", "normalment", "normalment"},
      {"personagens", "personagens", 'R', "personage", "personag", "personag"},
      {"personagem", "personagem", 'V', "personag", "personag", "personag"},
      {"falaram", "falaram", 'V', "fal", "fal", "fal"},
      {"falara", "falara", 'V', "fal", "fal", "fal"},
      {"falasse", "falasse", 'V', "fal", "fal", "fal"},
      {"falaste", "falaste", 'V', "fal", "fal", "fal"},
      {cat({"fal", kAAcute, "vamos"}), "falAvamos", 'V', "fal", "fal", "fal"},
      {cat({"falar", kAAcute}), "falarA", 'V', "fal", "fal", "fal"},
      {cat({"falar", kATilde, "o"}), "falaraNo", 'V', "fal", "fal", "fal"},
      {cat({"falar", kIAcute, "amos"}), "falarIamos", 'V', "fal", "fal", "fal"},
      {"cantaria", "cantaria", 'V', "cant", "cant", "cant"},
      {"cantando", "cantando", 'V', "cant", "cant", "cant"},
      {"brasileira", "brasileira", '-', "brasileira", "brasileir", "brasileir"},
      {"brasileiras", "brasileiras", 'V', "brasileir", "brasileir", "brasileir"},
      {"livros", "livros", '-', "livros", "livr", "livr"},
      {"segue", "segue", '-', "segue", "seg", "seg"},
      {"negocie", "negocie", '-', "negocie", "negoc", "negoc"},
      {"tristeza", "tristeza", '-', "tristeza", "tristez", "tristez"},
      {cat({"portugu", kECircumflex, "s"}), "portuguEs", '-', "portuguEs", "portuguEs", "portugues"},
      {"homens", "homens", '-', "homens", "homens", "homens"},
      {"os", "os", '-', "os", "os", "os"},
      {"a", "a", '-', "a", "a", "a"},
      {"um", "um", '-', "um", "um", "um"},
  };
  for (const StepCase& c : cases) expect_steps(c);
}

// Where a row could be read two ways: a matching pattern that lies outside
// its region does not end the row; "mente" needs no plural 's' set aside,
// as "amente" does; after "mente" comes "avel" with a plain a.
TEST(SuffixStepsTest, ReadingsOfTheRows) {
  const StepCase cases[] = {
      {"variam", "variam", 'V', "var", "var", "var"},  // "ariam" reaches into the stem, "iam" does not
      {"relativamente", "relativamente", 'R', "relat", "relat", "relat"},  // "ativ" too early, "iv" fits
      {"experimentes", "experimentes", 'V', "experiment", "experiment", "experiment"},
      {"admiravelmente", "admiravelmente", 'R', "admir", "admir", "admir"},
      {"possivelmente", "possivelmente", 'R', "possivel", "possivel", "possivel"},  // no plain "ivel"
  };
  for (const StepCase& c : cases) expect_steps(c);
}

// The other rows of both tables, and `tidy_up`'s other letters.
TEST(SuffixStepsTest, EveryRow) {
  const StepCase cases[] = {
      // remove_suffix
      {cat({"pr", kAAcute, "tico"}), "prAtico", '-', "prAtico", "prAtic", "pratic"},  // "ico" too early
      {"socialismo", "socialismo", 'R', "social", "social", "social"},
      {"realismo", "realismo", '-', "realismo", "realism", "realism"},  // "ismo" before region 2
      {"trabalhador", "trabalhador", 'R', "trabalh", "trabalh", "trabalh"},
      {"trabalhadora", "trabalhadora", 'R', "trabalh", "trabalh", "trabalh"},
      {"trabalhadores", "trabalhadores", 'R', "trabalh", "trabalh", "trabalh"},
      {"maravilhoso", "maravilhoso", 'R', "maravilh", "maravilh", "maravilh"},
      {"famoso", "famoso", '-', "famoso", "famos", "famos"},
      {cat({"confort", kAAcute, "vel"}), "confortAvel", 'R', "confort", "confort", "confort"},
      {cat({"imposs", kIAcute, "vel"}), "impossIvel", 'R', "imposs", "imposs", "imposs"},
      {cat({"poss", kIAcute, "vel"}), "possIvel", '-', "possIvel", "possIvel", "possivel"},
      {"natureza", "natureza", 'R', "natur", "natur", "natur"},
      {"jornalistas", "jornalistas", 'R', "jornal", "jornal", "jornal"},  // the 's' goes too
      {"conhecimento", "conhecimento", 'R', "conhec", "conhec", "conhec"},
      {"casamento", "casamento", '-', "casamento", "casament", "casament"},
      {"negativamente", "negativamente", 'R', "negat", "negat", "negat"},
      {"curiosamente", "curiosamente", 'R', "curios", "curios", "curios"},  // "os" before region 2
      {"comparativo", "comparativo", 'R', "compar", "compar", "compar"},    // "ivo", then "at"
      {"criativo", "criativo", '-', "criativo", "criativ", "criativ"},
      // verb_ending
      {"comido", "comido", 'V', "com", "com", "com"},
      {"falassem", "falassem", 'V', "fal", "fal", "fal"},
      {"falastes", "falastes", 'V', "fal", "fal", "fal"},
      {cat({"fal", kAAcute, "sseis"}), "falAsseis", 'V', "fal", "fal", "fal"},
      {cat({"falar", kIAcute, "eis"}), "falarIeis", 'V', "fal", "fal", "fal"},
      {"partiu", "partiu", 'V', "part", "part", "part"},
      {"falaremos", "falaremos", 'V', "fal", "fal", "fal"},
      {"falamos", "falamos", 'V', "fal", "fal", "fal"},
      {"falou", "falou", 'V', "fal", "fal", "fal"},
      {cat({"falar", kAAcute, "s"}), "falarAs", 'V', "fal", "fal", "fal"},
      {"falava", "falava", 'V', "fal", "fal", "fal"},
      {"ira", "ira", '-', "ira", "ira", "ira"},
      // tidy_up
      {cat({"t", kAAcute, "xi"}), "tAxi", '-', "tAxi", "tAx", "tax"},
      {cat({"sof", kAAcute}), "sofA", '-', "sofA", "sof", "sof"},
      {cat({"av", kOAcute}), "avO", '-', "avO", "avO", "avo"},
      {cat({"chap", kEAcute, "u"}), "chapEu", '-', "chapEu", "chapEu", "chapeu"},  // a final u stays
  };
  for (const StepCase& c : cases) expect_steps(c);
}

TEST(StemTest, Words) {
  struct Case {
    std::string word, stem;
  };
  const Case cases[] = {
      // Irregular forms.
      {std::string(kEAcute), "ser"},
      {cat({"d", kAAcute}), "dar"},
      {"vir", "ver"},
      {cat({"t", kECircumflex, "m"}), "ter"},
      {"tem", "ter"},
      {cat({"p", kOCircumflex, "de"}), "pod"},
      {cat({"P", kCapitalOCircumflex, "DE"}), "pod"},
      {"FOI", "ser"},
      {"estivessemos", "estivess"},  // without its accent it is no irregular form
      // The suffix steps.
      {"pode", "pod"},
      {cat({"A", kCCedilla, kATilde, "o"}), cat({"a", kCCedilla, kATilde})},
      {cat({"A", kCapitalCCedilla, kCapitalATilde, "O"}), cat({"a", kCCedilla, kATilde})},
      {cat({"a", kCCedilla, kATilde, "o"}), cat({"a", kCCedilla, kATilde})},
      {cat({"portugu", kECircumflex, "s"}), "portugues"},
      {cat({"PORTUGU", kCapitalECircumflex, "S"}), "portugues"},
      {"portugueses", "portugues"},
      {cat({"ling", kUDiaeresis, kIAcute, "stica"}), cat({"ling", kUDiaeresis, "ist"})},
      {cat({"n", kATilde, "o"}), cat({"n", kATilde})},
      {cat({"caf", kEAcute}), "caf"},
      {cat({"caf", kEAcute, "s"}), "cafes"},
      {cat({"ra", kIAcute, "zes"}), "raiz"},
      {cat({"m", kATilde, "e"}), cat({"m", kATilde})},
      {cat({"m", kACircumflex, "e"}), "mae"},  // the e is not after posV
      {cat({"eleva", kCCedilla, kOTilde, "es"}), "elev"},
      {cat({"m", kUAcute, "sica"}), "music"},
      // Words of one character.
      {"a", "a"},
      {"e", "e"},
      {"o", "o"},
      {std::string(kAGrave), "a"},
      {std::string(kOAcute), "o"},
      {std::string(kCapitalA), "a"},
      {"", ""},
      // Bytes that are no letters of Portuguese pass through.
      {"1998", "1998"},
      {"co-autoria", "co-autor"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(escape(c.word));
    EXPECT_EQ(stem_word(c.word), c.stem);
    std::string out = "old content";
    stem_word(c.word, out);
    EXPECT_EQ(out, c.stem);
  }
}

TEST(StemTest, WordAndDestinationMayBeTheSameString) {
  std::string word = cat({"organiza", kCCedilla, kOTilde, "es"});
  stem_word(word, word);
  EXPECT_EQ(word, "organiz");
}

// Long words are stemmed whole: the regions, and so the result, depend on
// the whole word, and nothing is cut at a fixed length.
TEST(StemTest, LongWords) {
  std::string prefix;
  std::string prefix_stem;
  for (int i = 0; i < 100; ++i) {
    prefix += cat({"a", kCCedilla, kATilde, "o"});  // eight encoded bytes each
    prefix_stem += cat({"a", kCCedilla, kATilde, "o"});
  }
  // With a long front, "ic" after "idade" lies in region 2 and goes too.
  EXPECT_EQ(stem_word(prefix + "felicidade"), prefix_stem + "fel");
  EXPECT_EQ(stem_word(prefix + "falaram"), prefix_stem + "fal");
  EXPECT_EQ(stem_word(std::string(1000, 'x')), std::string(1000, 'x'));
  EXPECT_EQ(stem_word(std::string(1000, 'a')), std::string(1000, 'a'));
  const std::string accented = cat({"p", kOCircumflex, "de"});
  std::string long_accented;
  for (int i = 0; i < 300; ++i) long_accented += accented;
  std::string plain;
  for (int i = 0; i < 300; ++i) plain += "pode";
  plain.pop_back();  // only the final e goes
  EXPECT_EQ(stem_word(long_accented), plain);
  EXPECT_EQ(stem_word(long_accented), stem_word(long_accented));
}

// A stemmer state reused for many words, short after long and long after
// short, gives what a fresh one gives.
TEST(StemTest, ReusedStateGivesTheSameStems) {
  const std::vector<std::string> words = {std::string(500, 'b') + "idades",
                                          "os",
                                          cat({"organiza", kCCedilla, kOTilde, "es"}),
                                          "a",
                                          "",
                                          "felicidade",
                                          std::string(kEAcute),
                                          "falaram",
                                          "x",
                                          "personagens",
                                          "homens"};
  portuguese_stemmer reused;
  for (const std::string& word : words) {
    SCOPED_TRACE(escape(word).substr(0, 40));
    const std::string from_reused(portuguese_stem(reused, encoded(word)));
    EXPECT_EQ(from_reused, stem_word(word));
  }
}

}  // namespace
}  // namespace kernova::portuguese_stemmer
