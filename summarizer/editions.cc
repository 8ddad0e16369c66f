#include "english_stemmer/english_stemmer.h"
#include "portuguese_stemmer/portuguese_stemmer.h"
#include "summarizer/edition.h"

namespace kernova::summarizer {

const Edition& english_edition() {
  static const Edition edition{language::english(), &english_stemmer::stem_word};
  return edition;
}

const Edition& portuguese_edition() {
  static const Edition edition{language::portuguese(), &portuguese_stemmer::stem_word};
  return edition;
}

}  // namespace kernova::summarizer
