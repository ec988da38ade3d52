#!/usr/bin/env bash
# Installs what is missing, builds everything in build/ and starts the program from
# build/bin, beside the demo Weather.db3 and Product.mdb the build produces (the
# program works on the user's own copies of them). Without a display it calculates an
# example project with the command-line program.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRIVANTA_BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/configure.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No desktop session (e.g. over ssh): show the same work through the command-line program.
  echo "No display found: start build/bin/LumoEcoAnalysis from a desktop session." >&2
  echo "Meanwhile, the example school in Paris calculated by build/bin/lumoeco:" >&2
  exec "$build/bin/lumoeco" calculate "$root/examples/school_paris.ee"
fi
exec "$build/bin/LumoEcoAnalysis" "$@"
