#!/usr/bin/env bash
# Start-up time of the program window under a virtual X server: from starting the
# process in build/bin (demo databases, energy-data table already built) until its
# window "Brivanta" is mapped, polled every 10 ms with xdotool. Also prints the CPU
# time (user + system) the process had used by then, which depends little on what
# else the machine is doing. Runs N times (default 7) and prints each run and the
# medians. Needs the Debian packages xvfb and xdotool.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="${BRIVANTA_BUILD_DIR:-$root/build}/bin"
runs="${1:-7}"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb xdotool)" >&2; exit 1; }
done

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null' EXIT
export DISPLAY="$display"
sleep 1

cd "$bin"
# The first start builds the energy-data table when it is missing; it is not timed.
./LumoEcoAnalysis >/dev/null 2>&1 &
app=$!
until xdotool search --onlyvisible --name '^Brivanta' >/dev/null 2>&1; do sleep 0.05; done
kill "$app"; wait "$app" 2>/dev/null || true

ticks=$(getconf CLK_TCK)
times=()
cpus=()
for ((i = 1; i <= runs; i++)); do
  start=$(date +%s%N)
  ./LumoEcoAnalysis >/dev/null 2>&1 &
  app=$!
  until xdotool search --onlyvisible --name '^Brivanta' >/dev/null 2>&1; do sleep 0.01; done
  end=$(date +%s%N)
  # Fields 14 and 15 of /proc/PID/stat: user and system time in clock ticks.
  read -r -a stat <"/proc/$app/stat"
  cpu=$(((stat[13] + stat[14]) * 1000 / ticks))
  kill "$app"; wait "$app" 2>/dev/null || true
  ms=$(((end - start) / 1000000))
  times+=("$ms")
  cpus+=("$cpu")
  echo "run $i: $ms ms until mapped, $cpu ms CPU"
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
echo "median start-up: $(median "${times[@]}") ms until mapped, $(median "${cpus[@]}") ms CPU" \
  "over $runs runs (load average $(cut -d' ' -f1 /proc/loadavg))"
