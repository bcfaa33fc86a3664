function [code, inputs, mean] = fit_module_inputs (model, options)
% [code, inputs, mean] = fit_module_inputs (model, options)
% The model's code and the inputs that volfilter_plan and volfilter_estimate take after the
% series, from the checked OPTIONS: p, o, q, type, constant, distribution, m, backcast_rule
% (0 'ewma', 1 'mean', 2 a number) and backcast, upper_bound ([]: the default ceiling);
% with a mean, after the modules' own inputs, mean (the mean's inputs: its constant flag,
% ar_lags, ma_lags, x), which the modules take last ({} without a mean).
code = find (strcmp (model, {'threshvol', 'logvol', 'shiftvol', 'intvol'})) - 1;
type = options.type;
if isempty (type)
  type = 2;
end
constant = options.constant;
if isempty (constant)
  constant = 1;
end
if ischar (options.backcast)
  rule = double (strcmp (options.backcast, 'mean'));
  backcast = [];
else
  rule = 2;
  backcast = options.backcast;
end
distribution = double (strcmp (options.distribution, 't'));
inputs = {options.p, options.o, options.q, type, constant, distribution, options.m, rule, ...
          backcast, options.upper_bound};
mean = {};
if options.has_mean
  mean = {options.mean_constant, options.ar, options.ma, options.x};
end
end
