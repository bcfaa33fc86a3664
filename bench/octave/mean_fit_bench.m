function results = mean_fit_bench (T, repetitions)
  % MEAN_FIT_BENCH  Fits of returns with a mean beside the same variance model alone:
  % GARCH(1,1) of residuals, with a constant, AR(1) and ARMA(1,1) means, each with its
  % standard errors, by volfilter_fit (the compiled fit) and by volfilter_estimate alone (the
  % core's own time, which the difference to volfilter_fit's is the host's share of), the
  % median of REPETITIONS after a first call, with the likelihood evaluations by kind.
  %
  % T            sample size (default 1000)
  % repetitions  fits timed per case (default 51)
  %
  % From the top of the checkout:
  %   octave-cli --no-history --eval "addpath('build/ci/mex', 'examples', 'bench/octave'); mean_fit_bench"
  if (nargin < 1 || isempty (T))
    T = 1000;
  end
  if (nargin < 2 || isempty (repetitions))
    repetitions = 51;
  end
  e = simulate_returns ('threshvol', [0.05; 0.08; 0.87], T + 1, 'o', 0, 'seed', 42);
  % y = 0.05 + 0.3 y(t-1) + e(t) (+ 0.2 e(t-1) for the ARMA case)
  ar = filter (1, [1, -0.3], e + 0.05);
  arma = filter ([1, 0.2], [1, -0.3], e + 0.05);
  cases = {'GARCH(1,1) of residuals', e, {};
           'constant mean', e + 0.05, {'mean', 'constant'};
           'AR(1)', ar, {'ar', 1};
           'ARMA(1,1)', arma, {'ar', 1, 'ma', 1}};
  fprintf ('%s\n', machine_line ());
  fprintf (['GARCH(1,1) with standard errors, T = %d, milliseconds, median of %d after a ' ...
            'first call\n\n'], T, repetitions);
  fprintf ('%-26s %9s %9s  %s\n', 'mean', 'fit', 'core', ...
           'likelihood evaluations: value (head), gradient, scores');
  results = struct ('mean', {}, 'fit_ms', {}, 'core_ms', {}, 'counts', {});
  for c = 1:rows (cases)
    [label, y, options] = cases{c, :};
    fit = @() volfilter_fit ('threshvol', y, 'o', 0, options{:});
    seconds = median_seconds (fit, repetitions);
    mean_inputs = {};
    if (! isempty (options))
      lags = @(name) value_of (options, name);
      mean_inputs = {1, lags('ar'), lags('ma'), []};
    end
    core_call = @() volfilter_estimate (0, y, 1, 0, 1, 2, 1, 0, 1, 0, [], [], [], 1000, 1, ...
                                        mean_inputs{:});
    [~, ~, ~, ~, ~, summary] = core_call ();
    core = median_seconds (core_call, repetitions, 6);
    counts = summary(13:16)';
    fprintf ('%-26s %9.3f %9.3f  %d (%d), %d, %d\n', label, 1e3 * seconds, 1e3 * core, counts);
    results(end + 1) = struct ('mean', label, 'fit_ms', 1e3 * seconds, 'core_ms', 1e3 * core, ...
                               'counts', counts);
  end
end

function value = value_of (options, name)
  value = [];
  at = find (strcmp (options(1:2:end), name));
  if (! isempty (at))
    value = options{2 * at};
  end
end
