// The stemmers that `kernova stem --lang` can choose, by language code.
#ifndef KERNOVA_FRONTEND_STEMMERS_H_
#define KERNOVA_FRONTEND_STEMMERS_H_

#include <span>
#include <string>
#include <string_view>

namespace kernova::frontend {

// Replaces `out` with the stem of `word` (ISO 8859-1 bytes, any case).
using StemFunction = void (*)(std::string_view word, std::string& out);

// One language the command line knows.
struct StemmerChoice {
  std::string_view code;      // the value of --lang: "en", "pt"
  std::string_view language;  // its name in messages: "English"
  StemFunction stem;          // null while that stemmer is not built yet
};

// Every known language code, in the order the help text lists them.
std::span<const StemmerChoice> stemmer_choices();

// The entry for `code` (exact match), or null when no language has it.
const StemmerChoice* find_stemmer(std::string_view code);

}  // namespace kernova::frontend

#endif  // KERNOVA_FRONTEND_STEMMERS_H_
