#!/usr/bin/env bash
# Random real input for the desktop program: keys and mouse clicks through the X server's test
# extension (xdotool), over every mode, menu, panel and dialog, for SECONDS seconds.
#   scripts/monkey.sh SECONDS SEED PATH/TO/vorel
# The same SEED gives the same sequence of events (what they meet depends on timing). The run
# happens in a fresh folder with its own HOME and XDG_CONFIG_HOME, the program copied there,
# so nothing is written anywhere else. It fails when the program crashes or hangs, when
# AddressSanitizer or UndefinedBehaviorSanitizer report anything, or when the settings file
# written at the end does not load again with a well-formed board. The events are kept in
# ${MONKEY_LOG_DIR:-/tmp}/vorel-monkey-SEED.log when it fails.
set -uo pipefail
seconds=${1:?SECONDS}
seed=${2:?SEED}
binary=$(realpath "${3:?PATH/TO/vorel}")
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${MONKEY_INSIDE_X:-}" ]; then
  for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "monkey: $tool is missing (scripts/deps.sh installs it)"; exit 1; }
  done
  exec env MONKEY_INSIDE_X=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$seconds" "$seed" "$binary"
fi

work=$(mktemp -d)
trap '[ -n "${MONKEY_KEEP:-}" ] && cp -r "$work" "$MONKEY_KEEP"; rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config"
# The program runs two folders down, so that a file chooser stepping up stays inside.
run=$work/a/b/run
mkdir -p "$run"
export HOME=$work/home XDG_CONFIG_HOME=$work/config
# Under AddressSanitizer: what the system libraries below Qt keep until exit is not ours.
export LSAN_OPTIONS="suppressions=$here/../tests/ui/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export ASAN_OPTIONS="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
cp "$binary" "$run/vorel"
cli=$(dirname "$binary")/../vorel-cli
[ -x "$cli" ] || cli=$(dirname "$binary")/vorel-cli
sample=000000010400000000020000000000050407008000300001090000300400200050100000000806000
# Every panel opens with its mode: the technique log in detail, the control panels.
printf '[MODE]\nCandErase=2\nCandCtrl=1\n[String]\nTable=%s\n' "$sample" > "$run/Vorel.ini"
echo "$sample" > "$run/puzzle.txt"
log=$work/events.log
: > "$log"

RANDOM=$seed
steps=0
events=0  # key presses and mouse clicks sent
starts=0
failure=""
fail() { [ -n "$failure" ] || failure=$1; }

# Keys of the command table and around it; "slash", "asciitilde" and "ctrl+q" are left out
# (a file dialog would leave the folder; quitting is done by the menu now and then).
keys=(0 1 2 3 4 5 6 7 8 9 space Up Down Left Right Home Prior Next Insert Delete BackSpace
  Return Tab Escape numbersign percent dollar exclam t ampersand asterisk plus minus equal
  question at F1 F2 F5 F10 shift+Tab alt+F4)
for letter in a b c d e f g h i j k l m n o p r s t u v w x y z; do keys+=("ctrl+$letter"); done

program_pid=""
start_program() {
  (cd "$run" && exec ./vorel) 2>>"$work/stderr" &
  program_pid=$!
  starts=$((starts + 1))
  main=$(timeout 30 xdotool search --sync --pid "$program_pid" --name 'Kelmo' 2>/dev/null | head -1)
  [ -n "$main" ] || { fail "the main window did not appear (start $starts)"; return 1; }
  xdotool windowfocus "$main" 2>/dev/null || true
}

alive() { kill -0 "$program_pid" 2>/dev/null; }

# The program's status once it has gone (waits at most 30 s, then kills it: a hang).
finish_program() {
  for _ in $(seq 1 300); do alive || break; sleep 0.1; done
  if alive; then
    kill -9 "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
    fail "the program did not end within 30 s (a dialog or a loop that never returns)"
    return
  fi
  wait "$program_pid"
  local status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# One random step. Every step draws the same numbers whatever it does, so a seed replays.
step() {
  local r1=$RANDOM r2=$RANDOM r3=$RANDOM r4=$RANDOM r5=$RANDOM
  local focus name
  focus=$(xdotool getwindowfocus 2>/dev/null || true)
  name=$(xdotool getwindowname "$focus" 2>/dev/null || true)
  # A file chooser could leave the folder: it only ever gets Escape.
  if [[ "$name" == *"ファイル名の指定"* || "$name" == *"マスク名の指定"* ]]; then
    echo "escape-file-dialog" >>"$log"
    xdotool key Escape 2>/dev/null
    events=$((events + 1))
    return
  fi
  local kind=$((r1 % 100))
  if [ $((steps % 12)) -eq 11 ]; then
    # Now and then whatever dialog is up goes away, so that none keeps the run waiting.
    echo "key Escape" >>"$log"
    xdotool key Escape 2>/dev/null
    events=$((events + 1))
  elif [ "$kind" -lt 55 ]; then
    local pressed=("${keys[$((r2 % ${#keys[@]}))]}")
    [ $((r3 % 3)) -eq 0 ] && pressed+=("${keys[$((r4 % ${#keys[@]}))]}" "${keys[$((r5 % ${#keys[@]}))]}")
    echo "key ${pressed[*]}" >>"$log"
    xdotool key --delay 5 "${pressed[@]}" 2>/dev/null
    events=$((events + ${#pressed[@]}))
  elif [ "$kind" -lt 70 ]; then
    # A menu: click a title of the menu bar, walk down, perhaps into a submenu, take it.
    local x=$((10 + r2 % 200)) downs=$((r3 % 28)) right=$((r4 % 4))
    local walk=()
    for _ in $(seq 1 "$downs"); do walk+=(Down); done
    [ "$right" -eq 0 ] && walk+=(Right Down)
    echo "menu x=$x downs=$downs right=$right" >>"$log"
    xdotool mousemove --window "$main" "$x" 8 click 1 2>/dev/null
    xdotool key --delay 5 "${walk[@]}" Return 2>/dev/null
    events=$((events + 2 + ${#walk[@]}))
  else
    # A click (left mostly, right for the pop-up menu) in one of the program's windows.
    local windows
    mapfile -t windows < <(xdotool search --onlyvisible --pid "$program_pid" '' 2>/dev/null)
    [ "${#windows[@]}" -gt 0 ] || windows=("$main")
    local w=${windows[$((r2 % ${#windows[@]}))]}
    local WIDTH=100 HEIGHT=100
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
    local x=$((r3 % (WIDTH > 1 ? WIDTH : 1))) y=$((r4 % (HEIGHT > 1 ? HEIGHT : 1)))
    local button=1
    [ $((r5 % 5)) -eq 0 ] && button=3
    echo "click $button window=$((r2 % ${#windows[@]})) x=$x y=$y" >>"$log"
    xdotool mousemove --window "$w" "$x" "$y" click "$button" 2>/dev/null
    events=$((events + 1))
  fi
}

# Close whatever is open and quit through Ctrl+Q on the main window.
quit_program() {
  for _ in 1 2 3 4 5 6; do
    alive || return 0
    xdotool key Escape 2>/dev/null
    sleep 0.1
  done
  xdotool windowfocus "$main" 2>/dev/null || true
  xdotool key ctrl+q 2>/dev/null
}

end=$((SECONDS + seconds))
start_program || end=0
while [ "$SECONDS" -lt "$end" ] && [ -z "$failure" ]; do
  if ! alive; then
    # The menu's "終了" ends the program now and then: it must have ended well, and it
    # starts again from the settings it saved.
    echo "-- the program ended; starting again" >>"$log"
    finish_program
    [ -n "$failure" ] && break
    start_program || break
  fi
  step
  steps=$((steps + 1))
  sleep 0.01
done
if [ -z "$failure" ]; then
  quit_program
  finish_program
fi

if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$work/stderr" 2>/dev/null; then
  fail "a sanitizer report"
fi

# The settings file loads again with a well-formed board: 81 values and 81 kinds, an empty
# cell exactly where the kind says so, and vorel-cli reading the same board from it.
if [ -z "$failure" ]; then
  table=$(tr -d '\r' <"$run/Vorel.ini" | sed -n 's/^Table=//p')
  kinds=$(tr -d '\r' <"$run/Vorel.ini" | sed -n 's/^Table2=//p')
  if ! [[ "$table" =~ ^[0-9]{81}$ && "$kinds" =~ ^[0-9]{81}$ ]]; then
    fail "the settings file holds no well-formed board: Table=$table Table2=$kinds"
  else
    for i in $(seq 0 80); do
      v=${table:$i:1} k=${kinds:$i:1}
      empty_value=0 empty_kind=0
      [ "$v" = 0 ] && empty_value=1
      [ "$k" = 9 ] && empty_kind=1
      if [ "$k" = 2 ] || [ "$k" = 7 ] || [ "$empty_value" != "$empty_kind" ]; then
        fail "cell $i of the saved board has value $v and kind $k"
        break
      fi
    done
    if [ -x "$cli" ] && [ -z "$failure" ]; then
      loaded=$("$cli" --settings "$run/Vorel.ini" -t -p line 2>&1 | sed -n 's/^board\t//p')
      [ "$loaded" = "$table" ] || fail "vorel-cli reads another board from the settings file: '$loaded'"
    fi
  fi
fi

echo "monkey: seed $seed, $events key presses and clicks in $steps steps over ${seconds} s, $starts start(s) of the program"
if [ -n "$failure" ]; then
  out=${MONKEY_LOG_DIR:-/tmp}/vorel-monkey-$seed.log
  { echo "failure: $failure"; echo "-- events"; cat "$log"; echo "-- stderr"; cat "$work/stderr"; } >"$out"
  echo "monkey: FAIL $failure"
  echo "monkey: the last events:"; tail -15 "$log"
  echo "monkey: the program's stderr:"; grep -vE '^(This plugin|QStandardPaths)' "$work/stderr" | head -60
  echo "monkey: events and stderr kept in $out"
  exit 1
fi
echo "monkey: ok (no crash, no hang, no sanitizer report, the settings file loads again)"
