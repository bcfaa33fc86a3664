#!/usr/bin/env bash
# Sets up, builds everything and runs every test four times: with warnings as errors (ci);
# with fused multiply-add instructions available to the compiler (fma, same bits); under
# AddressSanitizer and UndefinedBehaviorSanitizer (asan); under ThreadSanitizer (tsan).
# Then for Windows (scripts/windows.sh: cross-built modules run under Wine), and last it
# fuzzes every module for VOLFILTER_FUZZ_SECONDS seconds each (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in ci fma asan tsan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
  ctest --preset "$preset" -j"$(nproc)"
done
scripts/windows.sh
scripts/fuzz.sh "${VOLFILTER_FUZZ_SECONDS:-60}"
