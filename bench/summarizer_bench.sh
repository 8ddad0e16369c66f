#!/bin/sh
# Times Kernova_En on English texts made at run time:
#   - 10, 20, 40, 50 and 80 MB: seconds, MB/s and peak memory of the whole
#     run (splitter included), beside `wc -w` on the same file;
#   - 1, 2 and 4 MB: Kernova_En beside Debian's `ots -r 30` (another
#     summarizer, for comparison only; skipped when it is not installed).
# The texts are the prose of /usr/share/common-licenses, paragraphs joined
# into lines, repeated with a numbered sentence per copy so that the
# vocabulary keeps growing a little.
#
# Usage: bench/summarizer_bench.sh [bin-folder] [sizes-in-MB...]
# (with sizes given, only the first comparison runs)
set -eu

# KERNOVA_EDITION=Por times Kernova_Por on Portuguese text made from
# samples/frio.txt instead (no ots comparison).
edition=${KERNOVA_EDITION:-En}
samples="$(cd "$(dirname "$0")/../samples" && pwd)"
bin=${1:-build/bin}
shift 2>/dev/null || true
compare_ots=yes
[ $# -gt 0 ] && compare_ots=no
sizes=${*:-"10 20 40 50 80"}
[ "$edition" = Por ] && compare_ots=no
kernova="$(cd "$bin" && pwd)/Kernova_$edition"
[ -x "$kernova" ] || { echo "no Kernova_$edition in $bin" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# One copy of the prose: every paragraph on one line.
if [ "$edition" = Por ]; then
  cp "$samples/frio.txt" base.txt
else
for f in /usr/share/common-licenses/*; do
  [ -f "$f" ] && awk 'NF { printf "%s%s", sep, $0; sep = " "; next }
                      { if (sep != "") print ""; sep = "" }
                      END { if (sep != "") print "" }' "$f"
done > base.txt
fi
[ -s base.txt ] || { echo "no prose found under /usr/share/common-licenses" >&2; exit 1; }

# make_text MEGABYTES FILE
make_text() {
  awk -v bytes=$(($1 * 1000000)) -v base=base.txt 'BEGIN {
    while ((getline line < base) > 0) text[n++] = line
    copy = 0
    while (size < bytes) {
      copy++
      head = "This is copy number " copy " of the licence texts."
      print head; size += length(head) + 1
      for (i = 0; i < n && size < bytes; i++) { print text[i]; size += length(text[i]) + 1 }
    }
  }' > "$2"
}

# Best wall time of RUNS runs (seconds) and the peak memory (KB) of the
# last: run_timed RUNS OUTPUT-PREFIX COMMAND...
run_timed() {
  runs=$1
  prefix=$2
  shift 2
  best=""
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$prefix.mem" "$@" > "$prefix.out" 2>&1
    end=$(date +%s%N)
    t=$(( (end - start) / 1000 ))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  seconds=$(awk -v us="$best" 'BEGIN { printf "%.3f", us / 1e6 }')
  memory=$(tail -n 1 "$prefix.mem")
}

echo "Kernova_$edition (rate 0.7) beside wc -w, best of 3 runs"
printf "%6s %10s %8s %10s %12s %10s %8s\n" "MB" "seconds" "MB/s" "peak MB" "peak/input" "wc -w s" "ratio"
for mb in $sizes; do
  make_text "$mb" text.txt
  bytes=$(wc -c < text.txt)
  run_timed 3 kernova "$kernova" text.txt 0.7
  k_seconds=$seconds
  k_memory=$memory
  [ -s text.sum ] || { echo "no extract for $mb MB" >&2; cat kernova.out >&2; exit 1; }
  run_timed 3 wc wc -w text.txt
  awk -v mb="$mb" -v bytes="$bytes" -v ks="$k_seconds" -v km="$k_memory" -v ws="$seconds" 'BEGIN {
    printf "%6d %10.3f %8.1f %10.1f %12.2f %10.3f %8.2f\n",
      mb, ks, bytes / 1e6 / ks, km / 1024, km * 1024 / bytes, ws, ks / ws }'
  rm -f text.txt text.sum _ready_.tmp
done

if [ "$compare_ots" = no ]; then
  :
elif command -v ots > /dev/null 2>&1; then
  echo
  echo "Kernova_En (rate 0.7, best of 3 runs) beside ots -r 30 (one run)"
  printf "%6s %12s %12s %12s %12s\n" "MB" "Kernova s" "Kernova MB" "ots s" "ots MB"
  for mb in 1 2 4; do
    make_text "$mb" text.txt
    run_timed 3 kernova "$kernova" text.txt 0.7
    k_seconds=$seconds
    k_memory=$memory
    run_timed 1 ots ots -r 30 text.txt
    awk -v mb="$mb" -v ks="$k_seconds" -v km="$k_memory" -v os="$seconds" -v om="$memory" 'BEGIN {
      printf "%6d %12.3f %12.1f %12.3f %12.1f\n", mb, ks, km / 1024, os, om / 1024 }'
    rm -f text.txt text.sum _ready_.tmp
  done
else
  echo "ots is not installed (apt-get install ots): comparison skipped"
fi
