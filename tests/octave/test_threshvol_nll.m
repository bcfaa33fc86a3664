function test_threshvol_nll ()
  % Results, derivatives, edges and refusals of threshvol_nll in the real host.
  T = 500;
  % p, o, q, type, distribution, parameters (nu last for Student's t).
  cases = {
    1, 1, 1, 2, 0, [0.05; 0.08; 0.06; 0.85]
    1, 1, 1, 2, 1, [0.05; 0.08; 0.06; 0.85; 7]
    1, 1, 1, 1, 0, [0.03; 0.06; 0.05; 0.88]
    1, 1, 1, 1, 1, [0.03; 0.06; 0.05; 0.88; 5]
    2, 0, 2, 2, 1, [0.1; 0.05; 0.04; 0.5; 0.3; 12]
    0, 2, 1, 1, 0, [0.08; 0.05; 0.1; 0.8]
    0, 0, 0, 2, 1, [1.2; 4.5]
  };
  % A few random orders and parameters.
  rand ('state', 31);
  for i = 1:4
    orders = floor (3 * rand (1, 3));
    weights = [0.1, 0.1, 0.8] ./ max (orders, 1);
    theta = [0.05 + 0.05 * rand; weights(1) * rand(orders(1), 1); ...
             weights(2) * rand(orders(2), 1); weights(3) * rand(orders(3), 1)];
    distribution = rand < 0.5;
    if (distribution)
      theta(end+1) = 4 + 10 * rand;
    end
    cases(end+1, :) = {orders(1), orders(2), orders(3), 1 + (rand < 0.5), distribution, theta};
  end

  for i = 1:rows (cases)
    [p, o, q, type, distribution, theta] = cases{i, :};
    randn ('state', i);
    e = randn (T, 1);
    if (i == 1)
      e = e';  % a row reads as the column
    end
    [args, ht] = threshvol_call (e, theta, p, o, q, max ([p, o, q, 1]), type, distribution);
    what = sprintf ('threshvol_nll case %d (orders %d %d %d, type %d, distribution %d)', ...
                    i, p, o, q, type, distribution);
    expect_likelihood (@threshvol_nll, args, max ([p, o, q, 1]), ht, what);
    if (distribution == 0)
      expect_student_near_normal (@threshvol_nll, args, what);
    end
  end

  % Nothing modelled: m = T, and an empty sample.
  e = randn (5, 1);
  theta = [0.05; 0.08; 0.06; 0.85];
  [args, ht] = threshvol_call (e, theta, 1, 1, 1, 5, 2, 0);
  expect_nothing_modelled (@threshvol_nll, args, ht, 'm = T');
  expect_nothing_modelled (@threshvol_nll, {[], [theta; 6], [], 1, 1, 1, 0, 2, 1}, ...
                           zeros (0, 1), 'T = 0');

  % Where the model is not defined: parameters, orders 1, type, distribution.
  e = randn (50, 1);
  undefined = {
    'negative variance', [-1; 0; 0; 0], 2, 0
    'zero variance, power 1', [0; 0; 0; 0], 1, 0
    'nu of 2', [theta; 2], 2, 1
    'nu below 2', [theta; 1.5], 2, 1
    'nu NaN', [theta; NaN], 2, 1
    'NaN alpha', [0.05; NaN; 0.06; 0.85], 2, 0
    'infinite beta', [0.05; 0.08; 0.06; Inf; 7], 1, 1
  };
  for i = 1:rows (undefined)
    [what, parameters, type, distribution] = undefined{i, :};
    args = threshvol_call (e, parameters, 1, 1, 1, 1, type, distribution);
    expect_undefined (@threshvol_nll, args, ['threshvol_nll: ' what]);
  end

  % Refusals: those every likelihood shares, then this model's own.
  args = threshvol_call (e, theta, 1, 1, 1, 1, 2, 0);
  expect_likelihood_refusals (@threshvol_nll, args, 7, 'Nine inputs required.');
  expect_error (@() threshvol_nll (e, theta, 1, -1, 1, 1, 1, 2, 0), 'Input p must not be negative.');
  expect_error (@() threshvol_nll (e, theta, 1, 1, 1, -1, 1, 2, 0), 'Input q must not be negative.');
  expect_error (@() threshvol_nll (e, theta, 1, 1, 1, 1, 0, 2, 0), ...
                'Input m must be at least the largest of p, o and q when T exceeds m.');
  expect_error (@() threshvol_nll (e, theta, 1, 1, 1, 1, 1, NaN, 0), ...
                'Input type must be a finite number within the range of a 32-bit integer.');
  printf ('threshvol_nll: all host tests passed\n');
end

function [args, ht] = threshvol_call (e, theta, p, o, q, m, type, distribution)
  % The likelihood's inputs for residuals E, and the filter's variances for the data series
  % formed from E: abs(e) under type 1, e.*e otherwise, the asymmetric series that value
  % where e < 0.
  if (type == 1)
    data = abs (e(:));
    backcast = sqrt (mean (e .^ 2));
  else
    data = e(:) .^ 2;
    backcast = mean (e .^ 2);
  end
  asym = data .* (e(:) < 0);
  args = {e, theta, backcast, p, o, q, m, type, distribution};
  ht = threshvol_filter (data, asym, theta, backcast, p, o, q, m, numel (e), type);
end
