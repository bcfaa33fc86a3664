% ht = threshvol_filter (data, asym_data, parameters, backcast, p, o, q, m, T, type)
% Threshold variance filter: conditional variances of a threshold GARCH(p,o,q) model.
%
% Inputs, real double arrays and real scalars:
%   data        vector of at least T-1 values (none when p is 0): the series of the
%               first lag family, already raised to the model's power, e.g. abs(e).^2.
%   asym_data   vector of at least T-1 values (none when o is 0): the series of the
%               asymmetric family, e.g. abs(e).^2 .* (e < 0). Used as given: the filter
%               takes no absolute values, squares or signs of either series.
%   parameters  vector of 1+p+o+q values [omega; alpha(1:p); gamma(1:o); beta(1:q)];
%               further values are ignored.
%   backcast    the pre-sample value, first element only: a standard deviation when
%               type is 1, a variance otherwise.
%   p, o, q     scalars: numbers of lags of data, of asym_data and of the output.
%   m           scalar: pre-sample length, the number of leading entries set to backcast;
%               max(p,o,q) <= m <= T.
%   T           scalar: sample size, the number of rows of ht.
%   type        scalar: 1 for the standard-deviation form (power 1), any other value for
%               the variance form (power 2).
%
% Output:
%   ht          T-by-1 column: backcast in rows 1..m, conditional variances after.
%
% Model, for t = m+1..T (s(t) = backcast for t <= m):
%   s(t) = omega + sum_i alpha(i)*data(t-i) + sum_j gamma(j)*asym_data(t-j)
%                + sum_k beta(k)*s(t-k)
%   ht(t) = s(t)^2 when type is 1, ht(t) = s(t) otherwise; ht(1:m) = backcast unsquared.
% The terms are added in this order, constant first and each family from lag 1 up, one
% rounded product at a time (no fused multiply-add), so results are the same to the last
% bit on every machine. No bound is applied to the variances.
%
% Scalar inputs are truncated toward zero: p, o, q, m and type to 32-bit integers, T to an
% unsigned 64-bit count, so T = 3.9 acts as 3 and type = 1.9 as 1. A negative m leaves
% every entry 0.
% A scalar input may be of any real numeric class or logical (true acts as 1); of a larger
% array only the first element is read. Text, cells, structs, function handles, complex
% numbers and sparse arrays of more than one element are refused.
%
% Errors:
%   "Ten inputs required."  the number of inputs is not ten.
%   "One output only."      more than one output requested.
% Calls that would read or write outside an array, and inputs of a kind the filter cannot
% read, are refused before any array is made:
%   "Input p must not be negative." (likewise o and q)
%   "Input m must not exceed T."
%   "Input m must be at least the largest of p, o and q when T exceeds m."
%   "Input data must have at least N elements." (likewise asym_data, parameters, backcast;
%       "at least 1 element." when N is 1)
%   "Input m must be a finite number within the range of a 32-bit integer." (likewise p,
%       o, q and type)
%   "Input T must be a finite number, not negative, below 2^64."
%   "Input type must be a real numeric scalar." (likewise every scalar input)
%       when it is not a real number; tested before its size, so an empty cell gets it.
%   "Input type must not be empty." (likewise every scalar input)
%   "Input data must be a real double array." (likewise asym_data, parameters, backcast)
%       when the input is not a real full double array (integers, single, logical, char,
%       complex, sparse or cell).
%   "The output is too large for the host."  T of 2^59 or more: its 8*T bytes would reach 2^62.
% An output larger than the memory available fails with the host's own message.
%
% Example, a threshold GARCH(1,1,1) in variance form:
%   e = randn (1000, 1);
%   ht = threshvol_filter (e.^2, e.^2 .* (e < 0), [0.05; 0.05; 0.1; 0.85], ...
%                          mean (e.^2), 1, 1, 1, 1, numel (e), 2);
%
% See also logvol_filter, shiftvol_filter, intvol_filter.
