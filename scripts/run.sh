#!/usr/bin/env bash
# Builds Vorel and analyses the built-in sample puzzle in the candidate screen, printing the
# technique log and the final candidate grid. Extra arguments go to vorel-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target vorel-cli >/dev/null
if [ $# -eq 0 ]; then
  # Single MAX, the basic batch and the upper batch until nothing changes.
  set -- --sample -m candidate -l 1 --fixpoint -r 910 -r 1070 -r 1080 -p candidates
fi
exec build/vorel-cli "$@"
