function spec = simulate_model (fit, identifier, caller)
% spec = simulate_model (fit, identifier, caller)
% One fit as volfilter_simulate, volfilter_forecast and model_moments read it, checked: a
% struct of volfilter_fit's fields (model, parameters, p, o, q, type, distribution, m,
% backcast, upper_bound, constant; the residuals, ht and std_residuals where a sample is
% continued), or a struct of the model's fields alone. A struct that is not one is refused
% with IDENTIFIER ':badFit' (for example 'volfilter:forecast:badFit'), the message naming
% CALLER and what is wrong.
%
% spec.theta are the variance model's parameters (as its filter and simulation modules
% take them), spec.nu the degrees of freedom of Student's t (NaN for the normal), and
% spec.mean_names / spec.mean_values the mean model's terms that come before them in
% fit.parameters (none for a fit of residuals), and spec.y the returns the fit's mean was
% fitted to (fit.y; [] where the fit has none). spec.has_constant is intvol's constant as a
% number (1 for the other models, whose filters ignore it).
bad = @(varargin) error ([identifier ':badFit'], [caller ': ' varargin{1}], varargin{2:end});
if ~isstruct (fit) || numel (fit) ~= 1
  bad ('the fit must be one struct of volfilter_fit''s result.');
end
required = {'model', 'parameters', 'p', 'o', 'q', 'type', 'distribution'};
missing = required(~isfield (fit, required));
if ~isempty (missing)
  bad ('the fit has no field %s: it is not a volfilter_fit result.', strjoin (missing, ', '));
end
models = {'threshvol', 'logvol', 'shiftvol', 'intvol'};
if ~ischar (fit.model) || ~any (strcmp (fit.model, models))
  bad ('the fit''s model must be one of %s.', strjoin (models, ', '));
end
spec.checked = true;
spec.model = fit.model;
for name = {'p', 'o', 'q'}
  value = fit.(name{1});
  if ~(isnumeric (value) && isscalar (value) && isreal (value) && value >= 0 ...
       && value == fix (value))
    bad ('the fit''s %s must be a whole number of at least 0.', name{1});
  end
  if value >= 2^31
    bad ('the fit''s %s = %.17g is too large: a lag order must be below 2^31.', name{1}, ...
         double (value));
  end
  spec.(name{1}) = double (full (value));
end
if any (strcmp (spec.model, {'shiftvol', 'intvol'}))
  spec.o = 0;
end
spec.type = 2;
if ~strcmp (spec.model, 'logvol')
  allowed = [1, 2];
  if strcmp (spec.model, 'shiftvol')
    allowed = [0, 1];
  end
  if ~(isnumeric (fit.type) && isreal (fit.type) && isscalar (fit.type) ...
       && any (fit.type == allowed))
    bad ('the fit''s type must be %d or %d for model %s.', allowed, spec.model);
  end
  spec.type = double (full (fit.type));
end
spec.has_constant = 1;
if strcmp (spec.model, 'intvol')
  if spec.q < 1
    bad ('an integrated model''s q must be at least 1.');
  end
  if ~isfield (fit, 'constant') || ~(islogical (fit.constant) || isnumeric (fit.constant)) ...
     || ~isreal (fit.constant) || ~isscalar (fit.constant) || ~any (fit.constant == [0, 1])
    bad ('an integrated model''s fit must say whether it has a constant (true or false).');
  end
  spec.has_constant = double (full (fit.constant));
end
if ~ischar (fit.distribution) || ~any (strcmp (fit.distribution, {'normal', 't'}))
  bad ('the fit''s distribution must be ''normal'' or ''t''.');
end
spec.distribution = fit.distribution;

% The variance parameters are the last ones (nu after them for Student's t); a mean model's
% come first.
switch spec.model
  case {'threshvol', 'logvol'}
    k = 1 + spec.p + spec.o + spec.q;
  case 'shiftvol'
    k = spec.p + spec.q + 2;
  otherwise
    k = spec.has_constant + spec.p + spec.q - 1;
end
shape = double (strcmp (spec.distribution, 't'));
theta = fit.parameters;
if ~(isnumeric (theta) && isreal (theta) && (isvector (theta) || isempty (theta)) ...
     && all (isfinite (theta)) && numel (theta) >= k + shape)
  bad ('the fit''s parameters must be at least %d finite real numbers for this model.', ...
       k + shape);
end
theta = double (full (theta(:)));
leading = numel (theta) - k - shape;
spec.theta = theta(leading + 1:leading + k);
spec.nu = NaN;
if shape
  spec.nu = theta(end);
  if ~(spec.nu > 2)
    bad ('the fit''s nu must exceed 2.');
  end
end
spec.mean_values = theta(1:leading);
spec.mean_names = cell (leading, 1);
if leading > 0
  if isfield (fit, 'names') && iscellstr (fit.names) && numel (fit.names) == numel (theta)
    spec.mean_names = fit.names(1:leading);
  else
    bad (['the fit has %d parameters, %d more than its variance model''s %d, and no names ' ...
          'that make the first ones a mean model''s.'], numel (theta), leading, k + shape);
  end
end

% The sample, where the fit has one: the pre-sample rule and the residuals.
spec.m = [];
spec.backcast = [];
spec.upper_bound = Inf;
spec.residuals = [];
spec.std_residuals = [];
spec.y = [];
if isfield (fit, 'm')
  spec.m = fit.m;
end
if isfield (fit, 'backcast')
  spec.backcast = fit.backcast;
end
if strcmp (spec.model, 'logvol') && isfield (fit, 'upper_bound') && ~isempty (fit.upper_bound)
  U = fit.upper_bound;
  if ~(isnumeric (U) && isreal (U) && isscalar (U) && U > 0)
    bad ('the fit''s upper_bound must be a positive number.');
  end
  spec.upper_bound = double (full (U));
end
if isfield (fit, 'y')
  spec.y = fit.y;
end
if isfield (fit, 'residuals')
  spec.residuals = fit.residuals;
elseif isfield (fit, 'std_residuals') && isfield (fit, 'ht')
  % A fit made before the residuals were kept: they are the standardised residuals times
  % the standard deviations, to rounding.
  spec.residuals = fit.std_residuals .* sqrt (fit.ht);
end
if isfield (fit, 'std_residuals')
  spec.std_residuals = fit.std_residuals;
end
spec.has_sample = ~isempty (spec.residuals) && ~isempty (spec.m) && ~isempty (spec.backcast);
if ~spec.has_sample
  return;
end
e = spec.residuals;
if ~(isnumeric (e) && isreal (e) && isvector (e) && all (isfinite (e)))
  bad ('the fit''s residuals must be a vector of finite real numbers.');
end
spec.residuals = double (full (e(:)));
T = numel (spec.residuals);
spec.y = one_for_each (spec.y, 'y', T, bad);
largest = max ([spec.p, spec.o, spec.q]);
m = spec.m;
if ~(isnumeric (m) && isreal (m) && isscalar (m) && m == fix (m) && m >= largest && m < T)
  bad ('the fit''s m must be a whole number from the largest order (%d) to below T (%d).', ...
       largest, T);
end
spec.m = double (m);
b = spec.backcast;
if ~(isnumeric (b) && isreal (b) && isscalar (b) && isfinite (b))
  bad ('the fit''s backcast must be a finite number.');
end
spec.backcast = double (full (b));
spec.std_residuals = one_for_each (spec.std_residuals, 'std_residuals', T, bad);
end

function value = one_for_each (value, name, T, bad)
% The fit's field NAME as a column of T finite values, one for each residual, or [] where
% the fit has none; refused through BAD otherwise.
if ~(isnumeric (value) && isempty (value)) && ~(isnumeric (value) && isreal (value) ...
                                                 && numel (value) == T && all (isfinite (value(:))))
  bad ('the fit''s %s must be %d finite real numbers, one for each residual.', name, T);
end
value = double (full (value(:)));
end
