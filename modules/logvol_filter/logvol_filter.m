% ht = logvol_filter (data, parameters, backcast, upper_bound, p, o, q, m, T)
% Exponential log-variance filter: conditional variances of an exponential GARCH(p,o,q) model.
%
% Inputs, real double arrays and real scalars:
%   data         vector of at least T values: the residuals e(1..T).
%   parameters   vector of 1+p+o+q values [omega; alpha(1:p); gamma(1:o); beta(1:q)];
%                further values are ignored.
%   backcast     the pre-sample LOG variance b, first element only.
%   upper_bound  the ceiling U on the variance (a variance, not a log), first element only.
%   p, o, q      scalars: numbers of lags of the magnitude, asymmetry and log-variance terms.
%   m            scalar: pre-sample length; max(p,o,q) <= m <= T.
%   T            scalar: sample size, the number of rows of ht.
%
% Output:
%   ht           T-by-1 column of conditional variances.
%
% Model, with lh(t) the log variance, z(t) = e(t)/sqrt(ht(t)) the standardized residual
% and mu = 0.797884560802865 (sqrt(2/pi) to 15 digits):
%   lh(t) = b and ht(t) = exp(b) for t <= m (so z(t) = e(t)/sqrt(exp(b)) there);
%   for t = m+1..T:
%   lh(t) = omega + sum_j alpha(j)*(abs(z(t-j)) - mu) + sum_j gamma(j)*z(t-j)
%                 + sum_j beta(j)*lh(t-j)
%   ht(t) = exp(lh(t)), then
%     floor:   if ht(t) < exp(b)/10000, ht(t) = exp(b)/10000 and lh(t) = b - log(10000);
%     ceiling: if ht(t) > U, ht(t) = U when exp overflowed to Inf, else ht(t) = U + lh(t);
%              in both cases lh(t) = log(U).
%   Later steps use the bounded lh and z. The terms are added in the order written, one
%   rounded product at a time (no fused multiply-add).
%
% Scalar inputs are truncated toward zero: p, o, q and m to 32-bit integers, T to an
% unsigned 64-bit count (T = 3.9 acts as 3). A negative m leaves every entry 0.
% A scalar input may be of any real numeric class or logical (true acts as 1); of a larger
% array only the first element is read. Text, cells, structs, function handles, complex
% numbers and sparse arrays of more than one element are refused.
%
% Errors:
%   "Nine inputs required."  the number of inputs is not nine.
%   "One output only."       more than one output requested.
% Calls that would read or write outside an array, and inputs of a kind the filter cannot
% read, are refused before any array is made:
%   "Input p must not be negative." (likewise o and q)
%   "Input m must not exceed T."
%   "Input m must be at least the largest of p, o and q when T exceeds m."
%   "Input data must have at least N elements." (likewise parameters, backcast,
%       upper_bound; "at least 1 element." when N is 1)
%   "Input m must be a finite number within the range of a 32-bit integer." (likewise p,
%       o and q)
%   "Input T must be a finite number, not negative, below 2^64."
%   "Input T must be a real numeric scalar." (likewise every scalar input)
%       when it is not a real number; tested before its size, so an empty cell gets it.
%   "Input T must not be empty." (likewise every scalar input)
%   "Input data must be a real double array." (likewise parameters, backcast, upper_bound)
%       when the input is not a real full double array (integers, single, logical, char,
%       complex, sparse or cell).
%   "The output is too large for the host."  T of 2^57 or more: with its three working
%       columns, 32*T bytes would reach 2^62.
% An output larger than the memory available fails with the host's own message.
%
% Example, an exponential GARCH(1,1,1):
%   e = randn (1000, 1);
%   ht = logvol_filter (e, [0; 0.1; -0.05; 0.95], log (var (e)), 1e3 * var (e), ...
%                       1, 1, 1, 1, numel (e));
%
% See also threshvol_filter, shiftvol_filter, intvol_filter.
