#include "portuguese_stemmer/portuguese_stemmer.h"
#include "summarizer/edition.h"

namespace kernova::summarizer {

const Edition& portuguese_edition() {
  static const Edition edition{
      .language = language::portuguese(),
      .stem = &portuguese_stemmer::stem,
      .splitter_program = "CLAVER_Por",
      .cosine_out_of_memory = "\tERROR: out of memory!\n",
  };
  return edition;
}

}  // namespace kernova::summarizer
