function test_fit_standard_errors ()
  % test_fit_standard_errors ()
  % Standard errors of volfilter_fit. Worked examples: a constant variance (no lags) has
  % the closed forms omega = mean(e.^2), classical standard error omega * sqrt(2/n), robust
  % standard error sqrt(sum((e.^2 - omega).^2)) / n, in variance and in log-variance units.
  % Then the classical ones against an inverse Hessian formed from the likelihood's values
  % alone, and the two kinds against each other: alike for normal data fitted as normal,
  % apart (the robust ones larger) for Student's t data fitted as normal.
  require_likelihoods ();
  randn ('state', 3);
  e = 0.7 * randn (800, 1);
  n = numel (e);
  omega = mean (e .^ 2);
  variance_robust = sqrt (sum ((e .^ 2 - omega) .^ 2)) / n;
  log_robust = sqrt (sum ((e .^ 2 / omega - 1) .^ 2)) / n;
  closed = {
    % model       estimate     std. error           robust std. error
    'threshvol', omega,       omega * sqrt(2 / n), variance_robust
    'logvol',    log(omega),  sqrt(2 / n),         log_robust
  };
  for c = 1:rows (closed)
    [model, estimate, std_error, robust] = closed{c, :};
    fit = volfilter_fit (model, e, 'p', 0, 'o', 0, 'q', 0);
    loglik = -0.5 * n * (log (2 * pi) + log (omega) + 1);
    got = [fit.parameters, fit.std_errors, fit.robust_std_errors, fit.loglik];
    want = [estimate, std_error, robust, loglik];
    if (fit.m != 0 || any (abs (got - want) > 1e-5 * abs (want)))
      error ('%s, no lags: estimate, std. errors, log-likelihood %s, closed forms %s', ...
             model, mat2str (got, 8), mat2str (want, 8));
    end
  end

  % The classical standard errors from the exact gradient against second differences of
  % the values alone (steps of 1e-4 of each parameter's standard error).
  r = simulate_returns ('threshvol', [0.02; 0.05; 0.10; 0.88; 6], 3000, ...
                        'distribution', 't', 'seed', 5);
  fit = volfilter_fit ('threshvol', r, 'distribution', 't');
  step = 1e-2 * fit.std_errors;
  k = numel (step);
  H = zeros (k);
  for i = 1:k
    for j = 1:k
      di = zeros (k, 1); di(i) = step(i);
      dj = zeros (k, 1); dj(j) = step(j);
      f = @(d) fit_nll (fit, r, fit.parameters + d);
      H(i, j) = (f (di + dj) - f (di - dj) - f (-di + dj) + f (-di - dj)) / (4 * step(i) * step(j));
    end
  end
  by_values = sqrt (diag (inv (H)));
  if (any (abs (by_values ./ fit.std_errors - 1) > 1e-3))
    error ('standard errors %s, from second differences of the values %s', ...
           mat2str (fit.std_errors', 5), mat2str (by_values', 5));
  end

  % Correctly specified: the sandwich estimates the same covariance. Fat tails fitted as
  % normal: the outer product of the scores is larger than the Hessian, by about
  % (kurtosis - 1) / 2 for the variance parameters.
  garch = [0.05; 0.08; 0.87];
  normal = volfilter_fit ('threshvol', simulate_returns ('threshvol', garch, 4000, 'o', 0, ...
                                                         'seed', 7), 'o', 0);
  ratio = normal.robust_std_errors ./ normal.std_errors;
  if (any (ratio < 0.85 | ratio > 1.2))
    error ('normal data: robust / classical standard errors %s', mat2str (ratio', 3));
  end
  fat = volfilter_fit ('threshvol', simulate_returns ('threshvol', [garch; 5], 4000, 'o', 0, ...
                                                      'distribution', 't', 'seed', 7), 'o', 0);
  ratio = fat.robust_std_errors ./ fat.std_errors;
  if (any (ratio < 1.3))
    error ('t(5) data fitted as normal: robust / classical standard errors %s', ...
           mat2str (ratio', 3));
  end
  printf ('fit standard errors: closed forms, second differences, sandwich\n');
end
