% [e, ht] = threshvol_simulate (z, history, parameters, backcast, p, o, q, m, type)
% Threshold simulation: N paths of a threshold GARCH(p,o,q) continuing a history of residuals.
%
% Inputs, all real double arrays:
%   z           T-by-N standardised innovations, a path a column (mean 0, variance 1 for
%               the model's meaning; used as given, NaN and Inf included).
%   history     the residuals before the paths: a column of R values that every path
%               continues, or R-by-N, one column a path. Rows 1..m are the pre-sample,
%               as threshvol_filter reads its data; an empty history has no rows.
%   parameters  vector of 1+p+o+q values [omega; alpha(1:p); gamma(1:o); beta(1:q)].
%   backcast    the pre-sample value, first element only: a standard deviation when
%               type is 1, a variance otherwise (as threshvol_filter takes it).
%   p, o, q     scalars: numbers of lags of the data, of the asymmetric data and of the
%               recursion.
%   m           scalar: the number of pre-sample rows of history; max(p,o,q) <= m <= R.
%   type        scalar: 1 for the standard-deviation form (power 1), any other value for
%               the variance form (power 2).
%
% Outputs, T-by-N:
%   e    the simulated residuals, e(t,j) = sqrt(ht(t,j)) * z(t,j), bit for bit.
%   ht   their conditional variances.
%
% Each path is threshvol_filter run on its history followed by its own residuals, formed
% step by step: ht(t,j) is the filter's variance from everything before step t, and then
% e(t,j) = sqrt(ht(t,j)) * z(t,j). So, with x = [history(:,j); e(:,j)] (or history(:,1))
% and its data formed as threshvol_nll forms them,
%   h = threshvol_filter (d, d .* (x < 0), parameters, backcast, p, o, q, m, numel (x), type)
% with d = abs (x) under type 1 and d = x .* x otherwise gives h(R+1:end) = ht(:,j) to the
% last bit, and ht(1,j) is the filter's next value after the history.
%
% To continue a fitted sample, pass its residuals as the history with the fit's backcast
% and m: the first row of ht is then the one-step variance forecast, the same in every
% path.
%
% The paths run side by side in SIMD lanes (AVX2 where the processor has it); each lane
% does exactly the arithmetic of one path alone, so a path's bits do not depend on N or on
% its place among the paths.
%
% Scalar inputs are truncated toward zero: p, o, q, m and type to 32-bit integers.
%
% Errors:
%   "Nine inputs required."  the number of inputs is not nine.
%   "At most two outputs."   more than two outputs requested.
% Calls outside the inputs' contract are refused before any array is made, in this order:
%   "Input p must not be negative." (likewise o, q and m)
%   "Input m must be a finite number within the range of a 32-bit integer." (likewise p,
%       o, q and type)
%   "Input type must not be empty." (likewise every scalar input)
%   "Input z must be a real double array." (likewise history, parameters, backcast)
%   "Input history must have one column or as many as z."
%   "Input m must not exceed the rows of history."
%   "Input m must be at least the largest of p, o and q."  when the paths have steps.
%   "Input parameters must have at least N elements."  when the paths have steps.
%   "Input backcast must have at least 1 element."  when m > 0 and the paths have steps.
%   "The output is too large for the host."  T*N too large for the host.
%
% Example, 1000 paths of 250 steps continuing a GARCH(1,1) fit:
%   fit = volfilter_fit ('threshvol', e, 'o', 0);
%   [e_paths, ht] = threshvol_simulate (randn (250, 1000), fit.residuals, fit.parameters, ...
%                                       fit.backcast, 1, 0, 1, fit.m, 2);
%
% See also volfilter_simulate, volfilter_forecast, threshvol_filter.
