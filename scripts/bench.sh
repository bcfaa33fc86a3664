#!/usr/bin/env bash
# Sets up, builds the default preset and runs the kernel benchmarks (medians of 15
# repetitions in random order, then the table of ratios kernel/baseline and kernel/floor)
# and the Octave host benchmark, then the fit benchmark (whole fits beside today's way),
# what the residual diagnostics add to a fit, and the forecast benchmark (simulated paths
# beside the same recursion in Octave, forecasts).
# Arguments go to the kernel benchmark, e.g. --benchmark_filter=threshvol. The machine should
# be otherwise idle: the kernels are timed against latency floors.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
echo "== load average: $(cut -d' ' -f1-3 /proc/loadavg)"
build/default/bench/volfilter_bench --benchmark_repetitions=15 \
  --benchmark_report_aggregates_only=true --benchmark_min_time=0.1 \
  --benchmark_enable_random_interleaving=true "$@"
octave-cli --no-gui --quiet --no-init-file --no-history \
  --eval "addpath('build/default/mex', 'build/default/bench/mex', 'bench/octave'); octave_bench"
octave-cli --no-gui --quiet --no-init-file --no-history \
  --eval "addpath('build/default/mex', 'bench/octave', 'examples'); fit_bench"
# The compiled fit beside the NLopt path and R's tseries and fGarch, and with no host beside
# its likelihood evaluations, then with a mean: where NLopt's library was found.
if [ -x build/default/bench/volfilter_estimation_bench ]; then
  build/default/bench/volfilter_estimation_bench --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true
  octave-cli --no-gui --quiet --no-init-file --no-history \
    --eval "addpath('build/default/mex', 'bench/octave', 'examples'); compiled_fit_bench"
  # Fits of returns with a constant, AR(1) and ARMA(1,1) mean beside GARCH(1,1) alone.
  octave-cli --no-gui --quiet --no-init-file --no-history \
    --eval "addpath('build/default/mex', 'bench/octave', 'examples'); mean_fit_bench;"
fi
octave-cli --no-gui --quiet --no-init-file --no-history \
  --eval "addpath('build/default/mex', 'bench/octave', 'examples', 'tests/fit'); diagnostics_bench;"
octave-cli --no-gui --quiet --no-init-file --no-history \
  --eval "addpath('build/default/mex', 'bench/octave'); forecast_bench;"
