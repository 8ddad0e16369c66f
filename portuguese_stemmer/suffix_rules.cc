#include "portuguese_stemmer/suffix_rules.h"

#include <cstring>
#include <initializer_list>

namespace kernova::portuguese_stemmer {
namespace {

using Chop = bool (*)(portuguese_stemmer&, std::string_view);

// Tries the patterns in order and stops at the first one removed. A pattern
// that matches but lies outside its region does not stop the search: the
// next, shorter ending may still be removable ('variam' loses "iam" once
// "ariam" turns out to reach into the stem).
bool first_of(portuguese_stemmer& z, Chop chop, std::initializer_list<std::string_view> patterns) {
  for (std::string_view s : patterns) {
    if (chop(z, s)) return true;
  }
  return false;
}

// The character before the last of the word, or 0 when there is none.
char before_last(const portuguese_stemmer& z) {
  return z.k >= 2 ? z.p[static_cast<std::size_t>(z.k - 2)] : '\0';
}

char last(const portuguese_stemmer& z) { return z.p[static_cast<std::size_t>(z.k - 1)]; }

// The row of `remove_suffix` for the character before the last; true when
// it removed something. `ess` tells whether a plural 's' was set aside.
bool remove_suffix_row(portuguese_stemmer& z, bool ess) {
  switch (before_last(z)) {
    case 'c':
      return first_of(z, chop2, {"ico", "ica"});
    case 'd':
      if (!chop2(z, "idade")) return false;
      first_of(z, chop2, {"abil", "iv", "ic"});
      return true;
    case 'e':
      return first_of(z, chop2, {"Avel", "Ivel"});
    case 'm':
      return chop2(z, "ismo");
    case 'N':
      return chop2(z, ess ? "aCoNe" : "aCaNo");
    case 'o':
      return !ess && chop2(z, "ador");
    case 'r':
      return chop2(z, "adora") || (ess && chop2(z, "adore"));
    case 's':
      return first_of(z, chop2, {"oso", "osa"});
    case 't':
      if (first_of(z, chop2, {"ista", "amento", "imento"})) return true;
      // Adverbs: a plural 's' can not follow "mente", so a word with one set
      // aside ('experimentes') is a verb form, not an adverb.
      if (ess) return false;
      if (chopV(z, "amente")) {
        first_of(z, chop2, {"os", "ativ", "ad", "ic", "iv"});
        return true;
      }
      if (chop2(z, "mente")) {
        first_of(z, chop2, {"avel", "Ivel"});
        return true;
      }
      return false;
    case 'v':
      if (!first_of(z, chop2, {"ivo", "iva"})) return false;
      chop2(z, "at");
      return true;
    case 'z':
      return chop2(z, "eza");
    default:
      return false;
  }
}

}  // namespace

bool char_type(int ch) {
  switch (ch) {
    case 'a':
    case 'e':
    case 'i':
    case 'o':
    case 'u':
    case 'A':
    case 'E':
    case 'I':
    case 'O':
    case 'U':
      return true;
    default:
      return false;
  }
}

bool aei(int ch) { return ch == 'a' || ch == 'e' || ch == 'i'; }

bool AEI(int ch) { return ch == 'A' || ch == 'E' || ch == 'I'; }

void measure(portuguese_stemmer& z) {
  const std::ptrdiff_t k = z.k;
  auto vowel = [&z](std::ptrdiff_t i) {
    return char_type(static_cast<unsigned char>(z.p[static_cast<std::size_t>(i)]));
  };
  z.posV = k;
  z.pos2 = k;
  if (k < 2) return;

  std::ptrdiff_t i = 0;
  while (i < k && vowel(i)) ++i;
  if (i >= 2) {
    z.posV = i;
  } else {
    while (i < k && !vowel(i)) ++i;
    z.posV = i == 1 ? 2 : i;
  }

  // Region 2 begins with the third run of vowels.
  std::ptrdiff_t runs = 0;
  z.pos2 = k - 1;
  for (std::ptrdiff_t at = 0; at < k; ++at) {
    if (vowel(at) && (at == 0 || !vowel(at - 1)) && ++runs == 3) {
      z.pos2 = at - 1;
      break;
    }
  }
}

bool look_for(portuguese_stemmer& z, std::string_view s) {
  const auto length = static_cast<std::ptrdiff_t>(s.size());
  const std::ptrdiff_t jbase = z.j - length + 1;
  if (jbase < 0 || s.empty()) return false;
  const char* word = z.p.data() + jbase;
  std::size_t from = 0;
  if (s[0] == '.' || s[0] == ':') {
    const int ch = static_cast<unsigned char>(word[0]);
    if (!(s[0] == '.' ? aei(ch) : AEI(ch))) return false;
    from = 1;
  }
  if (std::memcmp(word + from, s.data() + from, s.size() - from) != 0) return false;
  z.j -= length;
  return true;
}

bool ends(portuguese_stemmer& z, std::string_view s) {
  z.j = z.k - 1;
  return look_for(z, s);
}

bool after_posV(portuguese_stemmer& z) {
  if (z.j < z.posV) return false;
  z.k = z.j + 1;
  return true;
}

bool after_pos2(portuguese_stemmer& z) {
  if (z.j < z.pos2) return false;
  z.k = z.j + 1;
  return true;
}

bool chopV(portuguese_stemmer& z, std::string_view s) { return ends(z, s) && after_posV(z); }

bool chopV_not_e(portuguese_stemmer& z, std::string_view s) {
  if (!ends(z, s)) return false;
  // The suffix begins at j + 1.
  if (z.j >= 0 && z.p[static_cast<std::size_t>(z.j + 1)] == 'i' &&
      z.p[static_cast<std::size_t>(z.j)] == 'e') {
    return false;
  }
  return after_posV(z);
}

bool chop2(portuguese_stemmer& z, std::string_view s) { return ends(z, s) && after_pos2(z); }

bool remove_suffix(portuguese_stemmer& z) {
  // A plural 's' is set aside so that the rows see the singular ending.
  const bool ess = z.k > 0 && last(z) == 's';
  if (ess) --z.k;
  if (remove_suffix_row(z, ess)) return true;
  // '-ns' plurals ('personagens') lose the 'n' as well as the 's'.
  if (chop2(z, "n")) return true;
  if (ess) ++z.k;
  return false;
}

bool verb_ending(portuguese_stemmer& z) {
  switch (before_last(z)) {
    case 'a':
      return chopV(z, ".riam") || chopV(z, ".rias") || chopV(z, "avam") || chopV(z, "avas") ||
             chopV_not_e(z, ".ras") ||
             first_of(z, chopV, {"adas", ".ram", "idas", "iam", "ias", "am", "ar", "as"});
    case 'd':
      return first_of(z, chopV, {".ndo", "ido", "ida", "ado", "ada"});
    case 'e':
      return first_of(
          z, chopV,
          {".ssem", ".sses", ".stes", ".rdes", ".rei", ".res", ".rem", "em", "er", "es", "eu", "ei"});
    case 'i':
      return first_of(z, chopV,
                      {":sseis", ".rIeis", "Aveis", ".reis", ":reis", "Ieis", ".ria", "ais", "eis", "ir",
                       "ia", "is", "iu"});
    case 'o':
      return first_of(z, chopV,
                      {".rIamos", ":ssemos", "Avamos", ".remos", ":ramos", "Iamos", ".rmos", "ados", "idos",
                       "Amos", ".mos", "ou"});
    case 'r':
      return chopV(z, ".rA") || chopV_not_e(z, ".ra");
    case 's':
      return chopV(z, ".sse");
    case 't':
      return chopV(z, ".ste");
    case 'v':
      return chopV(z, "ava");
    case 'A':
      return chopV(z, ".rAs");
    case 'N':
      return chopV(z, ".raNo");
    default:
      return false;
  }
}

void tidy_up(portuguese_stemmer& z, bool suffix_removed) {
  if (z.k == 0) return;
  // k - 2 >= posV is the V test for a suffix of one character.
  auto in_v_region = [&z] { return z.k - 2 >= z.posV; };
  switch (last(z)) {
    case 'a':
    case 'o':
    case 'A':
    case 'I':
    case 'O':
      if (!suffix_removed && in_v_region()) --z.k;
      break;
    case 'e':
    case 'E':
      if (in_v_region()) {
        --z.k;
        // The u of "gue" and the i of "cie" only carry the e's sound.
        if ((ends(z, "gu") || ends(z, "ci")) && in_v_region()) --z.k;
      }
      break;
    case 'i':
      if ((!suffix_removed || ends(z, "ci")) && in_v_region()) --z.k;
      break;
    case 's':
      if (!suffix_removed) chopV(z, "os");
      break;
    default:
      break;
  }
}

}  // namespace kernova::portuguese_stemmer
