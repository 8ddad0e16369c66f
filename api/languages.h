// The table of the languages the library knows: adding a language is one
// entry here, with its word lists, stemmer and summarizer edition.
#ifndef KERNOVA_API_LANGUAGES_H_
#define KERNOVA_API_LANGUAGES_H_

#include <span>
#include <string>
#include <string_view>

#include "kernova/kernova.hpp"
#include "language/language.h"
#include "summarizer/edition.h"

namespace kernova::api {

struct LanguageEntry {
  LanguageInfo info;
  // The word lists: stopwords, and the abbreviations the splitter knows.
  const language::Language& (*words)();
  // Stems one word, replacing the content of `out`.
  void (*stem)(std::string_view word, std::string& out);
  // The summarizing method's edition of the language.
  const summarizer::Edition& (*edition)();
};

std::span<const LanguageEntry> language_entries();

// The entry of `language`.
const LanguageEntry& entry_of(Language language);

}  // namespace kernova::api

#endif  // KERNOVA_API_LANGUAGES_H_
