% residuals = lagreg_residuals (parameters, ar_lags, ma_lags, constant, y, x, m, sigma)
% Regression residual filter: scaled residuals of a regression with lags at listed positions.
%
% Inputs, real double arrays and real scalars:
%   parameters  vector [theta0; phi(1:P); beta(1:k); psi(1:Q)], theta0 only when constant
%               is 1; further values are ignored.
%   ar_lags     P-by-1 column of autoregressive lags (empty for none); rows are counted,
%               so a 1-by-3 row counts as one lag.
%   ma_lags     Q-by-1 column of moving-average lags (empty for none).
%   constant    scalar: 1 when the model has a constant, else 0.
%   y           T-by-1 column of data; its number of rows is the sample size T.
%   x           T-by-k matrix of regressors, read with row stride T (any array with 0
%               columns for none).
%   m           scalar: the number of leading observations without a residual; m <= T,
%               and every lag lies between 1 and m.
%   sigma       T-by-1 column of scales.
%
% Output:
%   residuals   T-by-1 column: 0 in rows 1..m, e(t)/sigma(t) after.
%
% Model, for t = m+1..T (e(t) = 0 for t <= m):
%   e(t) = y(t) - constant*theta0 - sum_j phi(j)*y(t - ar_lags(j))
%               - sum_j beta(j)*x(t,j) - sum_j psi(j)*e(t - ma_lags(j))
%   residuals(t) = e(t) / sigma(t)
% The moving-average terms feed back the unscaled residuals e. The terms are subtracted in
% the order written, each list in its own order, one rounded product at a time (no fused
% multiply-add). Lags may repeat and need not be sorted.
%
% Scalar inputs and lags are truncated toward zero: constant and the lags to 32-bit
% integers, m to an unsigned 64-bit count (a lag of 2.9 acts as 2).
% A scalar input may be of any real numeric class or logical (true acts as 1); of a larger
% array only the first element is read. Text, cells, structs, function handles, complex
% numbers and sparse arrays of more than one element are refused.
%
% Errors:
%   "Eight inputs required."  the number of inputs is not eight.
%   "One output only."        not exactly one output requested (none is refused too).
% Calls that would read or write outside an array, and inputs of a kind the filter cannot
% read, are refused before any array is made:
%   "Input constant must be 0 or 1."
%   "Input m must not exceed T."
%   "Input ar_lags must hold lags from 1 to m." (likewise ma_lags)
%   "Input parameters must have at least N elements." (likewise ar_lags, ma_lags, y, x,
%       sigma; "at least 1 element." when N is 1)
%   "Input ar_lags must have fewer than 2^31 rows." (likewise ma_lags)
%   "Input constant must be a finite number within the range of a 32-bit integer."
%   "Input m must be a finite number, not negative, below 2^64."
%   "Input m must be a real numeric scalar." (likewise constant)
%       when it is not a real number; tested before its size, so an empty cell gets it.
%   "Input m must not be empty." (likewise constant)
%   "Input y must be a real double array." (likewise parameters, ar_lags, ma_lags, x,
%       sigma)
%       when the input is not a real full double array (integers, single, logical, char,
%       complex, sparse or cell).
%   "The output is too large for the host."  T, the rows of y, of 2^59 or more: its 8*T
%       bytes would reach 2^62.
% An output larger than the memory available fails with the host's own message.
%
% Example, residuals of an ARMA model with lags 1 and 4 and a constant:
%   y = randn (200, 1);
%   e = lagreg_residuals ([0.1; 0.3; 0.2; 0.4], [1; 4], 1, 1, y, zeros (200, 0), 4, ...
%                         ones (200, 1));
%
% See also pairwise_nll.
