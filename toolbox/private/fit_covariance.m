function [covariance, robust, hessian] = fit_covariance (plan, e, theta, scores)
% [covariance, robust, hessian] = fit_covariance (plan, e, theta, scores)
% The covariance of the estimates THETA: the inverse of the Hessian of the total negative
% log-likelihood, and the sandwich inverse Hessian * (scores' * scores) * inverse Hessian.
%
% Column i of the Hessian is the central difference of the exact gradient over a step of
% eps^(1/3) * max (|theta(i)|, scale(i) / 10); next to a bound, or where one side leaves
% the model's domain, the one-sided difference on the other side. Both covariances are NaN
% when the Hessian is not positive definite.
k = numel (theta);
module = plan.module;
arguments = plan.arguments;
step = eps ^ (1 / 3) * max (abs (theta), plan.scale / 10);
hessian = NaN (k);
for i = 1:k
  d = zeros (k, 1);
  d(i) = step(i);
  if theta(i) + d(i) <= plan.upper(i) && theta(i) - d(i) >= plan.lower(i)
    [~, g_up] = module (e, theta + d, arguments{:});
    [~, g_down] = module (e, theta - d, arguments{:});
    hessian(:, i) = (g_up - g_down) / (2 * step(i));
  end
  if ~all (isfinite (hessian(:, i)))
    hessian(:, i) = one_sided (module, e, theta, d, plan, arguments);
  end
end
hessian = (hessian + hessian') / 2;

covariance = NaN (k);
robust = NaN (k);
if all (isfinite (hessian(:)))
  [factor, failed] = chol (hessian);
  if ~failed
    inverse = factor \ (factor' \ eye (k));
    covariance = (inverse + inverse') / 2;
    robust = covariance * (scores' * scores) * covariance;
  end
end
end

function column = one_sided (module, e, theta, d, plan, arguments)
% The forward difference where the step up stays within the bounds and the model is
% defined there, else the backward one; NaN where neither side will do.
i = find (d);
[~, g_here] = module (e, theta, arguments{:});
column = NaN (numel (theta), 1);
if theta(i) + d(i) <= plan.upper(i)
  [~, g_up] = module (e, theta + d, arguments{:});
  column = (g_up - g_here) / d(i);
end
if ~all (isfinite (column)) && theta(i) - d(i) >= plan.lower(i)
  [~, g_down] = module (e, theta - d, arguments{:});
  column = (g_here - g_down) / d(i);
end
end
