#!/usr/bin/env bash
# Sets up, builds the Octave modules and runs the estimation demonstrations in octave-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
octave-cli --no-gui --quiet --no-init-file --no-history \
  --eval "addpath('build/default/mex'); addpath('examples'); run_demos"
