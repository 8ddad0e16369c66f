#include "rouge/rouge.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace kernova::rouge {
namespace {

// The next character of `text` at `pos`, which is moved past it.
char32_t next_character(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byte(pos);
  int length = 0;
  char32_t c = 0;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
    c = first & 0x1F;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    c = first & 0x0F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    c = first & 0x07;
  }
  if (length == 0 || pos + length > text.size()) {
    ++pos;
    return first;
  }
  for (int k = 1; k < length; ++k) {
    const unsigned char next = byte(pos + k);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return first;
    }
    c = (c << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
  if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
      (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return first;
  }
  pos += length;
  return c;
}

bool is_word_character(char32_t c) {
  if (c < 0x80) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  }
  if (c <= 0xFF) {
    if (c >= 0xC0) return c != 0xD7 && c != 0xF7;
    return c == 0xAA || c == 0xB2 || c == 0xB3 || c == 0xB5 || c == 0xB9 || c == 0xBA ||
           (c >= 0xBC && c <= 0xBE);
  }
  const bool not_word = (c >= 0x300 && c <= 0x36F) ||    // combining marks
                        (c >= 0x2000 && c <= 0x2BFF) ||  // punctuation, symbols, arrows, shapes
                        (c >= 0x2E00 && c <= 0x2E7F) ||  // supplemental punctuation
                        (c >= 0x3000 && c <= 0x303F) ||  // CJK punctuation
                        (c >= 0xE000 && c <= 0xF8FF) ||  // private use
                        (c >= 0xFE00 && c <= 0xFE6F) ||  // variation selectors, small forms
                        (c >= 0xFF00 && c <= 0xFF0F) || (c >= 0xFFF0 && c <= 0xFFFF) ||
                        (c >= 0x1F000 && c <= 0x1FAFF);  // emoji and pictographs
  return !not_word;
}

char32_t lower(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c >= 0x100 && c <= 0x17F) {
    // Pairs capital, small: even-odd up to U+0137 and from U+014A to U+0177,
    // odd-even from U+0139 to U+0148 and from U+0179 to U+017E.
    if ((c <= 0x137 || (c >= 0x14A && c <= 0x177)) && c % 2 == 0 && c != 0x130) return c + 1;
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && c % 2 == 1) return c + 1;
    if (c == 0x178) return 0xFF;
    return c;
  }
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

void append_utf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The harmonic mean of recall and precision from the counts.
Score ratio(std::size_t shared, std::size_t candidate, std::size_t reference) {
  Score s;
  if (reference > 0) s.recall = static_cast<double>(shared) / reference;
  if (candidate > 0) s.precision = static_cast<double>(shared) / candidate;
  if (s.recall + s.precision > 0) s.f = 2 * s.recall * s.precision / (s.recall + s.precision);
  return s;
}

// Both lists as ids, equal tokens getting equal ids.
struct Ids {
  std::vector<std::uint32_t> candidate;
  std::vector<std::uint32_t> reference;
};

Ids to_ids(const std::vector<std::string>& candidate, const std::vector<std::string>& reference) {
  std::unordered_map<std::string_view, std::uint32_t> ids;
  auto id = [&ids](const std::string& token) {
    return ids.emplace(token, static_cast<std::uint32_t>(ids.size())).first->second;
  };
  Ids out;
  for (const std::string& token : candidate) out.candidate.push_back(id(token));
  for (const std::string& token : reference) out.reference.push_back(id(token));
  return out;
}

Score rouge_n(const Ids& ids, std::size_t n) {
  auto key = [n](const std::vector<std::uint32_t>& list, std::size_t i) {
    return n == 1 ? list[i] : (static_cast<std::uint64_t>(list[i]) << 32 | list[i + 1]);
  };
  const std::size_t candidate_grams = ids.candidate.size() >= n ? ids.candidate.size() - n + 1 : 0;
  const std::size_t reference_grams = ids.reference.size() >= n ? ids.reference.size() - n + 1 : 0;
  std::unordered_map<std::uint64_t, std::size_t> left;  // reference n-grams not yet matched
  for (std::size_t i = 0; i < reference_grams; ++i) ++left[key(ids.reference, i)];
  std::size_t shared = 0;
  for (std::size_t i = 0; i < candidate_grams; ++i) {
    const auto found = left.find(key(ids.candidate, i));
    if (found != left.end() && found->second > 0) {
      --found->second;
      ++shared;
    }
  }
  return ratio(shared, candidate_grams, reference_grams);
}

std::size_t longest_common_subsequence(const std::vector<std::uint32_t>& a,
                                       const std::vector<std::uint32_t>& b) {
  std::vector<std::uint32_t> row(b.size() + 1, 0);
  for (std::uint32_t x : a) {
    std::uint32_t diagonal = 0;  // row[j - 1] of the previous row
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::uint32_t above = row[j];
      row[j] = x == b[j - 1] ? diagonal + 1 : std::max(above, row[j - 1]);
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::vector<std::string> tokens(std::string_view text, StemFunction stem) {
  std::vector<std::string> result;
  std::string token;
  std::string latin1;
  std::string stemmed;
  bool in_latin1 = true;
  auto end_token = [&] {
    if (token.empty()) return;
    if (stem != nullptr && in_latin1) {
      stem(latin1, stemmed);
      token.clear();
      for (char byte : stemmed) append_utf8(static_cast<unsigned char>(byte), token);
    }
    result.push_back(std::move(token));
    token.clear();
    latin1.clear();
    in_latin1 = true;
  };
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t c = next_character(text, pos);
    if (!is_word_character(c)) {
      end_token();
      continue;
    }
    const char32_t small = lower(c);
    append_utf8(small, token);
    if (small <= 0xFF) {
      latin1 += static_cast<char>(small);
    } else {
      in_latin1 = false;
    }
  }
  end_token();
  return result;
}

Scores score(const std::vector<std::string>& candidate, const std::vector<std::string>& reference) {
  const Ids ids = to_ids(candidate, reference);
  Scores s;
  s.rouge1 = rouge_n(ids, 1);
  s.rouge2 = rouge_n(ids, 2);
  s.rouge_l = ratio(longest_common_subsequence(ids.candidate, ids.reference), ids.candidate.size(),
                    ids.reference.size());
  return s;
}

void cut(std::vector<std::string>& candidate, std::size_t words) {
  if (candidate.size() > words) candidate.resize(words);
}

Scores average(const std::vector<Scores>& scores) {
  Scores mean;
  if (scores.empty()) return mean;
  auto add = [](Score& to, const Score& from) {
    to.recall += from.recall;
    to.precision += from.precision;
    to.f += from.f;
  };
  for (const Scores& s : scores) {
    add(mean.rouge1, s.rouge1);
    add(mean.rouge2, s.rouge2);
    add(mean.rouge_l, s.rouge_l);
  }
  for (Score* s : {&mean.rouge1, &mean.rouge2, &mean.rouge_l}) {
    s->recall /= scores.size();
    s->precision /= scores.size();
    s->f /= scores.size();
  }
  return mean;
}

}  // namespace kernova::rouge
