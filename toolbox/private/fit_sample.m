function fit_sample (model, options, T)
% fit_sample (model, options, T)
% Refuses orders and an m that the sample of T observations cannot carry, before anything
% is built for them, in constant time and memory: an order or m of T or more leaves no
% observation to model, and the n = T - m observations modelled must number at least 10
% per parameter (volfilter:fit:tooFewObservations); m must also be at least the largest
% order, and there must be a parameter to estimate (volfilter:fit:badOption).
orders = {'p', 'o', 'q'};
for i = 1:numel (orders)
  if options.(orders{i}) >= T
    error ('volfilter:fit:tooFewObservations', ...
           'volfilter_fit: %s = %.15g leaves no observations: the sample has %d.', ...
           orders{i}, options.(orders{i}), T);
  end
end
if options.m >= T
  error ('volfilter:fit:tooFewObservations', ...
         'volfilter_fit: m = %.15g leaves no observations: the sample has %d.', options.m, T);
end
largest = max ([options.p, options.o, options.q]);
if options.m < largest
  error ('volfilter:fit:badOption', ...
         'volfilter_fit: m must be at least the largest order (%d).', largest);
end
k = parameter_count (model, options);
if k == 0
  error ('volfilter:fit:badOption', 'volfilter_fit: the model has no parameter to estimate.');
end
n = T - options.m;
if n < 10 * k
  error ('volfilter:fit:tooFewObservations', ...
         ['volfilter_fit: the sample has %d observations: the %d after the first m = %d ' ...
          'are too few for %d parameters (at least %d).'], T, n, options.m, k, 10 * k);
end
end

function k = parameter_count (model, options)
% The number of parameters the model's plan estimates (see help volfilter_fit).
switch model
  case {'threshvol', 'logvol'}
    k = 1 + options.p + options.o + options.q;
  case 'shiftvol'
    k = 2 + options.p + options.q;
  otherwise
    k = options.constant + options.p + options.q - 1;
end
k = k + strcmp (options.distribution, 't');
end
