% [e, ht] = shiftvol_simulate (z, history, parameters, backcast, p, q, m, type)
% Shifted-innovation simulation: N paths of an asymmetric GARCH(p,q) continuing a history.
%
% Inputs, all real double arrays:
%   z           T-by-N standardised innovations, a path a column (used as given).
%   history     the residuals before the paths: a column of R values that every path
%               continues, or R-by-N, one column a path. Rows 1..m are the pre-sample
%               (shiftvol_filter reads none of them); an empty history has no rows.
%   parameters  vector of p+q+2 values [omega; alpha(1:p); gamma; beta(1:q)].
%   backcast    the pre-sample variance, first element only.
%   p, q        scalars: numbers of lags of the shifted squares and of the variance.
%   m           scalar: the number of pre-sample rows of history; max(p,q) <= m <= R.
%   type        scalar: 1 for a constant shift, (e - gamma)^2; any other value for a shift
%               scaled by the standard deviation, (e - gamma*sqrt(h))^2.
%
% Outputs, T-by-N:
%   e    the simulated residuals, e(t,j) = sqrt(ht(t,j)) * z(t,j), bit for bit.
%   ht   their conditional variances.
%
% Each path is shiftvol_filter run on its history followed by its own residuals, formed
% step by step: ht(t,j) is the filter's variance from everything before step t, and then
% e(t,j) = sqrt(ht(t,j)) * z(t,j). So, with x = [history(:,j); e(:,j)] (or history(:,1)),
%   h = shiftvol_filter (x, parameters, backcast, p, q, m, numel (x), type)
% gives h(R+1:end) = ht(:,j) to the last bit, and ht(1,j) is the filter's next value after
% the history.
%
% To continue a fitted sample, pass its residuals as the history with the fit's backcast
% and m: the first row of ht is then the one-step variance forecast.
%
% The paths run side by side in SIMD lanes; each lane does exactly the arithmetic of one
% path alone, so a path's bits do not depend on N or on its place among the paths.
%
% Scalar inputs are truncated toward zero: p, q, m and type to 32-bit integers.
%
% Errors:
%   "Eight inputs required."  the number of inputs is not eight.
%   "At most two outputs."    more than two outputs requested.
% Calls outside the inputs' contract are refused before any array is made, in this order:
%   "Input p must not be negative." (likewise q and m)
%   "Input m must be a finite number within the range of a 32-bit integer." (likewise p,
%       q and type)
%   "Input type must not be empty." (likewise every scalar input)
%   "Input z must be a real double array." (likewise history, parameters, backcast)
%   "Input history must have one column or as many as z."
%   "Input m must not exceed the rows of history."
%   "Input m must be at least the largest of p and q."  when the paths have steps.
%   "Input parameters must have at least N elements."  when the paths have steps.
%   "Input backcast must have at least 1 element."  when m > 0 and the paths have steps.
%   "The output is too large for the host."  T*N too large for the host.
%
% Example, 1000 paths of 250 steps continuing a fit with a constant shift:
%   fit = volfilter_fit ('shiftvol', e);
%   [e_paths, ht] = shiftvol_simulate (randn (250, 1000), fit.residuals, fit.parameters, ...
%                                      fit.backcast, 1, 1, fit.m, 1);
%
% See also volfilter_simulate, volfilter_forecast, shiftvol_filter.
