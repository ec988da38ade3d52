#!/usr/bin/env bash
# Installs what is missing, builds everything in build/ and starts the program
# in build/bin, beside the demo Weather.db3 and Product.mdb the build produces.
# Without a display it calculates an example project with the command-line program.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRIVANTA_BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/configure.sh"
cd "$build/bin"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No desktop session (e.g. over ssh): show the same work through the command-line program.
  echo "No display found: start build/bin/LumoEcoAnalysis from a desktop session." >&2
  echo "Meanwhile, the example school in Paris calculated by build/bin/lumoeco:" >&2
  exec ./lumoeco calculate "$root/examples/school_paris.ee"
fi
exec ./LumoEcoAnalysis "$@"
