// A language edition of the summarizer: the word lists and the stemmer that
// go with one language. The summarizing method itself
// is shared; it receives the edition as a value.
#ifndef KERNOVA_SUMMARIZER_EDITION_H_
#define KERNOVA_SUMMARIZER_EDITION_H_

#include <string>
#include <string_view>

#include "language/language.h"

namespace kernova::summarizer {

struct Edition {
  // Stopwords (and the splitter's abbreviations) of the edition's language.
  const language::Language& language;
  // Stems one word in any letter case, replacing the content of `out`. Two
  // words that differ only in ASCII letter case must get the same stem.
  void (*stem)(std::string_view word, std::string& out);
};

// English: the English stopwords and the English stemmer.
const Edition& english_edition();

// Portuguese: the Portuguese stopwords and the Portuguese stemmer.
const Edition& portuguese_edition();

}  // namespace kernova::summarizer

#endif  // KERNOVA_SUMMARIZER_EDITION_H_
