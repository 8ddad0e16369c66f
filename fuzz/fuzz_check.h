// A check inside a fuzz target: on failure, print what broke and abort, so
// that the fuzzer keeps the input and the replay test fails.
#ifndef KERNOVA_FUZZ_FUZZ_CHECK_H_
#define KERNOVA_FUZZ_FUZZ_CHECK_H_

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                        \
  do {                                                                               \
    if (!(condition)) {                                                              \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                  \
    }                                                                                \
  } while (false)

#endif  // KERNOVA_FUZZ_FUZZ_CHECK_H_
