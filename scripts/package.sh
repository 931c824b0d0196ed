#!/usr/bin/env bash
# Builds the Debian package vorel_<version>_<arch>.deb with CPack and prints its path.
#   scripts/package.sh [OUT_DIR]
#     builds the programs in build-pkg with Debian's hardening flags, then packages them into
#     OUT_DIR (default: the current folder); `sudo apt install ./vorel_*.deb` installs it.
#   scripts/package.sh --reuse BUILD_DIR [OUT_DIR]
#     packages what BUILD_DIR has already built (vorel, vorel-cli, vorel_data), building nothing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=""
if [ "${1:-}" = "--reuse" ]; then
  build=$(realpath "${2:?--reuse needs a build folder}")
  shift 2
fi
out=$(realpath -m "${1:-.}")
if [ -z "$build" ]; then
  "$here/scripts/deps.sh"
  build=$here/build-pkg
  # The flags Debian builds its own packages with, all hardening on (stack protector, fortified
  # functions, read-only relocations bound at load).
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOREL_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
  cmake --build "$build" -j"${JOBS:-2}" --target vorel vorel-cli vorel_data
fi
[ -f "$build/CPackConfig.cmake" ] || { echo "package.sh: $build is not a configured build" >&2; exit 2; }
for program in "$build/ui/vorel" "$build/vorel-cli"; do
  [ -x "$program" ] || { echo "package.sh: $program is not built" >&2; exit 2; }
done
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log") ||
  { cat "$out/cpack.log" >&2; exit 1; }
rm -rf "$out/_CPack_Packages" "$out/cpack.log"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$out/vorel_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "package.sh: no $deb after cpack" >&2; exit 1; }
echo "$deb"
