function fit = fit_result (model, options, optimizer, names, e, r)
% fit = fit_result (model, options, optimizer, names, e, r)
% The result of volfilter_fit, an N-by-1 struct array for the N columns of E, from the
% pieces R gives column by column: parameters (k-by-N), covariance and robust (k*k-by-N), ht
% (T-by-N, the pre-sample rows the pre-sample variance), residuals (T-by-N; without the field,
% or without a mean, E's columns), scores (T-by-k*N), nll, converged, iterations,
% evaluations, restarts and backcast (1-by-N), upper_bound (1-by-N, logvol), start (k-by-N),
% message and active (N-by-1 cells, active a cell of constraint names each). Its diagnostics
% are [] (volfilter_fit computes them on request).
[T, N] = size (e);
k = numel (names);
n = T - options.m;
residuals = e;
if options.has_mean && isfield (r, 'residuals')
  residuals = r.residuals;
end
upper_bound = [];
if strcmp (model, 'logvol')
  upper_bound = r.upper_bound;
end
constant = [];
if strcmp (model, 'intvol')
  constant = logical (options.constant);
end
% The fields in order with their values: a value that differs from series to series has a
% column (or a k-by-k or T-by-k block) a series; struct takes such a value as the field of one
% series, and for a panel it is split into a cell of N below. The mean's lags and regressors
% are the same for every series, in a cell so that their shape is never taken for columns.
fields = {'parameters', r.parameters, 'names', {names}, ...
          'std_errors', sqrt(r.covariance(1:k + 1:k * k, :)), ...
          'robust_std_errors', sqrt(r.robust(1:k + 1:k * k, :)), ...
          'covariance', reshape(r.covariance, k, k, N), ...
          'robust_covariance', reshape(r.robust, k, k, N), 'loglik', -r.nll, ...
          'aic', 2 * r.nll + 2 * k, 'bic', 2 * r.nll + k * log(n), 'y', e, ...
          'residuals', residuals, 'ht', r.ht, 'std_residuals', residuals ./ sqrt(r.ht), ...
          'scores', reshape(r.scores, T, k, N), 'converged', r.converged, ...
          'message', r.message, 'active_constraints', r.active, 'optimizer', optimizer, ...
          'iterations', r.iterations, 'evaluations', r.evaluations, 'restarts', r.restarts, ...
          'model', model, 'p', options.p, 'o', options.o, 'q', options.q, ...
          'type', options.type, 'distribution', options.distribution, 'm', options.m, ...
          'n', n, 'T', T, 'backcast', r.backcast, 'upper_bound', upper_bound, ...
          'constant', constant, 'mean', options.mean, 'ar', {options.ar}, ...
          'ma', {options.ma}, 'x', {options.x}, 'start', r.start, 'diagnostics', []};
if N > 1
  % A numeric value whose last dimension counts the series, a column or block each.
  for i = 2:2:numel (fields)
    value = fields{i};
    if (isnumeric (value) || islogical (value)) && size (value, ndims (value)) == N
      if ndims (value) == 3
        fields{i} = reshape (num2cell (value, [1, 2]), N, 1);
      else
        fields{i} = num2cell (value, 1)';
      end
    end
  end
end
fit = struct (fields{:});
end
