function test_fit_recovery ()
  % test_fit_recovery ()
  % Fits on simulated data, every model in each of its forms and both distributions. A fit
  % passes when it converges, reaches a log-likelihood at least that of the truth (it found
  % the maximum, not a point on the way), has a gradient that is nil on the scale of the
  % standard errors, puts every estimate within 3.5 standard errors of the truth, and
  % reports ht, std_residuals, aic and bic of the likelihood it maximised. Then the same
  % series at other scales: the coefficients do not move and omega moves with the scale.
  require_likelihoods ();
  cases = fit_cases ();
  for c = 1:rows (cases)
    [model, truth, options, T] = cases{c, :};
    label = sprintf ('%s %s', model, disp_options (options));
    r = simulate_returns (model, truth, T, options{:}, 'seed', c);
    fit = volfilter_fit (model, r, options{:});
    check_fit (fit, r, truth, label);
  end

  % Scale: returns in other units leave the coefficients and shape where they are and move
  % omega (a variance) with the square of the scale.
  r = simulate_returns ('threshvol', [0.02; 0.05; 0.10; 0.88; 6], 2000, ...
                        'distribution', 't', 'seed', 99);
  base = volfilter_fit ('threshvol', r, 'distribution', 't');
  for scale = [1e-3, 1e3]
    scaled = volfilter_fit ('threshvol', scale * r, 'distribution', 't');
    moved = [scaled.parameters(1) / scale ^ 2; scaled.parameters(2:end)];
    if (! scaled.converged || any (abs (moved - base.parameters) > 1e-3 * base.std_errors))
      error ('scale %g: estimates %s, at scale 1 %s', scale, mat2str (moved', 6), ...
             mat2str (base.parameters', 6));
    end
  end
  printf ('fit recovery: %d fits within 3.5 standard errors of the truth, 2 scales\n', ...
          rows (cases));
end

function check_fit (fit, r, truth, label)
  k = numel (truth);
  if (! fit.converged || numel (fit.parameters) != k || numel (fit.names) != k)
    error ('%s: converged %d, %d parameters (%s)', label, fit.converged, ...
           numel (fit.parameters), fit.message);
  end
  [nll, gradient] = fit_nll (fit, r, fit.parameters);
  truth_loglik = -fit_nll (fit, r, truth);
  if (fit.loglik != -nll || fit.loglik < truth_loglik)
    error ('%s: log-likelihood %.8f, module %.8f, at the truth %.8f', label, fit.loglik, ...
           -nll, truth_loglik);
  end
  if (any (abs (gradient .* fit.std_errors) > 1e-2))
    error ('%s: gradient %s at the estimates', label, mat2str (gradient', 3));
  end
  distance = abs (fit.parameters - truth) ./ fit.std_errors;
  if (! all (isfinite (fit.std_errors) & isfinite (fit.robust_std_errors)) || any (distance > 3.5))
    error ('%s: estimates %s, truth %s, standard errors %s', label, ...
           mat2str (fit.parameters', 4), mat2str (truth', 4), mat2str (fit.std_errors', 3));
  end
  m = fit.m;
  n = numel (r) - m;
  [~, ~, ~, ht] = fit_nll (fit, r, fit.parameters);
  % Before m the pre-sample value as a variance: the exponential of a log variance, the
  % square of a standard deviation.
  presample = fit.backcast;
  if (strcmp (fit.model, 'logvol'))
    presample = exp (fit.backcast);
  elseif (fit.type == 1 && any (strcmp (fit.model, {'threshvol', 'intvol'})))
    presample = fit.backcast ^ 2;
  end
  if (! isequal (fit.ht(m+1:end), ht(m+1:end)) || any (fit.ht(1:m) != presample)
      || ! isequal (fit.std_residuals, r ./ sqrt (fit.ht))
      || fit.n != n || fit.T != numel (r))
    error ('%s: ht or std_residuals are not those of the module at the estimates', label);
  end
  if (abs (fit.aic - (2 * k - 2 * fit.loglik)) > 1e-9 * abs (fit.aic)
      || abs (fit.bic - (k * log (n) - 2 * fit.loglik)) > 1e-9 * abs (fit.bic))
    error ('%s: aic %.6f, bic %.6f for log-likelihood %.6f', label, fit.aic, fit.bic, fit.loglik);
  end
end

function text = disp_options (options)
  text = strjoin (cellfun (@num2str, options, 'UniformOutput', false), ' ');
end
