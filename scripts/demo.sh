#!/usr/bin/env bash
# Builds everything and runs the programs on the sample texts in samples/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp samples/*.txt "$work"
bin=$PWD/build/bin
show() {  # a file, converted from ISO 8859-1 for the terminal
  echo "--- $1"
  iconv -f ISO-8859-1 -t UTF-8 "$work/$1"
  echo
}

cd "$work"
echo "== Sentence splitting"
"$bin/CLAVER_En" storm.txt && show storm.txt.seg
"$bin/CLAVER_Por" frio.txt && show frio.txt.seg
