function test_forecast_analytic ()
  % The analytic forecasts: the closed forms of order 1 worked out by hand, the first step
  % against the filter bit for bit for every model and method, every date against the end
  % and against the fit, and the long run against the unconditional variance.
  require_simulation ();
  fits = forecast_fits ();
  H = 25;
  % E[h(T+k)] = level + persistence^(k-1) (h(T+1) - level) at orders 1, and
  % h(T+1) + (k-1) omega for the integrated model: [persistence, level] of the parameters.
  closed = {
    'GARCH(1,1)', @(th) [th(2) + th(3), th(1) / (1 - th(2) - th(3))]
    'GJR(1,1,1)', @(th) [th(2) + th(3) / 2 + th(4), th(1) / (1 - th(2) - th(3) / 2 - th(4))]
    'constant shift', @(th) [th(2) + th(4), (th(1) + th(2) * th(3)^2) / (1 - th(2) - th(4))]
  };
  for i = 1:rows (fits)
    [label, fit, analytic] = fits{i, :};
    next = filter_next (fit);
    methods = {'simulation', 'bootstrap'};
    if (analytic)
      methods{end+1} = 'analytic';
    end
    for method = methods
      forecast = volfilter_forecast (fit, H, 'method', method{1}, 'paths', 50);
      expect_bits (forecast.variance(1), next, ...
                   sprintf ('%s, %s: the first step', label, method{1}));
    end
    if (! analytic)
      one = volfilter_forecast (fit, 1, 'method', 'analytic');
      expect_bits (one.variance, next, [label ': the one analytic step']);
      continue;
    end
    forecast = volfilter_forecast (fit, H);
    row = find (strcmp (closed(:, 1), label));
    k = (1:H)';
    if (! isempty (row))
      pl = closed{row, 2} (fit.parameters);
      expected = pl(2) + pl(1) .^ (k - 1) * (next - pl(2));
      check_close (forecast.variance, expected, 1e-13, [label ': the closed form']);
    elseif (strcmp (label, 'IGARCH(1,1)'))
      check_close (forecast.variance, next + (k - 1) * fit.parameters(1), 1e-13, ...
                   [label ': the closed form']);
    end
    % Every date: the last row is the end's forecast, the first column the fit's variances
    % after the observations conditioned on, the rows before m not forecasts.
    every = volfilter_forecast (fit, H, 'origin', 'all');
    check_close (every.variance(end, :)', forecast.variance, 1e-15, ...
                 [label ': every date, the end']);
    expect_bits (every.variance(fit.m:end-1, 1), fit.ht(fit.m+1:end), ...
                 [label ': every date, step 1']);
    if (fit.m > 1 && ! all (isnan (every.variance(1:fit.m-1, :)(:))))
      error ('%s: forecasts from the observations conditioned on', label);
    end
  end
  % The long run: the unconditional variance, omega / (1 - persistence) of a GARCH(1,1).
  fit = fits{1, 2};
  far = volfilter_forecast (fit, 3000);
  check_close (far.variance(end), fit.parameters(1) / (1 - sum (fit.parameters(2:3))), 1e-12, ...
               'GARCH(1,1): the long run');
end

function next = filter_next (fit)
  % The filter's variance of the observation after the sample: the filter on the residuals
  % and one more value, which it does not read for that variance.
  e = [fit.residuals; 7];
  T = numel (e);
  theta = fit.parameters;
  d = e .* e;
  if (! isempty (fit.type) && fit.type == 1 && ! strcmp (fit.model, 'shiftvol'))
    d = abs (e);
  end
  switch (fit.model)
    case 'threshvol'
      h = threshvol_filter (d, d .* (e < 0), theta, fit.backcast, fit.p, fit.o, fit.q, fit.m, T, ...
                            fit.type);
    case 'logvol'
      h = logvol_filter (e, theta, fit.backcast, fit.upper_bound, fit.p, fit.o, fit.q, fit.m, T);
    case 'shiftvol'
      h = shiftvol_filter (e, theta, fit.backcast, fit.p, fit.q, fit.m, T, fit.type);
    otherwise
      h = intvol_filter (d, theta, fit.backcast, fit.p, fit.q, fit.m, T, fit.type, fit.constant);
  end
  next = h(end);
end

function check_close (actual, expected, tolerance, what)
  if (! isequal (size (actual), size (expected)) ...
      || any (abs (actual - expected) > tolerance * abs (expected)))
    error ('%s: got %s, expected %s', what, mat2str (actual', 17), mat2str (expected', 17));
  end
end
