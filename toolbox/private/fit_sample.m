function fit_sample (options, T, code, inputs)
% fit_sample (options, T, code, inputs)
% Refuses orders and an m that a sample of T observations cannot carry (each series of a
% panel has T), before anything is built for them, in constant time and memory: an order or
% m of T or more leaves no observation to model (volfilter:fit:tooFewObservations); m must
% be at least the largest order and there must be a parameter to estimate
% (volfilter:fit:badOption); the n = T - m observations modelled must be enough for the
% parameters (volfilter:fit:tooFewObservations); and there must be no more parameters than a
% fit takes (volfilter:fit:badOption). The parameters, the least observations they need and
% the most a fit takes are the core's, from the short call of volfilter_plan on the model's
% CODE and INPUTS (fit_module_inputs), which counts them from the orders alone whatever
% their size. The mean's lags are orders too: a lag of T or more leaves no observation, and m
% must be at least the largest; its regressors must have T rows.
% The orders, then the mean's lags (which set m's default), then m.
orders = [options.p, options.o, options.q, options.m];
names = {'p', 'o', 'q', 'm'};
beyond = find (orders(1:3) >= T, 1);
if ~isempty (beyond)
  fit_refuse ('noObservations', names{beyond}, orders(beyond), T);
end
for family = {'ar', 'ma'}
  lags = options.(family{1});
  beyond = find (lags >= T, 1);
  if ~isempty (beyond)
    fit_refuse ('noObservations', sprintf ('%s lag', family{1}), lags(beyond), T);
  end
end
if options.m >= T
  fit_refuse ('noObservations', 'm', options.m, T);
end
largest = max (orders(1:3));
if options.m < largest
  fit_refuse ('mBelowOrder', largest);
end
largest_lag = max ([options.ar; options.ma; 0]);
if options.m < largest_lag
  fit_refuse ('mBelowLag', largest_lag);
end
if ~isempty (options.x) && rows (options.x) ~= T
  fit_refuse ('xRows', T, rows (options.x));
end
counts = {};
if options.has_mean
  counts = {options.mean_constant, numel(options.ar), numel(options.ma), columns(options.x)};
end
try
  sizes = volfilter_plan (code, inputs{1:6}, counts{:});
catch failure
  if any (exist ('volfilter_plan') == [2, 3]) %#ok<EXIST>
    rethrow (failure);
  end
  error ('volfilter:fit:missingModule', ...
         'volfilter_fit: the module volfilter_plan is not on the path.');
end
k = sizes(1);
if k == 0
  fit_refuse ('noParameters');
end
n = T - options.m;
if n < sizes(2)
  fit_refuse ('tooFewObservations', T, n, options.m, k, sizes(2));
end
if k > sizes(3)
  fit_refuse ('tooManyParameters', k, sizes(3));
end
end
