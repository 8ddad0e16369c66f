#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, with ASan and UBSan) in build-fuzz/
# and runs each for SECONDS (default 30), starting from its saved inputs in
# fuzz/corpus/<name>/. New inputs go to a scratch folder, so the saved
# corpus stays as it is; an input that fails is kept as
# build-fuzz/artifacts/<name>-crash-... and the script ends with status 1.
# Usage: scripts/fuzz.sh [SECONDS [NAME...]]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
jobs=$(nproc)

CXX=clang++ cmake -S . -B build-fuzz -DKERNOVA_BUILD_FUZZ=ON -DKERNOVA_SANITIZE=ON \
  -DKERNOVA_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$jobs"

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in fuzz/*_fuzzer.cc; do names+=("$(basename "$source" _fuzzer.cc)"); done
fi
mkdir -p build-fuzz/artifacts build-fuzz/logs
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for name in "${names[@]}"; do
  mkdir -p "$scratch/$name"
  log=build-fuzz/logs/$name.log
  if build-fuzz/bin/"$name"_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix=build-fuzz/artifacts/"$name"- "$scratch/$name" fuzz/corpus/"$name" >"$log" 2>&1; then
    echo "$name: $(grep -E 'DONE' "$log" | tail -1)"
  else
    echo "$name: FAILED, see $log and build-fuzz/artifacts/"
    tail -n 30 "$log"
    status=1
  fi
done
exit $status
