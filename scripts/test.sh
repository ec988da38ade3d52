#!/usr/bin/env bash
# Installs what is missing, builds everything in build/ and runs all tests.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRIVANTA_BUILD_DIR:-$root/build}"
jobs="${BRIVANTA_JOBS:-$(nproc)}"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/configure.sh"
cd "$build"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j "$jobs"
