#!/bin/sh
# Puzzles per second: the technique battery run to a fixed point by vorel-cli, side by side
# with qqwing (a different puzzle program: a singles/pairs solver with guessing) over the
# same puzzles.
#   bench/battery_vs_qqwing.sh [PUZZLE_FILE] [VOREL_CLI]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
file=${1:-$here/../shared/data/hard-a.txt}
cli=${2:-$here/build/vorel-cli}
[ -f "$file" ] || { echo "no puzzle file: $file" >&2; exit 1; }
[ -x "$cli" ] || { echo "no vorel-cli at $cli (build first)" >&2; exit 1; }
command -v qqwing >/dev/null 2>&1 || { echo "qqwing missing (apt-get install -y qqwing)" >&2; exit 1; }

count=$(grep -c . "$file")
now() { date +%s.%N; }
rate() { awk -v n="$1" -v a="$2" -v b="$3" 'BEGIN { t = b - a; printf "%.3f s  %.0f puzzles/s", t, n / t }'; }

out=$(mktemp)
trap 'rm -f "$out"' EXIT

t0=$(now)
"$cli" -t -m candidate -l 0 -e "$file" --fixpoint -r 910 -r 1070 -r 1080 -p line >"$out"
t1=$(now)
# Solved: the last board line of a puzzle has no empty cell after the candidates are fixed.
solved=$("$cli" -t -m candidate -l 0 -e "$file" --fixpoint -r 910 -r 1070 -r 1080 -r 1210 -p line |
  awk -F'\t' '$1 == "board" && $2 !~ /0/ { n++ } END { print n + 0 }')
echo "puzzles: $count ($file)"
echo "vorel battery (910 1070 1080 to a fixed point): $(rate "$count" "$t0" "$t1"), solved $solved"

t2=$(now)
qqwing --solve --stats --one-line <"$file" >"$out" 2>&1
t3=$(now)
echo "qqwing --solve --stats:                          $(rate "$count" "$t2" "$t3")"
awk -v n="$count" -v a="$t0" -v b="$t1" -v c="$t2" -v d="$t3" \
  'BEGIN { printf "ratio vorel/qqwing (puzzles per second): %.2f\n", (d - c) / (b - a) }'
