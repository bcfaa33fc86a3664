function results = fit_bench (sizes, repetitions)
  % FIT_BENCH  Whole fits: volfilter_fit beside today's way of fitting (fit_by_sqp: Octave's
  % sqp on a likelihood written in Octave around the filter module), both with their
  % standard errors, on the same simulated returns and the same likelihood, in the same run.
  % Cases: GARCH(1,1) (threshvol, p = 1, o = 0, q = 1, variance form, normal), then the
  % threshold GARCH(1,1,1) (GJR), the exponential GARCH(1,1,1) and the threshold GARCH with
  % Student's t innovations. For each case and sample size it prints the median time of a
  % fit of each way, their ratio, the log-likelihood each reaches (volfilter_fit's must be
  % at least today's) and volfilter_fit's evaluations and how it ended.
  %
  % sizes        sample sizes (default [1000 4000 20000])
  % repetitions  fits timed per case and way, the median reported (default 7); 1 is a
  %              quick check that everything runs, not a measurement
  % results      struct array, one per case and size: name, T, fit_ms, today_ms, ratio,
  %              fit_loglik, today_loglik, evaluations, message
  %
  % Needs the modules, volfilter_fit and the examples on the path, e.g. from the top of
  % the checkout:
  %   octave-cli --no-history --eval "addpath('build/default/mex', 'examples', 'bench/octave'); fit_bench"
  if (nargin < 1 || isempty (sizes))
    sizes = [1000 4000 20000];
  end
  if (nargin < 2 || isempty (repetitions))
    repetitions = 7;
  end
  cases = struct ('name', {'GARCH(1,1) normal', 'GJR(1,1,1) normal', 'EGARCH(1,1,1) normal', ...
                           'GJR(1,1,1) Student t'}, ...
                  'kind', {'garch', 'gjr', 'egarch', 'gjr'}, ...
                  'model', {'threshvol', 'threshvol', 'logvol', 'threshvol'}, ...
                  'truth', {[0.05; 0.08; 0.87], [0.02; 0.05; 0.10; 0.88], ...
                            [-0.01; 0.15; -0.08; 0.95], [0.02; 0.05; 0.10; 0.88; 6]}, ...
                  'options', {{'o', 0}, {}, {}, {'distribution', 't'}}, ...
                  'distribution', {'normal', 'normal', 'normal', 't'});

  fprintf ('%s\n', machine_line ());
  fprintf ('milliseconds per fit with its standard errors, median of %d fits\n\n', repetitions);
  fprintf ('%-22s %6s %9s %9s %7s %14s %14s %6s  %s\n', 'case', 'T', 'fit', 'today', ...
           'ratio', 'loglik fit', 'loglik today', 'evals', 'volfilter_fit ended');
  results = struct ('name', {}, 'T', {}, 'fit_ms', {}, 'today_ms', {}, 'ratio', {}, ...
                    'fit_loglik', {}, 'today_loglik', {}, 'evaluations', {}, 'message', {});
  for c = cases
    for T = sizes
      r = simulate_returns (c.model, c.truth, T, c.options{:}, 'seed', 42);
      fit_seconds = zeros (repetitions, 1);
      today_seconds = zeros (repetitions, 1);
      for i = 1:repetitions
        today = fit_by_sqp (c.kind, r, c.distribution);
        today_seconds(i) = today.seconds;
        started = tic ();
        fit = volfilter_fit (today.model, r, today.options{:});
        fit_seconds(i) = toc (started);
      end
      row = struct ('name', c.name, 'T', T, 'fit_ms', 1e3 * median (fit_seconds), ...
                    'today_ms', 1e3 * median (today_seconds), 'ratio', 0, ...
                    'fit_loglik', fit.loglik, 'today_loglik', today.fit_loglik, ...
                    'evaluations', fit.evaluations, 'message', strtok (fit.message, ':'));
      row.ratio = row.today_ms / row.fit_ms;
      results(end + 1) = row;
      verdict = '';
      if (fit.loglik < today.fit_loglik - 1e-9 * abs (today.fit_loglik))
        verdict = '  LOWER LOG-LIKELIHOOD';
      end
      fprintf ('%-22s %6d %9.2f %9.2f %6.1fx %14.4f %14.4f %6d  %s%s\n', c.name, T, ...
               row.fit_ms, row.today_ms, row.ratio, row.fit_loglik, row.today_loglik, ...
               row.evaluations, row.message, verdict);
    end
  end
  fprintf (['\nTargets for GARCH(1,1): at least 20x faster than today at T = 1000 and 4000, ' ...
            'at least 4x at 20000,\nat most 2 ms a fit at T = 1000; volfilter_fit''s ' ...
            'log-likelihood at least today''s everywhere.\n']);
end
