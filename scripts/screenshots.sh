#!/usr/bin/env bash
# Renders the window's screens under a virtual X server into docs/: the board view, the
# candidate screen in the normal and the box layout (with the technique log beside it) and
# the alternate candidate view. Look at every picture before calling a screen done.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
if [ -z "${SHOTS_INSIDE_X:-}" ]; then
  scripts/deps.sh imagemagick openbox
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j2 --target vorel vorel_ui_tests >/dev/null
  exec env SHOTS_INSIDE_X=1 xvfb-run -a -s "-screen 0 1400x1000x24" "$0" "$@"
fi

openbox >/dev/null 2>&1 &
sleep 1
mkdir -p docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp build/ui/vorel "$work/vorel"
sample=000000010400000000020000000000050407008000300001090000300400200050100000000806000

# start MODE-KEYS...: a fresh program with these keys in its [MODE] section; sets $pid and
# $window. The colours are the defaults.
start() {
  {
    printf '[WinPos]\nWinLeft=20\nWinTop=20\nWinWidth=600\nWinHigh=640\n'
    printf '[MODE]\nFontSize=-30\nFontSize2=-15\nCandErase=1\n'
    for line in "$@"; do printf '%s\n' "$line"; done
    printf '[String]\nTable=%s\n' "$sample"
  } > "$work/Vorel.ini"
  (cd "$work" && ./vorel) 2>/dev/null &
  pid=$!
  window=$(timeout 20 xdotool search --sync --pid "$pid" --name 'Kelmo' | head -1)
  sleep 1
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
}
stop() {
  xdotool key --clearmodifiers ctrl+q
  wait "$pid" || true
}
# shot NAME: the main window and whatever stands right of it.
shot() {
  sleep 0.7
  import -window root -crop 1000x720+0+0 "docs/$1.png"
  echo "docs/$1.png"
}

start
xdotool key --clearmodifiers Right Right Down
shot board-view
xdotool key --clearmodifiers ctrl+c
# Locked candidates from the candidate toolbar (its third button) fills the log.
xdotool mousemove --window "$window" 54 37 click 1
shot candidate-screen
xdotool key --clearmodifiers dollar
shot alternate-view
stop

start 'KohoDisplayMode=1' 'KanSuuji=2'
xdotool key --clearmodifiers ctrl+c
shot candidate-box
stop

# Every dialog and panel, photographed by the window tests with the window manager's frames.
VOREL_SHOTS_DIR="$root/docs" QT_QPA_PLATFORM=xcb build/ui/vorel_ui_tests \
  --gtest_filter='DialogPictures.*' >/dev/null
ls docs/dialog-*.png docs/panel-*.png
