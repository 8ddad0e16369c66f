#include "frontend/stemmers.h"

#include "english_stemmer/english_stemmer.h"
#include "portuguese_stemmer/portuguese_stemmer.h"

namespace kernova::frontend {
namespace {

// A language becomes available by putting its stemming entry here.
constexpr StemmerChoice kStemmers[] = {
    {"en", "English", &english_stemmer::stemming},
    {"pt", "Portuguese", &portuguese_stemmer::stem},
};

}  // namespace

std::span<const StemmerChoice> stemmer_choices() { return kStemmers; }

const StemmerChoice* find_stemmer(std::string_view code) {
  for (const StemmerChoice& choice : kStemmers) {
    if (choice.code == code) return &choice;
  }
  return nullptr;
}

}  // namespace kernova::frontend
