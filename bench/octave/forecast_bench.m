function results = forecast_bench (repetitions)
  % FORECAST_BENCH  Simulation and forecasts in the host, medians of REPETITIONS timings
  % (default 7) after a first call, in one run:
  %   1. 10^4 paths of 250 steps after a fitted sample of 2000 returns, by the simulation
  %      module (threshvol_simulate: GARCH(1,1) and GJR(1,1,1) of power 2) beside the same
  %      recursion written in Octave vectorised across the paths, each step one vector
  %      operation over the paths in the filter's order of additions; the two give the
  %      same bits, which the benchmark checks. The innovations are drawn beforehand and
  %      timed on their own.
  %   2. Analytic forecasts from every date of a fitted sample of 10^4 returns, horizon 10
  %      (volfilter_forecast (fit, 10, 'origin', 'all')).
  %   3. volfilter_forecast from the end of the sample, horizon 20: analytic, analytic with
  %      quantiles (10^4 paths), simulation and bootstrap (10^4 paths each).
  % results  struct: the medians in milliseconds and the ratios.
  %
  % Needs the modules and the toolbox on the path, e.g. from the top of the checkout:
  %   octave-cli --no-history --eval "addpath('build/default/mex', 'bench/octave'); forecast_bench"
  if (nargin < 1 || isempty (repetitions))
    repetitions = 7;
  end
  fprintf ('%s\n', machine_line ());
  fprintf ('milliseconds, median of %d timings after a first call\n\n', repetitions);
  randn ('state', 7);
  randg ('state', 7);
  rand ('state', 7);
  T = 250;
  N = 10000;

  fprintf ('%-30s %10s %10s %10s %8s  %s\n', 'paths (10^4 x 250)', 'module', 'octave', ...
           'randn', 'ratio', 'same bits');
  cases = {'GARCH(1,1)', 'garch11', [0.05; 0.08; 0.88], {'o', 0}
           'GJR(1,1,1)', 'gjr111', [0.05; 0.05; 0.08; 0.85], {}};
  results = struct ();
  for i = 1:rows (cases)
    [name, key, truth, options] = cases{i, :};
    returns = volfilter_simulate ('threshvol', truth, 2000, 1, options{:}).e;
    fit = volfilter_fit ('threshvol', returns, options{:});
    draw = @() randn (T, N);
    z = draw ();
    module = @() threshvol_simulate (z, fit.residuals, fit.parameters, fit.backcast, fit.p, ...
                                     fit.o, fit.q, fit.m, 2);
    octave = @() octave_paths (z, fit);
    [e_module, h_module] = module ();
    [e_octave, h_octave] = octave ();
    same = isequal (typecast ([e_module(:); h_module(:)], 'uint64'), ...
                    typecast ([e_octave(:); h_octave(:)], 'uint64'));
    times = [median_ms(module, repetitions), median_ms(octave, repetitions), ...
             median_ms(draw, repetitions)];
    fprintf ('%-30s %10.2f %10.2f %10.2f %8.1f  %d\n', name, times, times(2) / times(1), same);
    results.(key) = struct ('module_ms', times(1), ...
        'octave_ms', times(2), 'randn_ms', times(3), 'ratio', times(2) / times(1), ...
        'same_bits', same);
  end

  returns = volfilter_simulate ('threshvol', [0.05; 0.05; 0.08; 0.85], 10000, 1).e;
  fit = volfilter_fit ('threshvol', returns);
  every = median_ms (@() volfilter_forecast (fit, 10, 'origin', 'all'), repetitions);
  fprintf ('\nanalytic forecasts from every date of 10^4 returns, horizon 10: %.2f ms\n', every);
  results.every_date_ms = every;

  fit = volfilter_fit ('threshvol', returns(1:2000));
  fprintf ('\n%-44s %10s\n', 'volfilter_forecast, GJR(1,1,1), horizon 20', 'ms');
  calls = {'analytic', {}
           'analytic, 1 % quantile from 10^4 paths', {'quantiles', 0.01}
           'simulation, 10^4 paths', {'method', 'simulation'}
           'simulation, 10^4 paths, 1 % quantile', {'method', 'simulation', 'quantiles', 0.01}
           'bootstrap, 10^4 paths', {'method', 'bootstrap'}};
  for i = 1:rows (calls)
    [label, options] = calls{i, :};
    ms = median_ms (@() volfilter_forecast (fit, 20, 'paths', 1e4, options{:}), repetitions);
    fprintf ('%-44s %10.2f\n', label, ms);
    results.forecast_ms(i) = ms;
  end
end

function [e, h] = octave_paths (z, fit)
  % The paths of threshvol_simulate (z, fit.residuals, ...) written in Octave vectorised
  % across the paths (orders p, q of 1, o of 0 or 1, power 2), in the filter's order of
  % additions: the history's recursion first, then each step a vector operation over the
  % paths, which run along the columns of the transposed innovations.
  theta = fit.parameters;
  x = fit.residuals;
  d = x .* x;
  a = d .* (x < 0);
  s = threshvol_filter (d, a, theta, fit.backcast, fit.p, fit.o, fit.q, fit.m, numel (x), 2);
  [T, N] = size (z);
  Z = z.';
  E = zeros (N, T);
  H = zeros (N, T);
  data = repmat (d(end), N, 1);
  asym = repmat (a(end), N, 1);
  h = repmat (s(end), N, 1);
  for t = 1:T
    if (fit.o > 0)
      h = ((theta(1) + data * theta(2)) + asym * theta(3)) + h * theta(4);
    else
      h = (theta(1) + data * theta(2)) + h * theta(3);
    end
    et = sqrt (h) .* Z(:, t);
    data = et .* et;
    asym = data .* (et < 0);
    E(:, t) = et;
    H(:, t) = h;
  end
  e = E.';
  h = H.';
end

function ms = median_ms (call, repetitions)
  call ();
  times = zeros (1, max (repetitions, 1));
  for i = 1:numel (times)
    tic ();
    call ();
    times(i) = toc ();
  end
  ms = 1000 * median (times);
end
