#!/usr/bin/env bash
# memory_bench.sh [BIN_DIR]: the peak memory (GNU time's %M) of kernova on
# the cases that once took far more than they needed, beside its goal:
#   kernova split on 200 MB of text: under 20 MB;
#   kernova summarize of 20 000 small files together: under 3 x their size + 20 MB;
#   kernova summarize of 32 MB of ". ", in every format: under 10 x its size.
# Prints one line per case, "ok" or "OVER" at the end.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:-$here/../build/bin}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# peak KB_GOAL NAME COMMAND...: runs the command once, output discarded.
peak() {
  local goal=$1 name=$2 kilobytes verdict
  shift 2
  /usr/bin/time -f "%M" -o "$work/time" "$@" > /dev/null
  kilobytes=$(tail -1 "$work/time")
  verdict=ok
  [ "$kilobytes" -lt "$goal" ] || verdict=OVER
  printf '%-44s %8d KB peak, goal under %8d KB  %s\n' "$name" "$kilobytes" "$goal" "$verdict"
}

"$here/make_text.sh" "$work/big.txt" 200
peak $((20 * 1024)) "kernova split, 200 MB" "$bin/kernova" split "$work/big.txt"
rm "$work/big.txt"

mkdir "$work/many"
awk -v dir="$work/many" 'BEGIN {
  for (i = 1; i <= 20000; i++) {
    name = dir "/" i ".txt"
    printf "The tide came in at dawn. Boats waited by the wall. File %d ends here.\n", i > name
    close(name)
  }
}'
size_kb=$(($(cat "$work"/many/*.txt | wc -c) / 1024))
(cd "$work/many" && peak $((3 * size_kb + 20 * 1024)) "kernova summarize, 20 000 files of ${size_kb} KB" \
  "$bin/kernova" summarize $(ls))
rm -r "$work/many"

awk 'BEGIN { s = ". "; while (length(s) < 16 * 1048576) s = s s; printf "%s%s", s, s }' > "$work/dots.txt"
for format in text json tsv; do
  peak $((10 * 32 * 1024)) "kernova summarize, 32 MB of '. ', $format" \
    "$bin/kernova" summarize --format "$format" "$work/dots.txt"
done
