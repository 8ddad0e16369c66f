#include "classic/classic.h"

#include <cstdio>

namespace kernova::classic {

const ClassicEdition& english() {
  // This edition has always reported memory for the query without the
  // exclamation mark.
  static const ClassicEdition edition{"CLAVER_En", language::english(), summarizer::english_edition(),
                                      "\tERROR: out of memory\n"};
  return edition;
}

const ClassicEdition& portuguese() {
  static const ClassicEdition edition{"CLAVER_Por", language::portuguese(), summarizer::portuguese_edition(),
                                      "\tERROR: out of memory!\n"};
  return edition;
}

int report(const Outcome& outcome) {
  std::fwrite(outcome.message.data(), 1, outcome.message.size(), stdout);
  std::fflush(stdout);
  return outcome.status;
}

}  // namespace kernova::classic
