function fit = ml_estimate (average_nll, T, start, lower, upper, constraint)
  % fit = ml_estimate (average_nll, T, start, lower, upper, constraint)
  % Maximum-likelihood estimate by sqp, with standard errors from the numerical Hessian.
  %
  % average_nll  handle: parameter column -> negative log-likelihood per observation
  % T            number of observations
  % start, lower, upper  starting point and bounds
  % constraint   handle: parameter column -> values that must stay >= 0, or []
  % fit          struct: estimate, std_error, loglik, info, status, evaluations,
  %              hessian_evaluations
  counted = @(theta) count_evaluation (average_nll, theta);
  count_evaluation ('reset');
  % sqp differentiates by forward differences, which limits how small the gradient can
  % get; 1e-6 stops it once the estimates no longer move in their fifth digit.
  [estimate, ~, info] = sqp (start, counted, [], constraint, lower, upper, 200, 1e-6);
  evaluations = count_evaluation ('read');

  % Covariance of the estimates: the inverse Hessian of the total negative log-likelihood.
  hessian = T * numerical_hessian (counted, estimate);
  hessian_evaluations = count_evaluation ('read') - evaluations;

  fit.estimate = estimate;
  fit.std_error = sqrt (diag (inv (hessian)));
  fit.loglik = -T * average_nll (estimate);
  fit.info = info;
  fit.status = sqp_status (info);
  fit.evaluations = evaluations;
  fit.hessian_evaluations = hessian_evaluations;
end

function value = count_evaluation (f, theta)
  % count_evaluation (f, theta) evaluates f (theta) and counts one evaluation;
  % count_evaluation ('reset') sets the count to zero; count_evaluation ('read') returns it.
  persistent total;
  if (isempty (total))
    total = 0;
  end
  if (nargin == 2)
    total = total + 1;
    value = f (theta);
  elseif (strcmp (f, 'reset'))
    total = 0;
    value = 0;
  else
    value = total;
  end
end

function H = numerical_hessian (f, x)
  % Central second differences, each step scaled to its parameter.
  n = numel (x);
  step = 1e-4 * max (abs (x), 1e-2);
  H = zeros (n);
  f0 = f (x);
  for i = 1:n
    e_i = zeros (n, 1);
    e_i(i) = step(i);
    H(i, i) = (f (x + e_i) - 2 * f0 + f (x - e_i)) / step(i)^2;
    for j = 1:i - 1
      e_j = zeros (n, 1);
      e_j(j) = step(j);
      H(i, j) = (f (x + e_i + e_j) - f (x + e_i - e_j) - f (x - e_i + e_j) ...
                 + f (x - e_i - e_j)) / (4 * step(i) * step(j));
      H(j, i) = H(i, j);
    end
  end
end

function text = sqp_status (info)
  switch (info)
    case 101
      text = 'converged';
    case 104
      text = 'stopped: steps below the tolerance';
    case 103
      text = 'stopped at the iteration limit';
    otherwise
      text = sprintf ('stopped with sqp code %d', info);
  end
end
