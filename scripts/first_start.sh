#!/usr/bin/env bash
# The real program's first start in a real X server: with no settings file anywhere it opens
# on the sample puzzle in a window whose cells are at least 48 pixels; the next start, with
# the settings file the first one saved, opens as that file says, and a settings file without
# a window place gives the 350x300 window. Usage: scripts/first_start.sh PATH/TO/vorel
set -euo pipefail
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${FIRST_START_INSIDE_X:-}" ]; then
  for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "first start: $tool is missing (scripts/deps.sh installs it)"; exit 1; }
  done
  exec env FIRST_START_INSIDE_X=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$here/first_start.sh" "$binary"
fi

set +e
export LSAN_OPTIONS="suppressions=$here/../tests/ui/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/run"
export HOME=$work/home XDG_CONFIG_HOME=$work/config
cp "$binary" "$work/run/vorel"
sample=000000010400000000020000000000050407008000300001090000300400200050100000000806000
failures=0
check() {  # check NAME STATUS
  if [ "$2" -eq 0 ]; then echo "first start: ok   $1"; else echo "first start: FAIL $1"; failures=$((failures + 1)); fi
}

# run: start the program, read its window's size into $width and $height, quit with Ctrl+Q.
run() {
  (cd "$work/run" && exec ./vorel) 2>>"$work/stderr" &
  local pid=$!
  local window
  window=$(timeout 20 xdotool search --sync --pid "$pid" --name 'Kelmo' | head -1)
  sleep 0.5
  width=0 height=0
  eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | grep -E '^(WIDTH|HEIGHT|X|Y)=' | sed 's/^/win_/')"
  width=${win_WIDTH:-0} height=${win_HEIGHT:-0}
  left=${win_X:-0} top=${win_Y:-0}
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --clearmodifiers ctrl+q
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null
  wait "$pid"
}
ini() { tr -d '\r' <"$work/run/Vorel.ini" | sed -n "s/^$1=//p"; }

run
# Nine cells of 48 pixels and their lines across; down, the menu bar and status bar as well.
[ "$width" -ge 433 ] && [ "$height" -ge $((433 + 40)) ]; check "a first start opens ${width}x${height}" $?
[ $((left + width)) -le 1280 ] && [ $((top + height)) -le 1024 ]; check "inside the screen at ($left,$top)" $?
[ "$(ini Table)" = "$sample" ]; check "on the sample puzzle (saved: $(ini Table))" $?
[ "$(ini WinWidth)" = "$width" ] && [ "$(ini WinHigh)" = "$height" ]; check "the size is kept in the settings" $?

first_width=$width first_height=$height
sed -i 's/^Calc=[0-9]*/Calc=14/' "$work/run/Vorel.ini"
run
[ "$width" = "$first_width" ] && [ "$height" = "$first_height" ]; check "the next start opens as the settings say (${width}x${height})" $?
[ "$(ini Calc)" = 14 ]; check "a stored colour stays" $?

printf '[MODE]\r\nCandErase=1\r\n' >"$work/run/Vorel.ini"
run
[ "$width" = 350 ] && [ "$height" = 300 ]; check "a settings file without a window place opens 350x300 (got ${width}x${height})" $?
[ "$(ini Table)" != "$sample" ]; check "and not on the sample puzzle" $?

if [ "$failures" -ne 0 ]; then
  echo "first start: stderr of the program:"; cat "$work/stderr"
  exit 1
fi
