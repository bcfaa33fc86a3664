function sim = simulate_paths (spec, T, N, settings, identifier, caller)
% sim = simulate_paths (spec, T, N, settings, identifier, caller)
% N paths of T steps of the model SPEC (simulate_model) by its simulation module.
% SETTINGS: origin ('end': after the fit's residuals, with its pre-sample rule;
% 'unconditional': after max(p, o, q) pre-sample residuals sqrt(level) * z drawn a path
% each, the pre-sample value the level, then burn_in steps that are dropped), burn_in,
% distribution ('fitted' or 'bootstrap'), z (the innovations of the steps, burn-in first,
% or [] to draw them) and backcast (the unconditional origin's level in the model's units,
% or [] for the model's own). Refusals carry IDENTIFIER and CALLER.
if strcmp (settings.origin, 'end')
  if ~spec.has_sample
    error ([identifier ':noSample'], ...
           ['%s: the fit holds no sample to continue (residuals, m and backcast); ' ...
            'use ''origin'', ''unconditional''.'], caller);
  end
  history = spec.residuals;
  backcast = spec.backcast;
  m = spec.m;
  burn_in = 0;
else
  level = settings.backcast;
  if isempty (level)
    moments = model_moments (spec);
    level = moments.unconditional_level;
  end
  if ~isfinite (level) && isempty (settings.backcast)
    error ([identifier ':noUnconditional'], ...
           ['%s: the %s model with these parameters has no unconditional level to start ' ...
            'from; give one with ''backcast''.'], caller, spec.model);
  end
  % A variance or a standard deviation must be positive; a log variance need not be.
  if ~strcmp (spec.model, 'logvol') && ~(level > 0)
    error ([identifier ':noUnconditional'], ...
           ['%s: the level to start from, %g, is not positive: it is a variance (a standard ' ...
            'deviation under type 1).'], caller, level);
  end
  m = max ([spec.p, spec.o, spec.q]);
  backcast = level;
  if strcmp (spec.model, 'logvol')
    scale = exp (level / 2);
  elseif spec.type == 1 && any (strcmp (spec.model, {'threshvol', 'intvol'}))
    scale = level;
  else
    scale = sqrt (level);
  end
  history = scale * simulate_innovations (spec, m, N, settings.distribution);
  burn_in = settings.burn_in;
end
z = settings.z;
if isempty (z)
  z = simulate_innovations (spec, burn_in + T, N, settings.distribution);
end
[e, ht] = simulate_module (spec, z, history, backcast, m);
kept = burn_in + 1:burn_in + T;
e = e(kept, :);
sim = struct ('e', e, 'ht', ht(kept, :), 'z', z(kept, :), 'model', spec.model, ...
              'origin', settings.origin, 'distribution', settings.distribution, ...
              'burn_in', burn_in);
end
