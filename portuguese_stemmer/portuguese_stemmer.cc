#include "portuguese_stemmer/portuguese_stemmer.h"

#include <array>
#include <cstddef>

#include "language/language.h"

namespace kernova::portuguese_stemmer {
namespace {

// How `acento` writes an accented letter: base letter and accent code.
struct Accent {
  char base = 0;  // 0: the byte is not encoded
  char code = 0;
};

constexpr std::array<Accent, 256> make_accents() {
  std::array<Accent, 256> accents{};
  auto set = [&accents](unsigned char capital, char base, char code) {
    accents[capital] = {base, code};
    accents[capital + 0x20] = {base, code};  // the small letter
  };
  // One line per base letter.
  // clang-format off
  set(0xC0, 'a', 'c'); set(0xC1, 'a', 'a'); set(0xC2, 'a', 'h'); set(0xC3, 'a', 't');  // grave acute circumflex tilde
  set(0xC7, 'c', 'c');                                                                 // cedilla
  set(0xC9, 'e', 'a'); set(0xCA, 'e', 'h');                                            // acute circumflex
  set(0xCD, 'i', 'a');                                                                 // acute
  set(0xD3, 'o', 'a'); set(0xD4, 'o', 'h'); set(0xD5, 'o', 't');                       // acute circumflex tilde
  set(0xDA, 'u', 'a');                                                                 // acute
  // clang-format on
  return accents;
}

constexpr std::array<Accent, 256> kAccents = make_accents();

constexpr char kCCedilla = '\347';
constexpr char kATilde = '\343';
constexpr char kOTilde = '\365';

// The internal letter for base letter `letter` with accent `code`: the
// capital for acute, grave, circumflex and cedilla, 'N' (written after the
// letter) for the tilde, 0 for a pair that means nothing.
char internal_letter(char letter, char code) {
  switch (letter) {
    case 'a':
      if (code == 'a' || code == 'c' || code == 'h') return 'A';
      return code == 't' ? 'N' : 0;
    case 'c':
      return code == 'c' ? 'C' : 0;
    case 'e':
      return code == 'a' || code == 'h' ? 'E' : 0;
    case 'i':
      return code == 'a' ? 'I' : 0;
    case 'o':
      if (code == 'a' || code == 'h') return 'O';
      return code == 't' ? 'N' : 0;
    case 'u':
      return code == 'a' ? 'U' : 0;
    default:
      return 0;
  }
}

}  // namespace

void acento(std::string& s, char p) {
  const Accent accent = kAccents[static_cast<unsigned char>(p)];
  if (accent.base == 0) {
    s.push_back(language::fold(p));
    return;
  }
  s.push_back(accent.base);
  s.push_back('^');
  s.push_back(accent.code);
}

std::string_view to_internal(portuguese_stemmer& z, std::string_view q) {
  std::string& p = z.p;
  p.clear();
  p.reserve(q.size());
  const std::size_t n = q.size();
  for (std::size_t j = 0; j < n; ++j) {
    // A '^' at either end can not sit between a letter and a code.
    if (q[j] != '^' || j == 0 || j + 1 == n) {
      p.push_back(q[j]);
      continue;
    }
    const char letter = q[j - 1];
    const char internal = internal_letter(letter, q[j + 1]);
    if (internal == 'N') {
      p.push_back('N');
    } else if (internal != 0) {
      p.back() = internal;  // p holds at least q[0]
    }
    ++j;  // the code is used up
  }
  z.k = static_cast<std::ptrdiff_t>(p.size());
  return z.word();
}

std::string_view to_text(portuguese_stemmer& z) {
  std::string& p = z.p;
  std::size_t out = 0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(z.k); ++i) {
    const char c = p[i];
    switch (c) {
      case 'A':
      case 'E':
      case 'I':
      case 'O':
      case 'U':
        p[out++] = language::fold(c);
        break;
      case 'C':
        p[out++] = kCCedilla;
        break;
      case 'N':
        // The tilde goes back onto the vowel it followed.
        if (out > 0 && p[out - 1] == 'a') {
          p[out - 1] = kATilde;
        } else if (out > 0 && p[out - 1] == 'o') {
          p[out - 1] = kOTilde;
        }
        break;
      default:
        p[out++] = c;
        break;
    }
  }
  z.k = static_cast<std::ptrdiff_t>(out);
  return z.word();
}

std::string_view portuguese_stem(portuguese_stemmer& z_, std::string_view q) {
  to_internal(z_, q);
  if (const auto translation = search_pool(*z_.irregulars, z_.word())) return *translation;
  measure(z_);
  bool suffix_removed = remove_suffix(z_);
  if (!suffix_removed) suffix_removed = verb_ending(z_);
  tidy_up(z_, suffix_removed);
  return to_text(z_);
}

void stem_word(std::string_view word, std::string& out) {
  // The encoded word has up to three bytes per letter; no length limit.
  // `acento` folds the ASCII capitals itself, so no separate folding pass.
  std::string s;
  s.reserve(word.size() * 3);
  for (char c : word) acento(s, c);
  portuguese_stemmer z;
  const std::string_view r = portuguese_stem(z, s);
  out.assign(r.data(), r.size());
}

std::string stem_word(std::string_view word) {
  std::string out;
  stem_word(word, out);
  return out;
}

}  // namespace kernova::portuguese_stemmer
