function test_lagreg_residuals ()
  % Results, messages and refusals of lagreg_residuals in the real host.

  % Worked examples: constant and one autoregressive lag; one moving-average lag fed with
  % unscaled residuals (scaled feedback would end in 1.25).
  expect_bits (lagreg_residuals ([0.5; 0.5], 1, [], 1, [1; 2; 3; 4], [], 1, ones (4, 1)), [0; 1; 1.5; 2], 'constant and AR');
  expect_bits (lagreg_residuals (0.5, [], 1, 0, [1; 2; 3], [], 1, [1; 2; 2]), [0; 1; 1], 'unscaled MA feedback');

  % The kernel tests' random model: T = 10, m = 3, two regressors from a 12-by-2 matrix.
  params = [0.057167; -0.239705; 0.490644; 0.08684; 0.458781; 0.417653; 0.010047; -0.103265];
  y = [-1.055808; -1.587336; -0.415767; -1.380111; -1.73394; -0.393636; 1.67182; 1.201809; 1.06065; -1.112287];
  x = reshape ([0.07336, -0.446635, -0.654671, -0.787633, -0.571199, 0.854951, 0.65784, 0.613305, ...
                0.600896, -0.613129, -0.3803, 0.253951, 0.463789, 0.709297, 0.760102, -0.826563, ...
                0.211704, 0.343403, 0.011908, -0.64442, -0.052824, -0.821308, 0.869177, 0.730968], 12, 2);
  sigma = [1.398369; 1.146565; 0.741981; 0.957667; 1.718888; 0.564858; 0.569483; 1.439526; 0.92065; 1.301933];
  expected = [0; 0; 0; -0.9582634952138895; -0.7990226415314324; -1.2241910366559257; ...
              3.1322996960893392; 1.401368721592541; 1.4012654316349609; -0.894207759874738];
  expect_bits (lagreg_residuals (params, [1; 3; 1], [2; 1], 1, y, x, 3, sigma), expected, 'random model');

  % Duplicate lags each with their own coefficient; a lag of 2.9 acts as 2; m 1.9 is 1.
  expect_bits (lagreg_residuals ([0.5; 0.25], [1; 1], [], 0, [2; 4; 8], [], 1, ones (3, 1)), [0; 2.5; 5], 'duplicate lags');
  expect_bits (lagreg_residuals (1, 2.9, [], 0, [1; 10; 100; 1000; 10000], [], 3, ones (5, 1)), [0; 0; 0; 990; 9900], 'lag 2.9');
  expect_bits (lagreg_residuals ([0.5; 0.5], 1, [], 1, [1; 2; 3; 4], [], 1.9, ones (4, 1)), [0; 1; 1.5; 2], 'm 1.9');

  % Shapes: a data row is one observation; a 1-by-3 lag row is one lag; regressors are read
  % with row stride T from a taller matrix; regressors with no columns add nothing.
  expect_bits (lagreg_residuals ([], [], [], 0, [5, 6, 7], [], 0, 2), 2.5, 'data row');
  expect_bits (lagreg_residuals ([0.5; 0.5], [1, NaN, -7], [], 1, [1; 2; 3; 4], [], 1, ones (4, 1)), [0; 1; 1.5; 2], 'lag row');
  expect_bits (lagreg_residuals ([1; 10], [], [], 0, [100; 200; 300], reshape (1:10, 5, 2), 0, ones (3, 1)), [59; 148; 237], 'stride T');
  expect_bits (lagreg_residuals ([0.5; 0.5], 1, [], 1, [1; 2; 3; 4], zeros (7, 0), 1, ones (4, 1)), [0; 1; 1.5; 2], 'no regressors');

  % Edges: m = T reads nothing; an empty sample; a zero scale spoils only its own entry.
  expect_bits (lagreg_residuals ([], [NaN; 0], [], 1, [1; 2; 3], [], 3, []), [0; 0; 0], 'm = T');
  expect_bits (lagreg_residuals ([], [], [], 0, zeros (0, 1), [], 0, []), zeros (0, 1), 'T = 0');
  expect_bits (lagreg_residuals (0.5, [], 1, 0, [1; 2; 3], [], 1, [1; 0; 1]), [0; Inf; 2], 'zero scale');

  % Counts: exactly one output, and the input message first.
  expect_error (@() lagreg_residuals (0.5, [], 1, 0, [1; 2; 3], [], 1), 'Eight inputs required.');
  expect_error (@() no_output (), 'One output only.');
  expect_error (@() two_outputs (), 'One output only.');
  expect_error (@() no_output_seven_inputs (), 'Eight inputs required.');

  % Calls that would reach outside an array, or convert a value without a defined result
  % (made through one_output, since a call with no output is refused first).
  expect_error (@() one_output ([0.5; 0.5], 1, [], 2, [1; 2; 3; 4], [], 1, ones (4, 1)), 'Input constant must be 0 or 1.');
  expect_error (@() one_output ([0.5; 0.5], 1, [], NaN, [1; 2; 3; 4], [], 1, ones (4, 1)), 'Input constant must be a finite number within the range of a 32-bit integer.');
  expect_error (@() one_output ([0.5; 0.5], 1, [], 1, [1; 2; 3; 4], [], 5, ones (4, 1)), 'Input m must not exceed T.');
  expect_error (@() one_output ([0.5; 0.5], 1, [], 1, [1; 2; 3; 4], [], -1, ones (4, 1)), 'Input m must be a finite number, not negative, below 2^64.');
  for lag = [0.5, 0, -1, 2, NaN, Inf]
    expect_error (@() one_output ([0.5; 0.5], lag, [], 1, [1; 2; 3; 4], [], 1, ones (4, 1)), 'Input ar_lags must hold lags from 1 to m.');
    expect_error (@() one_output ([0.5; 0.5], [], lag, 1, [1; 2; 3; 4], [], 1, ones (4, 1)), 'Input ma_lags must hold lags from 1 to m.');
  end
  expect_error (@() one_output (0.5, 1, [], 1, [1; 2; 3; 4], [], 1, ones (4, 1)), 'Input parameters must have at least 2 elements.');
  expect_error (@() one_output (ones (4, 1), zeros (3, 0), [], 1, [1; 2; 3; 4], [], 1, ones (4, 1)), 'Input ar_lags must have at least 3 elements.');
  expect_error (@() one_output ([0.5; 0.5], 1, [], 1, zeros (4, 0), [], 1, ones (4, 1)), 'Input y must have at least 4 elements.');
  expect_error (@() one_output (ones (3, 1), 1, [], 1, [1; 2; 3; 4], ones (3, 1), 1, ones (4, 1)), 'Input x must have at least 4 elements.');
  expect_error (@() one_output ([0.5; 0.5], 1, [], 1, [1; 2; 3; 4], [], 1, ones (3, 1)), 'Input sigma must have at least 4 elements.');
  expect_error (@() one_output ([0.5; 0.5], zeros (2^31, 0), [], 1, [1; 2; 3; 4], [], 1, ones (4, 1)), 'Input ar_lags must have fewer than 2^31 rows.');
  printf ('lagreg_residuals: all host tests passed\n');
end

function r = one_output (varargin)
  % expect_error calls with no output requested; this module needs one.
  r = lagreg_residuals (varargin{:});
end

function no_output ()
  lagreg_residuals ([0.5; 0.5], 1, [], 1, [1; 2; 3; 4], [], 1, ones (4, 1));
end

function two_outputs ()
  [a, b] = lagreg_residuals ([0.5; 0.5], 1, [], 1, [1; 2; 3; 4], [], 1, ones (4, 1));
end

function no_output_seven_inputs ()
  lagreg_residuals ([0.5; 0.5], 1, [], 1, [1; 2; 3; 4], [], 1);
end
