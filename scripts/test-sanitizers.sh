#!/usr/bin/env bash
# The sanitizer stage of CI. Builds the "asan" preset (clang: everything with
# AddressSanitizer + UndefinedBehaviorSanitizer, the fuzz harnesses as libFuzzer
# programs), runs the whole test suite under the sanitizers (leaks checked too), then
# each fuzz harness for FUZZ_SECONDS (default 20): it first reads every file of its seed
# corpus and of fuzz/regressions, then tries new inputs.
#
#   bash scripts/test-sanitizers.sh          # as CI does (about 15 minutes on 2 cores)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${BRIVANTA_JOBS:-$(nproc)}"
[ $# -eq 0 ] || { echo "usage: $0" >&2; exit 2; }
cd "$root"
bash scripts/install-deps.sh

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake --preset asan "${launcher[@]}"
# The build runs the data tools it made; their leaks at exit are not what is tested.
ASAN_OPTIONS=detect_leaks=0 cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"
BRIVANTA_FUZZ_BUILD_DIR="$root/build-asan" bash fuzz/run.sh "${FUZZ_SECONDS:-20}"
