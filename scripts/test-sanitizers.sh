#!/usr/bin/env bash
# The sanitizer stage of CI. Builds the "fuzz" preset (clang: the libraries and one
# libFuzzer harness per loader, all with AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs each harness for FUZZ_SECONDS (default 20): it first reads every file of its
# seed corpus and of fuzz/regressions under the sanitizers, then tries new inputs.
#
#   bash scripts/test-sanitizers.sh          # as CI does (about 10 minutes on 2 cores)
#   bash scripts/test-sanitizers.sh --full   # and before it the whole suite under the
#                                            # sanitizers (preset "asan"; well over 20 minutes)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${BRIVANTA_JOBS:-$(nproc)}"
full=0
case "${1:-}" in
  --full) full=1 ;;
  "") ;;
  *) echo "usage: $0 [--full]" >&2; exit 2 ;;
esac
cd "$root"
bash scripts/install-deps.sh

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

if [ "$full" -eq 1 ]; then
  cmake --preset asan "${launcher[@]}"
  cmake --build --preset asan -j "$jobs"
  ctest --preset asan -j "$jobs"
fi

cmake --preset fuzz "${launcher[@]}"
# The build runs the data tools it made; their leaks at exit are not what is tested.
ASAN_OPTIONS=detect_leaks=0 cmake --build --preset fuzz -j "$jobs"
bash fuzz/run.sh "${FUZZ_SECONDS:-20}"
