#!/usr/bin/env bash
# The real program in a real X server: start it on a puzzle file, check the title, open the
# candidate screen with Ctrl+C and see the technique log window appear, close with Ctrl+Q and
# find the settings written; a SIGTERM closes it the same way. Usage: scripts/smoke_window.sh PATH/TO/vorel
set -euo pipefail
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${SMOKE_INSIDE_X:-}" ]; then
  for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "smoke: $tool is missing (scripts/deps.sh installs it)"; exit 1; }
  done
  exec env SMOKE_INSIDE_X=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$here/smoke_window.sh" "$binary"
fi

set +e
# Under AddressSanitizer: what the system libraries below Qt keep until exit is not ours.
export LSAN_OPTIONS="suppressions=$here/../tests/ui/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check NAME STATUS
  if [ "$2" -eq 0 ]; then echo "smoke: ok   $1"; else echo "smoke: FAIL $1"; failures=$((failures + 1)); fi
}
# exit_status: the program's exit status in $status once it has ended; 99 when it still runs
# 10 s later, and is then killed.
exit_status() {
  status=0
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"; status=99
  else
    wait "$pid" || status=$?
  fi
}

# Without a usable display the program says so on one line and fails.
for display in "" ":4711"; do
  out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$binary" 2>&1 >/dev/null)
  status=$?
  [ "$status" -ne 0 ] && [ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] && [[ "$out" == "vorel: cannot create the window"* ]]
  check "no window on display '$display': status $status, '$out'" $?
done
# Help and version need no display, and open no window.
for option in -h --help; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" "$option" 2>&1)
  status=$?
  [ "$status" -eq 0 ] && [[ "$out" == "usage: vorel [OPTIONS] [FILE]"$'\n'* ]]
  check "$option prints the usage: status $status" $?
done
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" --version 2>&1)
status=$?
[ "$status" -eq 0 ] && [[ "$out" =~ ^vorel\ [0-9]+\.[0-9]+(\.[0-9]+)?$ ]]
check "--version prints '$out': status $status" $?
# A portable install: the program keeps its settings beside itself.
cp "$binary" "$work/vorel"
printf '[MODE]\r\nCandErase=1\r\n' > "$work/Vorel.ini"
echo "000000010400000000020000000000050407008000300001090000300400200050100000000806000" > "$work/puzzle.txt"

cd "$work"
./vorel puzzle.txt 2>"$work/stderr" &
pid=$!
window=$(timeout 20 xdotool search --sync --pid "$pid" --name 'Kelmo' | head -1) || true
[ -n "$window" ]; check "the main window appears" $?
title=$(xdotool getwindowname "$window" 2>/dev/null || true)
# A file named on the command line is read as a dropped file: the title stays the program's.
[ "$title" = "《Kelmo》" ]; check "title after reading the file is '$title'" $?

# The digit-input panel in everyday use: click a digit, arrow on, click the next digit, type
# one more. A window manager gives the focus to the clicked panel; here the script does.
window_named() {  # window_named TITLE: the program's window with exactly this title
  local w
  for w in $(xdotool search --pid "$pid" '' 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && { echo "$w"; return; }
  done
}
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --window "$window" --clearmodifiers ctrl+k
panel=""
for _ in $(seq 1 50); do
  panel=$(window_named "数字入力")
  [ -n "$panel" ] && break
  sleep 0.1
done
[ -n "$panel" ]; check "Ctrl+K opens the digit-input panel" $?
if [ -n "$panel" ]; then
  sleep 0.3
  eval "$(xdotool getwindowgeometry --shell "$panel")"
  cx=$((X + WIDTH / 2)) cy=$((Y + HEIGHT / 2))  # the 5 in the middle, the 8 below it
  xdotool windowfocus --sync "$panel" 2>/dev/null || true
  xdotool mousemove --sync "$cx" $((cy + 28)) click 1
  sleep 0.2
  xdotool key Right
  sleep 0.2
  xdotool mousemove --sync "$cx" "$cy" click 1
  sleep 0.2
  xdotool key 7
  sleep 0.3
  [ -n "${SMOKE_SHOT:-}" ] && import -window root "$SMOKE_SHOT"
fi

xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --window "$window" --clearmodifiers ctrl+c
log=$(timeout 10 xdotool search --sync --pid "$pid" --name '^消去状況$' | head -1) || true
[ -n "$log" ]; check "Ctrl+C opens the technique log window" $?

xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --window "$window" --clearmodifiers ctrl+q
exit_status
[ "$status" -eq 0 ]; check "Ctrl+Q closes the program with status 0 (got $status)" $?
# 8 and 5 clicked on the panel with an arrow key between, then 7 typed while it had the focus.
grep -q '^Table=805700010400000000020' Vorel.ini; check "the panel's digits and the keys typed on it reached the board" $?
grep -q '^WinWidth=' Vorel.ini; check "the settings file holds the window place" $?
grep -q '^CandErase=1' Vorel.ini; check "the settings file keeps the display mode" $?

# Asked to end by a signal, as when the session ends, the program closes as by Ctrl+Q: status
# 0 and its settings saved.
rm -f Vorel.ini
./vorel 2>>"$work/stderr" &
pid=$!
timeout 20 xdotool search --sync --pid "$pid" --name 'Kelmo' >/dev/null
kill -TERM "$pid"
exit_status
[ "$status" -eq 0 ] && grep -q '^WinWidth=' Vorel.ini
check "SIGTERM closes the program with status 0 and its settings saved (got $status)" $?

if [ "$failures" -ne 0 ]; then
  echo "smoke: stderr of the program:"; cat "$work/stderr"
  exit 1
fi
