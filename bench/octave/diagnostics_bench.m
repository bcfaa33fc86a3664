function results = diagnostics_bench (sizes, repetitions)
  % DIAGNOSTICS_BENCH  What the tests of the standardised residuals (fit.diagnostics) add to
  % a fit: the median time of a GARCH(1,1) fit by volfilter_fit (which computes them), of
  % the diagnostics alone on its residuals, and their share of the fit, at each sample
  % size; then the diagnostics of a panel of 1000 series of 1000 observations, a series
  % at a time, and volfilter_summary of one fit.
  %
  % sizes        sample sizes (default [1000 4000 20000])
  % repetitions  timings per case, the median reported (default 21)
  % results      struct array, one per size: T, fit_ms, diagnostics_ms, share
  %
  % Needs the modules, volfilter_fit, the examples and tests/fit (for the private helper)
  % on the path, e.g. from the top of the checkout:
  %   octave-cli --no-history --eval "addpath('build/default/mex', 'examples', 'tests/fit', 'bench/octave'); diagnostics_bench"
  if (nargin < 1 || isempty (sizes))
    sizes = [1000 4000 20000];
  end
  if (nargin < 2 || isempty (repetitions))
    repetitions = 21;
  end
  diagnose = private_function ('fit_diagnostics');
  fprintf ('%s\n', machine_line ());
  fprintf ('milliseconds, median of %d\n\n', repetitions);
  fprintf ('%-28s %6s %9s %12s %7s\n', 'case', 'T', 'fit', 'diagnostics', 'share');
  results = struct ('T', {}, 'fit_ms', {}, 'diagnostics_ms', {}, 'share', {});
  for T = sizes
    r = simulate_returns ('threshvol', [0.05; 0.08; 0.87], T, 'o', 0, 'seed', 42);
    fit = volfilter_fit ('threshvol', r, 'o', 0);
    z = fit.std_residuals(fit.m + 1:end);
    diagnose (z, fit.names);
    [fit_seconds, diagnostics_seconds] = deal (zeros (repetitions, 1));
    for i = 1:repetitions
      started = tic ();
      fit = volfilter_fit ('threshvol', r, 'o', 0);
      fit_seconds(i) = toc (started);
      started = tic ();
      diagnose (z, fit.names);
      diagnostics_seconds(i) = toc (started);
    end
    row = struct ('T', T, 'fit_ms', 1e3 * median (fit_seconds), ...
                  'diagnostics_ms', 1e3 * median (diagnostics_seconds), 'share', 0);
    row.share = row.diagnostics_ms / row.fit_ms;
    results(end + 1) = row;
    fprintf ('%-28s %6d %9.3f %12.3f %6.0f%%\n', 'GARCH(1,1) normal', T, row.fit_ms, ...
             row.diagnostics_ms, 100 * row.share);
  end

  randn ('state', 42);
  panel = randn (1000, 1000);
  started = tic ();
  diagnose (panel, fit.names);
  seconds = toc (started);
  fprintf ('%-28s %6d %9s %12.1f   (%.3f ms a series)\n', 'panel of 1000 series', 1000, ...
           '', 1e3 * seconds, seconds);
  summary_seconds = zeros (repetitions, 1);
  for i = 1:repetitions
    started = tic ();
    summary = volfilter_summary (fit); %#ok<NASGU>
    summary_seconds(i) = toc (started);
  end
  fprintf ('%-28s %6d %9s %12.3f   (volfilter_summary, output taken)\n\n', ...
           'summary of one fit', sizes(end), '', 1e3 * median (summary_seconds));
end
