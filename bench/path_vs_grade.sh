#!/usr/bin/env bash
# Paths per second of `vorel-cli --path --json` over a collection against `--grade` on the
# same file, one process each, best of a few rounds (CPU time: other load on the machine
# skews the wall time, so both are printed with the load average).
#   bench/path_vs_grade.sh [PUZZLE_FILE] [ROUNDS] [VOREL_CLI]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
file=${1:-$here/../shared/data/qq-expert-a.txt}
rounds=${2:-3}
cli=${3:-$here/build/vorel-cli}
[ -f "$file" ] || { echo "no puzzle file: $file" >&2; exit 1; }
[ -x "$cli" ] || { echo "no vorel-cli at $cli (build first)" >&2; exit 1; }

out=$(mktemp)
trap 'rm -f "$out"' EXIT
TIMEFORMAT='%R %U %S'
puzzles=$(grep -c . "$file")

# Prints "wall cpu" of one run with the given options.
measure() {
  { time "$cli" "$@" "$file" >"$out" 2>/dev/null; } 2>&1 |
    awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }'
}

echo "puzzles: $puzzles ($file), load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for mode in "--path --json" "--grade"; do
  best_wall=0 best_cpu=0
  for round in $(seq "$rounds"); do
    # shellcheck disable=SC2086
    read -r wall cpu < <(measure $mode -j 1)
    best_wall=$(awk -v a="$best_wall" -v b="$wall" 'BEGIN { print (a == 0 || b < a) ? b : a }')
    best_cpu=$(awk -v a="$best_cpu" -v b="$cpu" 'BEGIN { print (a == 0 || b < a) ? b : a }')
  done
  awk -v m="$mode" -v n="$puzzles" -v w="$best_wall" -v c="$best_cpu" 'BEGIN {
    printf "%-13s wall %.2f s (%.0f puzzles/s)   cpu %.2f s (%.0f puzzles/s)\n", m, w, n / w, c, n / (c > 0 ? c : 1e-9) }'
  if [ "$mode" = "--path --json" ]; then
    echo "              solved $(grep -c '"solved":true' "$out"), steps $(grep -o '"technique"' "$out" | wc -l)"
  fi
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
