#!/usr/bin/env bash
# Sets up, builds everything with warnings as errors and runs every test: once as the
# compiler sees fit, once with fused multiply-add instructions available (same bits), and
# then for Windows (scripts/windows.sh: cross-built modules run under Wine).
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
