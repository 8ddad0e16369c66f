#include "english_stemmer/english_stemmer.h"
#include "summarizer/edition.h"

namespace kernova::summarizer {

const Edition& english_edition() {
  static const Edition edition{
      .language = language::english(),
      .stem = &english_stemmer::stemming,
      .splitter_program = "CLAVER_En",
      // This edition has always reported it without the exclamation mark.
      .cosine_out_of_memory = "\tERROR: out of memory\n",
  };
  return edition;
}

}  // namespace kernova::summarizer
