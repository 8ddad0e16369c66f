# Sourced by the benchmark scripts. best_of_three WORK COMMAND...: runs the
# command three times (output discarded) and sets `best` to the shortest
# wall time in seconds and `peak` to the peak memory in KB of the last run.
best_of_three() {
  local work=$1 seconds kilobytes
  shift
  best=""
  peak=""
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" > /dev/null
    read -r seconds kilobytes < "$work/time"
    if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$seconds; fi
    peak=$kilobytes
  done
}
