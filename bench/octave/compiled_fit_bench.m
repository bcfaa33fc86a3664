function results = compiled_fit_bench (sizes, repetitions, panel_series)
  % COMPILED_FIT_BENCH  The compiled fit (volfilter_estimate behind volfilter_fit) beside the
  % NLopt path in Octave: GARCH(1,1) with its standard errors ('backcast', 'mean'), the median
  % time of a fit after a first call; the core's own time (one volfilter_estimate call) and the
  % likelihood evaluations it made, by kind (the time of each kind, with no host, comes from
  % build/<preset>/bench/volfilter_estimation_bench); then a panel of GARCH(1,1) series fitted
  % in one call on 1 and 2 threads.
  %
  % sizes         sample sizes (default [1000 4000 20000])
  % repetitions   fits timed per size and way, the median reported (default 51)
  % panel_series  series of 1000 returns in the panel (default 1000; 0 for none)
  %
  % Needs the modules (volfilter_estimate among them), volfilter_fit and the examples on the
  % path, e.g. from the top of the checkout:
  %   octave-cli --no-history --eval "addpath('build/ci/mex', 'examples', 'bench/octave'); compiled_fit_bench"
  if (nargin < 1 || isempty (sizes))
    sizes = [1000 4000 20000];
  end
  if (nargin < 2 || isempty (repetitions))
    repetitions = 51;
  end
  if (nargin < 3 || isempty (panel_series))
    panel_series = 1000;
  end
  truth = [0.05; 0.08; 0.87];
  options = {'o', 0, 'backcast', 'mean'};
  fprintf ('%s\n', machine_line ());
  fprintf ('GARCH(1,1) with standard errors, milliseconds, median of %d after a first call\n\n', ...
           repetitions);
  fprintf ('%6s %9s %9s %9s  %s\n', 'T', 'compiled', 'NLopt', 'core', ...
           'likelihood evaluations: value (head), gradient, scores');
  results = struct ('T', {}, 'compiled_ms', {}, 'nlopt_ms', {}, 'core_ms', {}, 'counts', {});
  for T = sizes
    r = simulate_returns ('threshvol', truth, T, 'o', 0, 'seed', 42);
    compiled = median_seconds (@() volfilter_fit ('threshvol', r, options{:}), repetitions);
    nlopt_fit = @() volfilter_fit ('threshvol', r, options{:}, 'optimizer', 'nlopt');
    nlopt = median_seconds (nlopt_fit, repetitions);
    core_call = @() volfilter_estimate (0, r, 1, 0, 1, 2, 1, 0, 1, 1, [], [], [], 1000, 1);
    [~, ~, ~, ~, ~, summary] = volfilter_estimate (0, r, 1, 0, 1, 2, 1, 0, 1, 1, [], [], [], ...
                                                  1000, 1);
    core = median_seconds (core_call, repetitions, 6);
    counts = summary(13:16)';
    fprintf ('%6d %9.3f %9.3f %9.3f  %d (%d), %d, %d\n', T, 1e3 * compiled, 1e3 * nlopt, ...
             1e3 * core, counts);
    results(end + 1) = struct ('T', T, 'compiled_ms', 1e3 * compiled, 'nlopt_ms', 1e3 * nlopt, ...
                               'core_ms', 1e3 * core, 'counts', counts);
  end
  if (panel_series > 0)
    rand ('state', 1);
    alpha = 0.03 + 0.09 * rand (1, panel_series);
    persistence = 0.90 + 0.08 * rand (1, panel_series);
    panel = simulate_panel ([1 - persistence; alpha; persistence - alpha], 1000, 1);
    fprintf ('\nPanel of %d GARCH(1,1) series of 1000 returns, one call, median of 5:\n', ...
             panel_series);
    warning ('off', 'volfilter:fit:atBoundary', 'local');
    warning ('off', 'volfilter:fit:notConverged', 'local');
    warning ('off', 'volfilter:fit:singularHessian', 'local');
    seconds = zeros (1, 2);
    for threads = 1:2
      fit = @() volfilter_fit ('threshvol', panel, 'o', 0, 'threads', threads);
      seconds(threads) = median_seconds (fit, 5);
      core_call = @() volfilter_estimate (0, panel, 1, 0, 1, 2, 1, 0, 1, 0, [], [], [], ...
                                          1000, threads);
      core = median_seconds (core_call, 5);
      fprintf ('  %d thread%s: %.3f s (volfilter_estimate alone %.3f s)\n', threads, ...
               repmat ('s', 1, threads > 1), seconds(threads), core);
    end
    fprintf ('  two threads %.2fx one\n', seconds(1) / seconds(2));
  end
end
