function test_intvol_filter ()
  % Results, messages and refusals of intvol_filter in the real host.
  d = [4; 8; NaN];
  params = [0.5; 0.25];

  % Worked examples: with a constant (power 2 and 1), without, has_constant 2.
  expect_bits (intvol_filter (d, params, 2, 1, 1, 1, 3, 2, 1), [2; 3; 4.75], 'power 2');
  expect_bits (intvol_filter (d, params, 2, 1, 1, 1, 3, 1, 1), [2; 9; 22.5625], 'power 1');
  expect_bits (intvol_filter (d, 0.25, 2, 1, 1, 1, 3, 2, 0), [2; 2.5; 3.875], 'no constant');
  expect_bits (intvol_filter (d, [0.5; NaN; 0.25], 2, 1, 1, 1, 3, 2, 2), [2; 3; 4.75], 'has_constant 2');

  % The implied coefficient (1 - 0.3) - 0.6 on lag 2, beta_1 on lag 1.
  expect_bits (intvol_filter ([0; 0; 0; NaN], [-0.6; 0.3; 0.6], 1, 1, 2, 2, 4, 2, 1), ...
               [1; 1; 0.09999999999999998; -0.44000000000000006], 'implied coefficient');
  % No fused multiply-add: -1 + x * x with x = 1 + 2^-30.
  x = 1 + 2^-30;
  expect_bits (intvol_filter ([x; NaN], [-1; x], 0, 1, 1, 1, 2, 2, 1), [0; 2^-29], 'fma');

  % Power 1 squares only from m on; type 1.9 is 1, 0.9 and -1 are power 2.
  expect_bits (intvol_filter ([1; 1; 1], params, -3, 1, 1, 2, 4, 1, 1), [-3; -3; 2.25; 0.140625], 'power 1 from m');
  expect_bits (intvol_filter (d, params, 2, 1, 1, 1, 3, 1.9, 1), [2; 9; 22.5625], 'type 1.9');
  expect_bits (intvol_filter (d, params, 2, 1, 1, 1, 3, 0.9, 1), [2; 3; 4.75], 'type 0.9');
  expect_bits (intvol_filter (d, params, 2, 1, 1, 1, 3, -1, 1), [2; 3; 4.75], 'type -1');

  % Row data of T - 1 elements; no output requested; edges.
  expect_bits (intvol_filter ([4, 8], params', 2, 1, 1, 1, 3, 2, 1), [2; 3; 4.75], 'rows');
  intvol_filter (d, params, 2, 1, 1, 1, 3, 2, 1);
  expect_bits (ans, [2; 3; 4.75], 'ans');
  expect_bits (intvol_filter ([], [], 4, 5, 3, 3, 3, 1, 1), [4; 4; 4], 'm = T');
  expect_bits (intvol_filter ([], [], [], 1, 1, 0, 0, 1, 1), zeros (0, 1), 'T = 0');

  % Counts.
  expect_error (@() intvol_filter (d), 'Nine inputs required.');
  expect_error (@() two_outputs (d, params), 'One output only.');

  % Refusals.
  expect_error (@() intvol_filter (d, params, 2, -1, 1, 1, 3, 2, 1), 'Input p must not be negative.');
  expect_error (@() intvol_filter (d, params, 2, 1, 0, 1, 3, 2, 1), 'Input q must be at least 1.');
  expect_error (@() intvol_filter (d, params, 2, 1, 1, 1, 3, 2, -1), 'Input has_constant must not be negative.');
  expect_error (@() intvol_filter (d, params, 2, 1, 1, 4, 3, 2, 1), 'Input m must not exceed T.');
  expect_error (@() intvol_filter (d, [params; 0], 2, 1, 2, 1, 3, 2, 1), 'at least the largest of p and q when T exceeds m.');
  expect_error (@() intvol_filter (4, params, 2, 1, 1, 1, 3, 2, 1), 'Input data must have at least 2 elements.');
  expect_error (@() intvol_filter (d, params, 2, 1, 1, 1, 3, 2, 2), 'Input parameters must have at least 3 elements.');
  expect_error (@() intvol_filter (d, params, [], 1, 1, 1, 3, 2, 1), 'Input backcast must have at least 1 element.');
  expect_error (@() intvol_filter (d, params, 2, 1, 1, 1, 3, 2, NaN), 'Input has_constant must be a finite number within the range of a 32-bit integer.');
  printf ('intvol_filter: all host tests passed\n');
end

function two_outputs (d, params)
  [a, b] = intvol_filter (d, params, 2, 1, 1, 1, 3, 2, 1);
end
