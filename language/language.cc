#include "language/language.h"

#include <algorithm>

#include "language/word_lists.h"

namespace kernova::language {

std::string lowercase(std::string_view word) {
  std::string out;
  lowercase(word, out);
  return out;
}

void lowercase(std::string_view word, std::string& out) {
  out.resize(word.size());
  std::transform(word.begin(), word.end(), out.begin(), fold);
}

WordList::WordList(std::span<const std::string_view> entries) : set_(entries.begin(), entries.end()) {
  for (std::string_view entry : entries) longest_ = std::max(longest_, entry.size());
}

bool WordList::contains(std::string_view word) const {
  return word.size() <= longest_ && set_.contains(word);
}

bool WordList::contains_folded(std::string_view word) const {
  // No entry is longer than a few dozen bytes, so a longer word is
  // answered without folding it.
  constexpr std::size_t kFoldBuffer = 64;
  if (word.size() > longest_ || word.size() > kFoldBuffer) return false;
  char folded[kFoldBuffer];
  std::transform(word.begin(), word.end(), folded, fold);
  return set_.contains(std::string_view(folded, word.size()));
}

const Language& english() {
  static const WordList stopwords(english_words::stopwords);
  static const WordList abbreviations(english_words::abbreviations);
  static const Language language{"En", stopwords, abbreviations};
  return language;
}

const Language& portuguese() {
  static const WordList stopwords(portuguese_words::stopwords);
  static const WordList abbreviations(portuguese_words::abbreviations);
  static const Language language{"Por", stopwords, abbreviations};
  return language;
}

bool stopword(const Language& language, std::string_view word) { return language.stopwords.contains(word); }

bool stopword_folded(const Language& language, std::string_view word) {
  return language.stopwords.contains_folded(word);
}

bool abbrev(const Language& language, std::string_view word) { return language.abbreviations.contains(word); }

bool abbrev_folded(const Language& language, std::string_view word) {
  return language.abbreviations.contains_folded(word);
}

}  // namespace kernova::language
