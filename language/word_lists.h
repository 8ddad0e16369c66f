// The raw word lists of each edition, in ISO 8859-1 bytes. Code outside this
// module reaches them through `Language` (language/language.h).
#ifndef KERNOVA_LANGUAGE_WORD_LISTS_H_
#define KERNOVA_LANGUAGE_WORD_LISTS_H_

#include <span>
#include <string_view>

namespace kernova::language::english_words {
extern const std::span<const std::string_view> stopwords;      // 522 words
extern const std::span<const std::string_view> abbreviations;  // 725 words
}  // namespace kernova::language::english_words

namespace kernova::language::portuguese_words {
extern const std::span<const std::string_view> stopwords;      // 233 words
extern const std::span<const std::string_view> abbreviations;  // 239 words
}  // namespace kernova::language::portuguese_words

#endif  // KERNOVA_LANGUAGE_WORD_LISTS_H_
