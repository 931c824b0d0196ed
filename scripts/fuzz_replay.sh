#!/usr/bin/env bash
# Replays the fuzz corpora (build-fuzz/corpus/, else the seeds) under valgrind, which finds
# reads of uninitialised memory that the sanitizers of the fuzz build do not look for.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh valgrind
cmake -S . -B build-replay -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOREL_FUZZ_REPLAY=ON >/dev/null
cmake --build build-replay -j"${JOBS:-2}" >/dev/null
status=0
for seeds in tests/fuzz/seeds/*/; do
  target=$(basename "$seeds")
  corpus=build-fuzz/corpus/$target
  [ -d "$corpus" ] || corpus=$seeds
  echo "== $target ($(ls "$corpus" | wc -l) inputs)"
  valgrind -q --error-exitcode=9 build-replay/tests/fuzz/"$target" "$corpus"/* || status=1
done
exit $status
