#!/bin/sh
# The chain rung on whole collections: how many puzzles `--fixpoint -r 910 -r 1070 -r 1080
# -r 4000` finishes by logic in the candidate screen, how many candidates of the solution it
# lost (must be none), and how long the run takes (the timed run prints only the board line).
#   bench/chains_rung.sh [COLLECTION...]   (default: qq-expert-a hard-a, from ../shared/data)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${VOREL_CLI:-$here/build/vorel-cli}
data=$here/../shared/data
[ -x "$cli" ] || { echo "no vorel-cli at $cli (build first)" >&2; exit 1; }
[ $# -gt 0 ] || set -- qq-expert-a hard-a
run="-m candidate -l 0 -e --fixpoint -r 910 -r 1070 -r 1080 -r 4000"
for name in "$@"; do
  file=$data/$name.txt
  [ -f "$file" ] || { echo "$name: not found in $data" >&2; continue; }
  # Seconds of processor time and of the clock: on a shared machine the clock also counts the
  # other programs' turns.
  times=$( { /usr/bin/time -f "%U %S %e" "$cli" $run -p line "$file" >/dev/null; } 2>&1 | tail -1)
  set -- $times "$@"
  cpu=$(echo "$1 + $2" | bc)
  echo "$name: run took $cpu s of processor time, $3 s on the clock"
  shift 3
  "$cli" $run -p candidates "$file" | python3 "$here/bench/check_candidates.py" "$file" \
    "$name" "$cpu"
done
