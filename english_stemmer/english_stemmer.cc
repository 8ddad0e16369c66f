#include "english_stemmer/english_stemmer.h"

#include <cstddef>
#include <cstring>

namespace kernova::english_stemmer {
namespace {

using Index = std::ptrdiff_t;

// One word being stemmed. All of the state lives here, on the caller's
// stack, so that any number of threads may stem at once.
//
// The word is b[k0..k]. Every step looks only at the end of the word, and
// every replacement is no longer than what it replaces (step 1b appends one
// letter only after removing two or three), so nothing is ever written past
// the word's last letter on entry.
class Stemmer {
 public:
  Stemmer(char* b, Index k0, Index k) : b_(b), k0_(k0), k_(k) {}

  Index run() {
    step1ab();
    step1c();
    step2();
    step3();
    step4();
    step5();
    return k_;
  }

 private:
  static constexpr bool is_vowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

  // Whether b[i] is a consonant. A 'y' is a consonant at the start of the
  // word and after a vowel, a vowel after a consonant. Within a run of y's
  // that makes them alternate, so the run is measured instead of recursing
  // through it letter by letter.
  bool cons(Index i) const {
    if (is_vowel(b_[i])) return false;
    if (b_[i] != 'y') return true;
    Index first = i;
    while (first > k0_ && b_[first - 1] == 'y') --first;
    // The run's first 'y' is a consonant at the start of the word or after
    // a vowel, and a vowel after any other consonant.
    bool first_is_consonant = first == k0_ || is_vowel(b_[first - 1]);
    return ((i - first) % 2 == 0) == first_is_consonant;
  }

  // The consonant test for b[i] when the answer for b[i - 1] is known:
  // one pass from left to right then costs a constant per letter.
  bool cons_after(Index i, bool previous_is_consonant) const {
    if (is_vowel(b_[i])) return false;
    if (b_[i] != 'y') return true;
    return i == k0_ || !previous_is_consonant;
  }

  // The measure m of b[k0..j]: the number of vowel-consonant pairs in the
  // form [C](VC)^m[V].
  int m() const {
    int measure = 0;
    bool previous = true;
    for (Index i = k0_; i <= j_; ++i) {
      bool current = cons_after(i, previous);
      if (current && !previous && i > k0_) ++measure;
      previous = current;
    }
    return measure;
  }

  // b[k0..j] holds a vowel.
  bool vowelinstem() const {
    bool previous = true;
    for (Index i = k0_; i <= j_; ++i) {
      previous = cons_after(i, previous);
      if (!previous) return true;
    }
    return false;
  }

  // b[x - 1..x] is a doubled consonant.
  bool doublec(Index x) const { return x >= k0_ + 1 && b_[x] == b_[x - 1] && cons(x); }

  // b[x - 2..x] is consonant, vowel, consonant, and b[x] is not w, x or y:
  // the shape of hop, wil, fil, where a removed final e is put back.
  bool cvc(Index x) const {
    if (x < k0_ + 2 || !cons(x) || cons(x - 1) || !cons(x - 2)) return false;
    char c = b_[x];
    return c != 'w' && c != 'x' && c != 'y';
  }

  // The word ends with `suffix`; then j is the index just before it. The
  // last letter is compared first because it rules out most suffixes.
  bool ends(std::string_view suffix) {
    Index length = static_cast<Index>(suffix.size());
    if (suffix.back() != b_[k_]) return false;
    if (length > k_ - k0_ + 1) return false;
    if (std::memcmp(b_ + k_ - length + 1, suffix.data(), suffix.size()) != 0) return false;
    j_ = k_ - length;
    return true;
  }

  // Puts `replacement` after b[j] and ends the word there.
  void setto(std::string_view replacement) {
    std::memcpy(b_ + j_ + 1, replacement.data(), replacement.size());
    k_ = j_ + static_cast<Index>(replacement.size());
  }

  // The replacement of steps 2 and 3: only when something of measure > 0
  // would remain.
  void r(std::string_view replacement) {
    if (m() > 0) setto(replacement);
  }

  // A suffix and what replaces it.
  struct Rule {
    std::string_view suffix;
    std::string_view replacement;
  };

  // The first rule whose suffix ends the word decides alone: it is applied
  // when m > 0, and no later rule is tried either way.
  template <std::size_t N>
  void apply_first(const Rule (&rules)[N]) {
    for (const Rule& rule : rules) {
      if (ends(rule.suffix)) {
        r(rule.replacement);
        return;
      }
    }
  }

  // Plurals and -ed or -ing: caresses -> caress, ponies -> poni,
  // cats -> cat; agreed -> agree, plastered -> plaster, motoring -> motor,
  // and then hopp -> hop, conflat -> conflate, fil -> file.
  void step1ab() {
    if (b_[k_] == 's') {
      if (ends("sses")) {
        k_ -= 2;
      } else if (ends("ies")) {
        setto("i");
      } else if (b_[k_ - 1] != 's') {
        --k_;
      }
    }
    if (ends("eed")) {
      if (m() > 0) --k_;
      return;
    }
    if (!((ends("ed") || ends("ing")) && vowelinstem())) return;
    k_ = j_;
    // After the cut j == k, so the tests below measure the whole word.
    if (ends("at")) {
      setto("ate");
    } else if (ends("bl")) {
      setto("ble");
    } else if (ends("iz")) {
      setto("ize");
    } else if (doublec(k_)) {
      char last = b_[k_];
      if (last != 'l' && last != 's' && last != 'z') --k_;
    } else if (m() == 1 && cvc(k_)) {
      setto("e");
    }
  }

  // A final y after a vowel somewhere in the stem becomes i: happy -> happi,
  // while sky stays.
  void step1c() {
    if (ends("y") && vowelinstem()) b_[k_] = 'i';
  }

  // Double suffixes become single ones. The list is chosen by the
  // last-but-one letter; a word cut to one letter by step 1 has none.
  void step2() {
    if (k_ == k0_) return;
    // One line per letter.
    // clang-format off
    switch (b_[k_ - 1]) {
      case 'a': apply_first({{"ational", "ate"}, {"tional", "tion"}}); break;
      case 'c': apply_first({{"enci", "ence"}, {"anci", "ance"}}); break;
      case 'e': apply_first({{"izer", "ize"}}); break;
      case 'l':
        // "bli" whatever precedes it, so possibly -> possibl as well as
        // -able words.
        apply_first({{"bli", "ble"}, {"alli", "al"}, {"entli", "ent"}, {"eli", "e"}, {"ousli", "ous"}});
        break;
      case 'o': apply_first({{"ization", "ize"}, {"ation", "ate"}, {"ator", "ate"}}); break;
      case 's': apply_first({{"alism", "al"}, {"iveness", "ive"}, {"fulness", "ful"}, {"ousness", "ous"}}); break;
      case 't': apply_first({{"aliti", "al"}, {"iviti", "ive"}, {"biliti", "ble"}}); break;
      case 'g':
        // archaeology and archaeologist meet at archaeolog.
        apply_first({{"logi", "log"}});
        break;
      default: break;
    }
    // clang-format on
  }

  // -ic-, -full, -ness and the like, chosen by the last letter.
  void step3() {
    // One line per letter.
    // clang-format off
    switch (b_[k_]) {
      case 'e': apply_first({{"icate", "ic"}, {"ative", ""}, {"alize", "al"}}); break;
      case 'i': apply_first({{"iciti", "ic"}}); break;
      case 'l': apply_first({{"ical", "ic"}, {"ful", ""}}); break;
      case 's': apply_first({{"ness", ""}}); break;
      default: break;
    }
    // clang-format on
  }

  // The first suffix of the list that ends the word decides alone.
  template <std::size_t N>
  bool ends_with_first(const std::string_view (&suffixes)[N]) {
    for (std::string_view suffix : suffixes) {
      if (ends(suffix)) return true;
    }
    return false;
  }

  // Removes a last suffix from a stem of measure > 1: adjustable -> adjust,
  // replacement -> replac, adoption -> adopt.
  void step4() {
    if (k_ == k0_) return;
    bool found = false;
    // One line per letter.
    // clang-format off
    switch (b_[k_ - 1]) {
      case 'a': found = ends_with_first({"al"}); break;
      case 'c': found = ends_with_first({"ance", "ence"}); break;
      case 'e': found = ends_with_first({"er"}); break;
      case 'i': found = ends_with_first({"ic"}); break;
      case 'l': found = ends_with_first({"able", "ible"}); break;
      case 'n': found = ends_with_first({"ant", "ement", "ment", "ent"}); break;
      case 'o':
        // -ion only after s or t (adoption, but not onion); else -ou.
        found = (ends("ion") && j_ >= k0_ && (b_[j_] == 's' || b_[j_] == 't')) || ends("ou");
        break;
      case 's': found = ends_with_first({"ism"}); break;
      case 't': found = ends_with_first({"ate", "iti"}); break;
      case 'u': found = ends_with_first({"ous"}); break;
      case 'v': found = ends_with_first({"ive"}); break;
      case 'z': found = ends_with_first({"ize"}); break;
      default: break;
    }
    // clang-format on
    if (found && m() > 1) k_ = j_;
  }

  // A final e goes from a long stem (probate -> probat), and from a stem of
  // measure 1 unless the e protects a consonant-vowel-consonant end
  // (cease -> ceas, but rate stays). Then -ll loses an l on a long stem.
  void step5() {
    j_ = k_;
    if (b_[k_] == 'e') {
      int a = m();
      if (a > 1 || (a == 1 && !cvc(k_ - 1))) --k_;
    }
    if (b_[k_] == 'l' && doublec(k_) && m() > 1) --k_;
  }

  char* b_;
  Index k0_;
  Index k_;
  Index j_ = 0;
};

// Stems b[first..last]; the wide index lets `stem_word` take words of any
// length.
Index stem_range(char* b, Index first, Index last) {
  // Words of one or two letters are never changed.
  if (last <= first + 1) return last;
  return Stemmer(b, first, last).run();
}

constexpr bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

constexpr char to_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

}  // namespace

int stem(char* p, int i, int j) { return static_cast<int>(stem_range(p, i, j)); }

void stem_word(std::string_view word, std::string& out) {
  // Only the last run of ASCII letters counts: the letters of a run are
  // stemmed, and each later run's stem replaces the earlier one. Digits,
  // '-', '_' and accented letters separate runs.
  std::size_t end = word.size();
  while (end > 0 && !is_ascii_letter(word[end - 1])) --end;
  if (end == 0) {
    // No ASCII letter: the word comes back as it is. Folding would change
    // only ASCII capitals, and there are none.
    out.assign(word);
    return;
  }
  std::size_t begin = end - 1;
  while (begin > 0 && is_ascii_letter(word[begin - 1])) --begin;

  out.resize(end - begin);
  for (std::size_t n = 0; n < out.size(); ++n) out[n] = to_lower(word[begin + n]);
  Index last = stem_range(out.data(), 0, static_cast<Index>(out.size()) - 1);
  out.resize(static_cast<std::size_t>(last + 1));
}

std::string stem_word(std::string_view word) {
  std::string out;
  stem_word(word, out);
  return out;
}

}  // namespace kernova::english_stemmer
