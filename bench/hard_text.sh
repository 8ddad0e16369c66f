#!/bin/bash
# Times the summarizers on texts that are hard for them, made at run time
# from Debian's data (nothing large is stored in the project):
#   dictionary  English dictionary entries (dict-gcide) and the word list of
#               wamerican: a very large vocabulary, short lines;
#   portuguese  Portuguese prose: a GNU/Linux guide (focalinux-text) and
#               fortunes (fortunes-br), repeated;
#   short       many very short sentences of one to three words drawn from
#               the word list;
#   small       thousands of small English texts of about 2 KB each, made of
#               paragraphs of /usr/share/common-licenses.
# For each text one table row: `wc -w` on the same bytes; the classic
# program (Kernova_En or Kernova_Por, rate 0.7); `kernova summarize` on one
# core (taskset -c 0) and on all cores; best wall time of 3 runs, with the
# ratio to `wc -w` and the peak memory, also as a multiple of the input.
# For the small texts the two kernova columns are `--each --jobs 1` and
# `--each --jobs 2`, and a last row times one text made of the same bytes.
#
# Usage: bench/hard_text.sh [BIN_DIR] [MB] [TEXTS]
#   BIN_DIR  folder of the programs (default build/bin; use a Release build)
#   MB       size of each large text (default 50)
#   TEXTS    number of small texts (default 5000)
# With KERNOVA_BENCH_DIR=DIR the texts are made in DIR and kept there for
# the next run (which then ignores MB and TEXTS).
# Debian packages used: dict-gcide wamerican fortunes-br focalinux-text time
# (scripts/install-deps.sh installs them).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
bin="$(cd "${1:-build/bin}" && pwd)"
megabytes=${2:-50}
count=${3:-5000}
for p in kernova Kernova_En Kernova_Por CLAVER_En CLAVER_Por; do
  [ -x "$bin/$p" ] || { echo "no $p in $bin" >&2; exit 1; }
done
gcide=/usr/share/dictd/gcide.dict.dz
american=/usr/share/dict/american-english
fortunes=/usr/share/games/fortunes/brasil
guide=/usr/share/doc/focalinux/text
for f in "$gcide" "$american" "$fortunes" "$guide" /usr/bin/time; do
  [ -e "$f" ] || { echo "missing $f: run scripts/install-deps.sh" >&2; exit 1; }
done
# shellcheck source=bench/timing.sh
. "$here/timing.sh"

if [ -n "${KERNOVA_BENCH_DIR:-}" ]; then
  # The texts stay in this folder, and are made again only when missing.
  work="$KERNOVA_BENCH_DIR"
  mkdir -p "$work"
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
cd "$work"
bytes=$((megabytes * 1000000))
latin1() { iconv -c -f UTF-8 -t ISO-8859-1; }

# repeat SEED OUT: SEED's lines, over and over, until OUT holds `bytes` bytes
# (cut at a line end).
repeat() {
  awk -v bytes="$bytes" 'BEGIN { while ((getline line < ARGV[1]) > 0) text[n++] = line
    while (size < bytes) for (i = 0; i < n && size < bytes; i++) { print text[i]; size += length(text[i]) + 1 } }' "$1" > "$2"
}

make_texts() {
  { zcat "$gcide"; awk '{ print toupper(substr($0, 1, 1)) substr($0, 2) ": " $0 "." }' "$american"; } | latin1 > seed.txt
  repeat seed.txt dictionary.txt
  { for f in "$guide"/*/index.txt.gz; do zcat "$f"; done; latin1 < "$fortunes"; } > seed.txt
  repeat seed.txt portuguese.txt
  # One to three words a sentence, eight sentences a line, words chosen by a
  # fixed linear congruential sequence.
  latin1 < "$american" | awk -v bytes="$bytes" 'BEGIN { srand(1) } { w[n++] = $0 } END {
    marks[0] = "."; marks[1] = "!"; marks[2] = "?"; x = 12345
    while (size < bytes) {
      line = ""
      for (s = 0; s < 8; s++) {
        k = 1 + x % 3; sentence = ""
        for (j = 0; j < k; j++) { x = (x * 1103515245 + 12345) % 2147483648; sentence = sentence (j ? " " : "") w[x % n] }
        sentence = toupper(substr(sentence, 1, 1)) substr(sentence, 2) marks[x % 3]
        line = line (s ? " " : "") sentence
      }
      print line; size += length(line) + 1
    }
  }' > short.txt
  for f in /usr/share/common-licenses/*; do
    [ -f "$f" ] && awk 'NF { printf "%s%s", sep, $0; sep = " "; next }
                        { if (sep != "") print ""; sep = "" }
                        END { if (sep != "") print "" }' "$f"
  done | awk 'length($0) > 80' > paragraphs.txt
  mkdir small
  awk -v count="$count" 'BEGIN { while ((getline line < "paragraphs.txt") > 0) p[n++] = line
    for (i = 1; i <= count; i++) {
      file = sprintf("small/text%05d.txt", i)
      print "This is small text number " i "." > file
      size = 0
      for (j = 0; size < 1900; j++) { line = p[(i * 7919 + j * 13) % n]; print substr(line, 1, 2000 - size) > file; size += length(line) }
      close(file)
    }
  }'
  cat small/*.txt > small_joined.txt
}
if [ ! -s small_joined.txt ]; then
  echo "making the texts ($megabytes MB each, $count small ones)..." >&2
  rm -rf small each
  make_texts
fi
mkdir -p each

# ratio A B: A / B with two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
megs() { awk -v kb="$1" 'BEGIN { printf "%.0f", kb / 1024 }'; }

printf "%-14s %6s %7s | %-16s %15s | %-16s %-16s %15s\n" text MB "wc -w" "classic (x wc)" "peak MB (x in)" \
  "kernova 1 (x wc)" "kernova 2 (x wc)" "peak MB (x in)"
# row NAME FILE EDITION LANG
row() {
  local name=$1 file=$2 edition=$3 lang=$4 size wc classic classic_peak one two kernova_peak
  size=$(stat -c %s "$file")
  best_of_three "$work" wc -w "$file"; wc=$best
  rm -f "${file%.txt}.sum" _ready_.tmp
  best_of_three "$work" "$bin/Kernova_$edition" "$file" 0.7; classic=$best; classic_peak=$peak
  best_of_three "$work" taskset -c 0 "$bin/kernova" summarize --lang "$lang" --rate 0.7 "$file"; one=$best
  best_of_three "$work" "$bin/kernova" summarize --lang "$lang" --rate 0.7 "$file"; two=$best; kernova_peak=$peak
  row_two=$two
  printf "%-14s %6.1f %7s | %6s s (%5s) %8s (%4s) | %6s s (%5s) %6s s (%5s) %8s (%4s)\n" "$name" \
    "$(awk -v b="$size" 'BEGIN { print b / 1e6 }')" "$wc" \
    "$classic" "$(ratio "$classic" "$wc")" "$(megs "$classic_peak")" "$(ratio "$((classic_peak * 1024))" "$size")" \
    "$one" "$(ratio "$one" "$wc")" "$two" "$(ratio "$two" "$wc")" \
    "$(megs "$kernova_peak")" "$(ratio "$((kernova_peak * 1024))" "$size")"
}
row dictionary dictionary.txt En en
row portuguese portuguese.txt Por pt
row short short.txt En en

small_bytes=$(stat -c %s small_joined.txt)
best_of_three "$work" wc -w small/*.txt; wc=$best
best_of_three "$work" "$bin/kernova" summarize --rate 0.7 --each --jobs 1 --output-dir each small/*.txt; one=$best
best_of_three "$work" "$bin/kernova" summarize --rate 0.7 --each --jobs 2 --output-dir each small/*.txt
two=$best
kernova_peak=$peak
printf "%-14s %6.1f %7s | %-16s %15s | %6s s (%5s) %6s s (%5s) %8s (%4s)\n" "small x$count" \
  "$(awk -v b="$small_bytes" 'BEGIN { print b / 1e6 }')" "$wc" "" "" \
  "$one" "$(ratio "$one" "$wc")" "$two" "$(ratio "$two" "$wc")" \
  "$(megs "$kernova_peak")" "$(ratio "$((kernova_peak * 1024))" "$small_bytes")"
row "small joined" small_joined.txt En en
echo "small texts, bytes per second of --each against one joined text:" \
  "--jobs 1 $(ratio "$row_two" "$one"), --jobs 2 $(ratio "$row_two" "$two"); --jobs 2 / --jobs 1 $(ratio "$one" "$two")"
