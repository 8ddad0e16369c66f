// The one way the library reports a failure.
#ifndef KERNOVA_LANGUAGE_ERROR_H_
#define KERNOVA_LANGUAGE_ERROR_H_

#include <stdexcept>
#include <string>

namespace kernova {

// A failure that ends a run. what() is the complete message as the programs
// print it, line end included (for instance "\tERROR: can not open a.seg\n").
// Programs print it on standard output and exit with status 1.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// The message of every allocation failure.
inline constexpr const char kOutOfMemory[] = "\tERROR: out of memory!\n";

}  // namespace kernova

#endif  // KERNOVA_LANGUAGE_ERROR_H_
