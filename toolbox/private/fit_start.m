function theta = fit_start (plan, e, start, m)
% theta = fit_start (plan, e, start, m)
% The start values: START when given, checked against the model's bounds and constraints
% and refused (volfilter:fit:badStart) where they fail or where the likelihood is not
% defined; otherwise the candidate of plan.grid with the lowest negative log-likelihood on
% the first 2000 modelled observations (after the M conditioned on): on a longer series a
% start needs no more to be told apart.
k = numel (plan.names);
if isempty (start)
  values = Inf (1, size (plan.grid, 2));
  head = e(1:min (numel (e), m + 2000));
  for i = 1:numel (values)
    values(i) = plan.module (head, plan.grid(:, i), plan.arguments{:});
  end
  [best, i] = min (values);
  if ~(best < Inf)
    fit_refuse ('undefined');
  end
  theta = plan.grid(:, i);
  return;
end

if numel (start) ~= k
  fit_refuse ('startLength', k, plan.names);
end
theta = start;
outside = find (~(theta >= plan.lower & theta <= plan.upper), 1);
if ~isempty (outside)
  fit_refuse ('startOutside', plan.names{outside}, theta(outside), plan.lower(outside), ...
              plan.upper(outside));
end
violated = plan.A * theta - plan.b > 1e-12;
if ~isempty (plan.nonlinear)
  violated(end + 1) = plan.nonlinear (theta) > 1e-12;
end
if any (violated)
  fit_refuse ('startBreaks');
end
if ~(plan.module (e, theta, plan.arguments{:}) < Inf)
  fit_refuse ('startUndefined');
end
end
