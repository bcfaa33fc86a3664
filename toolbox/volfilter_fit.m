function fit = volfilter_fit (model, e, varargin)
% fit = volfilter_fit (model, e, name, value, ...)
% Fits a variance model to the residuals E by maximum likelihood, with classical and
% robust standard errors, in one call; a panel (one series a column) in one call across
% threads. With a mean ('mean', 'ar', 'ma', 'x'), E holds returns y and the mean is
% estimated with the variance in one likelihood.
%
% model  'threshvol' (threshold GARCH), 'logvol' (exponential GARCH), 'shiftvol'
%        (asymmetric GARCH, shifted innovations) or 'intvol' (integrated GARCH): the
%        likelihood module <model>_nll computes the negative log-likelihood and its exact
%        gradient and scores; its filter <model>_filter tells what the parameters mean.
% e      the residuals (returns less their mean), or with a mean the returns y: a real
%        vector of T finite values that are not all equal, of a size whose squares a
%        double holds with room to spare: a root mean square from 1e-146 to 2e146
%        (outside, rescale the series; the fit forms variances and their squares and
%        products of that size). Or a T-by-N matrix of N >= 2 series, one a column,
%        each fitted alone (the result is then N-by-1). A column that cannot be fitted (a
%        value that is not finite, a constant column, squares that do not fit a double, no
%        start value where the likelihood is defined, a start outside its bounds) gets its
%        own message and NaN results; the others go on.
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
%                   order, and of the mean's lags); the likelihood sums over the n = T - m
%                   others.
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
%   'optimizer'     'auto' (default): 'compiled' where volfilter_estimate is built (the
%                   whole fit in compiled code: NLopt's SLSQP through NLopt's C library on the
%                   likelihood kernels, no host call inside the loop), else NLopt's SLSQP when
%                   nlopt_optimize is on the path (Debian's octave-nlopt; NLopt's MATLAB
%                   interface), otherwise the host's own, sqp in Octave and fmincon in
%                   MATLAB. 'compiled', 'nlopt', 'sqp' or 'fmincon' choose one (fmincon
%                   untested: no MATLAB on the development machines). Every optimiser works
%                   on the same plan, from the compiled core (volfilter_plan).
%   'max_evaluations'  at most this many evaluations (for sqp: iterations), default 1000:
%                   a whole number of at least 1; above 2^31 - 1 (Inf among them) it is
%                   taken as 2^31 - 1, the most the optimisers count.
%   'threads'       a panel's columns are fitted on at most this many threads (default the
%                   machine's logical cores): a whole number of at least 1, never more than
%                   the columns nor four a logical core in effect; the results do not depend
%                   on it. Only the compiled fit uses threads: the others fit the columns one
%                   after another.
%   'diagnostics'   true to compute the tests of the standardised residuals into
%                   fit.diagnostics (default false: they cost about as much as a compiled
%                   fit; volfilter_summary computes them when the fit has none).
%   'display'       'off' (default) prints nothing; 'summary' prints the fit's summary
%                   table when it is done (help volfilter_summary), and computes the
%                   diagnostics into the fit as 'diagnostics', true does.
%
% The mean (the series is then the returns y, and e(t) the residuals of its mean):
%   'mean'          'zero' (default without terms): y is taken as residuals, e = y, as
%                   without the option; 'constant': a constant mu (the default once 'ar',
%                   'ma' or 'x' is given). 'zero' with terms leaves the constant out. (The
%                   option 'constant' is intvol's variance constant omega, not the mean's.)
%   'ar', 'ma'      lists of lags, whole numbers of at least 1, each at most once (default
%                   none), in the order of their coefficients: lags 1 and 4 give ar1 and
%                   ar4. The residuals are lagreg_residuals' (sigma = 1):
%                     e(t) = y(t) - mu - sum_j ar_j y(t - a_j) - sum_j x_j x(t, j)
%                            - sum_j ma_j e(t - b_j),   e(t) = 0 for t <= m.
%   'x'             a T-by-k matrix of finite regressors (one row per observation, shared
%                   by every column of a panel), coefficients x1..xk.
%   The variance model runs on e as it runs on residuals. m (default: the largest of the
%   orders and the mean's lags; at least that) observations are conditioned on: their
%   residuals are 0 and they enter the mean only as lagged returns. Start values: the
%   least-squares fit of y on the constant, the lagged returns and x over the modelled
%   observations, the ma coefficients 0 (an explosive ar start is halved into the region
%   below); the pre-sample value, the level (omega's bounds and start) and logvol's
%   ceiling come from the residuals at those start values after the first m, and stay
%   fixed during the fit, so that the likelihood optimised is the mean likelihood
%   module's at every point (docs/fitting.md).
%
% Parameters, in this order (indices from 1 for orders above 0, a family absent at order 0):
%   threshvol  omega, alpha1..p, gamma1..o, beta1..q
%   logvol     omega, alpha1..p, gamma1..o, beta1..q
%   shiftvol   omega, alpha1..p, gamma, beta1..q
%   intvol     omega (with a constant), alpha1..p, beta1..q-1 (beta q = 1 - the others)
%   then nu for Student's t. With a mean, its block comes first: mu (with a constant),
%   ar<lag> in the order of 'ar', x1..xk, ma<lag> in the order of 'ma' (the layout of
%   lagreg_residuals and the <model>_mean_nll modules). A fit takes at most 1000
%   parameters.
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
%   The mean: mu within 100 root mean squares of y, x_j within 100 rms(y)/rms(x_j); ar and
%   ma: a family of one lag within 1 - 1e-6 (its whole stationarity or invertibility
%   condition); of several, the largest lag's coefficient within 1 - 1e-6, each other's
%   within the binomial coefficient C(L, lag) (L the largest lag), and the polynomial
%   1 - sum ar z^lag (1 + sum ma z^lag) positive at z = 1 and, where a lag is odd, at
%   z = -1 ('ar stationarity (z = 1)', 'ma invertibility (z = -1)'): the whole region for
%   lags 1 and 2, necessary conditions beyond (the roots are not checked).
% Should the optimiser still meet a point where the likelihood is not defined (+Inf), it
% is started again from the best point found, at most twice (fit.restarts).
%
% Result, a struct (N-by-1 for a panel, one element a column):
%   parameters          k-by-1 estimates, named by names (k-by-1 cell of char)
%   std_errors          square roots of the diagonal of covariance, the inverse Hessian of
%                       the total negative log-likelihood (central differences of the
%                       exact gradient)
%   robust_std_errors   the same of robust_covariance, the sandwich inverse Hessian *
%                       (scores' * scores) * inverse Hessian
%   covariance, robust_covariance  k-by-k (NaN when the Hessian is not positive definite)
%   loglik, aic, bic    log-likelihood of the n modelled observations, -2 loglik + 2 k,
%                       -2 loglik + k log(n)
%   y                   T-by-1 the series fitted (the returns with a mean; e otherwise)
%   residuals           T-by-1 the residuals fitted (e as a column; with a mean, those of the
%                       mean at the estimates, 0 in rows 1..m), which volfilter_forecast and
%                       volfilter_simulate continue
%   ht                  T-by-1 conditional variances (rows 1..m: the pre-sample variance)
%   std_residuals       T-by-1, residuals ./ sqrt(ht)
%   scores              T-by-k scores at the estimates (zero rows 1..m)
%   converged           true when the optimiser reports convergence
%   message             the optimiser's own words (NLopt's for 'compiled' and 'nlopt'); for
%                       a panel's column that was not fitted, why ("not fitted (column 3):
%                       e must hold finite values; e(17) is NaN.")
%   active_constraints  column cell of the names of the bounds and constraints active at the
%                       estimates ({} for none): a bound within 1e-6 of the parameter's scale
%                       (omega: the sample's mean square in the model's units; the shift of
%                       type 1: the sample's standard deviation; nu: 10; the others: 1), a
%                       linear or nonlinear constraint within 1e-6 of its limit. The names:
%                       'alpha1 >= 0', 'beta1 <= 1', 'gamma1 >= -1', 'omega >= 1e-8 level',
%                       'omega <= 10 level', 'gamma >= -10 sd', 'beta1 <= 1 - 1e-6',
%                       'nu >= 2.05', 'nu <= 500', 'stationarity', 'alpha1 + gamma1 >= 0',
%                       'implied beta2 >= 0' (level: the mean square in the model's units; sd:
%                       the sample's standard deviation). The standard errors are computed as
%                       everywhere else, but at a boundary they are not reliable: the
%                       estimate's distribution is not normal there.
%   optimizer           'compiled', 'nlopt', 'sqp' or 'fmincon'
%   iterations, evaluations, restarts  the optimiser's steps (NLopt does not count them:
%                       its accepted steps, the improvements on the best value, are
%                       counted), likelihood evaluations (the start and the standard
%                       errors not included), restarts after undefined points
%   model, p, o, q, type (logvol: []), distribution, m, n, T, backcast, upper_bound
%   (logvol; [] for the others), constant (intvol; [] for the others), mean ('zero' or
%   'constant'), ar, ma (the lag lists, [] for none), x ([] for none), start   the
%   inputs used
%   diagnostics         [] unless asked for ('diagnostics', true, or 'display', 'summary'):
%                       the tests take about 0.5 ms a series in Octave, more than a whole
%                       compiled fit, so a fit computes them only on request, and
%                       volfilter_summary (fit) shows them always, computing them where the
%                       fit has none. Asked for, the tests of the standardised residuals of
%                       the n modelled observations (rows m+1..T), each a struct of
%                       statistic, df and p_value (upper chi-square tails unless said
%                       otherwise):
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
% Warnings, at most one of each for a call: 'volfilter:fit:atBoundary' naming the active
% constraints, 'volfilter:fit:notConverged' when the optimiser does not report convergence
% (fit.converged is then false), 'volfilter:fit:singularHessian' when the standard errors
% cannot be formed (they are NaN). A panel: one warning counting its columns on a boundary,
% and one counting those that did not converge or have no standard errors
% ('volfilter:fit:notConverged' when any did not converge).
% Errors: volfilter:fit:unknownModel, volfilter:fit:badData (not a real vector or matrix, a
% complex or non-numeric E), volfilter:fit:nonFiniteData, volfilter:fit:constantSeries,
% volfilter:fit:badScale (squares that do not fit a double), volfilter:fit:unknownOption,
% volfilter:fit:badOption (also no parameter to estimate, more than 1000),
% volfilter:fit:tooFewObservations (an order or m of T or more, or fewer than 10 modelled
% observations per parameter; checked before anything is built for them),
% volfilter:fit:badStart, volfilter:fit:undefined (no default start value where the
% likelihood is defined), volfilter:fit:meanSingular (the least-squares fit of the mean is
% singular: collinear regressors, a regressor of zeros or one beside the constant),
% volfilter:fit:meanExact (the mean fits y exactly), volfilter:fit:outOfMemory,
% volfilter:fit:noOptimizer, volfilter:fit:missingModule. For a panel, what concerns every column (the options, the
% orders, the lags and m against T, a start of the wrong length) is an error; what
% concerns one column (its values, its scale, its start values, its mean's least-squares
% fit) is its message.
%
% Nothing is kept between calls, so fits may run in parallel workers (parcellfun, parfor).
%
% Example, a GARCH(1,1) in variance form, then of each column of a T-by-N panel E:
%   fit = volfilter_fit ('threshvol', e, 'o', 0);
%   [fit.parameters, fit.std_errors, fit.robust_std_errors]
%   volfilter_summary (fit)                    % the fit as one table, with the diagnostics
%   volfilter_plot (fit, 'file', 'fit.png')    % and as a figure
%   fits = volfilter_fit ('threshvol', E, 'o', 0);   % N-by-1
%   [fits.parameters]                                 % k-by-N
% and an AR(1)-GARCH(1,1) of returns y, a constant and the AR term estimated with it:
%   fit = volfilter_fit ('threshvol', y, 'o', 0, 'ar', 1);   % mu, ar1, omega, alpha1, beta1
%
% See also volfilter_summary, volfilter_plot, volfilter_estimate, volfilter_plan,
% threshvol_nll, logvol_nll, shiftvol_nll, intvol_nll, threshvol_filter.

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
[code, inputs, mean] = fit_module_inputs (model, options);
fit_sample (options, size (e, 1), code, inputs);
optimizer = choose_optimizer (options.optimizer);

if strcmp (optimizer, 'compiled')
  fit = fit_compiled (model, e, options, code, inputs, mean);
elseif size (e, 2) == 1
  fit = fit_fallback (model, e, options, optimizer);
else
  fit = fallback_panel (model, e, options, optimizer);
end
summary = strcmp (options.display, 'summary');
if options.diagnostics || summary
  fit = with_diagnostics (fit, options.m);
end
fit_warnings (fit);
if summary
  volfilter_summary (fit);
end
end

function fit = with_diagnostics (fit, m)
% The tests of the standardised residuals of each column's n modelled observations, in one
% call for a panel.
z = [fit.std_residuals];
diagnostics = num2cell (fit_diagnostics (z(m + 1:end, :), fit(1).names));
[fit.diagnostics] = diagnostics{:};
end

function fit = fallback_panel (model, e, options, optimizer)
% The columns of a panel one after the other with the host's optimiser; a column that cannot
% be fitted gets its message and NaN results, as in the compiled fit.
[T, N] = size (e);
columns = cell (N, 1);
names = {};
for j = 1:N
  try
    columns{j} = fit_fallback (model, fit_data (e(:, j)), options, optimizer);
  catch failure
    of_column = any (strcmp (failure.identifier, {'volfilter:fit:nonFiniteData', ...
                                                  'volfilter:fit:constantSeries', ...
                                                  'volfilter:fit:badScale', ...
                                                  'volfilter:fit:meanSingular', ...
                                                  'volfilter:fit:meanExact', ...
                                                  'volfilter:fit:undefined'})) ...
                || (strcmp (failure.identifier, 'volfilter:fit:badStart') ...
                    && isempty (strfind (failure.message, 'must have')));
    if ~of_column
      rethrow (failure);
    end
    if isempty (names)
      % The names do not depend on the data.
      outline = fit_plan (model, ones (T, 1), options);
      names = outline.names;
    end
    text = failure.message(numel ('volfilter_fit: ') + 1:end);
    columns{j} = not_fitted (model, options, optimizer, names, e(:, j), ...
                             sprintf ('not fitted (column %d): %s', j, text));
  end
end
fit = vertcat (columns{:});
end

function fit = not_fitted (model, options, optimizer, names, e, message)
% A column's result with NaN for everything the fit would have given.
k = numel (names);
T = numel (e);
start = NaN (k, 1);
if numel (options.start) == k
  start = options.start;
end
r = struct ('parameters', NaN (k, 1), 'covariance', NaN (k * k, 1), 'robust', NaN (k * k, 1), ...
            'ht', NaN (T, 1), 'residuals', NaN (T, 1), 'scores', NaN (T, k), 'nll', NaN, ...
            'converged', false, ...
            'iterations', NaN, 'evaluations', NaN, 'restarts', NaN, 'backcast', NaN, ...
            'upper_bound', NaN, 'start', start);
r.message = {message};
r.active = {cell(0, 1)};
fit = fit_result (model, options, optimizer, names, e, r);
end

function optimizer = choose_optimizer (requested)
% The optimiser asked for, or for 'auto' the compiled fit where volfilter_estimate is built,
% else NLopt where it is installed, else the host's own; refused (volfilter:fit:noOptimizer)
% when the one asked for is absent.
if any (strcmp (requested, {'auto', 'compiled'})) && exist ('volfilter_estimate') == 3 %#ok<EXIST>
  optimizer = 'compiled';
  return;
end
is_octave = exist ('OCTAVE_VERSION', 'builtin') ~= 0;
has_compiled = exist ('volfilter_estimate') == 3; %#ok<EXIST>
has_nlopt = any (exist ('nlopt_optimize') == [2, 3]); %#ok<EXIST>
optimizer = requested;
if strcmp (requested, 'auto')
  if has_compiled
    optimizer = 'compiled';
  elseif has_nlopt
    optimizer = 'nlopt';
  elseif is_octave
    optimizer = 'sqp';
  else
    optimizer = 'fmincon';
  end
end
available = (strcmp (optimizer, 'compiled') && has_compiled) ...
            || (strcmp (optimizer, 'nlopt') && has_nlopt) ...
            || (strcmp (optimizer, 'sqp') && is_octave) ...
            || (strcmp (optimizer, 'fmincon') && ~is_octave ...
                && any (exist ('fmincon') == [2, 3, 5, 6])); %#ok<EXIST>
if ~available
  error ('volfilter:fit:noOptimizer', 'volfilter_fit: optimizer %s is not available here.', ...
         optimizer);
end
end
