function fit = fit_compiled (model, e, options, code, inputs, mean)
% fit = fit_compiled (model, e, options, code, inputs, mean)
% Fits every column of E in one call of volfilter_estimate, the model given by its CODE and
% INPUTS and its MEAN's inputs (fit_module_inputs): start values, NLopt's SLSQP, restarts and
% standard errors in compiled code, the columns across options.threads threads (0: one a
% logical core). A refusal
% that concerns every column (the model, its orders, the start's length) is an error; one
% series that cannot be fitted is refused as volfilter_fit refuses it, a panel's column (a
% value not finite, constant, squares that do not fit a double, start values outside its bounds
% or undefined) gets its message and NaN results instead.
threads = options.threads;
if isempty (threads)
  threads = 0;
end
[r.parameters, r.covariance, r.robust, r.ht, r.scores, summary, r.start, active, codes, ...
 constraint_codes, r.residuals] = volfilter_estimate (code, e, inputs{:}, options.start, ...
                                                      options.max_evaluations, threads, mean{:});
names = fit_names (codes);
constraint_names = fit_names (constraint_codes);
N = size (e, 2);

% The rows of the summary (volfilter_estimate's help): status, nll, converged, NLopt's code,
% evaluations, iterations, restarts, backcast, upper_bound, three details.
status = summary(1, :);
r.message = cell (N, 1);
r.active = cell (N, 1);
% NLopt's words for the code that ended a column's run, looked up again only where the code
% is not the previous column's.
ended = NaN;
for j = 1:N
  if status(j) == 0
    if summary(4, j) ~= ended
      ended = summary(4, j);
      words = nlopt_message (ended);
    end
    r.message{j} = words;
  else
    r.message{j} = not_fitted (status(j), summary(10:12, j), j, e, options, names);
  end
  r.active{j} = constraint_names(active(:, j) ~= 0);
end
r.nll = summary(2, :);
r.converged = summary(3, :) ~= 0;
r.evaluations = summary(5, :);
r.iterations = summary(6, :);
r.restarts = summary(7, :);
r.backcast = summary(8, :);
r.upper_bound = summary(9, :);
fit = fit_result (model, options, 'compiled', names, e, r);
end

function message = not_fitted (status, detail, j, e, options, names)
% The message of column J, which the core did not fit (STATUS, its DETAIL); the refusal of
% the call where it concerns every column or E is one series.
[T, N] = size (e);
k = numel (names);
kinds = {'nonFiniteData', 'constantSeries', 'tooFewObservations', 'noParameters', ...
         'startLength', 'startOutside', 'startBreaks', 'startUndefined', 'undefined', ...
         'outOfMemory', 'tooManyParameters', 'badScale', 'meanSingular', 'meanExact'};
common = [3, 4, 5, 11];
kind = kinds{status};
switch kind
  case 'nonFiniteData'
    details = {detail(1), detail(2)};
  case 'constantSeries'
    details = {detail(1)};
  case 'badScale'
    details = {detail(1), detail(2) ~= 0};
  case 'tooFewObservations'
    details = {T, T - options.m, options.m, k, detail(1)};
  case 'tooManyParameters'
    details = {k, detail(1)};
  case 'startLength'
    details = {k, names};
  case 'startOutside'
    details = {names{detail(1)}, options.start(detail(1)), detail(2), detail(3)};
  otherwise
    details = {};
end
if N == 1 || any (status == common)
  fit_refuse (kind, details{:});
end
[~, text] = fit_error_text (kind, details{:});
message = sprintf ('not fitted (column %d): %s', j, text);
end
