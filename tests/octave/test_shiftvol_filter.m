function test_shiftvol_filter ()
  % Results, messages and refusals of shiftvol_filter in the real host.
  d = [NaN; 1; -1];
  params = [0.1; 0.1; 0.5; 0.8];
  constant = [1; 1.0250000000000001; 0.9450000000000002];
  scaled = [1; 1.0250000000000001; 0.9443827163434172];

  % Worked example in both forms; type 1.7 is 1, every other type the scaled shift.
  expect_bits (shiftvol_filter (d, params, 1, 1, 1, 1, 3, 1), constant, 'constant shift');
  expect_bits (shiftvol_filter (d, params, 1, 1, 1, 1, 3, 0), scaled, 'scaled shift');
  expect_bits (shiftvol_filter (d, params, 1, 1, 1, 1, 3, 1.7), constant, 'type 1.7');
  expect_bits (shiftvol_filter (d, params, 1, 1, 1, 1, 3, 0.9), scaled, 'type 0.9');
  expect_bits (shiftvol_filter (d, params, 1, 1, 1, 1, 3, 2), scaled, 'type 2');
  expect_bits (shiftvol_filter (d, params, 1, 1, 1, 1, 3, -1), scaled, 'type -1');

  % Pre-sample shifted squares: 0.01 + 3, and (0.01 + 1) * 3.
  expect_bits (shiftvol_filter ([NaN; 0], [0; 1; 0.1], 3, 1, 0, 1, 2, 1), [3; 3.01], 'presample, constant');
  expect_bits (shiftvol_filter ([NaN; 0], [0; 1; 0.1], 3, 1, 0, 1, 2, 0), [3; 3.0300000000000002], 'presample, scaled');

  % Order of accumulation: 1.2999999999999998 in both forms.
  for type = [1, 0]
    expect_bits (shiftvol_filter ([NaN; NaN; 0.5], [0.1; 0.2; 0.1; 1.0; 0.6], 1, 2, 1, 2, 3, type), ...
                 [1; 1; 1.2999999999999998], sprintf ('accumulation, type %d', type));
  end
  % No fused multiply-add: -1 + x * x with x = 1 + 2^-30, and 1 - gamma * sqrt(h).
  x = 1 + 2^-30;
  expect_bits (shiftvol_filter ([NaN; 0], [-1; 0; x], x, 0, 1, 1, 2, 1), [x; 2^-29], 'fma sum');
  expect_bits (shiftvol_filter ([NaN; 1; 0], [1 + 2^-29; 2^58; x], 0, 1, 0, 1, 3, 0), ...
               [0; 1 + 2^-29; 2.000000001862645], 'fma shift');

  % Scaled shift: a negative variance turns into NaN for the later steps.
  h = shiftvol_filter ([NaN; 1; 1], [-1; 0; 1], 1, 1, 0, 1, 3, 0);
  assert (h(2) == -1 && isnan (h(3)), 'scaled-shift NaN');
  expect_bits (shiftvol_filter ([NaN; 1; 1], [-1; 0; 1], 1, 1, 0, 1, 3, 1), [1; -1; -1], 'constant-shift negative');

  % No output requested; edges.
  shiftvol_filter (d, params, 1, 1, 1, 1, 3, 1);
  expect_bits (ans, constant, 'ans');
  expect_bits (shiftvol_filter ([], [NaN; NaN; 0.5], 2, 1, 5, 3, 3, 0), [2; 2; 2], 'm = T');
  expect_bits (shiftvol_filter ([], [0; 0.5], [], 0, 0, 0, 0, 1), zeros (0, 1), 'T = 0');

  % Counts.
  expect_error (@() shiftvol_filter (d), 'Eight inputs required.');
  expect_error (@() two_outputs (d, params), 'One output only.');

  % Refusals.
  expect_error (@() shiftvol_filter (d, params, 1, -1, 1, 1, 3, 1), 'Input p must not be negative.');
  expect_error (@() shiftvol_filter (d, params, 1, 1, 1, 4, 3, 1), 'Input m must not exceed T.');
  expect_error (@() shiftvol_filter (d, [params; 0], 1, 1, 2, 1, 3, 1), 'at least the largest of p and q when T exceeds m.');
  expect_error (@() shiftvol_filter (d(1:2), params, 1, 1, 1, 1, 3, 1), 'Input data must have at least 3 elements.');
  expect_error (@() shiftvol_filter (d, params(1:3), 1, 1, 1, 1, 3, 1), 'Input parameters must have at least 4 elements.');
  expect_error (@() shiftvol_filter ([], 0.1, [], 0, 0, 0, 0, 1), 'Input parameters must have at least 2 elements.');
  expect_error (@() shiftvol_filter (d, params, [], 1, 1, 1, 3, 1), 'Input backcast must have at least 1 element.');
  expect_error (@() shiftvol_filter (d, params, 1, 1, 1, 1, 3, Inf), 'Input type must be a finite number within the range of a 32-bit integer.');
  printf ('shiftvol_filter: all host tests passed\n');
end

function two_outputs (d, params)
  [a, b] = shiftvol_filter (d, params, 1, 1, 1, 1, 3, 1);
end
