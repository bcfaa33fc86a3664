function options = fit_options (model, arguments)
% options = fit_options (model, arguments)
% The name-value options of volfilter_fit, checked, with the defaults of MODEL filled in.
% Names are matched without regard to case; a name that MODEL does not take is refused
% (volfilter:fit:unknownOption), and so is a value of the wrong kind
% (volfilter:fit:badOption), before anything is converted. Only the options given are
% checked: the defaults are sound. Orders and m are whole numbers of any size here (the
% sample decides how large they may be: fit_sample). A numeric backcast must stand for a
% variance that a double holds: positive as a variance or standard deviation, and with a
% finite, positive square or exponential as a standard deviation or log variance.
% max_evaluations above 2^31 - 1 (Inf among them) is taken as 2^31 - 1, the most the
% optimisers count; threads (any whole number from 1) likewise, more than the compiled fit
% ever starts (at most the columns, and four a logical core). The mean: 'mean' 'zero' (the
% series are residuals) or 'constant', 'ar' and 'ma' lists of distinct positive whole lags,
% 'x' a matrix of finite regressors; giving a term makes the default mean 'constant' (a
% constant with the terms), and 'mean', 'zero' with terms leaves the constant out.
% options.mean_constant is then 1 or 0 and options.has_mean whether the mean has a term.
% The model's own options, then those of every model.
common = {'distribution', 'normal', 'm', [], 'backcast', 'ewma', 'start', [], ...
          'optimizer', 'auto', 'max_evaluations', 1000, 'display', 'off', 'threads', [], ...
          'diagnostics', false, 'mean', '', 'ar', [], 'ma', [], 'x', []};
switch model
  case 'threshvol'
    options = struct ('p', 1, 'o', 1, 'q', 1, 'type', 2, common{:});
  case 'logvol'
    options = struct ('p', 1, 'o', 1, 'q', 1, 'upper_bound', [], common{:});
  case 'shiftvol'
    options = struct ('p', 1, 'q', 1, 'type', 1, common{:});
  otherwise
    options = struct ('p', 1, 'q', 1, 'type', 2, 'constant', 1, common{:});
end

if mod (numel (arguments), 2) ~= 0
  error ('volfilter:fit:badOption', ...
         'volfilter_fit: options come in pairs of a name and a value.');
end
for i = 1:2:numel (arguments)
  name = arguments{i};
  is_name = ischar (name) && (isrow (name) || isempty (name));
  if is_name
    name = lower (name);
  end
  if ~is_name || ~isfield (options, name)
    if ~is_name
      name = ['a ' class(name)];
      if ischar (arguments{i})
        name = 'a char array of several rows';
      end
    end
    error ('volfilter:fit:unknownOption', ...
           'volfilter_fit: no option "%s" for model %s; it takes %s.', name, model, ...
           strjoin (fieldnames (options)', ', '));
  end
  options.(name) = check (model, name, arguments{i + 1});
end

if ~isfield (options, 'o')
  options.o = 0;
end
terms = ~isempty (options.ar) || ~isempty (options.ma) || ~isempty (options.x);
if isempty (options.mean)
  options.mean = 'zero';
  if terms
    options.mean = 'constant';
  end
end
options.mean_constant = double (strcmp (options.mean, 'constant'));
options.has_mean = terms || options.mean_constant == 1;
if isempty (options.m)
  options.m = max ([options.p, options.o, options.q, options.ar(:)', options.ma(:)']);
end
options.max_evaluations = min (options.max_evaluations, 2^31 - 1);
% The core starts at most a thread a column and four a logical core, whatever is asked; it
% reads a count of at most 2^31 - 1.
if ~isempty (options.threads)
  options.threads = min (options.threads, 2^31 - 1);
end
if strcmp (model, 'intvol')
  if options.q < 1
    error ('volfilter:fit:badOption', 'volfilter_fit: model intvol needs q of at least 1.');
  end
else
  options.constant = [];
end
if ~strcmp (model, 'logvol')
  options.upper_bound = [];
else
  options.type = [];
end
if isnumeric (options.backcast)
  check_backcast (model, options.type, options.backcast);
end
end

function value = check (model, name, value)
% VALUE of option NAME, refused when it is not of the kind the option takes, and only
% then converted: numbers to full doubles (start to a column), text to lower case.
number = isnumeric (value) && isreal (value) && isscalar (value);
text = ischar (value) && isrow (value);
switch name
  case {'p', 'o', 'q', 'm'}
    if ~(number && value >= 0 && value == fix (value) && value < Inf)
      refuse (sprintf ('%s must be a whole number of at least 0', name));
    end
  case {'max_evaluations', 'threads'}
    if ~(number && value >= 1 && value == fix (value))
      refuse (sprintf ('%s must be a whole number of at least 1', name));
    end
  case 'type'
    allowed = [1, 2];
    if strcmp (model, 'shiftvol')
      allowed = [0, 1];
    end
    if ~(number && any (value == allowed))
      refuse (sprintf ('type must be %d or %d for model %s', allowed(1), allowed(2), model));
    end
  case 'distribution'
    if ~(text && any (strcmpi (value, {'normal', 't'})))
      refuse ('distribution must be ''normal'' or ''t''');
    end
  case 'backcast'
    if ~((text && any (strcmpi (value, {'ewma', 'mean'}))) ...
         || (number && isfinite (value)))
      refuse ('backcast must be ''ewma'', ''mean'' or a finite number');
    end
  case 'upper_bound'
    if ~(number && value > 0 && isfinite (value))
      refuse ('upper_bound must be a positive finite number');
    end
  case {'constant', 'diagnostics'}
    if ~((number || (islogical (value) && isscalar (value))) && any (value == [0, 1]))
      refuse (sprintf ('%s must be true or false', name));
    end
  case 'start'
    if ~(isnumeric (value) && isreal (value) && (isvector (value) || isempty (value)) ...
         && all (isfinite (value(:))))
      refuse ('start must be a vector of finite values');
    end
    value = full (double (value(:)));
    return;
  case 'optimizer'
    if ~(text && any (strcmpi (value, {'auto', 'compiled', 'nlopt', 'sqp', 'fmincon'})))
      refuse ('optimizer must be ''auto'', ''compiled'', ''nlopt'', ''sqp'' or ''fmincon''');
    end
  case 'display'
    if ~(text && any (strcmpi (value, {'off', 'summary'})))
      refuse ('display must be ''off'' or ''summary''');
    end
  case 'mean'
    if ~(text && any (strcmpi (value, {'zero', 'constant'})))
      refuse ('mean must be ''zero'' or ''constant''');
    end
  case {'ar', 'ma'}
    if ~(isnumeric (value) && isreal (value) && (isvector (value) || isempty (value)) ...
         && all (value(:) >= 1 & value(:) == fix (value(:)) & value(:) < Inf))
      refuse (sprintf ('%s must be a list of lags, whole numbers of at least 1', name));
    elseif numel (unique (value(:))) < numel (value)
      refuse (sprintf (['%s must not hold a lag twice: the two coefficients could not be ' ...
                        'told apart'], name));
    end
  case 'x'
    if ~(isnumeric (value) && isreal (value) && ismatrix (value))
      refuse ('x must be a real numeric matrix of regressors, one row per observation');
    elseif ~all (isfinite (value(:)))
      refuse ('x must hold finite values');
    end
end
% What passed is text where it is char (a row, as every option of text takes).
if text
  value = lower (value);
elseif any (strcmp (name, {'ar', 'ma', 'x'})) && isempty (value)
  % No terms, whatever the empty array's shape: as without the option.
  value = [];
elseif any (strcmp (name, {'ar', 'ma'}))
  value = full (double (value(:)));
else
  % A count of -0 is 0 (adding +0 clears the sign), so that it shows and compares as 0.
  value = full (double (value)) + 0;
end
end

function refuse (bad)
% Refuses an option's value: BAD says what the option takes.
error ('volfilter:fit:badOption', 'volfilter_fit: %s.', bad);
end

function check_backcast (model, type, value)
% Refuses a numeric pre-sample VALUE that cannot stand for a variance in MODEL's units: a
% variance or standard deviation that is not positive, or a standard deviation or log
% variance whose variance (its square, its exponential) overflows or underflows.
how = '';
if strcmp (model, 'logvol')
  units = 'log variance';
  how = 'exponential';
  variance = exp (value);
elseif type == 1 && ~strcmp (model, 'shiftvol')
  units = 'standard deviation';
  how = 'square';
  variance = value ^ 2;
else
  units = 'variance';
  variance = value;
end
if value <= 0 && ~strcmp (model, 'logvol')
  error ('volfilter:fit:badOption', ...
         'volfilter_fit: backcast = %g cannot be a pre-sample %s: it must be positive.', ...
         value, units);
end
if ~(variance > 0 && variance < Inf)
  error ('volfilter:fit:badOption', ...
         ['volfilter_fit: backcast = %g cannot be a pre-sample %s: the variance it stands ' ...
          'for, its %s, does not fit a double.'], value, units, how);
end
end
