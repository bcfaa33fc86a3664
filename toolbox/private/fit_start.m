function theta = fit_start (spec, e, start, m)
% theta = fit_start (spec, e, start, m)
% The start values: START when given, checked against the model's bounds and constraints
% and refused (volfilter:fit:badStart) where they fail or where the likelihood is not
% defined; otherwise the candidate of spec.grid with the lowest negative log-likelihood on
% the first 2000 modelled observations (after the M conditioned on): on a longer series a
% start needs no more to be told apart.
k = numel (spec.names);
if isempty (start)
  values = Inf (1, size (spec.grid, 2));
  head = e(1:min (numel (e), m + 2000));
  for i = 1:numel (values)
    values(i) = spec.module (head, spec.grid(:, i), spec.arguments{:});
  end
  [best, i] = min (values);
  if ~(best < Inf)
    error ('volfilter:fit:undefined', ...
           'volfilter_fit: the likelihood is not defined at any of the default start values.');
  end
  theta = spec.grid(:, i);
  return;
end

if numel (start) ~= k
  error ('volfilter:fit:badStart', ...
         'volfilter_fit: start must have %d values (%s).', k, strjoin (spec.names', ', '));
end
theta = start;
outside = find (theta < spec.lower | theta > spec.upper, 1);
if ~isempty (outside)
  error ('volfilter:fit:badStart', ...
         'volfilter_fit: start value %s = %g is outside [%g, %g].', spec.names{outside}, ...
         theta(outside), spec.lower(outside), spec.upper(outside));
end
violated = spec.A * theta - spec.b > 1e-12;
if ~isempty (spec.nonlinear)
  violated(end + 1) = spec.nonlinear (theta) > 1e-12;
end
if any (violated)
  error ('volfilter:fit:badStart', ...
         ['volfilter_fit: the start values break the model''s constraints ' ...
          '(see help volfilter_fit).']);
end
if ~(spec.module (e, theta, spec.arguments{:}) < Inf)
  error ('volfilter:fit:badStart', ...
         'volfilter_fit: the likelihood is not defined at the start values.');
end
end
