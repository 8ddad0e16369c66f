#include "language/language.h"

#include <algorithm>

#include "language/word_hash.h"
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

WordList::WordList(std::span<const std::string_view> entries) {
  std::size_t slots = 16;
  while (slots < entries.size() * 4) slots *= 2;
  slots_.resize(slots);
  static constexpr char kEmpty[] = "";
  for (std::string_view entry : entries) {
    if (find(entry)) continue;
    std::size_t i = hash_word(entry) & (slots_.size() - 1);
    while (slots_[i].data() != nullptr) i = (i + 1) & (slots_.size() - 1);
    // An empty entry still needs a non-null view to be told from a free slot.
    slots_[i] = entry.empty() ? std::string_view(kEmpty, 0) : entry;
    ++size_;
    longest_ = std::max(longest_, entry.size());
  }
}

bool WordList::find(std::string_view word) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash_word(word) & mask; slots_[i].data() != nullptr; i = (i + 1) & mask) {
    if (slots_[i] == word) return true;
  }
  return false;
}

bool WordList::contains(std::string_view word) const { return word.size() <= longest_ && find(word); }

bool WordList::contains_folded(std::string_view word) const {
  // No entry is longer than a few dozen bytes, so a longer word is
  // answered without folding it.
  constexpr std::size_t kFoldBuffer = 64;
  if (word.size() > longest_ || word.size() > kFoldBuffer) return false;
  char folded[kFoldBuffer];
  std::transform(word.begin(), word.end(), folded, fold);
  return find(std::string_view(folded, word.size()));
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
