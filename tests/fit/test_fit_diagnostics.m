function test_fit_diagnostics ()
  % test_fit_diagnostics ()
  % The tests of the standardised residuals (fit.diagnostics) against a hand-worked series
  % and against straightforward computations written here: loops for the autocorrelations,
  % least squares with backslash on designs built row by row, gammainc for the chi-square
  % tails and erf for the normal ones. Cases that separate right from plausibly wrong: Box-
  % Pierce for Ljung-Box, n R^2 or an uncentred R^2 for Engle's test, z(t) for z(t-1) in
  % the sign bias regression, one-sided p-values, excess kurtosis, df not reduced for z^2.
  require_likelihoods ();
  diagnose = private_function ('fit_diagnostics');
  garch = {'omega'; 'alpha1'; 'beta1'};

  % Worked by hand: z = [2 -1 0 1 -2] has mean 0 and sum of squares 10; its lagged products
  % sum to -4, -1, 4, -4; m2 = 2, m3 = 0, m4 = 6.8, so K = 1.7 and JB = 5/6 * 1.69/4.
  d = diagnose ([2; -1; 0; 1; -2], garch);
  jb = 5 / 6 * 1.69 / 4;
  worked = {
    % what                       got                            want
    'acf, lags 1-4',             d.acf(1:4),                    [-0.4; -0.1; 0.4; -0.4]
    'acf past the sample',       d.acf(5:20),                   NaN(16, 1)
    'skewness, kurtosis',        [d.jarque_bera.skewness, d.jarque_bera.kurtosis], [0, 1.7]
    'Jarque-Bera',               d.jarque_bera.statistic,       jb
    'Jarque-Bera p, exp(-x/2)',  d.jarque_bera.p_value,         exp(-jb / 2)
    'Ljung-Box, lags >= n',      d.ljung_box.statistic,         NaN(3, 1)
    'ARCH LM, too few rows',     d.arch_lm.statistic,           NaN(3, 1)
    'sign bias, 4 rows 4 terms', [d.sign_bias.t; d.sign_bias.joint], NaN(4, 1)
  };
  compare (worked, 'worked example');

  % A series with clustered variance, 60 observations, against the straightforward forms.
  randn ('state', 11);
  n = 60;
  z = randn (n, 1) .* (1 + 0.8 * sin ((1:n)' / 4) .^ 2);
  z = z / std (z);
  d = diagnose (z, [garch; {'nu'}]);
  y = z .^ 2;
  lags = [5; 10; 20];
  [q, q2, lm] = deal (zeros (3, 1));
  for i = 1:3
    q(i) = ljung_box (z, lags(i));
    q2(i) = ljung_box (y, lags(i));
    lm(i) = (n - lags(i)) * r_squared (lagged (y, lags(i)), y(lags(i) + 1:end));
  end
  below = z(1:end - 1) < 0;
  X = [ones(n - 1, 1), below, below .* z(1:end - 1), (1 - below) .* z(1:end - 1)];
  b = X \ y(2:end);
  residual = y(2:end) - X * b;
  t = b ./ sqrt (diag (inv (X' * X)) * (residual' * residual) / (n - 1 - 4));
  joint = (n - 1) * r_squared (X(:, 2:end), y(2:end));
  tail = @(x, df) gammainc (x / 2, df / 2, 'upper');
  independent = {
    % what                       got                                want
    'Ljung-Box of z',            d.ljung_box.statistic,             q
    'its p-values, df L',        d.ljung_box.p_value,               tail(q, lags)
    'Ljung-Box of z^2, df L - 2', [d.ljung_box_squared.df, d.ljung_box_squared.statistic], ...
                                 [lags - 2, q2]
    'its p-values',              d.ljung_box_squared.p_value,       tail(q2, lags - 2)
    'ARCH LM, (n - L) R^2',      d.arch_lm.statistic,               lm
    'ARCH LM p-values',          d.arch_lm.p_value,                 tail(lm, lags)
    'ARCH LM, 21 rows at lag 20', diagnose(z(1:41), garch).arch_lm.statistic(3), NaN
    'sign bias t on z(t-1)',     d.sign_bias.t,                     t(2:4)
    'two-sided normal p',        d.sign_bias.p_value,               1 - erf(abs(t(2:4)) / sqrt(2))
    'joint, (n - 1) R^2',        [d.sign_bias.joint, d.sign_bias.joint_p_value], ...
                                 [joint, tail(joint, 3)]
  };
  compare (independent, 'independent forms');

  % Degrees of freedom of z^2 that the model's parameters use up; below 1 nothing is tested.
  big = {'omega'; 'alpha1'; 'alpha2'; 'gamma1'; 'gamma2'; 'beta1'; 'beta2'; 'nu'};
  d = diagnose (z, big);
  if (! isequal (d.ljung_box_squared.df, lags - 6) || ! isnan (d.ljung_box_squared.p_value(1)) ...
      || isnan (d.ljung_box_squared.p_value(2)))
    error ('six dynamic parameters: df %s, p-values %s', mat2str (d.ljung_box_squared.df'), ...
           mat2str (d.ljung_box_squared.p_value', 4));
  end

  % Degenerate series (a panel's series that could not be fitted among them) give NaN,
  % never an error or a warning; a panel's columns are each the same to the last bit as
  % the series alone.
  lastwarn ('');
  degenerate = {ones(50, 1), [ones(25, 1); -ones(25, 1)], [1; zeros(49, 1)], NaN(50, 1), ...
                [Inf; z(2:50)], [z(1:49); -Inf]};
  for i = 1:numel (degenerate)
    d = diagnose (degenerate{i}, garch);
    if (any (isfinite (d.arch_lm.statistic)) || ! isempty (lastwarn ()))
      error ('degenerate series %d: ARCH LM %s, warning "%s"', i, ...
             mat2str (d.arch_lm.statistic'), lastwarn ());
    end
  end
  panel = [z, z(end:-1:1), 3 * z];
  together = diagnose (panel, garch);
  for j = 1:3
    if (! isequaln (together(j), diagnose (panel(:, j), garch)))
      error ('panel column %d differs from the series alone', j);
    end
  end

  % In a fit, on request only: the modelled observations, rows m+1..T, and the model's
  % names; each column of a panel its own; 'display', 'summary' asks for them too.
  r = simulate_returns ('threshvol', [0.05; 0.1; 0.85], 800, 'o', 0, 'seed', 4);
  fit = volfilter_fit ('threshvol', r, 'o', 0, 'm', 3, 'diagnostics', true);
  if (! isequaln (fit.diagnostics, diagnose (fit.std_residuals(4:end), fit.names)))
    error ('fit.diagnostics is not that of std_residuals(m+1:end)');
  end
  fits = volfilter_fit ('threshvol', [r, r(end:-1:1)], 'o', 0, 'm', 3, 'diagnostics', 1);
  evalc ('shown = volfilter_fit (''threshvol'', r, ''o'', 0, ''m'', 3, ''display'', ''summary'');');
  plain = volfilter_fit ('threshvol', r, 'o', 0, 'm', 3);
  if (! isequaln (fits(1).diagnostics, fit.diagnostics) || ! isequaln (shown, fit)
      || ! isequaln (fits(2).diagnostics, diagnose (fits(2).std_residuals(4:end), fit.names))
      || ! isempty (plain.diagnostics)
      || ! isequaln (setfield (plain, 'diagnostics', fit.diagnostics), fit))
    error ('the diagnostics of a panel, of a displayed fit or of one without them');
  end
  printf ('fit diagnostics: %d worked, %d independent, degenerate series and panels\n', ...
          rows (worked), rows (independent));
end

function q = ljung_box (x, lag)
  n = numel (x);
  c = x - mean (x);
  q = 0;
  for k = 1:lag
    r = 0;
    for t = k + 1:n
      r += c(t) * c(t - k);
    end
    q += (r / sum (c .^ 2)) ^ 2 / (n - k);
  end
  q *= n * (n + 2);
end

function X = lagged (y, lag)
  % Rows t = lag+1..n of [y(t-1), ..., y(t-lag)].
  X = zeros (numel (y) - lag, lag);
  for t = lag + 1:numel (y)
    X(t - lag, :) = y(t - 1:-1:t - lag)';
  end
end

function r2 = r_squared (X, y)
  % Centred R^2 of y on a constant and X.
  design = [ones(rows (X), 1), X];
  residual = y - design * (design \ y);
  r2 = 1 - sum (residual .^ 2) / sum ((y - mean (y)) .^ 2);
end

function compare (cases, group)
  for i = 1:rows (cases)
    [what, got, want] = cases{i, :};
    if (! isequal (size (got), size (want)) || ! isequal (isnan (got), isnan (want)) ...
        || any (abs (got(! isnan (want)) - want(! isnan (want))) ...
                > 1e-10 * max (1, abs (want(! isnan (want))))))
      error ('%s, %s: got %s, want %s', group, what, mat2str (got, 10), mat2str (want, 10));
    end
  end
end
