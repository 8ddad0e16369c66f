#!/usr/bin/env bash
# make_text.sh OUT MEGABYTES [SOURCE...]: writes a plain text of at least
# MEGABYTES MB to OUT by repeating prose that Debian installs (the license
# texts by default), so that nothing large has to be stored in the project.
set -euo pipefail
out=$1
megabytes=$2
shift 2
sources=("$@")
[ ${#sources[@]} -eq 0 ] && sources=(/usr/share/common-licenses/*)
seed=$(mktemp)
trap 'rm -f "$seed"' EXIT
cat "${sources[@]}" > "$seed"
: > "$out"
target=$((megabytes * 1000000))
while [ "$(stat -c %s "$out")" -lt "$target" ]; do
  cat "$seed" "$seed" "$seed" "$seed" >> "$out"
done
