function test_fit_mean ()
  % test_fit_mean ()
  % Fits of returns with a mean estimated with the variance: known parameters of simulated
  % ARMA-X returns with each variance model recovered; the residuals lagreg_residuals' and the
  % variances the mean likelihood's at the estimates, bit for bit; the compiled fit against the
  % fallback optimisers on the plan volfilter_plan gives; panels sharing the regressors; the
  % bad options refused; the mean continued by volfilter_forecast and volfilter_simulate and
  % printed by volfilter_summary.
  require_likelihoods ();
  randn ('state', 11);
  x = randn (3500, 1);
  % model, variance truth, mean truth (mu, ar, x, ma), options, T
  cases = {
    'threshvol', [0.05; 0.10; 0.85], [0.05; 0.3], {'o', 0, 'ar', 1}, 2000
    'threshvol', [0.02; 0.05; 0.10; 0.88; 6], [0.05; -0.2; 0.3], ...
                 {'distribution', 't', 'ar', 1, 'ma', 1}, 3000
    'logvol',    [-0.01; 0.15; -0.08; 0.95], 0.1, {'mean', 'constant'}, 2000
    'shiftvol',  [0.03; 0.08; 0.5; 0.85], [0.2; -0.1; 0.5], ...
                 {'mean', 'zero', 'ar', [1, 2], 'x', x}, 3000
    'intvol',    [0.01; 0.08], [0.02; 0.3], {'ma', 2}, 3000
  };
  fits = cell (rows (cases), 1);
  for c = 1:rows (cases)
    [model, variance, mean_truth, options, T] = cases{c, :};
    options = trimmed (options, T);
    [y, truth] = returns (model, variance, mean_truth, options, T, c);
    label = sprintf ('%s %s', model, strjoin (options(1:2:end), ' '));
    fit = volfilter_fit (model, y, options{:});
    check_fit (fit, y, truth, label);
    fits{c} = {fit, y, options};
  end

  % The fallback optimisers on the same plan reach the compiled fit's maximum.
  if (exist ('volfilter_estimate') == 3 && any (exist ('nlopt_optimize') == [2 3]))
    for c = [2, 4]
      [fit, y, options] = fits{c}{:};
      for optimizer = {'nlopt', 'sqp'}
        other = volfilter_fit (fit.model, y, options{:}, 'optimizer', optimizer{1});
        close_enough = strcmp (optimizer{1}, 'nlopt') * 1e-9 + strcmp (optimizer{1}, 'sqp') * 1e-5;
        if (! other.converged || abs (other.loglik - fit.loglik) > close_enough * abs (fit.loglik)
            || any (abs (other.parameters - fit.parameters) > 0.05 * fit.std_errors)
            || ! isequal (other.names, fit.names))
          error ('%s, %s: log-likelihood %.10f against the compiled %.10f, estimates %s', ...
                 fit.model, optimizer{1}, other.loglik, fit.loglik, mat2str (other.parameters', 5));
        end
      end
    end
  end

  % The default mean is today's: y is taken as residuals, bit for bit.
  [fit, y] = fits{1}{1:2};
  plain = volfilter_fit ('threshvol', y, 'o', 0);
  zero = volfilter_fit ('threshvol', y, 'o', 0, 'mean', 'zero');
  if (! isequal (plain.parameters, zero.parameters) || ! isequal (plain.residuals, y)
      || ! strcmp (zero.mean, 'zero') || numel (zero.names) != 3)
    error ('the zero mean is not a fit of y as residuals');
  end

  % A panel's columns share the regressors: each column is the bits of its fit alone.
  y4 = fits{4}{2};
  Y = [y4, flipud(y4)];
  options = fits{4}{3};
  for optimizer = {'auto', 'sqp'}
    panel = volfilter_fit ('shiftvol', Y, options{:}, 'optimizer', optimizer{1});
    for j = 1:2
      alone = volfilter_fit ('shiftvol', Y(:, j), options{:}, 'optimizer', optimizer{1});
      bits = @(f) [f.parameters; f.residuals];
      if (! isequal (bits (alone), bits (panel(j))))
        error ('panel with %s, column %d: not the bits of its fit alone', optimizer{1}, j);
      end
    end
  end

  check_refusals (y, x(1:numel (y)));
  check_forecasts (fits{2}{1}, fits{4}{1});
  printf ('fit mean: %d models recovered, fallback agreement, panels, refusals, forecasts\n', ...
          rows (cases));
end

function options = trimmed (options, T)
  % The regressors of the T observations.
  for i = 2:2:numel (options)
    if (strcmp (options{i - 1}, 'x'))
      options{i} = options{i}(1:T, :);
    end
  end
end

function [y, truth] = returns (model, variance, mean_truth, options, T, seed)
  % Returns of the variance model with the ARMA-X mean: y = mu + sum ar y(t-a) + x beta + e +
  % sum ma e(t-b), from the shocks e of simulate_returns.
  settings = struct ('o', [], 'distribution', 'normal', 'mean', 'constant', 'ar', [], ...
                     'ma', [], 'x', zeros (T, 0));
  for i = 1:2:numel (options)
    settings.(options{i}) = options{i + 1};
  end
  more = {'distribution', settings.distribution};
  if (! isempty (settings.o))
    more(end+1:end+2) = {'o', settings.o};
  end
  e = simulate_returns (model, variance, T, more{:}, 'seed', seed);
  c = strcmp (settings.mean, 'constant');
  P = numel (settings.ar);
  k = columns (settings.x);
  mu = c * mean_truth(1);
  ar = mean_truth(c + 1:c + P);
  beta = mean_truth(c + P + 1:c + P + k);
  ma = mean_truth(c + P + k + 1:end);
  a = [1, zeros(1, max ([settings.ar(:); 1]))];
  a(settings.ar + 1) = -ar;
  b = [1, zeros(1, max ([settings.ma(:); 1]))];
  b(settings.ma + 1) = ma;
  y = filter (b, a, e + mu + settings.x * beta(:));
  truth = [mean_truth(:); variance];
end

function check_fit (fit, y, truth, label)
  % Converged, at least the truth's likelihood, the gradient nil, within 3.5 standard errors;
  % the residuals, variances and standardised residuals those of the modules at the estimates.
  [nll, gradient, ~, ht, residuals] = fit_nll (fit, y, fit.parameters);
  if (! fit.converged || fit.loglik != -nll || fit.loglik < -fit_nll (fit, y, truth))
    error ('%s: converged %d, log-likelihood %.8f, module %.8f, at the truth %.8f', label, ...
           fit.converged, fit.loglik, -nll, -fit_nll (fit, y, truth));
  end
  if (any (abs (gradient .* fit.std_errors) > 1e-2))
    error ('%s: gradient %s at the estimates', label, mat2str (gradient', 3));
  end
  distance = abs (fit.parameters - truth) ./ fit.std_errors;
  if (! all (isfinite (fit.robust_std_errors)) || any (distance > 3.5))
    error ('%s: estimates %s, truth %s, standard errors %s', label, ...
           mat2str (fit.parameters', 4), mat2str (truth', 4), mat2str (fit.std_errors', 3));
  end
  constant = double (strcmp (fit.mean, 'constant'));
  lagreg = lagreg_residuals (fit.parameters, fit.ar, fit.ma, constant, y, fit.x, fit.m, ...
                             ones (size (y)));
  m = fit.m;
  if (! isequal (fit.residuals, lagreg, residuals) || ! isequal (fit.ht(m+1:end), ht(m+1:end))
      || ! isequal (fit.std_residuals, residuals ./ sqrt (fit.ht)) || ! isequal (fit.y, y))
    error ('%s: residuals or variances not those of the modules at the estimates', label);
  end
end

function check_refusals (y, x)
  % Bad mean options, each with its identifier and the end of its message.
  T = numel (y);
  lags = 'whole numbers of at least 1.';
  singular = 'or outnumber them.';
  % options, identifier, message ending
  refused = {
    {'ar', 0}, 'badOption', lags
    {'ma', 1.5}, 'badOption', lags
    {'ar', [1, NaN]}, 'badOption', lags
    {'ar', {1}}, 'badOption', lags
    {'ma', [1 2; 3 4]}, 'badOption', lags
    {'ar', [2, 1, 2]}, 'badOption', 'could not be told apart.'
    {'ar', T}, 'tooFewObservations', ...
    sprintf('ar lag = %d leaves no observations: the sample has %d.', T, T)
    {'ma', 2^64}, 'tooFewObservations', 'leaves no observations: the sample has 2000.'
    {'ar', 4, 'm', 3}, 'badOption', 'm must be at least the largest lag of the mean (4).'
    {'x', x(1:end-1)}, 'badOption', ...
    'x must have a row for each of the 2000 observations; it has 1999.'
    {'x', x'}, 'badOption', 'it has 1.'
    {'x', [x; NaN](2:end)}, 'badOption', 'x must hold finite values.'
    {'x', x > 0}, 'badOption', 'one row per observation.'
    {'x', ones(T, 1)}, 'meanSingular', singular
    {'x', [x, 2 * x]}, 'meanSingular', singular
    {'x', y, 'mean', 'zero'}, 'meanExact', 'leave no variance to model.'
    {'mean', 'ar'}, 'badOption', 'mean must be ''zero'' or ''constant''.'
    {'mean', true}, 'badOption', 'mean must be ''zero'' or ''constant''.'
    {'x', randn(T, 1001)}, 'tooFewObservations', 'too few for 1005 parameters (at least 10050).'
    {'ar', 1, 'optimizer', 'sqp', 'x', ones(T, 1)}, 'meanSingular', singular
  };
  for i = 1:rows (refused)
    [options, identifier, ending] = refused{i, :};
    try
      volfilter_fit ('threshvol', y, 'o', 0, options{:});
      error ('test:served', 'served');
    catch err
      if (! strcmp (err.identifier, ['volfilter:fit:' identifier])
          || ! strcmp (err.message(max (1, end - numel (ending) + 1):end), ending))
        error ('refusal %d: %s "%s"', i, err.identifier, err.message);
      end
    end
  end
end

function check_forecasts (arma, regression)
  % The expected returns continue the fit's returns and residuals; the simulated returns are
  % the ARMA recursion of the simulated residuals; regressors are refused with a reason.
  theta = arma.parameters;  % mu, ar1, ma1, ...
  y = arma.y;
  e = arma.residuals;
  forecast = volfilter_forecast (arma, 3, 'quantiles', 0.05);
  expected = theta(1) + theta(2) * y(end) + theta(3) * e(end);
  expected(2) = theta(1) + theta(2) * expected(1);
  expected(3) = theta(1) + theta(2) * expected(2);
  if (max (abs (forecast.mean - expected(:))) > 1e-14)
    error ('forecast means %s, expected %s', mat2str (forecast.mean', 6), mat2str (expected, 6));
  end
  sim = volfilter_simulate (arma, 3, 2);
  recursion = zeros (3, 2);
  past_y = y(end);
  past_e = e(end);
  for t = 1:3
    recursion(t, :) = theta(1) + theta(2) * past_y + sim.e(t, :) + theta(3) * past_e;
    past_y = recursion(t, :);
    past_e = sim.e(t, :);
  end
  start = volfilter_simulate (arma, 1, 1, 'origin', 'unconditional');
  if (max (abs (sim.y(:) - recursion(:))) > 1e-13
      || abs (start.y - start.e - theta(1) / (1 - theta(2))) > 1e-13 * abs (start.y))
    error ('simulated returns are not the mean''s recursion of the simulated residuals');
  end
  summary = volfilter_summary (arma);
  if (! isequal (summary.parameters.name(1:3), {'mu'; 'ar1'; 'ma1'})
      || isempty (strfind (summary.text, 'mean constant + ar(1) + ma(1)')))
    error ('the summary does not show the mean');
  end
  if (! all (isnan (volfilter_forecast (regression, 2).mean)))
    error ('a mean with regressors has expected returns');
  end
  try
    volfilter_simulate (regression, 2, 2);
    error ('test:served', 'served');
  catch err
    if (! strcmp (err.identifier, 'volfilter:simulate:meanModel'))
      error ('regressors simulated: %s', err.message);
    end
  end
end
