function test_logvol_filter ()
  % Results, messages and refusals of logvol_filter in the real host.
  d = [1; 2];

  % The bounds: ceiling (finite branch, after overflow, none for U = Inf), floor, a ceiling
  % below 1 leaving a negative variance, and both bounds at one step.
  expect_bits (logvol_filter (d, 5, 0, 100, 0, 0, 0, 1, 2), [1; 105], 'ceiling, finite');
  expect_bits (logvol_filter (d, 800, 0, 100, 0, 0, 0, 1, 2), [1; 100], 'ceiling, overflow');
  expect_bits (logvol_filter (d, 800, 0, Inf, 0, 0, 0, 1, 2), [1; Inf], 'no ceiling');
  expect_bits (logvol_filter (d, -20, 0, 100, 0, 0, 0, 1, 2), [1; 0.0001], 'floor');
  expect_bits (logvol_filter (d, -0.6, 0, 0.5, 0, 0, 0, 1, 2), [1; -0.09999999999999998], 'U below 1');
  expect_bits (logvol_filter (d, 0, 20, 100, 0, 0, 0, 1, 2), [485165195.4097903; 110.78965962802381], 'both bounds');
  % The ceiling's ln U feeds the next step through beta.
  expect_bits (logvol_filter ([1; 2; 3], [5; -0.5], 0, 100, 0, 0, 1, 1, 3), [1; 105; 14.841315910257658], 'ceiling log');
  % The floor as a true division, and its log fed back through beta.
  expect_bits (logvol_filter ([1; 2; 3], [-20; -2], 1.5, 100, 0, 0, 1, 1, 3), ...
               [4.4816890703380645; 0.00044816890703380644; 0.010261879631701908], 'floor log');

  % All three families; then two lags of each, where any other order of additions shows.
  expect_bits (logvol_filter ([0.5; -1; 2], [0.1; 0.2; -0.1; 0.9], 0, 100, 1, 1, 1, 1, 3), ...
               [1; 0.9904688004178557; 1.2626893468339686], 'three families');
  expect_bits (logvol_filter ([-0.4; -1.4; -0.8; 1.1], [0.37; -0.46; 0.11; -0.46; 0.22; 0.9; 0.1], 1, 100, 2, 2, 2, 2, 4), ...
               [2.718281828459045; 2.718281828459045; 5.066104845370232; 8.299281105146113], 'order');
  % No fused multiply-add: -1024 + (1024 x) x with x = 1 + 2^-30.
  x = 1 + 2^-30;
  expect_bits (logvol_filter ([x; 0], [-1024; 1024 * x], 0, 100, 0, 1, 0, 1, 2), [1; 1.0000019073504518], 'fma');

  % Truncation, rows, no output requested.
  expect_bits (logvol_filter (d', 5, 0, 100, 0, 0, 0.7, 1.5, 2.9), [1; 105], 'truncation');
  logvol_filter (d, 5, 0, 100, 0, 0, 0, 1, 2);
  expect_bits (ans, [1; 105], 'ans');

  % Edges: m = T reads no parameters or ceiling; T = 0; a negative m gives zeros.
  expect_bits (logvol_filter ([3; -4], [], log (4), [], 3, 3, 3, 2, 2), [4; 4], 'm = T');
  expect_bits (logvol_filter ([], [], 0, [], 0, 0, 0, 0, 0), zeros (0, 1), 'T = 0');
  expect_bits (logvol_filter ([], [], 0, [], 0, 0, 0, -1, 3), zeros (3, 1), 'negative m');

  % Counts.
  expect_error (@() logvol_filter (d), 'Nine inputs required.');
  expect_error (@() two_outputs (d), 'One output only.');

  % Calls that would reach outside an array, or convert a value without a defined result.
  p = [0.1; 0.2; -0.1; 0.9];
  d3 = [0.5; -1; 2];
  expect_error (@() logvol_filter (d3, p, 0, 100, -1, 1, 1, 1, 3), 'Input p must not be negative.');
  expect_error (@() logvol_filter (d3, p, 0, 100, 1, 1, 1, 4, 3), 'Input m must not exceed T.');
  expect_error (@() logvol_filter (d3, [p; 0], 0, 100, 1, 1, 2, 1, 3), 'at least the largest of p, o and q when T exceeds m.');
  expect_error (@() logvol_filter (d3(1:2), p, 0, 100, 1, 1, 1, 1, 3), 'Input data must have at least 3 elements.');
  expect_error (@() logvol_filter (d3, p(1:3), 0, 100, 1, 1, 1, 1, 3), 'Input parameters must have at least 4 elements.');
  expect_error (@() logvol_filter (d3, p, [], 100, 1, 1, 1, 1, 3), 'Input backcast must have at least 1 element.');
  expect_error (@() logvol_filter (d3, p, 0, [], 1, 1, 1, 1, 3), 'Input upper_bound must have at least 1 element.');
  expect_error (@() logvol_filter (d3, p, 0, 100, 1, 1, 1, 1, NaN), 'Input T must be a finite number, not negative, below 2^64.');
  printf ('logvol_filter: all host tests passed\n');
end

function two_outputs (d)
  [a, b] = logvol_filter (d, 5, 0, 100, 0, 0, 0, 1, 2);
end
