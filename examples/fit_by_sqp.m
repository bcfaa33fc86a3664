function today = fit_by_sqp (kind, r, distribution)
% today = fit_by_sqp (kind, r, distribution)
% Fits returns R the way one did before volfilter_fit: Octave's sqp (forward differences)
% on a likelihood written in Octave around a filter module, standard errors from a numerical
% Hessian (ml_estimate in examples/private). Kept as the comparison for the demonstrations
% and the fit benchmark.
%
% kind          'garch' (threshvol_filter, p = 1, o = 0, q = 1), 'gjr' (threshvol_filter,
%               p = o = q = 1) or 'egarch' (logvol_filter, p = o = q = 1), all in variance
%               form with one pre-sample entry
% distribution  'normal' (default) or 't' (Student's t, nu appended)
% today         ml_estimate's result (estimate, std_error, loglik, info, status,
%               evaluations, hessian_evaluations) and
%                 seconds         the time of the fit with its standard errors
%                 model, options  the volfilter_fit call that maximises the same likelihood:
%                                 volfilter_fit (today.model, r, today.options{:})
%                 fit_loglik      the log-likelihood of the estimates on volfilter_fit's
%                                 basis, which leaves out the pre-sample observation that
%                                 loglik counts
%
% The pre-sample value is the mean of the squared returns (its log for egarch), the
% ceiling of egarch 1000 times the sample variance.
if nargin < 3 || isempty (distribution)
  distribution = 'normal';
end
r = r(:);
T = numel (r);
student = strcmp (distribution, 't');
data = r .^ 2;
switch kind
  case {'garch', 'gjr'}
    gjr = strcmp (kind, 'gjr');
    backcast = mean (data);
    asym_data = data .* (r < 0);
    o = double (gjr);
    filter = @(theta) threshvol_filter (data, asym_data, theta, backcast, 1, o, 1, 1, T, 2);
    % A positive constant, non-negative coefficients and a finite unconditional variance.
    start = [0.1 * backcast; 0.05; 0.05 * ones(o, 1); 0.85];
    lower = [1e-8; zeros(1 + o + 1, 1)];
    upper = [10 * backcast; ones(1 + o + 1, 1)];
    persistence = [0, 1, 0.5 * ones(1, o), 1];
    constraint = @(theta) 1 - 1e-6 - persistence * theta(1:2 + o + 1);
    module_nll = @(theta) threshvol_nll (r, theta, backcast, 1, o, 1, 1, 2, double (student));
    today.model = 'threshvol';
    today.options = {'o', o, 'backcast', backcast};
  case 'egarch'
    backcast = log (mean (data));
    upper_bound = 1000 * var (r);
    filter = @(theta) logvol_filter (r, theta, backcast, upper_bound, 1, 1, 1, 1, T);
    % |beta| < 1 keeps the log variance stationary.
    start = [0; 0.1; 0; 0.9];
    lower = [-5; 0; -1; -0.9999];
    upper = [5; 2; 1; 0.9999];
    constraint = [];
    module_nll = @(theta) logvol_nll (r, theta, backcast, upper_bound, 1, 1, 1, 1, ...
                                      double (student));
    today.model = 'logvol';
    today.options = {'backcast', backcast, 'upper_bound', upper_bound};
  otherwise
    error ('fit_by_sqp: no model %s', kind);
end
if student
  average_nll = @(theta) student_t_nll (r, filter (theta), theta(end));
  start(end + 1) = 8;
  lower(end + 1) = 2.05;
  upper(end + 1) = 500;
  today.options = [today.options, {'distribution', 't'}];
else
  average_nll = @(theta) gaussian_nll (r, filter (theta));
end

started = tic ();
estimated = ml_estimate (average_nll, T, start, lower, upper, constraint);
seconds = toc (started);
for name = fieldnames (estimated)'
  today.(name{1}) = estimated.(name{1});
end
today.seconds = seconds;
today.fit_loglik = -module_nll (today.estimate);
end
