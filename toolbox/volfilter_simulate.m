function sim = volfilter_simulate (varargin)
% sim = volfilter_simulate (fit, T, N, name, value, ...)
% sim = volfilter_simulate (model, parameters, T, N, name, value, ...)
% N simulated paths of T observations of a fitted variance model, or of a model given by
% its parameters, all at once by the model's compiled simulation module (threshvol_simulate
% and the others: each path bit for bit the model's filter continued).
%
% fit         a volfilter_fit result, or a struct array of them (a panel): a result each.
% model       'threshvol', 'logvol', 'shiftvol' or 'intvol', with parameters in
%             volfilter_fit's order (nu last for Student's t; see help volfilter_fit).
% T, N        whole numbers of at least 1: observations per path and paths.
%
% Options (name-value pairs, names in any case):
%   'origin'        with a fit: 'end' (default): the paths continue the fitted sample (its
%                   residuals, with the fit's pre-sample rule), so that the first variance
%                   of every path is the filter's next value, the one-step forecast;
%                   'unconditional': the paths start from the model's unconditional level
%                   (below). With a model: 'unconditional' only.
%   'burn_in'       with 'unconditional': steps run first and dropped (default 500).
%   'distribution'  with a fit: 'fitted' (default), the fit's own distribution, or
%                   'bootstrap', the fit's standardised residuals after its m conditioned
%                   observations drawn with replacement, as they are. With a model:
%                   'normal' (default) or 't' (nu the last parameter).
%   'z'             the standardised innovations themselves, (burn_in + T)-by-N finite
%                   values, in place of drawn ones.
%   'p', 'o', 'q', 'type', 'constant'   with a model: as volfilter_fit takes them, with its
%                   defaults.
%   'upper_bound'   with a logvol model: the ceiling on the variance (default Inf).
%   'backcast'      with 'unconditional': the level to start from, in the model's units (a
%                   variance; a standard deviation under type 1; a log variance for logvol),
%                   in place of the unconditional one; needed where the model has none
%                   (intvol of power 2, a model that is not stationary).
%
% Result, a struct (a struct array of the fits' size for a panel):
%   e     T-by-N simulated residuals, e = sqrt (ht) .* z bit for bit
%   y     T-by-N returns: e with the fit's mean where it has one (a fit of residuals has
%         none: y = e; a constant mean mu gives y = mu + e; ar and ma terms continue the
%         fit's returns fit.y and residuals at the end of the sample, y(t) = mu +
%         sum ar_j y(t - lag_j) + e(t) + sum ma_j e(t - lag_j), and start from the mean's
%         unconditional level mu / (1 - sum(ar)) with no past residuals from the
%         unconditional origin)
%   ht    T-by-N conditional variances
%   z     T-by-N standardised innovations of the kept steps
%   model, origin, distribution, burn_in   what was simulated
%
% The unconditional origin: the pre-sample value at the model's unconditional level (its
% E[h]; E[s] under type 1; E[log h] for logvol, bounds aside: see model moments in
% docs/forecasting.md), max(p,o,q) pre-sample residuals sqrt(level) * z drawn for each path
% from the same distribution, then burn_in steps that are dropped. Where the expectations
% of the model are linear (threshvol and intvol of power 2, shiftvol), the expected
% variance is then the unconditional one at every step.
%
% Draws: randn, with randg for Student's t and randi for the bootstrap; set their states
% (in Octave randn ('state', s), randg ('state', s), rand ('state', s); in MATLAB rng (s))
% to draw the same paths again.
%
% Errors: volfilter:simulate:badFit (not a fit: missing fields, an unknown model),
% volfilter:simulate:unknownModel, volfilter:simulate:badCount (T, N or burn_in not a whole
% number of at least 1, 1 and 0), volfilter:simulate:unknownOption,
% volfilter:simulate:badOption, volfilter:simulate:badInnovations (z not finite, or not
% (burn_in + T)-by-N), volfilter:simulate:noSample (origin 'end' with a fit that holds no
% sample), volfilter:simulate:noResiduals (bootstrap without standardised residuals),
% volfilter:simulate:noUnconditional, volfilter:simulate:meanModel (a mean with regressors,
% whose values after the sample are not known, or ar terms without the fit's returns),
% volfilter:simulate:missingModule, volfilter:simulate:tooLarge (paths that this process
% cannot hold in memory: refused before any is made).
%
% Example, 10000 paths of 250 days after a GARCH(1,1) fit, and their 1 % quantile:
%   fit = volfilter_fit ('threshvol', e, 'o', 0);
%   sim = volfilter_simulate (fit, 250, 10000);
%   sorted = sort (sum (sim.y, 1));  value_at_risk = -sorted(100)
%
% See also volfilter_forecast, volfilter_fit, threshvol_simulate.
caller = 'volfilter_simulate';
id = 'volfilter:simulate';
if nargin >= 1 && ischar (varargin{1})
  if nargin < 4
    error ([id ':badOption'], '%s: a model, its parameters, T and N are required.', caller);
  end
  [fits, settings] = model_form (varargin{1}, varargin{2}, varargin(5:end), id, caller);
  T = varargin{3};
  N = varargin{4};
  rest = {};
  from_model = true;
else
  if nargin < 3
    error ([id ':badFit'], '%s: a fit, T and N are required.', caller);
  end
  fits = varargin{1};
  if ~isstruct (fits) || isempty (fits)
    error ([id ':badFit'], '%s: the fit must be a volfilter_fit result.', caller);
  end
  T = varargin{2};
  N = varargin{3};
  rest = varargin(4:end);
  settings = struct ('origin', 'end', 'burn_in', [], 'distribution', 'fitted', 'z', [], ...
                     'backcast', []);
  from_model = false;
end
T = simulate_count (T, 'T', 1, id, caller);
N = simulate_count (N, 'N', 1, id, caller);
[settings, given] = simulate_options (rest, settings, id, caller);
settings = check_settings (settings, given, from_model, T, N, id, caller);
% At the peak of a path set, five arrays of its (burn_in + T)-by-N steps (the innovations,
% the module's residuals and variances, the kept steps of each), beside the four T-by-N
% arrays of each result made before it (e, y, ht, z).
steps = settings.burn_in + T;
simulate_memory (N * (5 * steps + 4 * T * (numel (fits) - 1)), ...
                 sprintf ('%d paths of %d steps', N, steps), ...
                 'simulate fewer paths or fewer steps at a time', id, caller);

for i = 1:numel (fits)
  % A panel's refusals name the fit they are about.
  if numel (fits) > 1
    caller = sprintf ('volfilter_simulate: fit(%d)', i);
  end
  spec = simulate_model (fits(i), id, caller);
  module = [spec.model '_simulate'];
  if exist (module) ~= 3 %#ok<EXIST>
    error ([id ':missingModule'], '%s: the simulation module %s is not on the path.', caller, ...
           module);
  end
  if strcmp (settings.distribution, 'bootstrap') ...
     && (isempty (spec.std_residuals) || ~spec.has_sample)
    error ([id ':noResiduals'], '%s: the fit holds no standardised residuals to resample.', ...
           caller);
  end
  % From the unconditional level, each path has its own max(p, o, q) pre-sample residuals
  % (drawn, then scaled).
  if strcmp (settings.origin, 'unconditional')
    lags = max ([spec.p, spec.o, spec.q]);
    simulate_memory (N * (5 * steps + 2 * lags), ...
                     sprintf ('%d paths of %d steps after %d pre-sample values', N, steps, ...
                              lags), 'simulate fewer paths or a model of fewer lags', id, caller);
  end
  paths = simulate_paths (spec, T, N, settings, id, caller);
  y = simulate_mean (spec, paths.e, settings.origin, id, caller);
  sim(i) = struct ('e', paths.e, 'y', y, 'ht', paths.ht, 'z', paths.z, 'model', paths.model, ...
                   'origin', paths.origin, ...
                   'distribution', paths.distribution, 'burn_in', paths.burn_in);
end
sim = reshape (sim, size (fits));
end

function [fit, settings] = model_form (model, parameters, rest, id, caller)
% A model given by its name and parameters as a fit without a sample, and its options.
models = {'threshvol', 'logvol', 'shiftvol', 'intvol'};
if ~any (strcmpi (model, models))
  error ([id ':unknownModel'], '%s: model must be one of %s.', caller, strjoin (models, ', '));
end
model = lower (model);
options = struct ('p', 1, 'o', 1, 'q', 1, 'type', 2, 'constant', true, ...
                  'distribution', 'normal', 'upper_bound', Inf, 'backcast', [], ...
                  'burn_in', [], 'z', [], 'origin', 'unconditional');
if any (strcmp (model, {'shiftvol', 'intvol'}))
  options.o = 0;
end
if strcmp (model, 'shiftvol')
  options.type = 1;
end
[options, given] = simulate_options (rest, options, id, caller);
for name = {'p', 'o', 'q'}
  options.(name{1}) = simulate_count (options.(name{1}), name{1}, 0, id, caller);
end
allowed = [1, 2];
if strcmp (model, 'shiftvol')
  allowed = [0, 1];
end
if ~(isnumeric (options.type) && isreal (options.type) && isscalar (options.type) ...
     && any (options.type == allowed))
  error ([id ':badOption'], '%s: type must be %d or %d for model %s.', caller, allowed, model);
end
if ~((islogical (options.constant) || isnumeric (options.constant)) ...
     && isreal (options.constant) && isscalar (options.constant) ...
     && any (options.constant == [0, 1]))
  error ([id ':badOption'], '%s: constant must be true or false.', caller);
end
if ~(ischar (options.distribution) && any (strcmpi (options.distribution, {'normal', 't'})))
  error ([id ':badOption'], '%s: distribution must be ''normal'' or ''t'' for a model.', caller);
end
if ~(isnumeric (options.upper_bound) && isreal (options.upper_bound) ...
     && isscalar (options.upper_bound) && options.upper_bound > 0)
  error ([id ':badOption'], '%s: upper_bound must be a positive number.', caller);
end
if any (strcmp (given, 'origin')) && ~(ischar (options.origin) && isrow (options.origin) ...
                                      && strcmpi (options.origin, 'unconditional'))
  error ([id ':badOption'], ['%s: a model given by its parameters has no sample to ' ...
                             'continue: origin must be ''unconditional''.'], caller);
end
if ~(isnumeric (parameters) && isreal (parameters) && (isvector (parameters) ...
     || isempty (parameters)) && all (isfinite (parameters)))
  error ([id ':badParameters'], '%s: parameters must be a vector of finite real numbers.', ...
         caller);
end
fit = struct ('model', model, 'parameters', double (parameters(:)), 'p', options.p, ...
              'o', options.o, 'q', options.q, 'type', double (options.type), ...
              'distribution', lower (options.distribution), ...
              'constant', logical (options.constant), 'upper_bound', options.upper_bound);
% Assigned one by one: struct () would make a struct array of a cell given as a value.
settings = struct ('origin', 'unconditional', 'distribution', 'fitted');
settings.burn_in = options.burn_in;
settings.z = options.z;
settings.backcast = options.backcast;
end

function settings = check_settings (settings, given, model_form, T, N, id, caller)
% The simulation's settings checked, with the defaults that depend on others filled in.
if ~(ischar (settings.origin) && any (strcmpi (settings.origin, {'end', 'unconditional'})))
  error ([id ':badOption'], '%s: origin must be ''end'' or ''unconditional''.', caller);
end
settings.origin = lower (settings.origin);
if ~model_form && ~(ischar (settings.distribution) ...
                    && any (strcmpi (settings.distribution, {'fitted', 'bootstrap'})))
  error ([id ':badOption'], '%s: distribution must be ''fitted'' or ''bootstrap'' for a fit.', ...
         caller);
end
settings.distribution = lower (settings.distribution);
% An empty number, as for backcast, is the option not given.
if isnumeric (settings.burn_in) && isempty (settings.burn_in)
  settings.burn_in = 500 * strcmp (settings.origin, 'unconditional');
end
settings.burn_in = simulate_count (settings.burn_in, 'burn_in', 0, id, caller);
if strcmp (settings.origin, 'end') && settings.burn_in > 0
  error ([id ':badOption'], ['%s: burn_in is for the unconditional origin; the end of the ' ...
                             'sample is where the paths start.'], caller);
end
level = settings.backcast;
given_level = ~(isnumeric (level) && isempty (level));
if given_level && ~(isnumeric (level) && isreal (level) && isscalar (level) ...
                    && isfinite (level))
  error ([id ':badOption'], '%s: backcast must be a finite number.', caller);
end
if given_level
  settings.backcast = double (full (level));
end
if given_level && strcmp (settings.origin, 'end')
  error ([id ':badOption'], ['%s: backcast is for the unconditional origin; at the end of ' ...
                             'the sample the fit''s own pre-sample rule applies.'], caller);
end
z = settings.z;
if ~(isnumeric (z) && isempty (z)) || any (strcmp (given, 'z'))
  rows = settings.burn_in + T;
  if ~(isnumeric (z) && isreal (z) && ismatrix (z) && isequal (size (z), [rows, N]))
    error ([id ':badInnovations'], '%s: z must be a %d-by-%d real matrix (burn_in + T by N).', ...
           caller, rows, N);
  end
  bad = find (~isfinite (z), 1);
  if ~isempty (bad)
    error ([id ':badInnovations'], '%s: z must hold finite values; z(%d) is %g.', caller, ...
           bad, z(bad));
  end
  settings.z = double (full (z));
end
end
