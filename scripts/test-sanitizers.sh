#!/usr/bin/env bash
# Builds the "asan" preset and runs the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, then builds the "fuzz" preset (clang, libFuzzer) and runs
# each harness for FUZZ_SECONDS (default 20) on its corpus and the regression files.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${BRIVANTA_JOBS:-$(nproc)}"
cd "$root"
bash scripts/install-deps.sh

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake --preset asan "${launcher[@]}"
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

cmake --preset fuzz "${launcher[@]}"
# The build runs the data tools it made; their leaks at exit are not what is tested.
ASAN_OPTIONS=detect_leaks=0 cmake --build --preset fuzz -j "$jobs"
bash fuzz/run.sh "${FUZZ_SECONDS:-20}"
