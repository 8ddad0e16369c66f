#include "base/number.h"

#include <charconv>
#include <limits>

namespace kernova::base {
namespace {

constexpr std::int64_t kSaturated = std::int64_t{1} << 40;

// The white space of the "C" locale.
bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_hex_digit(char c) { return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool starts_with_folded(std::string_view text, std::string_view lower) {
  if (text.size() < lower.size()) return false;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (fold(text[i]) != lower[i]) return false;
  }
  return true;
}

std::size_t skip_spaces(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && is_space(text[i])) ++i;
  return i;
}

// For a number that std::from_chars found outside the float range: whether
// it is too large (rather than too small). Its digits give the order of
// magnitude, its exponent the rest; only the sign of the sum matters, and
// it lies far from 0 for any number out of range.
bool too_large(std::string_view number, bool hex) {
  std::int64_t integer_digits = 0;
  std::int64_t first_nonzero = -1;
  std::int64_t digits = 0;
  bool fraction = false;
  std::size_t i = 0;
  for (; i < number.size(); ++i) {
    const char c = number[i];
    if (c == '.' && !fraction) {
      fraction = true;
      continue;
    }
    if (!(hex ? is_hex_digit(c) : is_digit(c))) break;
    if (first_nonzero < 0 && c != '0') first_nonzero = digits;
    ++digits;
    if (!fraction) ++integer_digits;
  }
  std::int64_t exponent = 0;
  if (i < number.size()) {
    bool negative = false;
    ++i;  // 'e' or 'p'
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) negative = number[i++] == '-';
    for (; i < number.size() && is_digit(number[i]); ++i) {
      exponent = std::min(exponent * 10 + (number[i] - '0'), kSaturated);
    }
    if (negative) exponent = -exponent;
  }
  const std::int64_t order = integer_digits - 1 - first_nonzero;
  return (hex ? 4 * order : order) + exponent >= 0;
}

// Reads an unsigned number with std::from_chars, giving infinity or 0 where
// it is out of range, as the C library does. Nothing when it reads nothing.
std::optional<float> read_magnitude(std::string_view text, bool hex) {
  float value = 0.0f;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                            hex ? std::chars_format::hex : std::chars_format::general);
  if (error == std::errc::invalid_argument) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    const std::string_view number(text.data(), static_cast<std::size_t>(end - text.data()));
    return too_large(number, hex) ? std::numeric_limits<float>::infinity() : 0.0f;
  }
  return value;
}

}  // namespace

std::optional<float> scan_float(std::string_view text) {
  std::size_t i = skip_spaces(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::string_view rest = text.substr(i);

  std::optional<float> magnitude;
  if (starts_with_folded(rest, "inf")) {
    // "infinity" is read whole or, once past "inf" with an 'i', not at all.
    if (rest.size() > 3 && fold(rest[3]) == 'i' && !starts_with_folded(rest, "infinity")) return std::nullopt;
    magnitude = std::numeric_limits<float>::infinity();
  } else if (starts_with_folded(rest, "nan")) {
    magnitude = std::numeric_limits<float>::quiet_NaN();
  } else if (rest.size() >= 2 && rest[0] == '0' && fold(rest[1]) == 'x') {
    // After "0x" a hexadecimal digit or the point must follow; "0x." alone
    // reads as 0.
    const std::string_view digits = rest.substr(2);
    if (digits.empty() || !(is_hex_digit(digits[0]) || digits[0] == '.')) return std::nullopt;
    magnitude = read_magnitude(digits, true).value_or(0.0f);
  } else {
    if (rest.empty() || !(is_digit(rest[0]) || (rest[0] == '.' && rest.size() > 1 && is_digit(rest[1])))) {
      return std::nullopt;
    }
    magnitude = read_magnitude(rest, false);
  }
  if (!magnitude) return std::nullopt;
  return negative ? -*magnitude : *magnitude;
}

std::optional<std::int64_t> scan_int(std::string_view text) {
  std::size_t i = skip_spaces(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size() || !is_digit(text[i])) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size() && is_digit(text[i]); ++i)
    value = std::min(value * 10 + (text[i] - '0'), kSaturated);
  return negative ? -value : value;
}

}  // namespace kernova::base
