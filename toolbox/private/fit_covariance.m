function [covariance, robust, hessian] = fit_covariance (spec, e, theta, scores)
% [covariance, robust, hessian] = fit_covariance (spec, e, theta, scores)
% The covariance of the estimates THETA: the inverse of the Hessian of the total negative
% log-likelihood, and the sandwich inverse Hessian * (scores' * scores) * inverse Hessian.
%
% Column i of the Hessian is the central difference of the exact gradient over a step of
% eps^(1/3) * max (|theta(i)|, scale(i) / 10); next to a bound, or where one side leaves
% the model's domain, the one-sided difference on the other side. Both covariances are NaN
% when the Hessian is not positive definite.
k = numel (theta);
module = spec.module;
arguments = spec.arguments;
step = eps ^ (1 / 3) * max (abs (theta), spec.scale / 10);
hessian = NaN (k);
for i = 1:k
  up = theta;
  up(i) = theta(i) + step(i);
  down = theta;
  down(i) = theta(i) - step(i);
  g_up = NaN;
  g_down = NaN;
  if up(i) <= spec.upper(i)
    [~, g_up] = module (e, up, arguments{:});
  end
  if down(i) >= spec.lower(i)
    [~, g_down] = module (e, down, arguments{:});
  end
  if all (isfinite (g_up)) && all (isfinite (g_down))
    hessian(:, i) = (g_up - g_down) / (2 * step(i));
  else
    [~, g_here] = module (e, theta, arguments{:});
    if all (isfinite (g_up))
      hessian(:, i) = (g_up - g_here) / step(i);
    elseif all (isfinite (g_down))
      hessian(:, i) = (g_here - g_down) / step(i);
    end
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
