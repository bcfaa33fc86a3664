function test_intvol_nll ()
  % Results, derivatives, edges and refusals of intvol_nll in the real host.
  T = 500;
  % p, q, type, has_constant, distribution, parameters [omega; alpha; beta(1:q-1)], nu last
  % for Student's t; the lag-q coefficient is implied.
  cases = {
    1, 1, 2, 1, 0, [0.05; 0.1]
    1, 1, 2, 1, 1, [0.05; 0.1; 7]
    1, 1, 1, 1, 0, [0.03; 0.08]
    1, 2, 1, 1, 1, [0.03; 0.08; 0.5; 5]
    1, 1, 2, 0, 0, [0.1]
    2, 2, 2, 2, 1, [0.05; 9; 0.05; 0.04; 0.5; 12]
    0, 1, 2, 1, 0, [0.2]
  };
  rand ('state', 43);
  for i = 1:4
    orders = [floor(3 * rand), 1 + floor(2 * rand)];
    weights = [0.1, 0.5] ./ max (orders - [0, 1], 1);
    has_constant = rand < 0.7;
    theta = [0.05 * ones(has_constant, 1); weights(1) * rand(orders(1), 1); ...
             weights(2) * rand(orders(2) - 1, 1)];
    distribution = rand < 0.5;
    if (distribution)
      theta(end+1) = 4 + 10 * rand;
    end
    cases(end+1, :) = {orders(1), orders(2), 1 + (rand < 0.5), has_constant, distribution, theta};
  end

  for i = 1:rows (cases)
    [p, q, type, has_constant, distribution, theta] = cases{i, :};
    randn ('state', i);
    e = randn (T, 1);
    m = max ([p, q, 1]);
    [args, ht] = intvol_call (e, theta, p, q, m, type, has_constant, distribution);
    what = sprintf ('intvol_nll case %d (orders %d %d, type %d, has_constant %d, distribution %d)', ...
                    i, p, q, type, has_constant, distribution);
    expect_likelihood (@intvol_nll, args, m, ht, what);
    if (distribution == 0)
      expect_student_near_normal (@intvol_nll, args, what);
    end
  end

  % has_constant 2: the unused slot is never read and its derivative is 0.
  e = randn (50, 1);
  args = intvol_call (e, [0.05; NaN; 0.1], 1, 1, 1, 2, 2, 0);
  [nll, gradient] = intvol_nll (args{:});
  if (! isfinite (nll) || gradient(2) != 0)
    error ('intvol_nll: the unused slot gives nll %g and derivative %g', nll, gradient(2));
  end

  % Nothing modelled: m = T, and an empty sample.
  theta = [0.05; 0.1];
  [args, ht] = intvol_call (e(1:5), theta, 1, 1, 5, 2, 1, 0);
  expect_nothing_modelled (@intvol_nll, args, ht, 'm = T');
  expect_nothing_modelled (@intvol_nll, {[], [theta; 6], [], 1, 1, 0, 2, 1, 1}, ...
                           zeros (0, 1), 'T = 0');

  % Where the model is not defined: orders p, q, parameters, has_constant, backcast,
  % distribution.
  undefined = {
    'negative variance', 0, 1, [-3], 1, 0.5, 0
    'zero variance, no constant', 0, 1, zeros(0, 1), 0, 0, 0
    'nu of 2', 1, 1, [theta; 2], 1, 0.5, 1
    'nu NaN', 1, 1, [theta; NaN], 1, 0.5, 1
    'NaN alpha', 1, 1, [0.05; NaN], 1, 0.5, 0
  };
  for i = 1:rows (undefined)
    [what, p, q, parameters, has_constant, backcast, distribution] = undefined{i, :};
    args = intvol_call (e, parameters, p, q, 1, 2, has_constant, distribution);
    args{3} = backcast;
    expect_undefined (@intvol_nll, args, ['intvol_nll: ' what]);
  end

  % Refusals: those every likelihood shares, then this model's own.
  args = intvol_call (e, theta, 1, 1, 1, 2, 1, 0);
  expect_likelihood_refusals (@intvol_nll, args, 6, 'Nine inputs required.');
  expect_error (@() intvol_nll (e, theta, 1, 1, 0, 1, 2, 1, 0), 'Input q must be at least 1.');
  expect_error (@() intvol_nll (e, theta, 1, 1, 1, 1, 2, -1, 0), ...
                'Input has_constant must not be negative.');
  expect_error (@() intvol_nll (e, [theta; 0.1], 1, 1, 2, 1, 2, 1, 0), ...
                'Input m must be at least the largest of p and q when T exceeds m.');
  printf ('intvol_nll: all host tests passed\n');
end

function [args, ht] = intvol_call (e, theta, p, q, m, type, has_constant, distribution)
  % The likelihood's inputs for residuals E, and the filter's variances for the data series
  % formed from E: abs(e) under type 1, e.*e otherwise.
  if (type == 1)
    data = abs (e(:));
    backcast = sqrt (mean (e .^ 2));
  else
    data = e(:) .^ 2;
    backcast = mean (e .^ 2);
  end
  args = {e, theta, backcast, p, q, m, type, has_constant, distribution};
  ht = intvol_filter (data, theta, backcast, p, q, m, numel (e), type, has_constant);
end
