#include "api/languages.h"

#include <array>

#include "english_stemmer/english_stemmer.h"
#include "portuguese_stemmer/portuguese_stemmer.h"

namespace kernova::api {
namespace {

constexpr LanguageEntry kLanguages[] = {
    {{Language::kEnglish, "en", "English"},
     &language::english,
     &english_stemmer::stem_word,
     &summarizer::english_edition},
    {{Language::kPortuguese, "pt", "Portuguese"},
     &language::portuguese,
     &portuguese_stemmer::stem_word,
     &summarizer::portuguese_edition},
};

constexpr std::array<LanguageInfo, std::size(kLanguages)> make_infos() {
  std::array<LanguageInfo, std::size(kLanguages)> infos{};
  for (std::size_t i = 0; i < infos.size(); ++i) infos[i] = kLanguages[i].info;
  return infos;
}

constexpr std::array<LanguageInfo, std::size(kLanguages)> kInfos = make_infos();

}  // namespace

std::span<const LanguageEntry> language_entries() { return kLanguages; }

const LanguageEntry& entry_of(Language language) {
  for (const LanguageEntry& entry : kLanguages) {
    if (entry.info.language == language) return entry;
  }
  return kLanguages[0];
}

std::span<const LanguageInfo> languages() { return kInfos; }

}  // namespace kernova::api
