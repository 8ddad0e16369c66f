#!/usr/bin/env bash
# Builds and runs the whole test suite: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then, when clang is
# there, a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

# Debian's interpreter, the one its python3-* packages are for.
python=/usr/bin/python3

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKERNOVA_WERROR=ON -DKERNOVA_BUILD_BENCH=ON \
  -DKERNOVA_BUILD_PYTHON=ON -DPython_EXECUTABLE="$python"
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
KERNOVA_PYTHON="$python" scripts/python_package_test.sh build/bin/kernova

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKERNOVA_WERROR=ON -DKERNOVA_SANITIZE=ON \
  -DKERNOVA_BUILD_PYTHON=ON -DPython_EXECUTABLE="$python"
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

# The fuzz targets need clang with its libFuzzer runtime.
fuzzer_probe='extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }'
if command -v clang++ >/dev/null &&
   echo "$fuzzer_probe" | clang++ -fsanitize=fuzzer -x c++ - -o /dev/null 2>/dev/null; then
  scripts/fuzz.sh 30
else
  echo "clang++ with libFuzzer not found: fuzz targets skipped"
fi
