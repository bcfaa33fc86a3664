function forecast = volfilter_forecast (fit, horizon, varargin)
% forecast = volfilter_forecast (fit, horizon, name, value, ...)
% Forecasts of the conditional variance E[h(T + k)], k = 1..horizon, after a fitted sample,
% analytic where the model has a closed form and from simulated or bootstrapped paths
% otherwise, with quantiles of the returns over each horizon (value at risk) on request.
%
% fit      a volfilter_fit result, or a struct array of them (a panel): a forecast each.
% horizon  a whole number of at least 1.
%
% Options (name-value pairs, names in any case):
%   'method'     'analytic': the recursion of the model's expectations (see below), for
%                threshvol and intvol of power 2 (type 2) and shiftvol of either form; the
%                default for them. 'simulation': the mean of the variances of 'paths'
%                paths continuing the sample with innovations of the fit's distribution;
%                the default for logvol and the forms of power 1. 'bootstrap': the same
%                with the fit's standardised residuals resampled (volfilter_simulate).
%                For every model and method the first step is exact: the variance the
%                filter gives the observation after the sample, bit for bit.
%   'paths'      simulated paths (default 10000).
%   'quantiles'  probabilities in (0, 1), for example [0.01 0.05]: the quantiles of the
%                per-step return y(T + k) and of the cumulative return y(T + 1) + ... +
%                y(T + k) over the simulated paths ('analytic' draws them from the fit's
%                distribution); the value at risk at level p is minus the quantile at p.
%   'origin'     'end' (default): from the end of the sample; 'all': analytic forecasts
%                from every date t = 1..T of the sample (row t: from the information up to
%                t, for backtesting; rows t < m, the observations conditioned on, NaN).
%
% Result, a struct (a struct array of the fits' size for a panel):
%   variance              horizon-by-1 (T-by-horizon for 'all') expected variances
%   std_error             horizon-by-1: the simulation's standard error of each mean,
%                         std (ht(k,:)) / sqrt (paths); 0 for the analytic forecasts and for
%                         the first step, which is exact
%   mean                  horizon-by-1 expected returns E[y(T + k)]: the fit's mean (mu, and
%                         its ar and ma terms continuing the fit's returns and residuals with
%                         no further shocks; 0 for a fit of residuals); NaN for a mean with
%                         regressors, whose values after the sample are not known ([] for
%                         'all')
%   quantiles             the probabilities asked for, a row ([] without)
%   return_quantiles      horizon-by-numel(quantiles): of the return y(T + k)
%   cumulative_quantiles  horizon-by-numel(quantiles): of y(T + 1) + ... + y(T + k)
%   method, origin, horizon, paths (simulated paths, 0 without), model
%
% The analytic forecasts: with the information up to T, each lagged term of the model's
% recursion at or before T is the value the filter holds, and each later one its
% expectation, which for the data is linear in the expected variance: E[e^2] = h;
% E[e^2 (e < 0)] = h / 2, the asymmetric term's expectation under the fitted normal or
% Student's t (both symmetric); E[(e - gamma)^2] = h + gamma^2 (shiftvol, type 1);
% E[(e - gamma sqrt(h))^2] = (1 + gamma^2) h (type 0). For stationary models the
% forecasts approach the unconditional variance at the rate of the persistence. Where
% the exponential of logvol or the square of the forms of power 1 leave no closed form,
% 'analytic' is refused beyond the first step.
%
% Errors: volfilter:forecast:badFit (not a fit: missing fields, an unknown model),
% volfilter:forecast:noSample (a fit that holds no residuals), volfilter:forecast:badCount
% (horizon or paths not a whole number of at least 1), volfilter:forecast:unknownOption,
% volfilter:forecast:badOption, volfilter:forecast:badQuantiles (not within (0, 1)),
% volfilter:forecast:noAnalytic, volfilter:forecast:meanModel (quantiles of a mean with
% regressors), volfilter:forecast:missingModule, volfilter:forecast:tooLarge (paths or
% forecasts that this process cannot hold in memory: refused before any is made).
%
% Example, 20 days after a GARCH(1,1) fit, and the 1 % value at risk of the 20-day return:
%   fit = volfilter_fit ('threshvol', e, 'o', 0);
%   forecast = volfilter_forecast (fit, 20, 'quantiles', 0.01);
%   [forecast.variance, -forecast.cumulative_quantiles]
%
% See also volfilter_simulate, volfilter_fit.
caller = 'volfilter_forecast';
id = 'volfilter:forecast';
if nargin < 2
  error ([id ':badFit'], '%s: a fit and a horizon are required.', caller);
end
if ~isstruct (fit) || isempty (fit)
  error ([id ':badFit'], '%s: the fit must be a volfilter_fit result.', caller);
end
horizon = simulate_count (horizon, 'horizon', 1, id, caller);
options = struct ('method', '', 'paths', 10000, 'quantiles', [], 'origin', 'end');
[options, given] = simulate_options (varargin, options, id, caller);
options = check_options (options, given, id, caller);

for i = 1:numel (fit)
  % A panel's refusals name the fit they are about.
  who = caller;
  if numel (fit) > 1
    who = sprintf ('%s: fit(%d)', caller, i);
  end
  forecast(i) = forecast_one (simulate_model (fit(i), id, who), horizon, options, id, who);
end
forecast = reshape (forecast, size (fit));
end

function forecast = forecast_one (spec, horizon, options, id, caller)
% The forecast of one checked fit.
if ~spec.has_sample
  error ([id ':noSample'], ...
         '%s: the fit holds no sample to forecast from (residuals, m, backcast).', caller);
end
for module = {[spec.model '_filter'], [spec.model '_simulate']}
  if exist (module{1}) ~= 3 %#ok<EXIST>
    error ([id ':missingModule'], '%s: the module %s is not on the path.', caller, module{1});
  end
end
moments = model_moments (spec);
method = options.method;
if isempty (method)
  method = 'simulation';
  if moments.analytic || strcmp (options.origin, 'all')
    method = 'analytic';
  end
end
if strcmp (method, 'analytic') && ~moments.analytic && horizon > 1
  kind = spec.model;
  if ~strcmp (kind, 'logvol')
    kind = sprintf ('%s of power 1', kind);
  end
  error ([id ':noAnalytic'], ['%s: the %s model has no analytic forecast beyond the first ' ...
                              'step; use ''method'', ''simulation'' or ''bootstrap''.'], ...
         caller, kind);
end
if strcmp (method, 'bootstrap') && isempty (spec.std_residuals)
  error ([id ':noResiduals'], '%s: the fit holds no standardised residuals to resample.', caller);
end
% The arrays at the peak: six of horizon-by-paths for paths (the innovations, residuals
% and variances, the kept steps, the sorted returns for quantiles) and six of
% horizon-by-quantiles (the two results, the interpolation's terms); three of the forecasts
% for the analytic ones, T-by-horizon from every date.
simulated = ~strcmp (method, 'analytic') || ~isempty (options.quantiles);
if strcmp (options.origin, 'all')
  simulate_memory (3 * numel (spec.residuals) * horizon, ...
                   sprintf ('forecasts of %d steps from %d dates', horizon, ...
                            numel (spec.residuals)), 'forecast fewer steps', id, caller);
elseif simulated
  levels = numel (options.quantiles);
  what = sprintf ('%d paths of %d steps', options.paths, horizon);
  if levels > 0
    what = sprintf ('%s and %d quantiles of each', what, levels);
  end
  simulate_memory (6 * horizon * (options.paths + levels), what, ...
                   'simulate fewer paths or forecast fewer steps', id, caller);
else
  simulate_memory (3 * horizon, sprintf ('forecasts of %d steps', horizon), ...
                   'forecast fewer steps', id, caller);
end

forecast = struct ('variance', [], 'std_error', zeros (horizon, 1), 'mean', [], ...
                   'quantiles', options.quantiles, 'return_quantiles', [], ...
                   'cumulative_quantiles', [], 'method', method, 'origin', options.origin, ...
                   'horizon', horizon, 'paths', 0, 'model', spec.model);
if strcmp (options.origin, 'all')
  forecast.variance = forecast_analytic (spec, moments, horizon, true);
  forecast.std_error = zeros (size (forecast.variance));
  return;
end

forecast.mean = NaN (horizon, 1);
if ~any (strncmp (spec.mean_names, 'x', 1))
  [~, forecast.mean] = simulate_mean (spec, zeros (horizon, 1), 'end', id, caller);
end
sim = [];
if simulated
  distribution = 'fitted';
  if strcmp (method, 'bootstrap')
    distribution = 'bootstrap';
  end
  settings = struct ('origin', 'end', 'burn_in', 0, 'distribution', distribution, 'z', [], ...
                     'backcast', []);
  sim = simulate_paths (spec, horizon, options.paths, settings, id, caller);
  forecast.paths = options.paths;
end
if strcmp (method, 'analytic')
  forecast.variance = forecast_analytic (spec, moments, horizon, false)';
else
  % Every path's first variance is the filter's next value; the mean of equal values need
  % not be that value to the last bit, so it is taken as it is.
  forecast.variance = mean (sim.ht, 2);
  forecast.variance(1) = sim.ht(1, 1);
  forecast.std_error = std (sim.ht, 0, 2) / sqrt (options.paths);
  forecast.std_error(1) = 0;
end
if ~isempty (options.quantiles)
  y = simulate_mean (spec, sim.e, 'end', id, caller);
  forecast.return_quantiles = forecast_quantiles (y, options.quantiles);
  forecast.cumulative_quantiles = forecast_quantiles (cumsum (y, 1), options.quantiles);
end
end

function options = check_options (options, given, id, caller)
% The forecast's options checked.
method = options.method;
if any (strcmp (given, 'method')) && ~(ischar (method) ...
    && any (strcmpi (method, {'analytic', 'simulation', 'bootstrap'})))
  error ([id ':badOption'], ...
         '%s: method must be ''analytic'', ''simulation'' or ''bootstrap''.', caller);
end
options.method = lower (method);
options.paths = simulate_count (options.paths, 'paths', 1, id, caller);
if ~(ischar (options.origin) && any (strcmpi (options.origin, {'end', 'all'})))
  error ([id ':badOption'], '%s: origin must be ''end'' or ''all''.', caller);
end
options.origin = lower (options.origin);
q = options.quantiles;
if ~(isnumeric (q) && isreal (q) && (isvector (q) || isempty (q)) && all (q > 0 & q < 1))
  error ([id ':badQuantiles'], '%s: quantiles must be probabilities within (0, 1).', caller);
end
options.quantiles = double (full (q(:)'));
if strcmp (options.origin, 'all')
  if ~isempty (options.quantiles)
    error ([id ':badOption'], ['%s: quantiles come from paths after the end of the sample; ' ...
                               'origin ''all'' gives analytic variance forecasts only.'], caller);
  end
  if ~isempty (options.method) && ~strcmp (options.method, 'analytic')
    error ([id ':badOption'], '%s: origin ''all'' gives analytic forecasts only.', caller);
  end
end
end
