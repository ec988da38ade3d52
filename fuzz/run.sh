#!/usr/bin/env bash
# Runs every fuzz harness of the "fuzz" preset's build for SECONDS each (default 20) on
# its seed corpus and the regression files, one after the other. New inputs go to a
# scratch folder, findings to build-fuzz/findings/. Fails on the first finding.
#   bash fuzz/run.sh [SECONDS] [HARNESS...]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRIVANTA_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-20}"
shift || true
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for f in "$root"/fuzz/corpus/*/; do harnesses+=("$(basename "$f")"); done
fi

# Full malloc stacks (cut at 10 frames) let the suppression of Qt's JSON leak match.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0:malloc_context_size=10"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8

findings="$build/findings"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$findings"
for name in "${harnesses[@]}"; do
  program="$build/fuzz/fuzz_$name"
  [ -x "$program" ] || { echo "fuzz/run.sh: $program is not built (cmake --build --preset fuzz)" >&2; exit 1; }
  inputs=("$root/fuzz/corpus/$name")
  [ -d "$root/fuzz/regressions/$name" ] && inputs+=("$root/fuzz/regressions/$name")
  mkdir -p "$scratch/$name"
  echo "== fuzz_$name: ${seconds} s"
  status=0
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -dict="$root/fuzz/project.dict" -artifact_prefix="$findings/$name-" \
    "$scratch/$name" "${inputs[@]}" > "$scratch/$name.log" 2>&1 || status=$?
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::average_exec_per_sec)' \
    "$scratch/$name.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$scratch/$name.log" >&2
    echo "fuzz_$name found a fault (exit $status); the input is in $findings" >&2
    exit 1
  fi
done
echo "fuzz smoke run: ${#harnesses[@]} harnesses without a finding"
