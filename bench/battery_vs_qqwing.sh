#!/bin/sh
# Puzzles per second: the technique battery run to a fixed point by vorel-cli, side by side
# with qqwing (a different puzzle program: a singles/pairs solver with guessing) over the
# same puzzles, back to back in one run, for each collection given.
#   bench/battery_vs_qqwing.sh [VOREL_CLI] [PUZZLE_FILE...]
# Without files: ../shared/data/hard-a.txt and ../shared/data/qq-expert-a.txt.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$here/build/vorel-cli}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] || set -- "$here/../shared/data/hard-a.txt" "$here/../shared/data/qq-expert-a.txt"
[ -x "$cli" ] || { echo "no vorel-cli at $cli (build first)" >&2; exit 1; }
command -v qqwing >/dev/null 2>&1 || { echo "qqwing missing (apt-get install -y qqwing)" >&2; exit 1; }

now() { date +%s.%N; }
rate() { awk -v n="$1" -v a="$2" -v b="$3" 'BEGIN { t = b - a; printf "%.3f s  %5.0f puzzles/s", t, n / t }'; }

out=$(mktemp)
trap 'rm -f "$out"' EXIT

for file in "$@"; do
  [ -f "$file" ] || { echo "no puzzle file: $file" >&2; exit 1; }
  count=$(grep -c . "$file")
  t0=$(now)
  "$cli" -t -m candidate -l 0 -e "$file" --fixpoint -r 910 -r 1070 -r 1080 -p line >"$out"
  t1=$(now)
  qqwing --solve --stats --one-line <"$file" >"$out" 2>&1
  t2=$(now)
  # Solved: at the fixed point no cell of the puzzle's candidate board holds two candidates.
  solved=$("$cli" -t -m candidate -l 0 -e "$file" --fixpoint -r 910 -r 1070 -r 1080 -p candidates |
    awk -F'\t' '$1 == "puzzle" { if (seen && open == 0) n++; seen = 1; open = 0 }
                 $1 == "board" && $2 ~ /\([1-9][1-9]/ { open = 1 }
                 END { if (seen && open == 0) n++; print n + 0 }')
  echo "puzzles: $count ($(basename "$file"))"
  echo "  vorel battery (910 1070 1080 to a fixed point): $(rate "$count" "$t0" "$t1"), solved $solved"
  echo "  qqwing --solve --stats:                          $(rate "$count" "$t1" "$t2")"
  awk -v a="$t0" -v b="$t1" -v c="$t2" \
    'BEGIN { printf "  ratio vorel/qqwing (puzzles per second): %.2f\n", (c - b) / (b - a) }'
done
