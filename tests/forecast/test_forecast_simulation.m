function test_forecast_simulation ()
  % Simulated forecasts and paths: the mean of many paths against the analytic forecasts
  % within their Monte Carlo error, the moments of paths from the unconditional origin, the
  % quantile rule on the paths themselves, the bootstrap's draws, innovations given, panels,
  % and a constant mean.
  require_simulation ();
  fits = forecast_fits ();
  for i = find ([fits{:, 3}])
    [label, fit] = fits{i, 1:2};
    analytic = volfilter_forecast (fit, 12);
    simulated = volfilter_forecast (fit, 12, 'method', 'simulation', 'paths', 40000);
    distance = abs (simulated.variance - analytic.variance) ./ simulated.std_error;
    if (any (distance(2:end) > 4) || simulated.std_error(1) != 0)
      error ('%s: simulated %s, analytic %s, %s standard errors apart', label, ...
             mat2str (simulated.variance', 5), mat2str (analytic.variance', 5), ...
             mat2str (distance', 3));
    end
  end

  % From the unconditional level: the variances and the squared residuals average the
  % unconditional variance; the innovations have mean 0, variance 1 and Student's t(8)
  % kurtosis 3 + 6 / (8 - 4). For the exponential model the log variances average
  % E[log h] = (omega + alpha (E|z| - 0.797884560802865)) / (1 - beta) under t(7).
  theta = [0.05; 0.05; 0.08; 0.85; 8];
  sim = volfilter_simulate ('threshvol', theta, 400, 500, 'distribution', 't');
  level = theta(1) / (1 - theta(2) - theta(3) / 2 - theta(4));
  z = sim.z(:);
  moments = {'mean h', mean(sim.ht(:)), level, 0.01 * level
             'mean e^2', mean(sim.e(:) .^ 2), level, 0.02 * level
             'mean z', mean(z), 0, 0.01
             'variance z', mean(z .^ 2), 1, 0.02
             'kurtosis z', mean(z .^ 4) / mean(z .^ 2) ^ 2, 4.5, 0.35};
  theta = [0.0; 0.12; -0.06; 0.97; 7];
  sim = volfilter_simulate ('logvol', theta, 400, 500, 'distribution', 't');
  abs_mean = sqrt (5) * gamma (3) / (sqrt (pi) * gamma (3.5));
  moments(end+1, :) = {'mean log h', mean(log(sim.ht(:))), ...
                       theta(2) * (abs_mean - 0.797884560802865) / (1 - theta(4)), 0.05};
  for i = 1:rows (moments)
    [what, actual, expected, tolerance] = moments{i, :};
    if (abs (actual - expected) > tolerance)
      error ('unconditional paths: %s is %.5g, expected %.5g', what, actual, expected);
    end
  end

  % The quantiles are those of the paths volfilter_simulate draws from the same states:
  % with n = 1001 paths the median is the 501st value, the 1 % quantile 0.49 of the 10th
  % and 0.51 of the 11th.
  fit = fits{2, 2};
  randn ('state', 3);
  forecast = volfilter_forecast (fit, 5, 'method', 'simulation', 'paths', 1001, ...
                                 'quantiles', [0.01, 0.5]);
  randn ('state', 3);
  sim = volfilter_simulate (fit, 5, 1001);
  sorted = sort (cumsum (sim.y, 1), 2);
  expected = [0.49 * sorted(:, 10) + 0.51 * sorted(:, 11), sorted(:, 501)];
  if (max (abs (forecast.cumulative_quantiles(:) - expected(:))) > 1e-14 * max (abs (expected(:))))
    error ('quantile rule: got %s, expected %s', mat2str (forecast.cumulative_quantiles, 17), ...
           mat2str (expected, 17));
  end
  sorted = sort (sim.y, 2);
  expect_bits (forecast.return_quantiles(:, 2), sorted(:, 501), 'per-step median');
  expect_bits (forecast.variance(2:end), mean (sim.ht(2:end, :), 2), 'simulated means');

  % The bootstrap draws the standardised residuals after the m conditioned on; innovations
  % given are used as they are, by the model's module.
  sim = volfilter_simulate (fit, 30, 40, 'distribution', 'bootstrap');
  if (! all (ismember (sim.z(:), fit.std_residuals(fit.m+1:end))))
    error ('bootstrap: innovations that are not the fit''s standardised residuals');
  end
  z = randn (30, 40);
  sim = volfilter_simulate (fit, 30, 40, 'z', z);
  [e, ht] = threshvol_simulate (z, fit.residuals, fit.parameters, fit.backcast, 1, 1, 1, ...
                                fit.m, 2);
  expect_bits ([sim.e, sim.y, sim.ht, sim.z], [e, e, ht, z], 'innovations given');

  % A panel: each forecast that of its fit alone, drawn in the panel's order.
  panel = [fits{1, 2}; fits{6, 2}; fits{5, 2}];
  randn ('state', 4);
  randg ('state', 4);
  together = volfilter_forecast (panel, 8, 'method', 'simulation', 'paths', 300);
  randn ('state', 4);
  randg ('state', 4);
  for i = 1:numel (panel)
    alone = volfilter_forecast (panel(i), 8, 'method', 'simulation', 'paths', 300);
    expect_bits ([together(i).variance, together(i).std_error], ...
                 [alone.variance, alone.std_error], sprintf ('panel member %d', i));
  end
  if (! isequal (size (together), [3, 1]) ...
      || ! isequal (size (volfilter_simulate (panel', 2, 3)), [1, 3]))
    error ('panel: results not of the panel''s shape');
  end

  % A constant mean mu before the variance model's parameters: returns mu + e, the same
  % variances; a regressor, whose values after the sample are not known, is refused where
  % returns are needed.
  with_mean = fit;
  with_mean.parameters = [0.25; fit.parameters];
  with_mean.names = [{'mu'}; fit.names];
  randn ('state', 6);
  plain = volfilter_simulate (fit, 10, 20);
  randn ('state', 6);
  sim = volfilter_simulate (with_mean, 10, 20);
  expect_bits ([sim.e, sim.ht, sim.y], [plain.e, plain.ht, plain.e + 0.25], 'constant mean');
  with_mean.names{1} = 'x1';
  expect_bits (volfilter_forecast (with_mean, 6).variance, volfilter_forecast (fit, 6).variance, ...
               'a mean term and the variance forecasts');
  expect_identifier (@() volfilter_simulate (with_mean, 10, 20), 'volfilter:simulate:meanModel');
  expect_identifier (@() volfilter_forecast (with_mean, 6, 'quantiles', 0.05), ...
                     'volfilter:forecast:meanModel');
end

function expect_identifier (call, identifier)
  try
    call ();
  catch err
    if (! strcmp (err.identifier, identifier))
      error ('expected %s, got %s: %s', identifier, err.identifier, err.message);
    end
    return;
  end
  error ('expected %s, the call succeeded', identifier);
end
