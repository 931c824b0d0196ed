#!/bin/sh
# The technique battery over whole collections in every display mode, the batch runs of the
# normal screen and the generator's passes give, byte for byte, the transcripts recorded in
# tests/transcripts.sha256. Those transcripts were checked line for line against an
# independent reference; any change to one is a change of the system's own texts.
#   tests/transcripts.sh VOREL_CLI
# Exit 77 (skipped) when the collections of ../shared/data are not there.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:?vorel-cli}
data=$here/../shared/data
for f in hard-a.txt qq-expert-a.txt reglib-1.4.txt sudoku17-a.txt; do
  [ -f "$data/$f" ] || { echo "skipped: $data/$f is not there"; exit 77; }
done
dir=$(mktemp -d "${TMPDIR:-/tmp}/vorel-transcripts.XXXXXX")
trap 'rm -rf "$dir"' EXIT
"$here/bench/transcript_check.sh" digest "$dir" "$cli" >"$dir/digests"
if diff "$here/tests/transcripts.sha256" "$dir/digests" >"$dir/diff"; then
  echo "all $(wc -l <"$dir/digests") transcripts as recorded"
  exit 0
fi
echo "transcripts that changed (bench/transcript_check.sh record/check shows the lines):"
sed -n 's/^> [0-9a-f]*  /  /p' "$dir/diff"
exit 1
