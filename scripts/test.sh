#!/usr/bin/env bash
# Builds Vorel twice (plain, and with AddressSanitizer + UndefinedBehaviorSanitizer), warnings
# as errors, and runs the whole test suite in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=${JOBS:-2}
for variant in build-ci:OFF build-ci-asan:ON; do
  dir=${variant%%:*}
  sanitize=${variant##*:}
  echo "== $dir (sanitizers $sanitize)"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOREL_WERROR=ON \
    -DVOREL_SANITIZE="$sanitize" -DVOREL_BENCH=OFF >/dev/null
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs")
done
