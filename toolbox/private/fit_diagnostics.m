function diagnostics = fit_diagnostics (z, names)
% diagnostics = fit_diagnostics (z, names)
% Tests of the standardised residuals Z of fits whose parameters are NAMES: Z is n-by-N,
% the n modelled observations of a series a column (a panel's series share their model).
% Returns an N-by-1 struct array, one element a column:
%
%   n                  the observations tested
%   lags               [5; 10; 20]
%   acf, acf_squared   the autocorrelations of z and of z^2 at lags 1..20 about their
%                      means (NaN at lags of n or more)
%   ljung_box          of z: Q(L) = n (n + 2) sum over k = 1..L of r(k)^2 / (n - k), r(k)
%                      the autocorrelation at lag k about the mean; df = L less the
%                      mean's autoregressive and moving-average coefficients (ar<lag>,
%                      ma<lag>), which the fit chose to make z uncorrelated
%   ljung_box_squared  the same of z^2, df = L less the parameters of the variance
%                      recursion other than its constant (alpha, gamma and beta: neither
%                      omega, nor nu, nor the mean's), which the fit chose to make z^2
%                      uncorrelated
%   arch_lm            Engle's test: (n - L) R^2 of z^2(t) regressed on a constant and
%                      z^2(t-1..t-L) over t = L+1..n; df = L
%   jarque_bera        n / 6 (S^2 + (K - 3)^2 / 4) of the skewness S and kurtosis K
%                      (moments about the mean, divisor n); df = 2
%   sign_bias          z^2(t) regressed on a constant, S(t-1), S(t-1) z(t-1) and
%                      (1 - S(t-1)) z(t-1), where S(t-1) = 1 when z(t-1) < 0, over
%                      t = 2..n: the t statistics of the sign, negative size and positive
%                      size terms with two-sided normal p-values, and the joint test
%                      (n - 1) R^2, df = 3
%
% Each test is a struct of statistic, df and p_value (chi-square upper tails, see
% chi_square_tail); jarque_bera adds skewness and kurtosis; sign_bias has terms, t,
% p_value (erfc), joint, joint_df and joint_p_value. A statistic is NaN where the series is
% too short for it (a lag of n or more, a regression with no more rows than regressors),
% where its df would be below 1, or where z does not vary as the test needs.
lags = [5; 10; 20];
largest = lags(end);
[n, count] = size (z);
df = lags - sum (~cellfun ('isempty', regexp (names, '^(ar|ma)\d+$', 'once')));
df_squared = lags - sum (~cellfun ('isempty', regexp (names, '^(alpha|gamma|beta)', 'once')));

% z and y = z^2 about their means: series j in columns j and count + j.
centred = [z, z .^ 2];
centred = centred - sum (centred, 1) / n;
x = centred(:, 1:count);
y = centred(:, count + 1:end);
second = sum (x .^ 2, 1) / n;
skewness = sum (x .^ 3, 1) / n ./ second .^ 1.5;
kurtosis = sum (x .^ 4, 1) / n ./ second .^ 2;

% The sums of c(t) c(t-d) over t, d = 0..20: the transform of the power spectrum,
% zero-padded so that no lag wraps around. The spectrum is real and even, so its forward
% transform is its inverse times the length: both are transforms of two real columns of
% one size, which Octave plans once. A series at a time, so that its sums are the same
% to the last bit in a panel as alone.
points = 2 ^ ceil (log2 (n + largest));
sums = NaN (largest + 1, 2 * count);
for j = 1:count
  spectrum = fft (centred(:, [j, count + j]), points);
  pair = real (fft (real (spectrum) .^ 2 + imag (spectrum) .^ 2)) / points;
  sums(:, [j, count + j]) = pair(1:largest + 1, :);
end
acf = sums(2:end, :) ./ sums(1, :);
acf(n:end, :) = NaN;
ljung_box = n * (n + 2) * cumsum (acf .^ 2 ./ (n - (1:largest)'), 1);
ljung_box = ljung_box(lags, :);
ljung_box(df < 1, 1:count) = NaN;
ljung_box(df_squared < 1, count + 1:end) = NaN;
jarque_bera = n / 6 * (skewness .^ 2 + (kurtosis - 3) .^ 2 / 4);

% Engle's regression at lag L is of y(t) on a constant and y(t-1..t-L), t = L+1..n: its R^2
% is c' S^-1 c / v with S the covariance of the regressors, c theirs with y(t) and v the
% variance of y(t) over those rows, from their sums of products M and sums mu:
% M - mu mu' / (n - L). Over the rows t = L+1..n the sum of y(t-i) y(t-j), i <= j, is the
% whole sum at lag j - i less its last i terms (the tail s > n - i of y(s) y(s-(j-i)))
% and less the rows t <= L of the lagged values (the head, zero before the start); the
% sum of y(t-i) is that of y less its first L - i and its last i values.
usable = find (n - lags > lags + 1)';
width = 1;
if ~isempty (usable)
  width = lags(usable(end)) + 1;
end
index = (0:width - 1)';
nearer = min (index, index');
apart = abs (index - index');
tail_at = nearer + 1 + apart * width;
head_rows = max ((1:width - 1)' - index', 0) + 1;
tail_rows = (n:-1:n - width + 2)' - index';
arch_lm = NaN (numel (lags), count);
for j = 1:count * ~isempty (usable)
  series = y(:, j);
  padded = [0; series(1:width - 1)];
  head = padded(head_rows);
  tail = [zeros(1, width); cumsum(series(n:-1:n - width + 2) .* series(tail_rows), 1)];
  gram = reshape (sums(apart + 1, count + j), width, width) - tail(tail_at);
  starts = [0; cumsum(series(1:width - 1))];
  ends = [0; cumsum(series(n:-1:n - width + 2))];
  for i = usable
    lag = lags(i);
    rows = 1:lag + 1;
    mu = sum (series) - starts(lag + 2 - rows) - ends(rows);
    products = gram(rows, rows) - head(1:lag, rows)' * head(1:lag, rows);
    covariance = products - mu * mu' / (n - lag);
    [factor, failed] = chol (covariance(2:end, 2:end));
    pivots = diag (factor);
    if ~failed && covariance(1, 1) > 0 && min (pivots) > 1e-8 * max (pivots)
      w = factor' \ covariance(2:end, 1);
      arch_lm(i, j) = (n - lag) * (w' * w) / covariance(1, 1);
    end
  end
end

% The sign bias regression over t = 2..n, on the negative and positive parts of z(t-1).
previous = z(1:n - 1, :);
below = double (previous < 0);
negative = below .* previous;
sign_t = NaN (3, count);
sign_joint = NaN (1, count);
for j = 1:count
  design = [ones(n - 1, 1), below(:, j), negative(:, j), previous(:, j) - negative(:, j)];
  target = y(2:n, j);
  moments = design' * [design, target];
  [r2, t] = moment_regression (moments(:, 1:4), moments(:, 5), target' * target, n - 1);
  sign_joint(j) = (n - 1) * r2;
  sign_t(:, j) = t(2:4);
end

% Every chi-square statistic of the series in one column, its df beside it. Rows: Ljung-Box
% of z (1:3) and of z^2 (4:6), ARCH LM (7:9), Jarque-Bera (10), the joint sign bias (11).
statistics = [ljung_box(:, 1:count); ljung_box(:, count + 1:end); arch_lm; jarque_bera; ...
              sign_joint];
degrees = [df; df_squared; lags; 2; 3] + zeros (1, count);
p = reshape (chi_square_tail (statistics(:), degrees(:)), size (statistics));
p_sign = erfc (abs (sign_t) / sqrt (2));

% One struct a series; a panel's are put together at the end, which Octave does much
% faster than it assigns a struct to an element of a struct array.
terms = {'sign'; 'negative size'; 'positive size'};
each = cell (count, 1);
for j = 1:count
  each{j} = struct ( ...
    'n', n, 'lags', lags, 'acf', acf(:, j), 'acf_squared', acf(:, count + j), ...
    'ljung_box', struct ('statistic', statistics(1:3, j), 'df', df, 'p_value', p(1:3, j)), ...
    'ljung_box_squared', struct ('statistic', statistics(4:6, j), 'df', df_squared, ...
                                 'p_value', p(4:6, j)), ...
    'arch_lm', struct ('statistic', statistics(7:9, j), 'df', lags, 'p_value', p(7:9, j)), ...
    'jarque_bera', struct ('statistic', statistics(10, j), 'df', 2, 'p_value', p(10, j), ...
                           'skewness', skewness(j), 'kurtosis', kurtosis(j)), ...
    'sign_bias', struct ('terms', {terms}, 't', sign_t(:, j), 'p_value', p_sign(:, j), ...
                         'joint', statistics(11, j), 'joint_df', 3, ...
                         'joint_p_value', p(11, j)));
end
diagnostics = vertcat (each{:});
end

function [r2, t] = moment_regression (xtx, xty, yty, rows)
% The centred R^2 of the least-squares regression with moments XTX = X'X, XTY = X'y and
% YTY = y'y over ROWS rows (the design's first column a constant, so xty(1) is the sum of
% y), and the t statistics of its coefficients. With the Cholesky factor R of X'X and
% w = R' \ X'y the residual sum of squares is y'y - w'w. NaN when the design is (nearly)
% rank deficient or y does not vary, so that a degenerate series gives NaN, not a warning.
k = numel (xty);
r2 = NaN;
t = NaN (k, 1);
total = yty - xty(1) ^ 2 / rows;
[factor, failed] = chol (xtx);
if failed || rows <= k || ~(total > 0)
  return;
end
pivots = diag (factor);
if min (pivots) <= 1e-8 * max (pivots)
  return;
end
w = factor' \ xty;
residual = yty - w' * w;
r2 = 1 - residual / total;
if nargout > 1
  inverse = factor \ eye (k);
  t = (factor \ w) ./ sqrt (residual / (rows - k) * sum (inverse .^ 2, 2));
end
end

function p = chi_square_tail (x, df)
% The upper tail P(X > x) of the chi-square with DF degrees of freedom (whole numbers) for
% the column X; NaN where x is. In closed form, as gammainc (x/2, df/2, 'upper') has it
% but at a small part of its cost in Octave: with h = x/2, for even df exp(-h) times the
% sum of h^j / j! over j < df/2; for odd df erfc (sqrt (h)) plus exp(-h) / sqrt (pi h)
% times the sum over j = 1..(df-1)/2 of h^j / ((1/2) (3/2) ... (j - 1/2)). The terms are
% running products of h / i or h / (i - 1/2), so no power or factorial is formed.
half = max (x, 0) / 2;
odd = mod (df, 2);
decay = exp (-half);
longest = floor ((max ([df; 1]) - 1) / 2);
terms = cumprod (half ./ ((1:longest) - odd / 2), 2);
terms((1:longest) > (df - 1) / 2) = 0;
series = decay .* sum (terms, 2) ./ sqrt (pi * half) .^ odd;
series(~(half > 0) | decay == 0) = 0;
p = odd .* erfc (sqrt (half)) + (1 - odd) .* decay + series;
p(isnan (x)) = NaN;
end
