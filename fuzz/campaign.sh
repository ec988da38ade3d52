#!/usr/bin/env bash
# A long fuzz campaign on the "fuzz" preset's build. Each harness runs until EXECS inputs
# (default 1000000) or SECONDS (default 3600) have gone, whichever comes first, on a
# working corpus (build-fuzz/campaign/NAME, seeded from its corpus, kept between
# campaigns). Afterwards everything the campaign kept, and the regression files, are
# replayed with leak checking. One summary line per harness goes to build-fuzz/campaign/summary.
#   bash fuzz/campaign.sh [EXECS] [SECONDS] [HARNESS...]
# FUZZ_WORKERS=N shares a harness's EXECS among N processes on the same corpus (one per
# core; each logs to fuzz.K.log), for the slow whole-year harnesses.
#
# Leaks are checked in the replay, not while fuzzing: the suppression of Qt's own JSON
# leak (scripts/lsan.supp) only matches with full malloc stacks, and collecting those on
# every allocation makes the harnesses five to ten times slower.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BRIVANTA_FUZZ_BUILD_DIR:-$root/build-fuzz}"
execs="${1:-1000000}"
seconds="${2:-3600}"
shift 2 || shift $#
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for f in "$root"/fuzz/corpus/*/; do harnesses+=("$(basename "$f")"); done
fi

export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
findings="$build/findings"
mkdir -p "$findings" "$build/campaign"
summary="$build/campaign/summary"

for name in "${harnesses[@]}"; do
  program="$build/fuzz/fuzz_$name"
  [ -x "$program" ] || { echo "fuzz/campaign.sh: $program is not built" >&2; exit 1; }
  work="$build/campaign/$name"
  mkdir -p "$work/corpus"
  # Seeded from the corpus only: a regression file sets the largest input libFuzzer
  # makes, and a whole weather year there would slow every input down. The regression
  # files are replayed at the end.
  cp -n "$root/fuzz/corpus/$name"/* "$work/corpus/"
  regressions=()
  if [ -d "$root/fuzz/regressions/$name" ]; then
    regressions=("$root/fuzz/regressions/$name")
  fi
  workers="${FUZZ_WORKERS:-1}"
  rm -f "$work"/fuzz.[0-9]*.log
  start=$(date +%s)
  pids=()
  for ((k = 1; k <= workers; k++)); do
    log="$work/fuzz.log"
    [ "$workers" -gt 1 ] && log="$work/fuzz.$k.log"
    ASAN_OPTIONS="detect_leaks=0:abort_on_error=1" \
      "$program" -runs=$(( (execs + workers - 1) / workers )) -max_total_time="$seconds" \
      -detect_leaks=0 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -dict="$root/fuzz/project.dict" -artifact_prefix="$findings/$name-" "$work/corpus" \
      > "$log" 2>&1 &
    pids+=($!)
  done
  status=0
  for pid in "${pids[@]}"; do wait "$pid" || status=$?; done
  elapsed=$(( $(date +%s) - start ))
  logs=("$work"/fuzz.log)
  [ "$workers" -gt 1 ] && logs=("$work"/fuzz.[0-9]*.log)
  ran=$(awk '/stat::number_of_executed_units/ {n += $2} END {print n + 0}' "${logs[@]}")
  rate=$(( ${ran:-0} / (elapsed > 0 ? elapsed : 1) ))
  # Coverage and features: the highest any worker reached.
  progress=$(grep -hE '^#[0-9]+[[:space:]]' "${logs[@]}" || true)
  cov=$(echo "$progress" | grep -o 'cov: [0-9]*' | cut -d' ' -f2 | sort -n | tail -n 1 || true)
  ft=$(echo "$progress" | grep -o 'ft: [0-9]*' | cut -d' ' -f2 | sort -n | tail -n 1 || true)
  pcs=$(grep -ho 'PC tables ([0-9]* PCs)' "${logs[@]}" | grep -o '[0-9]*' | tail -n 1 || true)
  corp="$(ls "$work/corpus" | wc -l) files, $(du -sk --apparent-size "$work/corpus" | cut -f1) KB"
  result="no finding"
  if [ "$status" -ne 0 ]; then result="FINDING (exit $status, see ${logs[*]})"; fi
  leaks="no leak"
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0:malloc_context_size=10" \
    "$program" -runs=0 -timeout=30 -rss_limit_mb=2048 "$work/corpus" "${regressions[@]}" \
    > "$work/replay.log" 2>&1 \
    || leaks="REPLAY FAILED (see $work/replay.log)"
  line="$name: ${ran:-0} execs in ${elapsed} s, ${rate:-0} exec/s, cov ${cov:-?} of ${pcs:-?} PCs, ft ${ft:-?}, ${workers} process(es), corpus ${corp}; $result; replay with leak checking: $leaks"
  echo "$line" | tee -a "$summary"
done
