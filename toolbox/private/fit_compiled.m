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
[T, N] = size (e);
k = numel (names);

% The rows of the summary (volfilter_estimate's help): status, nll, converged, NLopt's code,
% evaluations, iterations, restarts, backcast, upper_bound, three details.
status = summary(1, :);
detail = summary(10:12, :);
kinds = {'nonFiniteData', 'constantSeries', 'tooFewObservations', 'noParameters', ...
         'startLength', 'startOutside', 'startBreaks', 'startUndefined', 'undefined', ...
         'outOfMemory', 'tooManyParameters', 'badScale', 'meanSingular', 'meanExact'};
common = [3, 4, 5, 11];
r.message = cell (N, 1);
for j = 1:N
  if status(j) == 0
    r.message{j} = nlopt_message (summary(4, j));
    continue;
  end
  kind = kinds{status(j)};
  switch kind
    case 'nonFiniteData'
      details = {detail(1, j), detail(2, j)};
    case 'constantSeries'
      details = {detail(1, j)};
    case 'badScale'
      details = {detail(1, j), detail(2, j) ~= 0};
    case 'tooFewObservations'
      details = {T, T - options.m, options.m, k, detail(1, j)};
    case 'tooManyParameters'
      details = {k, detail(1, j)};
    case 'startLength'
      details = {k, names};
    case 'startOutside'
      details = {names{detail(1, j)}, options.start(detail(1, j)), detail(2, j), detail(3, j)};
    otherwise
      details = {};
  end
  if N == 1 || any (status(j) == common)
    fit_refuse (kind, details{:});
  end
  [~, text] = fit_error_text (kind, details{:});
  r.message{j} = sprintf ('not fitted (column %d): %s', j, text);
end

r.nll = summary(2, :);
r.converged = summary(3, :) ~= 0;
r.evaluations = summary(5, :);
r.iterations = summary(6, :);
r.restarts = summary(7, :);
r.backcast = summary(8, :);
r.upper_bound = summary(9, :);
r.active = cell (N, 1);
for j = 1:N
  r.active{j} = constraint_names(active(:, j) ~= 0);
end
fit = fit_result (model, options, 'compiled', names, e, r);
end
