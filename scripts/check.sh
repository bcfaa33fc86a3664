#!/usr/bin/env bash
# Sets up, checks that the C++ sources are laid out as clang-format lays them out (.clang-format),
# builds everything and runs every test four times: with warnings as errors (ci);
# with fused multiply-add instructions available to the compiler (fma, same bits); under
# AddressSanitizer and UndefinedBehaviorSanitizer (asan); under ThreadSanitizer (tsan).
# Then for Windows (scripts/windows.sh: cross-built modules run under Wine), and last it
# runs the benchmarks briefly (no timing asserted) and fuzzes every module for
# VOLFILTER_FUZZ_SECONDS seconds each (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
echo "== layout (clang-format)"
find bench estimation fuzz gateway hosts kernels modules tests \
  \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror
for preset in ci fma asan tsan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
  ctest --preset "$preset" -j"$(nproc)"
done
scripts/windows.sh
# The benchmarks build and run; a very short run, no timing asserted.
echo "== benchmark smoke run"
build/ci/bench/volfilter_bench --benchmark_filter='/1000$' --benchmark_min_time=0.001 >/dev/null
paths="'build/ci/mex', 'build/ci/bench/mex', 'bench/octave', 'examples'"
octave-cli --no-gui --quiet --no-init-file --no-history \
  --eval "addpath($paths); octave_bench (100, true); fit_bench (1000, 1); forecast_bench (1)" >/dev/null
scripts/fuzz.sh "${VOLFILTER_FUZZ_SECONDS:-60}"
