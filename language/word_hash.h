// The hash that the project's tables of words use.
#ifndef KERNOVA_LANGUAGE_WORD_HASH_H_
#define KERNOVA_LANGUAGE_WORD_HASH_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace kernova {

// 64 well-mixed bits of `key`'s bytes and size.
inline std::uint64_t hash_word(std::string_view key) {
  // Words are short: most fit one or two overlapping loads of fixed size,
  // which compile to plain moves.
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
  const char* p = key.data();
  const std::size_t size = key.size();
  auto load64 = [](const char* at) {
    std::uint64_t v;
    std::memcpy(&v, at, 8);
    return v;
  };
  auto load32 = [](const char* at) {
    std::uint32_t v;
    std::memcpy(&v, at, 4);
    return std::uint64_t{v};
  };
  std::uint64_t h = (size + 1) * kMultiplier;
  std::uint64_t last;
  if (size >= 8) {
    for (std::size_t i = 0; i + 8 < size; i += 8) {
      h = (h ^ load64(p + i)) * kMultiplier;
      h ^= h >> 29;
    }
    last = load64(p + size - 8);
  } else if (size >= 4) {
    last = (load32(p) << 32) | load32(p + size - 4);
  } else if (size > 0) {
    last = (std::uint64_t{static_cast<unsigned char>(p[0])} << 16) |
           (std::uint64_t{static_cast<unsigned char>(p[size / 2])} << 8) |
           static_cast<unsigned char>(p[size - 1]);
  } else {
    last = 0;
  }
  h = (h ^ last) * kMultiplier;
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ull;
  h ^= h >> 32;
  return h;
}

}  // namespace kernova

#endif  // KERNOVA_LANGUAGE_WORD_HASH_H_
