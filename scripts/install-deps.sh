#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Brivanta need.
# Idempotent: does nothing when every package is installed; runs apt-get
# (through sudo unless root) only for the missing ones.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qtbase5-dev qtbase5-dev-tools libqt5sql5-sqlite libqt5charts5-dev
  qttools5-dev qttools5-dev-tools
  libqcustomplot-dev libxlsxwriter-dev
  sqlite3 libsqlite3-dev fonts-dejavu-core
  python3-openpyxl      # the report tests read the workbooks back with it
  librsvg2-bin          # renders the SVG icons into build/bin/images
  clang libclang-rt-14-dev  # the fuzz harnesses (libFuzzer) and their sanitizers
  qttranslations5-l10n  # Qt's own dialog and button texts in the other languages
  fonts-droid-fallback  # Chinese characters for the Simplified Chinese catalogue
  dpkg-dev file         # the Debian package: cpack runs dpkg-shlibdeps
  desktop-file-utils appstream shared-mime-info  # checks of the desktop entry, metadata, file type
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them as root (apt-get install ${missing[*]}) or install sudo." >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update </dev/null
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
