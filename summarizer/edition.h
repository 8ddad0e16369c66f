// A language edition of the summarizer: the word lists, the stemmer and the
// splitter program that go with one language. The summarizing method itself
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
  // The sentence splitter program of the same language ("CLAVER_En").
  std::string_view splitter_program;
  // The message that ends a run when the query comparison runs out of
  // memory; the two editions word it differently.
  std::string_view cosine_out_of_memory;
};

// English: the English stopwords and the English stemmer. Defined in
// english_edition.cc, so that a program of one edition links without the
// other edition's stemmer.
const Edition& english_edition();

// Portuguese: the Portuguese stopwords and the Portuguese stemmer.
const Edition& portuguese_edition();

}  // namespace kernova::summarizer

#endif  // KERNOVA_SUMMARIZER_EDITION_H_
