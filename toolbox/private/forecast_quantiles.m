function values = forecast_quantiles (x, probabilities)
% values = forecast_quantiles (x, probabilities)
% The quantiles of each row of X (a sample across its columns) at PROBABILITIES, a row:
% with the row sorted, x(1) <= ... <= x(n), the quantile at p is x at the position n p + 1/2,
% interpolated linearly between neighbouring values and held at x(1) and x(n) beyond them
% (the rule of the sample quantiles that puts x(i) at p = (i - 1/2) / n). No toolbox needed.
% Sorted as columns, which the host sorts much faster than rows.
n = size (x, 2);
sorted = sort (x', 1);
position = min (max (n * probabilities(:) + 0.5, 1), n);
below = floor (position);
above = min (below + 1, n);
weight = position - below;
values = (sorted(below, :) .* (1 - weight) + sorted(above, :) .* weight)';
end
