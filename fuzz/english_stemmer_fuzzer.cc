// The English stemmer on arbitrary words: no crash and no access outside
// the word; a stem is never longer than its word and is made of small ASCII
// letters whenever the word holds an ASCII letter; letter case does not
// change the stem; and the library entry agrees with the in-place stemmer
// on the word's last run of letters.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "english_stemmer/english_stemmer.h"
#include "fuzz/fuzz_check.h"

namespace {

constexpr bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool is_small_letter(char c) { return c >= 'a' && c <= 'z'; }

std::string with_case(std::string_view word, bool upper) {
  std::string out(word);
  for (char& c : out) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1 << 14) return 0;
  const std::string_view word(reinterpret_cast<const char*>(data), size);
  using kernova::english_stemmer::stem_word;

  std::string stem;
  stem_word(word, stem);
  FUZZ_CHECK(stem.size() <= word.size());
  FUZZ_CHECK(stem_word(with_case(word, true)) == stem);
  FUZZ_CHECK(stem_word(with_case(word, false)) == stem);
  // A scratch string that held a longer stem gives the same result.
  std::string reused(word.size() + 7, 'q');
  stem_word(word, reused);
  FUZZ_CHECK(reused == stem);

  // The last run of ASCII letters, lower-cased.
  std::size_t end = word.size();
  while (end > 0 && !is_ascii_letter(word[end - 1])) --end;
  if (end == 0) {
    FUZZ_CHECK(stem == word);
    return 0;
  }
  std::size_t begin = end - 1;
  while (begin > 0 && is_ascii_letter(word[begin - 1])) --begin;
  const std::string run = with_case(word.substr(begin, end - begin), false);

  FUZZ_CHECK(!stem.empty());
  for (char c : stem) FUZZ_CHECK(is_small_letter(c));
  FUZZ_CHECK(stem.front() == run.front());
  if (run.size() <= 2) FUZZ_CHECK(stem == run);

  // The in-place stemmer on a buffer of exactly the run's size, placed
  // after a guard byte: it may write only inside [first, last].
  const std::size_t first = 1;
  const auto buffer = std::make_unique<char[]>(run.size() + first);
  buffer[0] = '#';
  run.copy(buffer.get() + first, run.size());
  if (run.size() + first <= static_cast<std::size_t>(INT32_MAX)) {
    const int last = kernova::english_stemmer::stem(buffer.get(), static_cast<int>(first),
                                                    static_cast<int>(run.size() + first - 1));
    FUZZ_CHECK(last >= static_cast<int>(first) && last <= static_cast<int>(run.size() + first - 1));
    FUZZ_CHECK(buffer[0] == '#');
    FUZZ_CHECK(std::string_view(buffer.get() + first, static_cast<std::size_t>(last) + 1 - first) == stem);
  }
  return 0;
}
