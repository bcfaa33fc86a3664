function [e, ht] = simulate_module (spec, z, history, backcast, m)
% [e, ht] = simulate_module (spec, z, history, backcast, m)
% The model's simulation module (threshvol_simulate and the others) on the innovations Z
% (a path a column) after HISTORY (a column every path continues, or one a path), with the
% pre-sample value BACKCAST in the model's units and M pre-sample rows.
theta = spec.theta;
switch spec.model
  case 'threshvol'
    [e, ht] = threshvol_simulate (z, history, theta, backcast, spec.p, spec.o, spec.q, m, ...
                                  spec.type);
  case 'logvol'
    [e, ht] = logvol_simulate (z, history, theta, backcast, spec.upper_bound, spec.p, spec.o, ...
                               spec.q, m);
  case 'shiftvol'
    [e, ht] = shiftvol_simulate (z, history, theta, backcast, spec.p, spec.q, m, spec.type);
  otherwise
    [e, ht] = intvol_simulate (z, history, theta, backcast, spec.p, spec.q, m, spec.type, ...
                               spec.has_constant);
end
end
