% [parameters, covariance, robust_covariance, ht, scores, summary, start, active, names, constraint_names, residuals] = volfilter_estimate (model, E, p, o, q, type, constant, distribution, m, backcast_rule, backcast, upper_bound, start, max_evaluations, threads, mean_constant, ar_lags, ma_lags, x)
% Compiled fit: maximum likelihood of a variance model for each column of E, across threads.
%
% The whole fit behind volfilter_fit in compiled code, for one series or every column of a
% panel: the plan (see volfilter_plan), the start values, NLopt's SLSQP on the likelihood
% kernel with its exact gradient, restarts after undefined points, the Hessian from central
% differences of the gradient, the classical and sandwich covariances. The columns are fitted
% one a unit of work on up to `threads` threads that never call the host; each column's
% results are those of fitting it alone, to the last bit, whatever the number of threads.
% Built only where NLopt's library is found.
%
% Inputs: the first twelve as for volfilter_plan (E a T-by-N matrix, one series a column), then
%   start            [] for the default (of the nine candidates the best on the first 2000
%                    modelled observations), or k start values for every column.
%   max_evaluations  each optimiser run's limit, at least 1.
%   threads          the most threads to use, 0 for one a logical core (never more than the
%                    columns, nor four a logical core).
%   mean_constant, ar_lags, ma_lags, x   as for volfilter_plan (may be left out): E holds
%                    returns whose mean is fitted with the variance, x shared by every column.
%
% Outputs, one column a series (k parameters, C constraints):
%   parameters         k-by-N estimates (NaN where not fitted).
%   covariance         k*k-by-N: each column a k-by-k inverse Hessian of the total negative
%                      log-likelihood (reshape (covariance(:, j), k, k)); NaN where the Hessian
%                      is not positive definite.
%   robust_covariance  k*k-by-N: the sandwich, inverse Hessian * (S' * S) * inverse Hessian.
%   ht                 T-by-N variances at the estimates, rows 1..m the pre-sample value as a
%                      variance.
%   scores             T-by-k*N: columns (j-1)*k+1..j*k the scores S of series j.
%   summary            16-by-N, a row each: 1 status (0 fitted; 1 a value not finite, 2
%                      constant, 3 too few modelled observations, 4 no parameters, 5 start not
%                      of k values, 6 a start value outside its bounds, 7 start values breaking
%                      a constraint, 8 the likelihood not defined at the start, 9 nor at any
%                      default start, 10 no memory, 11 more than 1000 parameters, 12 squares
%                      that do not fit a double: a mean square outside [realmin/eps,
%                      eps*realmax]; 13 the mean's least-squares fit
%                      singular, 14 exact), 2 the negative log-likelihood, 3 converged (1 for
%                      NLopt's codes 1, 3, 4 with a finite likelihood), 4 NLopt's return code,
%                      5 the optimiser's evaluations, 6 its iterations (the improvements on the
%                      best value), 7 restarts, 8 the pre-sample value, 9 logvol's ceiling (NaN
%                      for the others), 10-12 what a status says more (1: the 1-based index
%                      and the value; 2: the value; 3: the least observations; 5: k; 6: the
%                      index, the lower and upper bound; 11: the most parameters; 12: the root
%                      mean square, 1 where it is too large and 0 where too small), 13-16 the
%                      likelihood's evaluations: value only of the series, of its head (the
%                      start candidates), with the gradient, with the scores.
%   start              k-by-N start values used.
%   active             C-by-N: 1 for each constraint active at the estimates (volfilter_plan).
%   names              k-by-L character codes of the parameters' names.
%   constraint_names   C-by-L2 character codes of the constraints' names.
%   residuals          T-by-N residuals at the estimates (with a mean, the mean
%                      likelihood's, 0 in rows 1..m; the series itself without).
% Outputs not requested are not made. A column that is not fitted has NaN results, its status
% and its detail.
%
% The optimiser: SLSQP on the negative log-likelihood per observation, in coordinates
% whitened by the scores at the start (theta = start + inv(R) * x with R' * R = S' * S / n,
% so that the objective's Hessian is near the identity, SLSQP's first model of it), the
% bounds, each linear and the nonlinear constraint with its gradient; where the scores at
% the start are singular, on the parameters divided by their scales (omega by its start
% value) instead. It stops when a step changes the objective by less than 1e-10 or every
% coordinate by less than 1e-9 of itself, or after max_evaluations; a run that met a point
% where the likelihood is not defined is begun again from the best point found, at most
% twice.
%
% Errors, before any array is made: "Fifteen or nineteen inputs required.", "At most eleven
% outputs.", those
% of volfilter_plan's inputs, "Input max_evaluations must be at least 1.", "Input threads
% must not be negative.", "Input start must be a real double array.", "Input E must not be
% empty.", "Not enough memory for the fit.", "The output is too large for the host."
%
% Example, GARCH(1,1) fits of three series on two threads:
%   E = randn (1000, 3);
%   [parameters, covariance, robust, ht, scores, summary] = ...
%       volfilter_estimate (0, E, 1, 0, 1, 2, 1, 0, 1, 0, [], [], [], 1000, 2);
%   parameters, summary(3, :)   % the estimates and whether each converged
%
% See also volfilter_fit, volfilter_plan, threshvol_nll.
