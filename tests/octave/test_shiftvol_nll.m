function test_shiftvol_nll ()
  % Results, derivatives, edges and refusals of shiftvol_nll in the real host.
  T = 500;
  % p, q, type, distribution, parameters [omega; alpha; gamma; beta], nu last for Student's t.
  cases = {
    1, 1, 1, 0, [0.05; 0.08; 0.3; 0.85]
    1, 1, 1, 1, [0.05; 0.08; 0.3; 0.85; 7]
    1, 1, 0, 0, [0.05; 0.08; -0.4; 0.85]
    1, 1, 0, 1, [0.05; 0.08; 0.5; 0.85; 5]
    2, 2, 1, 1, [0.1; 0.05; 0.04; -0.2; 0.5; 0.3; 12]
    0, 1, 0, 0, [0.3; 0.7; 0.6]
  };
  rand ('state', 41);
  for i = 1:4
    orders = floor (3 * rand (1, 2));
    weights = [0.1, 0.8] ./ max (orders, 1);
    theta = [0.05 + 0.05 * rand; weights(1) * rand(orders(1), 1); rand - 0.5; ...
             weights(2) * rand(orders(2), 1)];
    distribution = rand < 0.5;
    if (distribution)
      theta(end+1) = 4 + 10 * rand;
    end
    cases(end+1, :) = {orders(1), orders(2), rand < 0.5, distribution, theta};
  end

  for i = 1:rows (cases)
    [p, q, type, distribution, theta] = cases{i, :};
    randn ('state', i);
    e = randn (T, 1);
    m = max ([p, q, 1]);
    [args, ht] = shiftvol_call (e, theta, p, q, m, type, distribution);
    what = sprintf ('shiftvol_nll case %d (orders %d %d, type %d, distribution %d)', i, p, ...
                    q, type, distribution);
    expect_likelihood (@shiftvol_nll, args, m, ht, what);
    if (distribution == 0)
      expect_student_near_normal (@shiftvol_nll, args, what);
    end
  end

  % Nothing modelled: m = T, and an empty sample.
  e = randn (5, 1);
  theta = [0.05; 0.08; 0.3; 0.85];
  [args, ht] = shiftvol_call (e, theta, 1, 1, 5, 0, 0);
  expect_nothing_modelled (@shiftvol_nll, args, ht, 'm = T');
  expect_nothing_modelled (@shiftvol_nll, {[], [theta; 6], [], 1, 1, 0, 1, 1}, ...
                           zeros (0, 1), 'T = 0');

  % Where the model is not defined: parameters, type, distribution.
  e = randn (50, 1);
  undefined = {
    'negative variance, constant shift', [-1; 0; 0; 0], 1, 0
    'negative variance, scaled shift', [-1; 0; 0.5; 0], 0, 0
    'nu of 2', [theta; 2], 1, 1
    'nu below 2', [theta; 1.99], 0, 1
    'NaN shift', [0.05; 0.08; NaN; 0.85], 1, 0
    'infinite constant', [Inf; 0.08; 0.3; 0.85; 7], 0, 1
  };
  for i = 1:rows (undefined)
    [what, parameters, type, distribution] = undefined{i, :};
    args = shiftvol_call (e, parameters, 1, 1, 1, type, distribution);
    expect_undefined (@shiftvol_nll, args, ['shiftvol_nll: ' what]);
  end

  % Refusals: those every likelihood shares, then this model's own.
  args = shiftvol_call (e, theta, 1, 1, 1, 1, 0);
  expect_likelihood_refusals (@shiftvol_nll, args, 6, 'Eight inputs required.');
  expect_error (@() shiftvol_nll (e, theta, 1, -1, 1, 1, 1, 0), 'Input p must not be negative.');
  expect_error (@() shiftvol_nll (e, [theta; 0.1], 1, 1, 2, 1, 1, 0), ...
                'Input m must be at least the largest of p and q when T exceeds m.');
  expect_error (@() shiftvol_nll (e, theta, 1, 1, 1, 1, Inf, 0), ...
                'Input type must be a finite number within the range of a 32-bit integer.');
  printf ('shiftvol_nll: all host tests passed\n');
end

function [args, ht] = shiftvol_call (e, theta, p, q, m, type, distribution)
  % The likelihood's inputs for residuals E, and the filter's variances for the data e.
  backcast = mean (e .^ 2);
  args = {e, theta, backcast, p, q, m, type, distribution};
  ht = shiftvol_filter (e, theta, backcast, p, q, m, numel (e), type);
end
