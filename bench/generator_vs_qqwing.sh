#!/bin/sh
# Puzzles per second, side by side: vorel-cli 610 + 320 (singles) against qqwing's any-difficulty
# generator, and 610 + 322 (technique battery) against qqwing's expert generator.
# usage: bench/generator_vs_qqwing.sh [BUILD_DIR] [N]   (needs qqwing: apt-get install qqwing)
set -eu
BUILD=${1:-build}
N=${2:-2000}
CLI="$BUILD/vorel-cli"
[ -x "$CLI" ] || { echo "no $CLI: build first" >&2; exit 2; }
command -v qqwing >/dev/null || { echo "qqwing not installed" >&2; exit 2; }

# Seconds (wall clock, 3 decimals) taken by a command with its output discarded.
seconds() {
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  echo "$start $end" | awk '{printf "%.3f", $2 - $1}'
}
rate() { echo "$1 $2" | awk '{ if ($2 > 0) printf "%.1f", $1 / $2; else print "inf" }'; }
ratio() { echo "$1 $2" | awk '{ if ($2 > 0) printf "%.2f", $1 / $2; else print "-" }'; }

# Check the run really makes N puzzles before timing it.
made=$("$CLI" --seed 1 -l 0 -m make -r 610 -r 320 --repeat 3 -p line -t | grep -c '^board')
[ "$made" = 3 ] || { echo "vorel-cli --repeat did not print 3 boards" >&2; exit 1; }

QN=$N
QE=$((N / 10))
[ "$QE" -gt 0 ] || QE=1
t320=$(seconds "$CLI" --seed 1 -l 0 -m make -r 610 -r 320 --repeat "$N" -p line -t)
tq=$(seconds qqwing --generate "$QN" --one-line)
t322=$(seconds "$CLI" --seed 1 -l 0 -m make -r 610 -r 322 --repeat "$QE" -p line -t)
tqe=$(seconds qqwing --generate "$QE" --difficulty expert --one-line)

r320=$(rate "$N" "$t320"); rq=$(rate "$QN" "$tq")
r322=$(rate "$QE" "$t322"); rqe=$(rate "$QE" "$tqe")
printf '%-40s %10s %12s\n' "generator" "puzzles" "puzzles/s"
printf '%-40s %10s %12s\n' "vorel 610+320 (singles)" "$N" "$r320"
printf '%-40s %10s %12s\n' "qqwing --generate (any)" "$QN" "$rq"
printf '%-40s %10s %12s\n' "vorel 610+322 (technique battery)" "$QE" "$r322"
printf '%-40s %10s %12s\n' "qqwing --generate --difficulty expert" "$QE" "$rqe"
echo "ratio 610+320 / qqwing any:    $(ratio "$r320" "$rq")"
echo "ratio 610+322 / qqwing expert: $(ratio "$r322" "$rqe")"
