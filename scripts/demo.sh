#!/usr/bin/env bash
# Installs what is missing, builds everything in build/ and starts the program
# in build/bin, beside the demo Weather.db3 and Product.mdb the build produces.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRIVANTA_BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/configure.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Built. No display found: start build/bin/LumoEcoAnalysis from a desktop session" \
       "(or under xvfb-run)." >&2
  exit 1
fi
cd "$build/bin"
exec ./LumoEcoAnalysis "$@"
