#!/bin/sh
# bench/quality.sh CORPUS [LANG] [BIN_DIR]
#
# Scores summarizers against human summaries. CORPUS holds src/NAME (a
# text) and ref/NAME (its reference summary), UTF-8 or ISO 8859-1; LANG is
# en (default) or pt. Every system writes a summary of each text, which is
# cut to the reference's length in words (blank-separated) and scored with
# `kernova eval` (ROUGE-1, ROUGE-2, ROUGE-L F, no stemming). Systems: lead
# (the text's first words), the classic and centroid methods of
# `kernova summarize --words N`, and Debian's `ots` when it is installed
# (asked for a share a tenth above the reference's, then cut).
#
# Prints the mean F of each system and, for centroid against each other
# system, the mean of the per-text differences with its 95 % margin
# (1.96 standard errors of those differences).
set -eu
corpus=${1:?usage: bench/quality.sh CORPUS [LANG] [BIN_DIR]}
lang=${2:-en}
bin=${3:-$(dirname "$0")/../build/bin}
kernova=$bin/kernova
[ -x "$kernova" ] || { echo "quality.sh: no $kernova (build it first)" >&2; exit 1; }
[ -d "$corpus/src" ] && [ -d "$corpus/ref" ] || { echo "quality.sh: $corpus needs src/ and ref/" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

systems="lead classic centroid"
if command -v ots > /dev/null; then systems="$systems ots"; fi
for system in $systems; do mkdir -p "$work/$system"; done

# first_words N: standard input's first N blank-separated words, on one line.
first_words() {
  awk -v n="$1" '{ for (i = 1; i <= NF && k < n; i++) { printf "%s%s", (k ? " " : ""), $i; k++ } } END { print "" }'
}

for path in "$corpus"/src/*; do
  name=$(basename "$path")
  words=$(wc -w < "$corpus/ref/$name")
  first_words "$words" < "$path" > "$work/lead/$name"
  for method in classic centroid; do
    "$kernova" summarize --method "$method" --lang "$lang" --words "$words" "$path" > "$work/summary"
    first_words "$words" < "$work/summary" > "$work/$method/$name"
  done
  if [ -d "$work/ots" ]; then
    total=$(wc -w < "$path")
    ratio=$(( (words * 110 + total - 1) / (total > 0 ? total : 1) ))
    [ "$ratio" -le 100 ] || ratio=100
    [ "$ratio" -ge 1 ] || ratio=1
    tr -d '\r' < "$path" | ots --dic="$lang" --ratio="$ratio" 2> /dev/null | first_words "$words" > "$work/ots/$name"
  fi
done

for system in $systems; do
  "$kernova" eval --format tsv "$work/$system" "$corpus/ref" > "$work/$system.tsv"
done

texts=$(ls "$corpus/src" | wc -l)
echo "$corpus: $texts texts, language $lang, each output cut to its reference's length"
printf '%-10s %8s %8s %8s\n' system R-1_F R-2_F R-L_F
for system in $systems; do
  awk -F '\t' -v s="$system" '$1 == "average" { printf "%-10s %8.4f %8.4f %8.4f\n", s, $4, $7, $10 }' "$work/$system.tsv"
done
echo
echo "centroid minus each system: mean of the per-text differences +- 95 % margin"
printf '%-10s %18s %18s %18s\n' against R-1_F R-2_F R-L_F
for system in $systems; do
  [ "$system" = centroid ] && continue
  # Pairs the rows by name; columns 4, 7 and 10 are the F figures.
  awk -F '\t' -v s="$system" '
    FNR == 1 || $1 == "average" { next }
    NR == FNR { for (k = 0; k < 3; k++) base[$1, k] = $(4 + 3 * k); next }
    ($1, 0) in base {
      n++
      for (k = 0; k < 3; k++) { d = $(4 + 3 * k) - base[$1, k]; sum[k] += d; squares[k] += d * d }
    }
    END {
      printf "%-10s", s
      for (k = 0; k < 3; k++) {
        mean = sum[k] / n
        variance = n > 1 ? (squares[k] - n * mean * mean) / (n - 1) : 0
        printf " %+9.4f +- %.4f", mean, 1.96 * sqrt(variance > 0 ? variance : 0) / sqrt(n)
      }
      print ""
    }' "$work/$system.tsv" "$work/centroid.tsv"
done
