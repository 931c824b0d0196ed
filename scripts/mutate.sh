#!/usr/bin/env bash
# Mutation runs: how many plausible programmer errors does the test suite catch?
#
#   scripts/mutate.sh [-n N] [-s SEED] [-t SECONDS] [-B DIR] [-x REGEX] [-X TSV] [-R TSV] [-P K/M]
#                     [-l] [-u | -a] [PATH...]
#
# Picks N mutation sites at random (the seed makes the choice repeatable) among the .cpp files
# under the given files or folders (default: board techniques drivers io ui cli; not ui/icons.cpp,
# whose pictures are judged by eye, nor pixel geometry and colours), spread evenly
# over the paths given. Each site gets one operator: a relational flip (< <=, > >=, == !=), a
# constant or bound one up or down, && for || and back, a dropped statement call, two arguments
# swapped, or a negated if/while condition. The mutant alone is built incrementally in its own
# build directory, the tests run with a per-test timeout (stopping at the first failure), and the
# file is put back — always, also on Ctrl+C. Every site ends as KILLED, SURVIVED (with its diff)
# or NOCOMPILE; a score per folder closes the run: killed / (killed + survived).
#
#   -n N        mutants to try (20)
#   -s SEED     random seed (the current time; printed so that the run can be repeated)
#   -t SECONDS  per-test timeout (60); the whole test run of a mutant is stopped after twice that.
#               A run that failed only for time is tried once more with three times the limits, so
#               that a busy machine does not pass for a mutant that loops for ever
#   -B DIR      build directory, configured on first use (build-mut)
#   -x REGEX    tests to run only for a mutant that passes all the others
#   -X TSV      skip the sites listed in an earlier run's results (its mutate-results.tsv); may
#               be given more than once
#   -P K/M      take only the K-th of every M chosen sites: M runs with the same seed in M
#               worktrees share the work of one run (on a machine with cores to spare)
#   -R TSV      try again the survivors of an earlier run (its mutate-results.tsv), once the
#               tests have been strengthened; -n, -s and the paths are then not used
#   -l          list the chosen sites and stop
#   -u          build the mutants with the undefined-behaviour checks (in build-mut-ubsan unless
#               -B names another)
#   -a          build the mutants as CI's sanitizer build, AddressSanitizer included, so that a
#               read past a buffer through a pointer fails too (in build-mut-asan unless -B names
#               another; slower still)
#
# The results go to DIR/mutate-results.tsv as well. A run takes roughly 10-30 s per mutant on a
# quiet two-core machine; it is a tool, not a CI step. Do not edit the sources while it runs.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

count=20 seed=$(date +%s) timeout=60 build="" exclude="" skipfile="" listonly=0 ubsan=0
replay="" part=1/1 asan=0
while getopts "n:s:t:B:x:X:R:P:luah" opt; do
  case $opt in
    n) count=$OPTARG ;;
    s) seed=$OPTARG ;;
    t) timeout=$OPTARG ;;
    B) build=$OPTARG ;;
    x) exclude=$OPTARG ;;
    X) skipfile="$skipfile${skipfile:+:}$OPTARG" ;;
    P) part=$OPTARG ;;
    R) replay=$OPTARG ;;
    l) listonly=1 ;;
    u) ubsan=1 ;;
    a) asan=1 ;;
    *) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
# A sanitizer build never shares its directory with the plain one: the directory's first
# configuration decides how every mutant in it is built.
[ -z "$build" ] && build=build-mut$([ "$asan" = 1 ] && echo -asan || { [ "$ubsan" = 1 ] && echo -ubsan; })
paths=("$@")
[ ${#paths[@]} -eq 0 ] && paths=(board techniques drivers io ui cli)

work=$(mktemp -d /tmp/vorel-mutate.XXXXXX)
sites=$work/sites.tsv

# The site finder: one line per chosen site, TAB separated:
#   file  line  operator  original-line  mutated-line
python3 - "$seed" "$count" "$skipfile" "$part" "${paths[@]}" >"$sites" <<'PY'
import os, random, re, sys

seed, count, skipfile, part, paths = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4], \
    sys.argv[5:]

def files_under(p):
    if os.path.isfile(p):
        return [p]
    out = []
    for d, _, names in os.walk(p):
        out += [os.path.join(d, n) for n in names if n.endswith('.cpp')
                and n != 'icons.cpp']  # the icons are pictures, judged by eye
    return sorted(out)

def blank_literals(line):
    """The line with string and character literals and // comments blanked out, same length."""
    out, i, n = [], 0, len(line)
    while i < n:
        c = line[i]
        if c == '/' and line[i:i + 2] == '//':
            out.append(' ' * (n - i))
            break
        if c in '"\'':
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == '\\' else 1
            j = min(j + 1, n)
            out.append(c + ' ' * (j - i - 2) + (line[j - 1] if j - i >= 2 else ''))
            i = j
            continue
        out.append(c)
        i += 1
    return ''.join(out)

def matching_paren(s, i):
    depth = 0
    for j in range(i, len(s)):
        if s[j] == '(':
            depth += 1
        elif s[j] == ')':
            depth -= 1
            if depth == 0:
                return j
    return -1

REL = {' < ': ' <= ', ' <= ': ' < ', ' > ': ' >= ', ' >= ': ' > ', ' == ': ' != ', ' != ': ' == '}
SIMPLE = r'[A-Za-z_][\w.]*(?:\[[\w ]+\])?|\d+'
SWAP = re.compile(r'\b([A-Za-z_]\w*)\((' + SIMPLE + r'), (' + SIMPLE + r')\)')
CALL = re.compile(r'^(\s*)((?:[A-Za-z_][\w:]*(?:\.|->))*[A-Za-z_][\w:]*\(.*\);)\s*$')
KEYWORDS = ('return', 'if', 'while', 'for', 'else', 'case', 'delete', 'throw', 'static_assert',
            'assert', 'switch', 'do', 'using', 'typedef', 'goto')
NUM = re.compile(r'(?<![\w.])(?<!e-)(0x[0-9A-Fa-f]+|\d+)(u|U|ull|ULL|ul|UL)?(?![\w.])')
# Pixel geometry, layout positions, pens and colours are judged by eye in the rendered
# pictures: their numbers are not mutated.
PIXELS = re.compile(r'\b(QRectF?|QPointF?|QSizeF?|QColor|QPen|QFont|QMargins|adjusted|drawLine|'
                    r'drawRect|drawEllipse|drawText|setPointSizeF?|setPixelSize|setContentsMargins|'
                    r'setSpacing|setFixed\w*|setMinimum\w*|setMaximum\w*|resize|addWidget|'
                    r'addLayout|addSpacing|addStretch|setColumnStretch|setRowStretch|fromRgb|'
                    r'setAlpha|lighter|darker|setIconSize|QPixmap|pixmap|'
                    r'translate|scale|rotate|setWidthF?|moveTo|lineTo|arcTo)\(')

def sites_of(path):
    try:
        lines = open(path, encoding='utf-8').read().split('\n')
    except (OSError, UnicodeDecodeError):
        return []
    out, in_block = [], False
    for no, line in enumerate(lines, 1):
        s = blank_literals(line)
        if in_block:
            if '*/' not in s:
                continue
            in_block = False
            s = ' ' * (s.index('*/') + 2) + s[s.index('*/') + 2:]
        if '/*' in s:
            k = s.index('/*')
            if '*/' in s[k:]:
                e = s.index('*/', k) + 2
                s = s[:k] + ' ' * (e - k) + s[e:]
            else:
                in_block = True
                s = s[:k] + ' ' * (len(s) - k)
        t = s.strip()
        if not t or t.startswith('#') or 'static_assert' in t or t.startswith('constexpr char'):
            continue
        def add(op, a, b, new):
            out.append((path, no, op, line, line[:a] + new + line[b:]))
        for m in re.finditer(r' (<=|>=|<|>|==|!=) ', s):
            add('relational', m.start(), m.end(), REL[m.group(0)])
        for m in re.finditer(r' (&&|\|\|) ', s):
            add('logical', m.start(), m.end(), ' || ' if m.group(1) == '&&' else ' && ')
        for m in NUM.finditer(s) if not PIXELS.search(s) else ():
            v = int(m.group(1), 0)
            if '[' in s[:m.start()] and re.search(r'\b(uint\w*|int|char|bool|auto)\b[^=]*\[$',
                                                  s[:m.start()]):
                continue  # an array's declared size: a bigger one changes nothing
            for d in ((1,) if v == 0 else (1,) if (no + m.start()) % 2 else (-1,)):
                if v + d >= 0:
                    new = (hex(v + d) if m.group(1).startswith('0x') else str(v + d))
                    add('constant%+d' % d, m.start(1), m.end(1), new)
        for m in re.finditer(r'\b(if|while) \(', s):
            o = m.end() - 1
            c = matching_paren(s, o)
            if c > 0:
                add('negate', o + 1, c, '!(' + line[o + 1:c] + ')')
        for m in SWAP.finditer(s):
            # Calls whose arguments commute give an equivalent mutant when swapped.
            if m.group(2) != m.group(3) and m.group(1) not in KEYWORDS and \
               m.group(1) not in ('min', 'max', 'swap', 'SameText', 'SharesUnit'):
                add('swap-arguments', m.start(2), m.end(3), line[m.start(3):m.end(3)] + ', ' +
                    line[m.start(2):m.end(2)])
        m = CALL.match(s)
        if m and not m.group(2).split('(')[0].split('::')[-1] in KEYWORDS and '=' not in \
           s[:s.index('(')] and s.count('(') == s.count(')'):
            add('drop-call', len(m.group(1)), len(line.rstrip()), '(void)0;  // dropped')
    return out

skip = set()
for name in filter(None, skipfile.split(':')):
    for row in open(name, encoding='utf-8'):
        f = row.rstrip('\n').split('\t')
        if len(f) >= 6:
            skip.add((f[1], f[3], f[5]))   # file, operator, mutated line
rng = random.Random(seed)
chosen = []
per = [count // len(paths) + (1 if i < count % len(paths) else 0) for i in range(len(paths))]
for p, k in zip(paths, per):
    pool = [x for f in files_under(p) for x in sites_of(f) if (x[0], x[2], x[4]) not in skip]
    pool = [x for x in pool if x[3] != x[4]]
    chosen += rng.sample(pool, min(k, len(pool)))
k, m = (int(x) for x in part.split('/'))
for f, no, op, old, new in chosen[k - 1::m]:
    print('\t'.join([f, str(no), op, old, new]))
PY
[ $? -eq 0 ] || { echo "mutate: the site finder failed" >&2; exit 1; }
if [ -n "$replay" ]; then
  awk -F'\t' '$1 == "SURVIVED" { print $2 "\t" $3 "\t" $4 "\t" $5 "\t" $6 }' "$replay" >"$sites"
  seed="replay of $replay"
fi

if [ "$listonly" = 1 ]; then
  awk -F'\t' '{printf "%s:%s  %s\n    - %s\n    + %s\n", $1, $2, $3, $4, $5}' "$sites"
  rm -rf "$work"
  exit 0
fi

# The file being mutated and its pristine copy: put back on every way out, with its old time
# stamp, together with the objects, libraries and programs built before the mutant, so that
# the next mutant rebuilds only its own file.
current="" backup=$work/original saved=$work/saved
restore() {
  if [ -n "$current" ]; then
    cp -p "$backup" "$current"
    current=""
    if [ -f "$saved/list" ]; then
      while IFS= read -r f; do
        cp -p "$saved/files/$f" "$build/$f"
      done <"$saved/list"
    fi
  fi
}
# save_outputs FILE: the objects of FILE and every library and program, as built now.
save_outputs() {
  rm -rf "$saved"
  mkdir -p "$saved/files"
  (cd "$build" && find . -name "$(basename "$1").o" -path '*CMakeFiles*'
   ls ./*.a ./ui/*.a ./vorel-cli ./vorel_tests ./ui/vorel ./ui/vorel_ui_tests 2>/dev/null) \
    >"$saved/list.tmp"
  while IFS= read -r f; do
    mkdir -p "$saved/files/$(dirname "$f")"
    cp -p "$build/$f" "$saved/files/$f"
  done <"$saved/list.tmp"
  mv "$saved/list.tmp" "$saved/list"
}
test_pid=""
trap '[ -n "$test_pid" ] && kill -KILL -- -"$test_pid" 2>/dev/null; restore; rm -rf "$work"' EXIT
trap 'echo; echo "mutate: interrupted, the sources are restored"; exit 130' INT TERM

# With -u the mutants are built with the undefined-behaviour checks of CI's sanitizer build and
# the library's assertions (an index one past a table's or a vector's end stops the test); the
# tests then take about twice as long. With -a they are built as the sanitizer build itself:
# AddressSanitizer also stops a read one row past a stack buffer through a pointer.
# No debug information, and lld when it is there: most of a mutant's time is the link. Warnings
# are errors, as in CI: a mutant that CI's build refuses counts as not compiling, not as a survivor.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cxx="" ld=""
  [ "$ubsan" = 1 ] && cxx="-fsanitize=undefined -fno-sanitize-recover=undefined -D_GLIBCXX_ASSERTIONS" \
    ld="-fsanitize=undefined"
  command -v ld.lld >/dev/null && ld="$ld -fuse-ld=lld"
  [ "$asan" = 1 ] && cxx=""  # the sanitizer build brings its own flags
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
    -DVOREL_WERROR=ON -DVOREL_BENCH=OFF -DCMAKE_CXX_FLAGS="$cxx" -DCMAKE_EXE_LINKER_FLAGS="$ld" \
    -DVOREL_SANITIZE=$([ "$asan" = 1 ] && echo ON || echo OFF) >/dev/null || exit 1
fi
# The window's tests are the suites of tests/ui and the smoke test in an X server. A mutant of
# ui/ is tried on those, a mutant of the engine or of vorel-cli on the engine's tests, the quick
# ones first, then the slow ones (over a second in the unmutated run) and those of -x. A
# mutant that passes them is tried on the rest of the suite: the verdict is the whole suite's,
# as in CI, but the many mutants that a quick test kills cost a few seconds each.
ui_suites=$(grep -ohE 'TEST(_[FP])?\(\w+,' tests/ui/*.cpp 2>/dev/null | sed -E 's/TEST(_[FP])?\(//;s/,//' |
  sort -u | paste -sd'|')
ui_tests="^(([A-Za-z]+/)?(${ui_suites:-NoWindowTests})\\.|WindowSmoke)"
none='^NoSuchTest$'
slow_ui=$none slow_engine=$none
have_ui=0
grep -qs 'vorel_ui_tests' "$build/ui/Makefile" "$build/build.ninja" && have_ui=1
# Without the window's build no test would judge a mutant of ui/: it would pass for a survivor.
if [ $have_ui = 0 ] && cut -f1 "$sites" | grep -q '^ui/'; then
  echo "mutate: $build has no window build (is Qt 6 installed? scripts/deps.sh), so nothing" \
    "would judge the sites in ui/; install it and configure $build again" >&2
  exit 1
fi

# build_it FILE, test_it FILE: the targets and the tests that judge a mutant of FILE.
# "all" builds every target: the package test installs the icons and manual pages too.
build_it() {
  local targets=(--target vorel_tests --target vorel-cli)
  [ $have_ui = 1 ] && case $1 in ui/*) targets=(--target vorel_ui_tests --target vorel) ;; esac
  [ "$1" = all ] && targets=()
  cmake --build "$build" -j2 "${targets[@]}" >"$work/build.log" 2>&1
}
# test_it FILE [STAGE]: stage 1 (the quick tests of FILE's side), 2 (its slow ones and those
# of -x) or 3 (the rest of the suite).
test_it() {
  local limit=${patience:-1}
  local args=(--test-dir "$build" -j2 --timeout $((timeout * limit)) --stop-on-failure
    --output-on-failure)
  local x=${exclude:-$none}
  case $1:${2:-1} in
    all:*) ;;
    ui/*:1) args+=(-R "$ui_tests" -E "$slow_ui|$x") ;;
    ui/*:2) args+=(-R "$slow_ui") ;;
    ui/*:3) args+=(-R "InXServer|Package|Desktop|AppStream|Manual" -E "$ui_tests") ;;
    *:1) args+=(-E "$ui_tests|$slow_engine|$x") ;;
    *:2) args+=(-R "$slow_engine|$x" -E "$ui_tests") ;;
    *:3) args+=(-R "$ui_tests") ;;
  esac
  # ctest finds no test for an empty stage and says so with a failure status.
  if [ "$(ctest "${args[@]}" -N 2>/dev/null | sed -nE 's/^Total Tests: //p')" = 0 ]; then
    return 0
  fi
  # The tests carry their own TIMEOUT properties, which win over --timeout: a watchdog stops
  # the whole run (ctest and every test it started, in its own session) after the limit.
  setsid -w ctest "${args[@]}" >"$work/test.log" 2>&1 &
  local pid=$! waited=0
  test_pid=$pid
  while kill -0 "$pid" 2>/dev/null; do
    if [ $waited -ge $((timeout * 2 * limit)) ]; then
      kill -TERM -- -"$pid" 2>/dev/null
      sleep 2
      kill -KILL -- -"$pid" 2>/dev/null
      wait "$pid" 2>/dev/null
      echo "    Test  #0: (watchdog) tests stopped after $((timeout * 2 * limit)) s ***Timeout" \
        >>"$work/test.log"
      test_pid=""
      return 124
    fi
    sleep 1
    waited=$((waited + 1))
  done
  test_pid=""
  wait "$pid"
}
# judge FILE STAGE: test_it, but a stage that failed only for time runs once more with three times
# the limits: a mutant that loops for ever is stopped again, one that was slowed by a busy
# machine (or is merely slower) gets the verdict of its results.
judge() {
  test_it "$1" "$2" && return 0
  grep -E 'Test +#[0-9]+: ' "$work/test.log" | grep -v ' Passed' | grep -qv 'Timeout' && return 1
  patience=3 test_it "$1" "$2"
}
# slow_tests UI|ENGINE: a ctest regex of the tests that took over a second in the unmutated run.
slow_tests() {
  python3 - "$build/Testing/Temporary/CTestCostData.txt" "$ui_tests" "$1" <<'PY'
import re, sys
path, ui, side = sys.argv[1:4]
names = []
for line in open(path, encoding='utf-8'):
    f = line.split()
    if line.startswith('---') or len(f) < 3:
        break
    name = line.rsplit(None, 2)[0].split('  #')[0].strip()
    if float(f[-1]) > 1.0 and bool(re.search(ui, name)) == (side == 'UI'):
        names.append('^' + name + '$')  # no group: ctest's regex takes nine at most
print('|'.join(names) or '^NoSuchTest$')
PY
}

start=$(date +%s)
echo "mutate: seed $seed, $(wc -l <"$sites") sites in ${paths[*]}, build dir $build"
build_it all || { echo "mutate: the unmutated tree does not build"; tail -20 "$work/build.log"; exit 1; }
patience=20 test_it all || { echo "mutate: the unmutated tree fails its tests"; tail -20 "$work/test.log"; exit 1; }
slow_ui=$(slow_tests UI) slow_engine=$(slow_tests ENGINE)

results=$build/mutate-results.tsv
: >"$results"
i=0
total=$(wc -l <"$sites")
# The sites come in on fd 3: nothing a test starts can read them away from standard input.
while IFS=$'\t' read -r file line op old new <&3; do
  i=$((i + 1))
  cp -p "$file" "$backup"
  save_outputs "$file"
  current=$file
  NEW="$new" LINE="$line" python3 -c '
import os, sys
p = sys.argv[1]; n = int(os.environ["LINE"])
text = open(p, encoding="utf-8").read().split("\n")
text[n - 1] = os.environ["NEW"]
open(p, "w", encoding="utf-8").write("\n".join(text))' "$file"
  t0=$(date +%s)
  if ! build_it "$file"; then
    verdict=NOCOMPILE detail=""
  elif judge "$file" 1 && judge "$file" 2 && { build_it all || true; } &&
       judge "$file" 3; then
    verdict=SURVIVED detail=""
  else
    verdict=KILLED
    detail=$(grep -E 'Test +#[0-9]+: ' "$work/test.log" | grep -v ' Passed' | head -1 |
      sed -E 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: //;s/ +\.+.*(\*\*\*|Not Run|$)/ /' | cut -c1-70)
  fi
  restore
  t1=$(date +%s)
  printf '[%d/%d] %-9s %s:%s  %s  (%ds) %s\n' "$i" "$total" "$verdict" "$file" "$line" "$op" \
    $((t1 - t0)) "$detail"
  if [ "$verdict" = SURVIVED ]; then
    printf '    --- %s:%s\n    - %s\n    + %s\n' "$file" "$line" "$old" "$new"
  fi
  printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$verdict" "$file" "$line" "$op" "$old" "$new" >>"$results"
done 3<"$sites" </dev/null

end=$(date +%s)
echo
echo "mutate: seed $seed, $i mutants in $((end - start)) s"
awk -F'\t' '
  { split($2, p, "/"); d = p[1]; dirs[d] = 1; n[d, $1]++; n["all", $1]++ }
  END {
    printf "%-12s %7s %9s %10s %7s\n", "folder", "killed", "survived", "nocompile", "score"
    for (d in dirs) line(d)
    line("all")
  }
  function line(d,   k, s) {
    k = n[d, "KILLED"] + 0; s = n[d, "SURVIVED"] + 0
    printf "%-12s %7d %9d %10d %6s%%\n", d, k, s, n[d, "NOCOMPILE"] + 0,
      (k + s) ? sprintf("%.0f", 100 * k / (k + s)) : "-"
  }' "$results"
