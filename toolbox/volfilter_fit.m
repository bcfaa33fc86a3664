function fit = volfilter_fit (model, e, varargin)
% fit = volfilter_fit (model, e, name, value, ...)
% Fits a variance model to the residuals E by maximum likelihood, with classical and
% robust standard errors, in one call.
%
% model  'threshvol' (threshold GARCH), 'logvol' (exponential GARCH), 'shiftvol'
%        (asymmetric GARCH, shifted innovations) or 'intvol' (integrated GARCH): the
%        likelihood module <model>_nll computes the negative log-likelihood and its exact
%        gradient and scores; its filter <model>_filter tells what the parameters mean.
% e      the residuals (returns less their mean): a real vector of T finite values that
%        are not all equal, of a size whose squares a double holds with room to spare:
%        a root mean square from 1e-146 to 2e146 (outside, rescale the series; the fit
%        forms variances and their squares and products of that size).
%
% Options (name-value pairs, names in any case):
%   'p', 'o', 'q'   orders: lags of the data, of the asymmetric term and of the variance
%                   (default 1 each; 'o' only for threshvol and logvol, and intvol needs
%                   q >= 1). Whole numbers; each must leave observations to model (below
%                   T), and together with m leave at least 10 a parameter.
%   'type'          threshvol and intvol: 2 (default) for the variance form, 1 for the
%                   standard-deviation form (power 1); shiftvol: 1 (default) for a constant
%                   shift, 0 for a shift scaled by the conditional standard deviation.
%   'distribution'  'normal' (default) or 't' (Student's t scaled to unit variance; adds
%                   the degrees of freedom 'nu' as the last parameter).
%   'm'             the number of leading observations conditioned on (default the largest
%                   order); the likelihood sums over the n = T - m others.
%   'backcast'      the pre-sample value: 'ewma' (default), the exponentially weighted mean
%                   of the squared residuals from the start of the sample, weights
%                   0.94^(t-1); 'mean', their plain mean; or a number. Either mean is
%                   taken in the model's own units: a variance (threshvol and intvol under
%                   type 2, shiftvol), a standard deviation (its square root, type 1), a
%                   log variance (its logarithm, logvol). A number is used as given, in
%                   those units: a variance or standard deviation must be positive, and
%                   the variance it stands for (its square, its exponential) must fit a
%                   double.
%   'upper_bound'   logvol: the filter's ceiling on the variance (default 1000 times the
%                   largest squared residual).
%   'constant'      intvol: true (default) to estimate a constant omega, false for none.
%   'start'         start values, one per parameter in the order of fit.names; they must
%                   lie within the model's bounds and constraints. Default: of nine
%                   candidates (news coefficient 0.03, 0.08 or 0.15 by persistence 0.85,
%                   0.95 or 0.99, omega giving the sample's level, no asymmetry, nu = 8),
%                   the one with the highest likelihood on the first 2000 modelled
%                   observations.
%   'optimizer'     'auto' (default): NLopt's SLSQP when nlopt_optimize is on the path
%                   (Debian's octave-nlopt; NLopt's MATLAB interface), otherwise the host's
%                   own, sqp in Octave and fmincon in MATLAB. 'nlopt', 'sqp' or 'fmincon'
%                   choose one (fmincon untested: no MATLAB on the development machines).
%   'max_evaluations'  at most this many evaluations (for sqp: iterations), default 1000:
%                   a whole number of at least 1; above 2^31 - 1 (Inf among them) it is
%                   taken as 2^31 - 1, the most the optimisers count.
%   'display'       'off' (default) prints nothing; 'summary' prints the fit's summary
%                   table when it is done (help volfilter_summary).
%
% Parameters, in this order (indices from 1 for orders above 0, a family absent at order 0):
%   threshvol  omega, alpha1..p, gamma1..o, beta1..q
%   logvol     omega, alpha1..p, gamma1..o, beta1..q
%   shiftvol   omega, alpha1..p, gamma, beta1..q
%   intvol     omega (with a constant), alpha1..p, beta1..q-1 (beta q = 1 - the others)
%   then nu for Student's t.
%
% Constraints, as the optimiser's bounds and inequalities with their gradients, so that
% every point it tries is one where the model is defined:
%   threshvol  omega > 0, alpha >= 0, beta >= 0, alpha(j) + gamma(j) >= 0 (gamma(j) >= 0
%              without alpha(j)); sum(alpha) + sum(gamma)/2 + sum(beta) <= 1 - 1e-6.
%   logvol     |beta(j)| < 1, and sum(beta) <= 1 - 1e-6 with more than one; omega, alpha
%              and gamma within wide bounds.
%   shiftvol   omega > 0, alpha >= 0, beta >= 0; sum(alpha) + sum(beta) <= 1 - 1e-6 (type
%              1) or (1 + gamma^2) sum(alpha) + sum(beta) <= 1 - 1e-6 (type 0).
%   intvol     omega > 0, alpha >= 0, beta >= 0 and the implied beta q >= 0.
%   nu in [2.05, 500]. The lower bound of omega is 1e-8 of the sample's second moment in
%   the model's units, and every parameter has a finite upper bound (docs/fitting.md).
% Should the optimiser still meet a point where the likelihood is not defined (+Inf), it
% is started again from the best point found, at most twice (fit.restarts).
%
% Result, a struct:
%   parameters          k-by-1 estimates, named by names (k-by-1 cell of char)
%   std_errors          square roots of the diagonal of covariance, the inverse Hessian of
%                       the total negative log-likelihood (central differences of the
%                       exact gradient)
%   robust_std_errors   the same of robust_covariance, the sandwich inverse Hessian *
%                       (scores' * scores) * inverse Hessian
%   covariance, robust_covariance  k-by-k (NaN when the Hessian is not positive definite)
%   loglik, aic, bic    log-likelihood of the n modelled observations, -2 loglik + 2 k,
%                       -2 loglik + k log(n)
%   residuals           T-by-1 the residuals fitted (e as a column), which volfilter_forecast
%                       and volfilter_simulate continue
%   ht                  T-by-1 conditional variances (rows 1..m: the pre-sample variance)
%   std_residuals       T-by-1, e ./ sqrt(ht)
%   scores              T-by-k scores at the estimates (zero rows 1..m)
%   converged           true when the optimiser reports convergence
%   message             the optimiser's own words
%   optimizer           'nlopt', 'sqp' or 'fmincon'
%   iterations, evaluations, restarts  the optimiser's steps (NLopt does not count them:
%                       its accepted steps, the improvements on the best value, are
%                       counted), likelihood evaluations (the start and the standard
%                       errors not included), restarts after undefined points
%   model, p, o, q, type (logvol: []), distribution, m, n, T, backcast, upper_bound
%   (logvol; [] for the others), constant (intvol; [] for the others), start   the
%   inputs used
%   diagnostics         tests of the standardised residuals of the n modelled observations
%                       (rows m+1..T), each a struct of statistic, df and p_value (upper
%                       chi-square tails unless said otherwise):
%     ljung_box           Ljung-Box Q of z at lags 5, 10 and 20 (diagnostics.lags), df the
%                         lag: Q(L) = n (n+2) sum over k <= L of r(k)^2 / (n-k), r(k) the
%                         autocorrelation at lag k about the mean
%     ljung_box_squared   the same of z.^2, df the lag less the parameters of the variance
%                         recursion other than omega (nu not counted either), which the fit
%                         spent on making z.^2 uncorrelated; NaN where that leaves below 1
%     arch_lm             Engle's ARCH test at the same lags: (n - L) R^2 of z(t)^2 on a
%                         constant and z(t-1)^2 .. z(t-L)^2, df L
%     jarque_bera         n/6 (S^2 + (K-3)^2/4), df 2, with the skewness S and kurtosis K
%     sign_bias           z(t)^2 on a constant, S, S z(t-1) and (1-S) z(t-1), S = 1 where
%                         z(t-1) < 0: t statistics of the sign, negative size and positive
%                         size terms (two-sided normal p-values) and the joint test
%                         (n-1) R^2, df 3
%                       A statistic is NaN where the sample is too short for it. Large
%                       statistics (small p-values) say the model leaves autocorrelation,
%                       clustering of variance, fat tails or asymmetry unexplained.
%
% Warnings: 'volfilter:fit:notConverged' when the optimiser does not report convergence
% (fit.converged is then false), 'volfilter:fit:singularHessian' when the standard errors
% cannot be formed (they are NaN).
% Errors: volfilter:fit:unknownModel, volfilter:fit:badData (not a real vector),
% volfilter:fit:nonFiniteData, volfilter:fit:constantSeries, volfilter:fit:unknownOption,
% volfilter:fit:badScale (squares that do not fit a double), volfilter:fit:badOption,
% volfilter:fit:tooFewObservations (an order or m of T or more, or fewer than 10
% modelled observations per parameter; checked before anything is built for them),
% volfilter:fit:badStart, volfilter:fit:undefined (no default start value where the
% likelihood is defined), volfilter:fit:noOptimizer,
% volfilter:fit:missingModule.
%
% Nothing is kept between calls, so fits may run in parallel workers (parcellfun, parfor).
%
% Example, a GARCH(1,1) in variance form:
%   fit = volfilter_fit ('threshvol', e, 'o', 0);
%   [fit.parameters, fit.std_errors, fit.robust_std_errors]
%   volfilter_summary (fit)                    % the fit as one table, with the diagnostics
%   volfilter_plot (fit, 'file', 'fit.png')    % and as a figure
%
% See also volfilter_summary, volfilter_plot, threshvol_nll, logvol_nll, shiftvol_nll,
% intvol_nll, threshvol_filter.

if nargin < 2
  error ('volfilter:fit:badData', 'volfilter_fit: a model and residuals are required.');
end
models = {'threshvol', 'logvol', 'shiftvol', 'intvol'};
if ~(ischar (model) && isrow (model)) || ~any (strcmpi (model, models))
  error ('volfilter:fit:unknownModel', 'volfilter_fit: model must be one of %s.', ...
         strjoin (models, ', '));
end
model = lower (model);
e = fit_data (e);
options = fit_options (model, varargin);
T = numel (e);
fit_sample (model, options, T);

switch model
  case 'threshvol'
    plan = threshvol_plan (e, options);
  case 'logvol'
    plan = logvol_plan (e, options);
  case 'shiftvol'
    plan = shiftvol_plan (e, options);
  otherwise
    plan = intvol_plan (e, options);
end
if strcmp (options.distribution, 't')
  plan = add_student_t (plan);
end
k = numel (plan.names);
n = T - options.m;
module_name = func2str (plan.module);
if ~any (exist (module_name) == [2, 3]) %#ok<EXIST>
  error ('volfilter:fit:missingModule', ...
         'volfilter_fit: the likelihood module %s is not on the path.', module_name);
end
optimizer = choose_optimizer (options.optimizer);

start = fit_start (plan, e, options.start, options.m);
[theta, run, counts] = fit_optimise (plan, e, start, optimizer, options);

[nll, ~, scores, ht] = plan.module (e, theta, plan.arguments{:});
converged = run.converged && nll < Inf;
[covariance, robust] = fit_covariance (plan, e, theta, scores);
ht(1:options.m) = presample_variance (model, options.type, plan.backcast);

upper_bound = [];
constant = [];
if strcmp (model, 'logvol')
  upper_bound = plan.upper_bound;
elseif strcmp (model, 'intvol')
  constant = logical (options.constant);
end
fit = struct ('parameters', theta, 'names', {plan.names}, ...
              'std_errors', sqrt (diag (covariance)), ...
              'robust_std_errors', sqrt (diag (robust)), 'covariance', covariance, ...
              'robust_covariance', robust, 'loglik', -nll, 'aic', 2 * nll + 2 * k, ...
              'bic', 2 * nll + k * log (n), 'residuals', e, 'ht', ht, ...
              'std_residuals', e ./ sqrt (ht), ...
              'scores', scores, 'converged', converged, 'message', run.message, ...
              'optimizer', optimizer, 'iterations', counts.iterations, ...
              'evaluations', counts.evaluations, 'restarts', counts.restarts, ...
              'model', model, 'p', options.p, 'o', options.o, 'q', options.q, ...
              'type', options.type, 'distribution', options.distribution, 'm', options.m, ...
              'n', n, 'T', T, 'backcast', plan.backcast, 'upper_bound', upper_bound, ...
              'constant', constant, 'start', start);
fit.diagnostics = fit_diagnostics (fit.std_residuals(options.m + 1:end), plan.names);

if ~converged
  warning ('volfilter:fit:notConverged', ...
           'volfilter_fit: the %s fit did not converge (%s).', model, run.message);
end
if ~all (isfinite (covariance(:)))
  warning ('volfilter:fit:singularHessian', ...
           ['volfilter_fit: the Hessian of the %s fit is not positive definite at the ' ...
            'estimates; the standard errors are NaN.'], model);
end
if strcmp (options.display, 'summary')
  volfilter_summary (fit);
end
end

function optimizer = choose_optimizer (requested)
% The optimiser asked for, or for 'auto' NLopt where it is installed and the host's own
% otherwise; refused (volfilter:fit:noOptimizer) when the one asked for is absent.
is_octave = exist ('OCTAVE_VERSION', 'builtin') ~= 0;
has_nlopt = any (exist ('nlopt_optimize') == [2, 3]); %#ok<EXIST>
optimizer = requested;
if strcmp (requested, 'auto')
  if has_nlopt
    optimizer = 'nlopt';
  elseif is_octave
    optimizer = 'sqp';
  else
    optimizer = 'fmincon';
  end
end
available = (strcmp (optimizer, 'nlopt') && has_nlopt) ...
            || (strcmp (optimizer, 'sqp') && is_octave) ...
            || (strcmp (optimizer, 'fmincon') && ~is_octave ...
                && any (exist ('fmincon') == [2, 3, 5, 6])); %#ok<EXIST>
if ~available
  error ('volfilter:fit:noOptimizer', 'volfilter_fit: optimizer %s is not available here.', ...
         optimizer);
end
end

function value = presample_variance (model, type, backcast)
% The pre-sample value as a variance: the exponential of logvol's log variance, the square
% of the standard deviation of the power-1 forms, else the backcast itself.
if strcmp (model, 'logvol')
  value = exp (backcast);
elseif type == 1 && any (strcmp (model, {'threshvol', 'intvol'}))
  value = backcast ^ 2;
else
  value = backcast;
end
end
