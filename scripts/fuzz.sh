#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for SECONDS seconds (default 5)
# from the seed corpus, or for RUNS executions when RUNS is set (then SECONDS is only an upper
# bound). Findings are written to build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
scripts/deps.sh clang libclang-rt-14-dev
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOREL_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"${JOBS:-2}" >/dev/null
mkdir -p build-fuzz/findings
status=0
for seeds in tests/fuzz/seeds/*/; do
  target=$(basename "$seeds")
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  cp -n "$seeds"* "$corpus"/ 2>/dev/null || true
  echo "== $target ($seconds s)"
  limit=()
  [ -n "${RUNS:-}" ] && limit=(-runs="$RUNS")
  if ! build-fuzz/tests/fuzz/"$target" "$corpus" -max_total_time="$seconds" "${limit[@]}" -max_len=1024 \
      -artifact_prefix=build-fuzz/findings/"$target"- -print_final_stats=1 2>build-fuzz/"$target".log; then
    status=1
    tail -40 build-fuzz/"$target".log
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|cov:' build-fuzz/"$target".log | tail -3 || true
done
exit $status
