#!/usr/bin/env bash
# Checks of what the Debian package ships, run by ctest. Each check needs its tool (installed by
# scripts/deps.sh) and exits 77, which ctest counts as skipped, when the tool is missing.
#   checks.sh desktop  SOURCE
#   checks.sh appstream METAINFO VERSION
#   checks.sh manpages SOURCE MANDIR VERSION VOREL_CLI [VOREL]
#   checks.sh package  SOURCE BUILD VERSION
set -uo pipefail
check=$1
shift
failed=0
fail() { echo "FAIL: $*"; failed=1; }
need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed (scripts/deps.sh installs it)"; exit 77; }
  done
}

case $check in
desktop)
  need desktop-file-validate
  out=$(desktop-file-validate "$1/ui/vorel.desktop" 2>&1) || fail "desktop-file-validate failed"
  [ -z "$out" ] || fail "desktop-file-validate says: $out"
  ;;

appstream)
  need appstreamcli
  metainfo=$1 version=$2
  out=$(appstreamcli validate --no-net --pedantic --strict "$metainfo" 2>&1) ||
    fail "appstreamcli validate failed"
  echo "$out"
  ! grep -qE '^[EWIP]: ' <<<"$out" || fail "appstreamcli reports issues"
  grep -q "<release version=\"$version\"" "$metainfo" || fail "the release is not $version"
  ;;

manpages)
  need man groff
  source=$1 mandir=$2 version=$3
  shift 3
  for program in "$@"; do
    name=$(basename "$program")
    page=$mandir/$name.1
    # man-db passes groff's warnings (unknown macros, bad escapes, lines too long) to stderr.
    # (No seccomp sandbox: some containers refuse it, and the pages are our own.)
    warnings=$(MAN_DISABLE_SECCOMP=1 MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$name.1 has warnings: $warnings"
    grep -q "^\.TH .*\"Vorel $version\"" "$page" || fail "$name.1 is not for version $version"
    [ "$("$program" --version)" = "$name $version" ] || fail "$name --version is not '$name $version'"
    # Every option the program's help names has its own entry (a tag after .TP) in the page.
    tags=$(awk 'tag { print; tag = 0 } /^\.TP/ { tag = 1 }' "$page" | sed 's/\\-/-/g')
    for option in $("$program" --help | grep -oE '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u); do
      grep -qE -- "(^|[ \"])$option([ \"]|$)" <<<"$tags" || fail "$name.1 has no entry for $option"
    done
    # and vorel-cli's page every kind of transcript event.
    if [ "$name" = vorel-cli ]; then
      for kind in $(grep -ohE 'Emit\("[a-z0-9-]+"' "$source"/cli/*.cpp | cut -d'"' -f2 | sort -u); do
        grep -qE -- "(^|[ \"])$kind([ \"]|$)" <<<"$tags" || fail "$name.1 has no entry for the event $kind"
      done
    fi
  done
  ;;

package)
  need cpack dpkg-deb dpkg-shlibdeps file
  source=$1 build=$2 version=$3
  [ -x "$build/ui/vorel" ] || { echo "skipped: the window program is not built in $build"; exit 77; }
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  deb=$("$source/scripts/package.sh" --reuse "$build" "$work" 2>"$work/package.log") ||
    { cat "$work/package.log"; echo "FAIL: scripts/package.sh failed"; exit 1; }
  [ "$(basename "$deb")" = "vorel_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "package name $(basename "$deb")"
  contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
  for path in usr/bin/vorel usr/bin/vorel-cli usr/share/applications/vorel.desktop \
      usr/share/icons/hicolor/scalable/apps/vorel.svg \
      usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/vorel.png \
      usr/share/metainfo/org.example.vorel.metainfo.xml usr/share/man/man1/vorel.1.gz \
      usr/share/man/man1/vorel-cli.1.gz usr/share/doc/vorel/copyright usr/share/doc/vorel/changelog.gz; do
    grep -qx "\./$path" <<<"$contents" || fail "the package lacks /$path"
  done
  depends=$(dpkg-deb -f "$deb" Depends)
  for dependency in fonts-noto-cjk qt6-translations-l10n libqt6widgets6 libc6; do
    grep -qE "(^|, )$dependency( |,|$)" <<<"$depends" || fail "Depends lacks $dependency: $depends"
  done
  [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"

  # Installed into a scratch root, the programs run from there.
  dpkg -x "$deb" "$work/root"
  [ "$("$work/root/usr/bin/vorel-cli" --version)" = "vorel-cli $version" ] ||
    fail "the installed vorel-cli --version"
  [ "$("$work/root/usr/bin/vorel" --version)" = "vorel $version" ] ||
    fail "the installed vorel --version"
  for size in 16 22 24 32 48 64 128 256; do
    file "$work/root/usr/share/icons/hicolor/${size}x$size/apps/vorel.png" |
      grep -q "PNG image data, $size x $size," || fail "the ${size}x$size icon has another size"
  done

  if command -v lintian >/dev/null 2>&1; then
    report=$(lintian "$deb" 2>&1 | grep -v 'running with root privileges')
    echo "$report"
    ! grep -q '^E: ' <<<"$report" || fail "lintian reports errors"
  else
    echo "lintian skipped: not installed"
  fi
  ;;
*)
  echo "unknown check $check"
  exit 2
  ;;
esac
[ $failed -eq 0 ] && echo "ok: $check"
exit $failed
