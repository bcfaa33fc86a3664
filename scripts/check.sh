#!/usr/bin/env bash
# Sets up, builds everything with warnings as errors and runs every test: once as the
# compiler sees fit, once with fused multiply-add instructions available (same bits), and
# then for Windows (scripts/windows.sh: cross-built modules run under Wine). Then a very
# short run of the kernel and host benchmarks, to show that they work.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in ci fma; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
  ctest --preset "$preset" -j"$(nproc)"
done
scripts/windows.sh
# The benchmarks build and run; a very short run, no timing asserted.
echo "== benchmark smoke run"
build/ci/bench/volfilter_bench --benchmark_filter='/1000$' --benchmark_min_time=0.001 >/dev/null
paths="'build/ci/mex', 'build/ci/bench/mex', 'bench/octave'"
octave-cli --no-gui --quiet --no-init-file --eval "addpath($paths); octave_bench (100, true)" \
  >/dev/null
