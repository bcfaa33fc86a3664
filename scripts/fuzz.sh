#!/usr/bin/env bash
# Runs every module's fuzzer (built by the asan preset) for a bounded time, as many at once as
# there are processors, and stops at the first finding (the fuzzers already running finish).
# Usage: scripts/fuzz.sh [seconds per module, default $VOLFILTER_FUZZ_SECONDS or 60] [module...]
#
# Each fuzzer starts from the committed seeds (fuzz/corpus/<module>) and from what earlier
# runs on this checkout found (build/asan/fuzz/corpus/<module>, grown in place and never
# committed). A finding leaves its input in build/asan/fuzz/artifacts/; replay it with
#   build/asan/fuzz/fuzz_<module> build/asan/fuzz/artifacts/<file>
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${VOLFILTER_FUZZ_SECONDS:-60}}
shift || true
fuzz_dir=build/asan/fuzz
if [[ ! -d $fuzz_dir ]]; then
  echo "fuzz: no fuzzers in $fuzz_dir; build the asan preset first" >&2
  exit 1
fi
modules=("$@")
if ((${#modules[@]} == 0)); then
  for fuzzer in "$fuzz_dir"/fuzz_*; do
    modules+=("${fuzzer##*/fuzz_}")
  done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
mkdir -p "$fuzz_dir/artifacts"
# One fuzzer a processor at a time (VOLFILTER_FUZZ_JOBS, default nproc): each runs alone on its
# core for its time, so a run of every module takes seconds x modules / jobs.
jobs=${VOLFILTER_FUZZ_JOBS:-$(nproc)}
fuzz_one() {
  local module=$1
  local corpus=$fuzz_dir/corpus/$module
  local log=$fuzz_dir/$module.log
  mkdir -p "$corpus"
  if ! "$fuzz_dir/fuzz_$module" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$fuzz_dir/artifacts/$module-" \
      "$corpus" "fuzz/corpus/$module" >"$log" 2>&1; then
    return 1
  fi
}
failed=()
running=()
report() {
  local module=$1 status=$2
  local log=$fuzz_dir/$module.log
  echo "== fuzz $module for ${seconds}s"
  if ((status != 0)); then
    tail -n 60 "$log"
    echo "fuzz: $module failed; the full log is $log" >&2
    failed+=("$module")
  else
    grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$log" || true
  fi
}
declare -A pids
for module in "${modules[@]}"; do
  fuzz_one "$module" &
  pids[$module]=$!
  running+=("$module")
  if ((${#running[@]} >= jobs)); then
    first=${running[0]}
    running=("${running[@]:1}")
    status=0
    wait "${pids[$first]}" || status=$?
    report "$first" "$status"
    ((${#failed[@]} == 0)) || break
  fi
done
for module in "${running[@]}"; do
  status=0
  wait "${pids[$module]}" || status=$?
  report "$module" "$status"
done
if ((${#failed[@]} > 0)); then
  exit 1
fi
