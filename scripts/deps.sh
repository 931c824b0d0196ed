#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
set -euo pipefail
# The desktop program needs Qt 6, Qt's own Japanese texts (for its file, colour and font
# choosers) and Japanese fonts; its smoke and monkey tests a virtual X server.
packages=(g++ cmake make libgtest-dev libbenchmark-dev qt6-base-dev qt6-translations-l10n fonts-noto-cjk
  xvfb xauth xdotool python3
  # The Debian package (scripts/package.sh): the icon's bitmap sizes, dpkg-shlibdeps and the
  # build flags, and the checks of the package and its metadata.
  librsvg2-bin dpkg-dev file desktop-file-utils appstream lintian
  man-db groff-base parallel "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
