function ht = simulate_filter (spec, e)
% ht = simulate_filter (spec, e)
% The variances of the model's filter on the residuals E (its data formed from them as the
% likelihood modules form them) with the fit's pre-sample rule: rows 1..m the backcast as
% the filter holds it (unsquared under power 1), later rows the variances.
T = numel (e);
theta = spec.theta;
m = spec.m;
b = spec.backcast;
if any (strcmp (spec.model, {'threshvol', 'intvol'}))
  if spec.type == 1
    data = abs (e);
  else
    data = e .* e;
  end
end
switch spec.model
  case 'threshvol'
    ht = threshvol_filter (data, data .* (e < 0), theta, b, spec.p, spec.o, spec.q, m, T, ...
                           spec.type);
  case 'logvol'
    ht = logvol_filter (e, theta, b, spec.upper_bound, spec.p, spec.o, spec.q, m, T);
  case 'shiftvol'
    ht = shiftvol_filter (e, theta, b, spec.p, spec.q, m, T, spec.type);
  otherwise
    ht = intvol_filter (data, theta, b, spec.p, spec.q, m, T, spec.type, spec.has_constant);
end
end
