function options = fit_options (model, arguments)
% options = fit_options (model, arguments)
% The name-value options of volfilter_fit, checked, with the defaults of MODEL filled in.
% Names are matched without regard to case; a name that MODEL does not take is refused
% (volfilter:fit:unknownOption), and so is a value of the wrong kind
% (volfilter:fit:badOption). Only the options given are checked: the defaults are sound.
switch model
  case 'threshvol'
    options = struct ('p', 1, 'o', 1, 'q', 1, 'type', 2);
  case 'logvol'
    options = struct ('p', 1, 'o', 1, 'q', 1, 'upper_bound', []);
  case 'shiftvol'
    options = struct ('p', 1, 'q', 1, 'type', 1);
  otherwise
    options = struct ('p', 1, 'q', 1, 'type', 2, 'constant', 1);
end
options.distribution = 'normal';
options.m = [];
options.backcast = 'ewma';
options.start = [];
options.optimizer = 'auto';
options.max_evaluations = 1000;
options.threads = [];

if mod (numel (arguments), 2) ~= 0
  error ('volfilter:fit:badOption', ...
         'volfilter_fit: options come in pairs of a name and a value.');
end
for i = 1:2:numel (arguments)
  name = arguments{i};
  if ischar (name)
    name = lower (name);
  end
  if ~ischar (name) || ~isfield (options, name)
    if ~ischar (name)
      name = ['a ' class(name)];
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
largest = max ([options.p, options.o, options.q]);
if isempty (options.m)
  options.m = largest;
elseif options.m < largest
  error ('volfilter:fit:badOption', ...
         'volfilter_fit: m must be at least the largest order (%d).', largest);
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
end

function value = check (model, name, value)
% VALUE of option NAME, refused when it is not of the kind the option takes.
bad = '';
switch name
  case {'p', 'o', 'q', 'm', 'max_evaluations', 'threads'}
    least = double (any (strcmp (name, {'max_evaluations', 'threads'})));
    if ~(isnumeric (value) && isreal (value) && isscalar (value) && value == fix (value) ...
         && value >= least && value < 2^31)
      bad = sprintf ('%s must be a whole number of at least %d', name, least);
    end
    value = double (value);
  case 'type'
    allowed = [1, 2];
    if strcmp (model, 'shiftvol')
      allowed = [0, 1];
    end
    if ~(isnumeric (value) && isscalar (value) && any (value == allowed))
      bad = sprintf ('type must be %d or %d for model %s', allowed(1), allowed(2), model);
    end
    value = double (value);
  case 'distribution'
    if ~ischar (value) || ~any (strcmpi (value, {'normal', 't'}))
      bad = 'distribution must be ''normal'' or ''t''';
    else
      value = lower (value);
    end
  case 'backcast'
    if ischar (value) && any (strcmpi (value, {'ewma', 'mean'}))
      value = lower (value);
    elseif ~(isnumeric (value) && isreal (value) && isscalar (value) && isfinite (value))
      bad = 'backcast must be ''ewma'', ''mean'' or a finite number';
    else
      value = double (value);
    end
  case 'upper_bound'
    if ~(isnumeric (value) && isreal (value) && isscalar (value) && value > 0 ...
         && isfinite (value))
      bad = 'upper_bound must be a positive finite number';
    end
    value = double (value);
  case 'constant'
    if ~((islogical (value) || isnumeric (value)) && isscalar (value) ...
         && any (value == [0, 1]))
      bad = 'constant must be true or false';
    end
    value = double (value);
  case 'start'
    if ~(isnumeric (value) && isreal (value) && isvector (value) && all (isfinite (value)))
      bad = 'start must be a vector of finite values';
    end
    value = double (value(:));
  case 'optimizer'
    if ~ischar (value) || ~any (strcmpi (value, {'auto', 'compiled', 'nlopt', 'sqp', 'fmincon'}))
      bad = 'optimizer must be ''auto'', ''compiled'', ''nlopt'', ''sqp'' or ''fmincon''';
    else
      value = lower (value);
    end
end
if ~isempty (bad)
  error ('volfilter:fit:badOption', 'volfilter_fit: %s.', bad);
end
end
