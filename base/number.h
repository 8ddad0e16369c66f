// Numbers read as the C library's scanf reads them in the "C" locale,
// without consulting any locale.
#ifndef KERNOVA_BASE_NUMBER_H_
#define KERNOVA_BASE_NUMBER_H_

#include <cstdint>
#include <optional>
#include <string_view>

namespace kernova::base {

// The value that C's sscanf "%f" reads from the start of `text` in the "C"
// locale, or nothing when it reads none: blanks, a sign, then a decimal or
// hexadecimal number, "inf", "infinity" or "nan" in any case.
std::optional<float> scan_float(std::string_view text);

// The value that "%d" reads (blanks, a sign, digits), or nothing. Values
// beyond the int range saturate at +-2^40 instead of wrapping around.
std::optional<std::int64_t> scan_int(std::string_view text);

}  // namespace kernova::base

#endif  // KERNOVA_BASE_NUMBER_H_
