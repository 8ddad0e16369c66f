#!/usr/bin/env bash
# splitter_bench.sh [BUILD_DIR] [MEGABYTES]: the splitter on a large text,
# beside `wc -w` on the same file in the same run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=bench/timing.sh
. "$here/timing.sh"
build=$(cd "${1:-$here/../build}" && pwd)
megabytes=${2:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$here/make_text.sh" "$work/text.txt" "$megabytes"
bytes=$(stat -c %s "$work/text.txt")
echo "text: $bytes bytes, $(wc -l < "$work/text.txt") lines"

measure() {  # label command...: best of three wall times, peak memory
  local label=$1
  shift
  best_of_three "$work" "$@"
  awk -v l="$label" -v s="$best" -v k="$peak" -v b="$bytes" \
    'BEGIN { printf "%-12s %7.2f s %9.1f MB/s  peak %7.1f MB\n", l, s, (s > 0 ? b / s / 1e6 : 0), k / 1024 }'
}
cd "$work"
measure "CLAVER_En" "$build/bin/CLAVER_En" text.txt
measure "wc -w" wc -w text.txt
measure "CLAVER_Por" "$build/bin/CLAVER_Por" text.txt
