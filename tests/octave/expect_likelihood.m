function expect_likelihood (nll_module, args, m, ht, what, e, at, step)
  % expect_likelihood (nll_module, args, m, ht, what[, e, at, step])
  % Fails unless the likelihood module NLL_MODULE, called with ARGS (e first, parameters
  % second, the distribution last; M observations conditioned on), gives
  %   - the variances HT (the filter's, for the same data series) to the last bit;
  %   - the same nll bits with one output as with four;
  %   - nll within the rounding of a sum of its terms of likelihood_reference: each
  %     of the two sums of n terms is within about n units of roundoff of sum |terms|;
  %   - scores whose rows 1..m are zero and whose column sums are the gradient, within
  %     the rounding of those sums;
  %   - a gradient that agrees with central differences of nll to 1e-6, relative to each
  %     entry or, for an entry much smaller than the largest, to a hundredth of the largest.
  % A likelihood with a mean gives E, its residuals, takes its parameters at position AT, and
  % asks for differences of a smaller STEP relative to each parameter (1e-3 by default): its
  % residuals move with the parameters, and a difference should not cross the kink of |e|
  % where a residual is near 0.
  if (nargin < 6)
    e = args{1};
    at = 2;
  end
  if (nargin < 8)
    step = 1e-3;
  end
  theta = args{at}(:);
  distribution = args{end};
  [nll, gradient, scores, variances] = nll_module (args{:});
  expect_bits (variances, ht, [what ': ht']);
  expect_bits (nll_module (args{:}), nll, [what ': nll with one output']);

  k = numel (gradient);
  n = numel (e) - m;
  nu = theta(k) * (distribution == 1);
  [reference, terms] = likelihood_reference (e(:), ht, m, distribution, nu);
  tolerance = (n + 2) * eps * sum (abs (terms));
  if (! (abs (nll - reference) <= tolerance))
    error ('%s: nll %.17g, reference %.17g (tolerance %.1e)', what, nll, reference, tolerance);
  end

  if (any (any (scores(1:m, :))))
    error ('%s: scores of the conditioned rows are not zero', what);
  end
  column_tolerance = (n + 2) * eps * sum (abs (scores), 1)';
  if (! all (abs (sum (scores, 1)' - gradient) <= column_tolerance))
    error ('%s: column sums of scores %s, gradient %s', what, mat2str (sum (scores, 1)', 17), ...
           mat2str (gradient, 17));
  end

  differences = central_differences (@(x) nll_module (args{1:at-1}, x, args{at+1:end}), ...
                                     theta(1:k), step);
  scale = max (abs (gradient), max (abs (gradient)) / 100);
  relative = abs (gradient - differences) ./ scale;
  if (! all (relative <= 1e-6))
    error ('%s: gradient %s, central differences %s (relative %s)', what, ...
           mat2str (gradient', 10), mat2str (differences', 10), mat2str (relative', 2));
  end
end

function d = central_differences (f, theta, relative)
  % Five-point central differences, each step RELATIVE times the parameter's size (at least
  % RELATIVE / 100): the truncation error falls as the step to the fourth power, the rounding
  % error of nll grows as its inverse, and both stay far below 1e-6 of the gradient.
  d = zeros (size (theta));
  for i = 1:numel (theta)
    step = relative * max (abs (theta(i)), 1e-2);
    at = @(s) f (theta + s * step * ((1:numel (theta))' == i));
    d(i) = (8 * (at (1) - at (-1)) - (at (2) - at (-2))) / (12 * step);
  end
end
