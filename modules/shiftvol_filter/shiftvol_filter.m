% ht = shiftvol_filter (data, parameters, backcast, p, q, m, T, type)
% Shifted-innovation variance filter: conditional variances of an asymmetric GARCH(p,q) model.
%
% Inputs, real double arrays and real scalars:
%   data        vector of at least T values: the innovations e(1..T).
%   parameters  vector of p+q+2 values [omega; alpha(1:p); gamma; beta(1:q)], the shift
%               gamma between the two blocks; further values are ignored.
%   backcast    the pre-sample variance b, first element only.
%   p, q        scalars: numbers of lags of the shifted squares and of the variance.
%   m           scalar: pre-sample length; max(p,q) <= m <= T.
%   T           scalar: sample size, the number of rows of ht.
%   type        scalar: 1 shifts each innovation by the constant gamma (asymmetric
%               GARCH); any other value by gamma times the conditional standard deviation
%               (nonlinear asymmetric GARCH).
%
% Output:
%   ht          T-by-1 column of conditional variances.
%
% Model, with s(t) the shifted square of innovation t:
%   for t <= m: ht(t) = b, s(t) = gamma^2 + b (type 1) or (gamma^2 + 1)*b (other types);
%   for t = m+1..T:
%   ht(t) = omega + sum_j alpha(j)*s(t-j) + sum_k beta(k)*ht(t-k)
%   s(t)  = (e(t) - gamma)^2 (type 1) or (e(t) - gamma*sqrt(ht(t)))^2 (other types).
% The terms are added in the order written, one rounded product at a time (no fused
% multiply-add). No bound is applied: a negative variance in the scaled form gives NaN.
%
% Scalar inputs are truncated toward zero: p, q, m and type to 32-bit integers, T to an
% unsigned 64-bit count (type = 1.7 acts as 1). A negative m leaves every entry 0.
% A scalar input may be of any real numeric class or logical (true acts as 1); of a larger
% array only the first element is read. Text, cells, structs, function handles, complex
% numbers and sparse arrays of more than one element are refused.
%
% Errors:
%   "Eight inputs required."  the number of inputs is not eight.
%   "One output only."        more than one output requested.
% Calls that would read or write outside an array, and inputs of a kind the filter cannot
% read, are refused before any array is made:
%   "Input p must not be negative." (likewise q)
%   "Input m must not exceed T."
%   "Input m must be at least the largest of p and q when T exceeds m."
%   "Input data must have at least N elements." (likewise parameters, backcast;
%       "at least 1 element." when N is 1)
%   "Input m must be a finite number within the range of a 32-bit integer." (likewise p,
%       q and type)
%   "Input T must be a finite number, not negative, below 2^64."
%   "Input type must be a real numeric scalar." (likewise every scalar input)
%       when it is not a real number; tested before its size, so an empty cell gets it.
%   "Input type must not be empty." (likewise every scalar input)
%   "Input data must be a real double array." (likewise parameters, backcast)
%       when the input is not a real full double array (integers, single, logical, char,
%       complex, sparse or cell).
%   "The output is too large for the host."  T of 2^58 or more: with its working
%       column, 16*T bytes would reach 2^62.
% An output larger than the memory available fails with the host's own message.
%
% Example, an asymmetric GARCH(1,1) with a constant shift:
%   e = randn (1000, 1);
%   ht = shiftvol_filter (e, [0.05; 0.08; 0.3; 0.85], var (e), 1, 1, 1, numel (e), 1);
%
% See also threshvol_filter, logvol_filter, intvol_filter.
