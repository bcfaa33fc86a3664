% [e, ht] = logvol_simulate (z, history, parameters, backcast, upper_bound, p, o, q, m)
% Exponential simulation: N paths of an exponential GARCH(p,o,q) continuing a history.
%
% Inputs, all real double arrays:
%   z            T-by-N standardised innovations, a path a column (used as given).
%   history      the residuals before the paths: a column of R values that every path
%                continues, or R-by-N, one column a path. Rows 1..m are the pre-sample,
%                as logvol_filter reads its data; an empty history has no rows.
%   parameters   vector of 1+p+o+q values [omega; alpha(1:p); gamma(1:o); beta(1:q)].
%   backcast     the pre-sample log variance, first element only; the floor on the
%                variance is exp(backcast)/10000, as in logvol_filter.
%   upper_bound  the ceiling on the variance, first element only, as in logvol_filter.
%   p, o, q      scalars: numbers of lags of the centred magnitudes, of the standardised
%                residuals and of the log variance.
%   m            scalar: the number of pre-sample rows of history; max(p,o,q) <= m <= R.
%
% Outputs, T-by-N:
%   e    the simulated residuals, e(t,j) = sqrt(ht(t,j)) * z(t,j), bit for bit.
%   ht   their conditional variances, within the filter's floor and ceiling.
%
% Each path is logvol_filter run on its history followed by its own residuals, formed step
% by step: ht(t,j) is the filter's variance from everything before step t (its bounds
% included), and then e(t,j) = sqrt(ht(t,j)) * z(t,j). So, with x = [history(:,j); e(:,j)]
% (or history(:,1)),
%   h = logvol_filter (x, parameters, backcast, upper_bound, p, o, q, m, numel (x))
% gives h(R+1:end) = ht(:,j) to the last bit, and ht(1,j) is the filter's next value after
% the history. Each exponential is the library's scalar exp, as in the filter.
%
% To continue a fitted sample, pass its residuals as the history with the fit's backcast,
% upper_bound and m: the first row of ht is then the one-step variance forecast.
%
% The paths run side by side in SIMD lanes; each lane does exactly the arithmetic of one
% path alone, so a path's bits do not depend on N or on its place among the paths.
%
% Scalar inputs are truncated toward zero: p, o, q and m to 32-bit integers.
%
% Errors:
%   "Nine inputs required."  the number of inputs is not nine.
%   "At most two outputs."   more than two outputs requested.
% Calls outside the inputs' contract are refused before any array is made, in this order:
%   "Input p must not be negative." (likewise o, q and m)
%   "Input m must be a finite number within the range of a 32-bit integer." (likewise p,
%       o and q)
%   "Input m must not be empty." (likewise every scalar input)
%   "Input z must be a real double array." (likewise history, parameters, backcast,
%       upper_bound)
%   "Input history must have one column or as many as z."
%   "Input m must not exceed the rows of history."
%   "Input m must be at least the largest of p, o and q."  when the paths have steps.
%   "Input backcast must have at least 1 element."
%   "Input parameters must have at least N elements."  when the paths have steps; likewise
%       upper_bound (1 element).
%   "The output is too large for the host."  T*N too large for the host.
%
% Example, 1000 paths of 250 steps continuing an EGARCH(1,1,1) fit:
%   fit = volfilter_fit ('logvol', e);
%   [e_paths, ht] = logvol_simulate (randn (250, 1000), fit.residuals, fit.parameters, ...
%                                    fit.backcast, fit.upper_bound, 1, 1, 1, fit.m);
%
% See also volfilter_simulate, volfilter_forecast, logvol_filter.
