function test_logvol_nll ()
  % Results, derivatives, bounds, edges and refusals of logvol_nll in the real host.
  T = 500;
  % p, o, q, distribution, parameters (nu last for Student's t).
  cases = {
    1, 1, 1, 0, [0.02; 0.1; -0.06; 0.95]
    1, 1, 1, 1, [0.02; 0.1; -0.06; 0.95; 7]
    2, 1, 2, 0, [-0.01; 0.08; 0.05; -0.04; 0.6; 0.3]
    0, 2, 1, 1, [0.05; -0.05; 0.03; 0.9; 9]
    1, 0, 0, 0, [0.3; 0.2]
  };
  rand ('state', 37);
  for i = 1:4
    orders = floor (3 * rand (1, 3));
    weights = [0.2, 0.1, 0.9] ./ max (orders, 1);
    theta = [0.05 * (rand - 0.5); weights(1) * rand(orders(1), 1); ...
             weights(2) * (rand(orders(2), 1) - 0.5); weights(3) * rand(orders(3), 1)];
    distribution = rand < 0.5;
    if (distribution)
      theta(end+1) = 4 + 10 * rand;
    end
    cases(end+1, :) = {orders(1), orders(2), orders(3), distribution, theta};
  end

  for i = 1:rows (cases)
    [p, o, q, distribution, theta] = cases{i, :};
    randn ('state', i);
    e = randn (T, 1);
    m = max ([p, o, q, 1]);
    [args, ht] = logvol_call (e, theta, 1e6, p, o, q, m, distribution);
    what = sprintf ('logvol_nll case %d (orders %d %d %d, distribution %d)', i, p, o, q, ...
                    distribution);
    expect_likelihood (@logvol_nll, args, m, ht, what);
    if (distribution == 0)
      expect_student_near_normal (@logvol_nll, args, what);
    end
  end

  % On the floor the variance does not depend on the parameters: every modelled variance
  % there gives a zero gradient of the model's parameters.
  e = randn (50, 1);
  [args, ht] = logvol_call (e, [-30; 0; 0; 0.5], 1e6, 1, 1, 1, 1, 0);
  [~, gradient, ~, variances] = logvol_nll (args{:});
  expect_bits (variances, ht, 'floor: ht');
  expect_bits (variances(2:end), repmat (exp (args{3}) / 10000, 49, 1), 'floor: every step');
  expect_bits (gradient, zeros (4, 1), 'floor: gradient');

  % Nothing modelled: m = T, and an empty sample (the pre-sample variance still formed).
  theta = [0.02; 0.1; -0.06; 0.95];
  [args, ht] = logvol_call (e(1:5), theta, 1e6, 1, 1, 1, 5, 0);
  expect_nothing_modelled (@logvol_nll, args, ht, 'm = T');
  expect_nothing_modelled (@logvol_nll, {[], [theta; 6], 0, [], 1, 1, 1, 0, 1}, ...
                           zeros (0, 1), 'T = 0');

  % Where the model is not defined: parameters, ceiling, distribution.
  undefined = {
    'infinite variance, no ceiling', [800; 0; 0; 0], Inf, 0
    'negative variance under a ceiling below 1', [-0.6; 0; 0; 0], 0.2, 0
    'nu of 2', [theta; 2], 1e6, 1
    'nu negative', [theta; -3], 1e6, 1
    'nu infinite', [theta; Inf], 1e6, 1
    'NaN gamma', [0.02; 0.1; NaN; 0.95], 1e6, 0
  };
  for i = 1:rows (undefined)
    [what, parameters, upper_bound, distribution] = undefined{i, :};
    args = logvol_call (e, parameters, upper_bound, 1, 1, 1, 1, distribution);
    expect_undefined (@logvol_nll, args, ['logvol_nll: ' what]);
  end

  % Refusals: those every likelihood shares, then this model's own.
  args = logvol_call (e, theta, 1e6, 1, 1, 1, 1, 0);
  expect_likelihood_refusals (@logvol_nll, args, 8, 'Nine inputs required.');
  expect_error (@() logvol_nll (e, theta, 0, 1e6, 1, -1, 1, 1, 0), 'Input o must not be negative.');
  expect_error (@() logvol_nll (e, theta, 0, 1e6, 1, 1, 2, 1, 0), ...
                'Input m must be at least the largest of p, o and q when T exceeds m.');
  expect_error (@() logvol_nll (e, theta, 0, [], 1, 1, 1, 1, 0), ...
                'Input upper_bound must have at least 1 element.');
  expect_error (@() logvol_nll ([], theta, [], [], 1, 1, 1, 0, 0), ...
                'Input backcast must have at least 1 element.');
  expect_error (@() logvol_nll (e, theta, 0, int8 (1), 1, 1, 1, 1, 0), ...
                'Input upper_bound must be a real double array.');
  printf ('logvol_nll: all host tests passed\n');
end

function [args, ht] = logvol_call (e, theta, ceiling, p, o, q, m, distribution)
  % The likelihood's inputs for residuals E, the log variance of e as the pre-sample value
  % and CEILING times the variance as the ceiling, and the filter's variances.
  backcast = log (mean (e .^ 2));
  upper_bound = ceiling * mean (e .^ 2);
  args = {e, theta, backcast, upper_bound, p, o, q, m, distribution};
  ht = logvol_filter (e, theta, backcast, upper_bound, p, o, q, m, numel (e));
end
