#!/usr/bin/env bash
# Wall time of `vorel-cli --grade` over a collection with one process and with N workers, the
# speed-up, and a byte comparison of the two outputs. Other load on the machine skews the
# figures: the load average is printed with them.
#   bench/grade_parallel.sh [PUZZLE_FILE] [WORKERS] [ROUNDS] [VOREL_CLI]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
file=${1:-$here/../shared/data/hard-a.txt}
workers=${2:-2}
rounds=${3:-3}
cli=${4:-$here/build/vorel-cli}
[ -f "$file" ] || { echo "no puzzle file: $file" >&2; exit 1; }
[ -x "$cli" ] || { echo "no vorel-cli at $cli (build first)" >&2; exit 1; }

one=$(mktemp) many=$(mktemp)
trap 'rm -f "$one" "$many"' EXIT
TIMEFORMAT='%R %U %S'

# Prints "wall cpu" (cpu: user + system of the process and its workers) of one run.
measure() {
  local out=$1; shift
  { time "$cli" --grade -e "$file" "$@" >"$out" 2>/dev/null; } 2>&1 |
    awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }'
}

echo "puzzles: $(grep -c . "$file") ($file), $(nproc) cores, load average: $(cut -d' ' -f1-3 /proc/loadavg)"
best1=0 bestn=0
for round in $(seq "$rounds"); do
  read -r w1 c1 < <(measure "$one" -j 1)
  read -r wn cn < <(measure "$many" -j "$workers")
  printf 'round %d: -j 1 %.2f s (cpu %.2f s)   -j %s %.2f s (cpu %.2f s)   speed-up %.2f\n' \
    "$round" "$w1" "$c1" "$workers" "$wn" "$cn" "$(awk -v a="$w1" -v b="$wn" 'BEGIN { print a / b }')"
  cmp -s "$one" "$many" || { echo "outputs differ between -j 1 and -j $workers" >&2; exit 1; }
  best1=$(awk -v a="$best1" -v b="$w1" 'BEGIN { print (a == 0 || b < a) ? b : a }')
  bestn=$(awk -v a="$bestn" -v b="$wn" 'BEGIN { print (a == 0 || b < a) ? b : a }')
done
awk -v a="$best1" -v b="$bestn" -v n="$workers" \
  'BEGIN { printf "best of the rounds: -j 1 %.2f s, -j %s %.2f s, speed-up %.2f\n", a, n, b, a / b }'
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg); outputs identical"
