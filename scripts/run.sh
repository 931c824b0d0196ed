#!/usr/bin/env bash
# Builds Vorel and opens its window (extra arguments go to the program, e.g. a puzzle file).
# On a machine without a display it says so and analyses the built-in sample puzzle in the
# candidate screen with vorel-cli instead, printing the technique log and the candidate grid.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target vorel-cli >/dev/null
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && cmake --build build -j2 --target vorel >/dev/null 2>&1; then
  exec build/ui/vorel "$@"
fi
echo "run.sh: no display here, so no window: running the sample puzzle in vorel-cli instead" >&2
if [ $# -eq 0 ]; then
  # Single MAX, the basic batch and the upper batch until nothing changes.
  set -- --sample -m candidate -l 1 --fixpoint -r 910 -r 1070 -r 1080 -p candidates
fi
exec build/vorel-cli "$@"
