#!/usr/bin/env bash
# stem_bench.sh [BUILD_DIR] [REPEATS]: `kernova stem` over a word
# list repeated REPEATS times (default 30: about three million words of
# /usr/share/dict/american-english, or of the list named in KERNOVA_EN_WORDS),
# beside `cat` on the same file; prints words per second.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=bench/timing.sh
. "$here/timing.sh"
build=$(cd "${1:-$here/../build}" && pwd)
repeats=${2:-30}
# KERNOVA_LANG=pt stems the Portuguese list of Debian's wbrazilian (or the
# list named in KERNOVA_PT_WORDS), converted from UTF-8 to ISO 8859-1.
lang=${KERNOVA_LANG:-en}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$lang" = pt ]; then
  list=${KERNOVA_PT_WORDS:-/usr/share/dict/brazilian}
  iconv -f UTF-8 -t ISO-8859-1 "$list" > "$work/list.txt"
else
  list=${KERNOVA_EN_WORDS:-/usr/share/dict/american-english}
  cp "$list" "$work/list.txt"
fi

for _ in $(seq "$repeats"); do cat "$work/list.txt"; done > "$work/words.txt"
words=$(wc -l < "$work/words.txt")
echo "input: $words words, $(stat -c %s "$work/words.txt") bytes ($repeats x $list)"

measure() {  # label command...: best of three wall times, peak memory
  local label=$1
  shift
  best_of_three "$work" "$@"
  awk -v l="$label" -v s="$best" -v k="$peak" -v w="$words" \
    'BEGIN { if (s > 0) printf "%-22s %6.2f s %12.0f words/s %7.1f ns/word  peak %6.1f MB\n", l, s, w / s, s * 1e9 / w, k / 1024;
             else printf "%-22s under 0.01 s (too fast to time; raise REPEATS)\n", l }'
}
cd "$work"
measure "kernova stem (file)" "$build/bin/kernova" stem --lang "$lang" words.txt
measure "kernova stem (stdin)" sh -c "exec '$build/bin/kernova' stem --lang $lang < words.txt"
measure "cat" cat words.txt
