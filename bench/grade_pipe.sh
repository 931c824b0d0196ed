#!/usr/bin/env bash
# A collection graded three ways: one vorel-cli reading the file, `-j JOBS` worker processes,
# and GNU parallel cutting the stream on standard input into pieces of CHUNK puzzles, each
# numbered from its place with --first. Prints wall and CPU seconds (user + system, children
# included) of each, and checks that the three outputs are the same bytes. Other load on the
# machine stretches the wall times: the load average is printed with them.
#   bench/grade_pipe.sh [PUZZLE_FILE] [CHUNK] [JOBS] [VOREL_CLI]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
file=${1:-$here/../shared/data/hard-a.txt}
chunk=${2:-1000}
jobs=${3:-2}
cli=${4:-$here/build/vorel-cli}
[ -f "$file" ] || { echo "no puzzle file: $file" >&2; exit 1; }
[ -x "$cli" ] || { echo "no vorel-cli at $cli (build first)" >&2; exit 1; }
command -v parallel >/dev/null || { echo "GNU parallel is not installed (Debian: parallel)" >&2; exit 1; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
TIMEFORMAT='%R %U %S'
# Runs a shell command line with stdout to $dir/NAME; prints "wall cpu".
measure() {
  { time sh -c "$2" >"$dir/$1" 2>/dev/null; } 2>&1 | awk '{ printf "%6.2f s %6.2f s", $1, $2 + $3 }'
}

echo "puzzles: $(grep -c . "$file") ($file), $(nproc) cores, load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "                                   wall      cpu"
echo "one process                    $(measure one "'$cli' --grade -e '$file'")"
echo "-j $jobs                           $(measure workers "'$cli' --grade -j $jobs -e '$file'")"
echo "parallel --pipe -j $jobs -N $chunk  $(measure pieces \
  "parallel --will-cite --pipe -k -j $jobs -N $chunk \
   '$cli --grade --first \$(( ({#}-1)*$chunk+1 )) -' < '$file'")"
echo "  (parallel alone, cat as job) $(measure split "parallel --will-cite --pipe -k -j $jobs -N $chunk cat < '$file'")"
cmp -s "$dir/one" "$dir/workers" && cmp -s "$dir/one" "$dir/pieces" && cmp -s "$file" "$dir/split" &&
  echo "outputs: the same bytes" || { echo "outputs DIFFER"; exit 1; }
