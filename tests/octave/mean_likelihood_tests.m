function mean_likelihood_tests (model, own, trailing)
  % mean_likelihood_tests (model, own, trailing)
  % Results, derivatives, edges and refusals of MODEL_mean_nll in the real host: the
  % residuals lagreg_residuals' and nll and ht the likelihood MODEL_nll's on them, to the bit;
  % the likelihood's checks of expect_likelihood; without mean terms every output MODEL_nll's.
  % OWN holds the model's own parameters, at which it is defined; TRAILING (m, distribution)
  % gives its inputs after the parameters, as MODEL_nll takes them.
  name = [model '_mean_nll'];
  module = str2func (name);
  own_module = str2func ([model '_nll']);
  T = 400;
  randn ('state', 5);
  x = randn (T, 2);
  % constant, ar_lags, ma_lags, regressors (columns of x), the mean's parameters, m.
  means = {
    1, [], [], 0, 0.1, 1
    1, 1, [], 0, [0.05; 0.2], 1
    1, 1, 1, 0, [0.05; 0.2; -0.3], 1
    1, [1; 4], 2, 2, [0.02; 0.2; -0.1; 0.3; -0.2; 0.25], 4
    0, [], [3; 1], 1, [0.5; 0.2; 0.1], 3
  };
  for i = 1:rows (means)
    [constant, ar, ma, k, mean_theta, m] = means{i, :};
    for distribution = [0, 1]
      y = 0.1 + filter (1, [1, -0.3], randn (T, 1));
      if (i == 2)
        y = y';  % a row reads as the column
      end
      theta = [mean_theta; own; 6.5 * ones(distribution, 1)];
      args = [{y, x(:, 1:k), ar, ma, constant, theta}, trailing(m, distribution)];
      what = sprintf ('%s mean %d distribution %d', name, i, distribution);
      [~, ~, ~, ht, e] = module (args{:});
      residuals = lagreg_residuals (mean_theta, ar(:), ma(:), constant, y(:), x(:, 1:k), m, ...
                                    ones (T, 1));
      expect_bits (e, residuals, [what ': residuals']);
      own_args = [{e, [own; 6.5 * ones(distribution, 1)]}, trailing(m, distribution)];
      [own_nll, ~, ~, own_ht] = own_module (own_args{:});
      expect_bits (ht, own_ht, [what ': ht']);
      expect_bits (module (args{:}), own_nll, [what ': nll']);
      expect_likelihood (module, args, m, ht, what, e, 6, 1e-5);
    end
  end

  % Without mean terms, every output is the model's own on y with its first m values 0.
  y = randn (50, 1);
  args = [{y, [], [], [], 0, own}, trailing(2, 0)];
  e = [0; 0; y(3:end)];
  outputs = cell (1, 5);
  own_outputs = cell (1, 4);
  [outputs{:}] = module (args{:});
  [own_outputs{:}] = own_module (e, own, trailing(2, 0){:});
  expect_bits (outputs{5}, e, [name ': no mean terms, residuals']);
  for j = 1:4
    expect_bits (outputs{j}, own_outputs{j}, sprintf ('%s: no mean terms, output %d', name, j));
  end
  % An explosive moving average: residuals that overflow, nll +Inf, derivatives NaN.
  args = [{y, [], [], 1, 1, [0; -1e200; own]}, trailing(1, 0)];
  expect_undefined (module, args, [name ': explosive moving average']);
  % m = T: nll 0, zero derivatives of the full shapes, zero residuals.
  [outputs{:}] = module (y, [], 1, [], 1, [0; 0.1; own], trailing(50, 0){:});
  expected = {0, zeros(2 + numel (own), 1), zeros(50, 2 + numel (own))};
  for j = 1:3
    expect_bits (outputs{j}, expected{j}, sprintf ('%s: m = T, output %d', name, j));
  end
  expect_bits (outputs{5}, zeros (50, 1), [name ': m = T, residuals']);

  % The counts; every other refusal is in the hostile battery.
  args = [{y, [], 1, 2, 1, [0.1; 0.2; 0.3; own]}, trailing(2, 0)];
  expect_error (@() module (args{1:end-1}), 'inputs required.');
  expect_error (@() six_outputs (module, args), 'At most five outputs.');
  printf ('%s: all host tests passed\n', name);
end

function six_outputs (module, args)
  [a, b, c, d, e, f] = module (args{:});
end
