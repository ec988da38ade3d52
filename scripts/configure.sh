#!/usr/bin/env bash
# Configures and builds the tree in build/ (or $BRIVANTA_BUILD_DIR) with Ninja.
# Extra arguments go to the configure step. Uses ccache when it is installed.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRIVANTA_BUILD_DIR:-$root/build}"
jobs="${BRIVANTA_JOBS:-$(nproc)}"

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
cmake --build "$build" -j "$jobs"
