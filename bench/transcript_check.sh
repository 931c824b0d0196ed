#!/bin/sh
# Byte-for-byte guard for speed work: runs the technique battery over whole collections in
# every display mode, the batch runs of the normal screen and the generator, and either records
# the transcripts or compares them with a recording made earlier (e.g. from the unchanged tree).
#   bench/transcript_check.sh record DIR [VOREL_CLI]
#   bench/transcript_check.sh check DIR [VOREL_CLI]
#   bench/transcript_check.sh digest DIR [VOREL_CLI]   records, then prints each one's SHA-256
# The collections are read from ../shared/data and never copied into the project.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
action=${1:?record, check or digest}
dir=${2:?directory of the recording}
cli=${3:-$here/build/vorel-cli}
data=$here/../shared/data
[ -x "$cli" ] || { echo "no vorel-cli at $cli (build first)" >&2; exit 1; }
mkdir -p "$dir/in"

# Inputs: whole collections, the givens of the regression library (one 81-digit line each,
# placed cells counted as givens) and every tenth 17-clue puzzle.
for f in hard-a qq-expert-a; do
  [ -f "$dir/in/$f.txt" ] || cp "$data/$f.txt" "$dir/in/$f.txt"
done
[ -f "$dir/in/reglib.txt" ] ||
  awk -F: '/^:/ { g = $4; gsub(/\+/, "", g); gsub(/\./, "0", g); if (length(g) == 81) print g }' \
    "$data/reglib-1.4.txt" >"$dir/in/reglib.txt"
[ -f "$dir/in/sudoku17.txt" ] || awk 'NR % 10 == 1' "$data/sudoku17-a.txt" >"$dir/in/sudoku17.txt"

battery="--fixpoint -r 910 -r 1070 -r 1080"
failed=0
run() { # NAME ARGS...
  name=$1
  shift
  out=$dir/$name.out
  [ "$action" = check ] && out=$dir/$name.new
  "$cli" -t "$@" >"$out" 2>&1 || echo "exit $?" >>"$out"
  if [ "$action" = check ]; then
    if cmp -s "$dir/$name.out" "$out"; then
      rm -f "$out"
      echo "same      $name"
    else
      echo "DIFFERENT $name ($(cmp "$dir/$name.out" "$out" 2>&1 | head -1))"
      failed=1
    fi
  fi
}

for f in hard-a qq-expert-a reglib sudoku17; do
  for l in 0 1 2; do
    run "$f-candidate-l$l" -m candidate -l "$l" -e $battery -p candidates "$dir/in/$f.txt"
  done
  run "$f-normal" -m normal -e $battery -p line "$dir/in/$f.txt"
done
# The regression library as the reader meets it (blocks, comments and all).
run reglib-raw -m candidate -l 2 -e $battery -p candidates "$data/reglib-1.4.txt"
for pass in 320 322; do
  for l in 0 2; do
    run "make-$pass-l$l" --seed 42 -l "$l" -m make -r 610 -r "$pass" --repeat 30 -p line
  done
done

[ "$action" = record ] && echo "recorded in $dir"
[ "$action" = digest ] && (cd "$dir" && sha256sum ./*.out | sed 's| \./| |')
exit $failed
