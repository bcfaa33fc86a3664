function options = fit_options (model, arguments)
% options = fit_options (model, arguments)
% The name-value options of volfilter_fit, checked, with the defaults of MODEL filled in.
% Names are matched without regard to case; an unknown name, or a name that MODEL does not
% take, is refused (volfilter:fit:unknownOption), and so is a value of the wrong kind
% (volfilter:fit:badOption).

orders_of = struct ('threshvol', 'poq', 'logvol', 'poq', 'shiftvol', 'pq', 'intvol', 'pq');
options = struct ('p', 1, 'o', 0, 'q', 1, 'type', [], 'distribution', 'normal', 'm', [], ...
                  'backcast', 'ewma', 'upper_bound', [], 'constant', true, 'start', [], ...
                  'optimizer', 'auto', 'max_evaluations', 1000);
if any (orders_of.(model) == 'o')
  options.o = 1;
end
switch model
  case {'threshvol', 'intvol'}
    options.type = 2;
  case 'shiftvol'
    options.type = 1;
end
taken = {'p', 'q', 'distribution', 'm', 'backcast', 'start', 'optimizer', 'max_evaluations'};
if any (orders_of.(model) == 'o')
  taken{end + 1} = 'o';
end
if ~strcmp (model, 'logvol')
  taken{end + 1} = 'type';
else
  taken{end + 1} = 'upper_bound';
end
if strcmp (model, 'intvol')
  taken{end + 1} = 'constant';
end

if mod (numel (arguments), 2) ~= 0
  error ('volfilter:fit:badOption', ...
         'volfilter_fit: options come in pairs of a name and a value.');
end
for i = 1:2:numel (arguments)
  name = arguments{i};
  if ~ischar (name) || ~any (strcmpi (name, taken))
    if ischar (name)
      shown = name;
    else
      shown = ['a ' class(name)];
    end
    error ('volfilter:fit:unknownOption', ...
           'volfilter_fit: no option "%s" for model %s; it takes %s.', shown, model, ...
           strjoin (taken, ', '));
  end
  options.(lower (name)) = arguments{i + 1};
end

for name = {'p', 'o', 'q'}
  check_count (options.(name{1}), name{1}, 0);
end
if isempty (options.m)
  options.m = max ([options.p, options.o, options.q]);
end
check_count (options.m, 'm', 0);
check_count (options.max_evaluations, 'max_evaluations', 1);
if options.m < max ([options.p, options.o, options.q])
  error ('volfilter:fit:badOption', ...
         'volfilter_fit: m must be at least the largest order (%d).', ...
         max ([options.p, options.o, options.q]));
end
if strcmp (model, 'intvol') && options.q < 1
  error ('volfilter:fit:badOption', 'volfilter_fit: model intvol needs q of at least 1.');
end

switch model
  case {'threshvol', 'intvol'}
    allowed_types = [1, 2];
  case 'shiftvol'
    allowed_types = [0, 1];
  otherwise
    allowed_types = [];
end
if ~isempty (allowed_types) && ~(isnumeric (options.type) && isscalar (options.type) ...
                                 && any (options.type == allowed_types))
  error ('volfilter:fit:badOption', 'volfilter_fit: type must be %d or %d for model %s.', ...
         allowed_types(1), allowed_types(2), model);
end

if ~ischar (options.distribution) || ~any (strcmpi (options.distribution, {'normal', 't'}))
  error ('volfilter:fit:badOption', 'volfilter_fit: distribution must be ''normal'' or ''t''.');
end
options.distribution = lower (options.distribution);

backcast = options.backcast;
if ischar (backcast)
  if ~any (strcmpi (backcast, {'ewma', 'mean'}))
    error ('volfilter:fit:badOption', ...
           'volfilter_fit: backcast must be ''ewma'', ''mean'' or a number.');
  end
  options.backcast = lower (backcast);
elseif ~(isnumeric (backcast) && isreal (backcast) && isscalar (backcast) ...
         && isfinite (backcast))
  error ('volfilter:fit:badOption', ...
         'volfilter_fit: backcast must be ''ewma'', ''mean'' or a finite number.');
end

if ~isempty (options.upper_bound) && ~(isnumeric (options.upper_bound) ...
    && isreal (options.upper_bound) && isscalar (options.upper_bound) ...
    && options.upper_bound > 0 && isfinite (options.upper_bound))
  error ('volfilter:fit:badOption', ...
         'volfilter_fit: upper_bound must be a positive finite number.');
end
if ~((islogical (options.constant) || isnumeric (options.constant)) ...
     && isscalar (options.constant) && any (options.constant == [0, 1]))
  error ('volfilter:fit:badOption', 'volfilter_fit: constant must be true or false.');
end
options.constant = double (logical (options.constant));

if ~isempty (options.start) && ~(isnumeric (options.start) && isreal (options.start) ...
                                 && isvector (options.start) && all (isfinite (options.start)))
  error ('volfilter:fit:badOption', ...
         'volfilter_fit: start must be a vector of finite values.');
end
options.start = double (options.start(:));

optimizers = {'auto', 'nlopt', 'sqp', 'fmincon'};
if ~ischar (options.optimizer) || ~any (strcmpi (options.optimizer, optimizers))
  error ('volfilter:fit:badOption', 'volfilter_fit: optimizer must be one of %s.', ...
         strjoin (optimizers, ', '));
end
options.optimizer = lower (options.optimizer);
end

function check_count (value, name, least)
if ~(isnumeric (value) && isreal (value) && isscalar (value) && value == fix (value) ...
     && value >= least && value < 2^31)
  error ('volfilter:fit:badOption', ...
         'volfilter_fit: %s must be a whole number of at least %d.', name, least);
end
end
