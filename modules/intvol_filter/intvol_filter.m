% ht = intvol_filter (data, parameters, backcast, p, q, m, T, type, has_constant)
% Integrated variance filter: conditional variances of an integrated GARCH(p,q) model.
%
% Inputs, real double arrays and real scalars:
%   data          vector of at least T-1 values (none when p is 0): the series of the data
%                 lag family, already raised to the model's power, e.g. abs(e).^2.
%   parameters    vector [omega; alpha(1:p); beta(1:q-1)], omega only when has_constant
%                 is not 0; further values are ignored. The coefficient of lag q is
%                 implied: beta(q) = 1 - sum(alpha) - sum(beta(1:q-1)).
%   backcast      the pre-sample value, first element only: a standard deviation when
%                 type is 1, a variance otherwise.
%   p, q          scalars: numbers of lags of data and of the output; q >= 1.
%   m             scalar: pre-sample length; max(p,q) <= m <= T.
%   T             scalar: sample size, the number of rows of ht.
%   type          scalar: 1 for the standard-deviation form (power 1), any other value
%                 for the variance form (power 2).
%   has_constant  scalar: 0 for no constant, 1 for omega in parameters(1). It is also
%                 the offset of alpha(1): 2 takes omega from parameters(1) and alpha(1)
%                 from parameters(3).
%
% Output:
%   ht            T-by-1 column: backcast in rows 1..m, conditional variances after.
%
% Model, for t = m+1..T (s(t) = backcast for t <= m, omega = 0 without a constant):
%   s(t) = omega + sum_i alpha(i)*data(t-i) + sum_{k<q} beta(k)*s(t-k) + beta(q)*s(t-q)
%   ht(t) = s(t)^2 when type is 1, ht(t) = s(t) otherwise; ht(1:m) = backcast unsquared.
% beta(q) is formed once, subtracting alpha(1..p) and then beta(1..q-1) from 1; the terms
% are added in the order written, one rounded product at a time (no fused multiply-add).
%
% Scalar inputs are truncated toward zero: p, q, m, type and has_constant to 32-bit
% integers, T to an unsigned 64-bit count (type = 1.9 acts as 1). A negative m leaves every
% entry 0.
% A scalar input may be of any real numeric class or logical (true acts as 1); of a larger
% array only the first element is read. Text, cells, structs, function handles, complex
% numbers and sparse arrays of more than one element are refused.
%
% Errors:
%   "Nine inputs required."  the number of inputs is not nine.
%   "One output only."       more than one output requested.
% Calls that would read or write outside an array, and inputs of a kind the filter cannot
% read, are refused before any array is made:
%   "Input p must not be negative." (likewise has_constant)
%   "Input q must be at least 1."
%   "Input m must not exceed T."
%   "Input m must be at least the largest of p and q when T exceeds m."
%   "Input data must have at least N elements." (likewise parameters, backcast;
%       "at least 1 element." when N is 1)
%   "Input m must be a finite number within the range of a 32-bit integer." (likewise p,
%       q, type and has_constant)
%   "Input T must be a finite number, not negative, below 2^64."
%   "Input has_constant must be a real numeric scalar." (likewise every scalar input)
%       when it is not a real number; tested before its size, so an empty cell gets it.
%   "Input has_constant must not be empty." (likewise every scalar input)
%   "Input data must be a real double array." (likewise parameters, backcast)
%       when the input is not a real full double array (integers, single, logical, char,
%       complex, sparse or cell).
%   "The output is too large for the host."  T of 2^59 or more: its 8*T bytes would reach 2^62.
% An output larger than the memory available fails with the host's own message.
%
% Example, an integrated GARCH(1,1) with a constant:
%   e = randn (1000, 1);
%   ht = intvol_filter (e.^2, [0.05; 0.1], var (e), 1, 1, 1, numel (e), 2, 1);
%
% See also threshvol_filter, logvol_filter, shiftvol_filter.
