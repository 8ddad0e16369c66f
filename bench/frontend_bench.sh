#!/bin/bash
# Times `kernova summarize` beside Kernova_En, in the same run:
#   1. many small texts: `kernova summarize --each --jobs 2` over all of
#      them, against Kernova_En started once per text in a shell loop;
#      texts per second for both (and a check that the extracts agree);
#   2. one large text: `kernova summarize` against Kernova_En, best of 3.
# The texts are made at run time from the prose of
# /usr/share/common-licenses and samples/*.txt: each small text is a run
# of paragraphs chosen by its number, with a numbered sentence of its own.
#
# Usage: bench/frontend_bench.sh [bin-folder] [number-of-texts] [large-MB]
set -eu

samples="$(cd "$(dirname "$0")/../samples" && pwd)"
bin="$(cd "${1:-build/bin}" && pwd)"
count=${2:-2000}
large_mb=${3:-20}
kernova="$bin/kernova"
kernova_en="$bin/Kernova_En"
for p in "$kernova" "$kernova_en" "$bin/CLAVER_En"; do
  [ -x "$p" ] || { echo "no $(basename "$p") in $bin" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Paragraphs, one per line.
{
  for f in /usr/share/common-licenses/* "$samples"/storm.txt "$samples"/ferry.txt; do
    [ -f "$f" ] && awk 'NF { printf "%s%s", sep, $0; sep = " "; next }
                        { if (sep != "") print ""; sep = "" }
                        END { if (sep != "") print "" }' "$f"
  done
} | awk 'length($0) > 80' > paragraphs.txt
[ -s paragraphs.txt ] || { echo "no prose found" >&2; exit 1; }

# Text i: 3 to 8 paragraphs starting at a place that depends on i, and a
# sentence that names it.
mkdir texts each
awk -v count="$count" 'BEGIN { while ((getline line < "paragraphs.txt") > 0) p[n++] = line
  for (i = 1; i <= count; i++) {
    file = sprintf("texts/text%05d.txt", i)
    k = 3 + i % 6
    start = (i * 7919) % n
    print "This is text number " i " of the benchmark." > file
    for (j = 0; j < k; j++) print p[(start + j * 13) % n] > file
    close(file)
  }
}'
bytes=$(cat texts/*.txt | wc -c)
echo "$count texts, $((bytes / count)) bytes each on average"

now() { date +%s%N; }
rate() { awk -v n="$1" -v ns="$2" 'BEGIN { printf "%.1f", n / (ns / 1e9) }'; }
secs() { awk -v ns="$1" 'BEGIN { printf "%.3f", ns / 1e9 }'; }

start=$(now)
"$kernova" summarize --each --jobs 2 --rate 0.7 --output-dir each texts/*.txt
each_ns=$(( $(now) - start ))

start=$(now)
for f in texts/*.txt; do
  "$kernova_en" "$f" 0.7 > /dev/null
done
loop_ns=$(( $(now) - start ))

different=0
for f in texts/*.txt; do
  name=$(basename "$f" .txt)
  cmp -s "texts/$name.sum" "each/$name.sum" || different=$((different + 1))
done

printf "%-46s %10s %12s\n" "" "seconds" "texts/s"
printf "%-46s %10s %12s\n" "kernova summarize --each --jobs 2" "$(secs "$each_ns")" "$(rate "$count" "$each_ns")"
printf "%-46s %10s %12s\n" "Kernova_En once per text (shell loop)" "$(secs "$loop_ns")" "$(rate "$count" "$loop_ns")"
awk -v a="$loop_ns" -v b="$each_ns" 'BEGIN { printf "throughput ratio: %.1f times\n", a / b }'
echo "extracts that differ: $different of $count"

# One large text: the paragraphs repeated with a numbered sentence per copy.
awk -v bytes=$((large_mb * 1000000)) 'BEGIN { while ((getline line < "paragraphs.txt") > 0) p[n++] = line
  while (size < bytes) { copy++; head = "This is copy number " copy " of the paragraphs."; print head
    size += length(head) + 1
    for (i = 0; i < n && size < bytes; i++) { print p[i]; size += length(p[i]) + 1 } } }' > large.txt

best() {  # best wall time of 3 runs, in ns
  local b=""
  for _ in 1 2 3; do
    local s; s=$(now)
    "$@" > /dev/null
    local t=$(( $(now) - s ))
    if [ -z "$b" ] || [ "$t" -lt "$b" ]; then b=$t; fi
  done
  echo "$b"
}
k_ns=$(best "$kernova" summarize --rate 0.7 -o large.kernova.sum large.txt)
e_ns=$(best "$kernova_en" large.txt 0.7)
cmp -s large.sum large.kernova.sum && same=yes || same=no
echo
echo "one text of $large_mb MB, best of 3 runs (same extract: $same)"
printf "%-46s %10s %12s\n" "" "seconds" "MB/s"
printf "%-46s %10s %12s\n" "kernova summarize" "$(secs "$k_ns")" \
  "$(awk -v mb="$large_mb" -v ns="$k_ns" 'BEGIN { printf "%.1f", mb / (ns / 1e9) }')"
printf "%-46s %10s %12s\n" "Kernova_En" "$(secs "$e_ns")" \
  "$(awk -v mb="$large_mb" -v ns="$e_ns" 'BEGIN { printf "%.1f", mb / (ns / 1e9) }')"
