function test_threshvol_filter ()
  % Results, messages and refusals of threshvol_filter in the real host.
  data = [1; 2; 7];
  asym = [2; 4; 9];
  params = [0.5; 0.25; 0.125; 0.5];

  % Worked example, power 2 and power 1 (the recursion feeds back unsquared values).
  expect_bits (threshvol_filter (data, asym, params, 2, 1, 1, 1, 1, 3, 2), [2; 2; 2.5], 'power 2');
  expect_bits (threshvol_filter (data, asym, params, 2, 1, 1, 1, 1, 3, 1), [2; 4; 6.25], 'power 1');

  % Truncation: T 3.9 is 3, p 1.7 is 1, type 1.9 is power 1; 0 and -1 are power 2.
  expect_bits (threshvol_filter (data, asym, params, 2, 1.7, 1, 1, 1, 3.9, 1.9), [2; 4; 6.25], 'truncation');
  expect_bits (threshvol_filter (data, asym, params, 2, 1, 1, 1, 1, 3, 0), [2; 2; 2.5], 'type 0');
  expect_bits (threshvol_filter (data, asym, params, 2, 1, 1, 1, 1, 3, -1), [2; 2; 2.5], 'type -1');

  % Row vectors and data of T - 1 elements are inside the contract.
  expect_bits (threshvol_filter (data(1:2)', asym(1:2)', [params; 9]', 2, 1, 1, 1, 1, 3, 2), [2; 2; 2.5], 'rows');

  % No output requested: the result still arrives in ans.
  threshvol_filter (data, asym, params, 2, 1, 1, 1, 1, 3, 2);
  expect_bits (ans, [2; 2; 2.5], 'ans');

  % Edges: m = T, and an empty sample.
  expect_bits (threshvol_filter ([], [], [], 4, 2, 2, 2, 3, 3, 1), [4; 4; 4], 'm = T');
  expect_bits (threshvol_filter ([], [], [], [], 1, 1, 1, 0, 0, 1), zeros (0, 1), 'T = 0');

  % Counts: the input message comes first.
  expect_error (@() threshvol_filter (data), 'Ten inputs required.');
  expect_error (@() threshvol_filter (data, asym, params, 2, 1, 1, 1, 1, 3), 'Ten inputs required.');
  expect_error (@() two_outputs (data, asym, params), 'One output only.');
  expect_error (@() two_outputs_nine_inputs (data, asym, params), 'Ten inputs required.');

  % Calls that would reach outside an array, or convert a value without a defined result.
  expect_error (@() threshvol_filter (data, asym, params, 2, -1, 1, 1, 1, 3, 2), 'Input p must not be negative.');
  expect_error (@() threshvol_filter (data, asym, params, 2, 1, 1, 1, 4, 3, 2), 'Input m must not exceed T.');
  expect_error (@() threshvol_filter (data, asym, [params; 1], 2, 1, 2, 1, 1, 3, 2), 'at least the largest of p, o and q when T exceeds m.');
  expect_error (@() threshvol_filter (1, asym, params, 2, 1, 1, 1, 1, 3, 2), 'Input data must have at least 2 elements.');
  expect_error (@() threshvol_filter (data, asym, params(1:3), 2, 1, 1, 1, 1, 3, 2), 'Input parameters must have at least 4 elements.');
  expect_error (@() threshvol_filter (data, asym, params, [], 1, 1, 1, 1, 3, 2), 'Input backcast must have at least 1 element.');
  expect_error (@() threshvol_filter (data, asym, params, 2, 1, 1, 1, NaN, 3, 2), 'Input m must be a finite number within the range of a 32-bit integer.');
  expect_error (@() threshvol_filter (data, asym, params, 2, 1, 1, 1, 1, Inf, 2), 'Input T must be a finite number, not negative, below 2^64.');
  expect_error (@() threshvol_filter (data, asym, params, 2, 1, 1, 1, 1, 3, []), 'Input type must not be empty.');

  % Only real double arrays are read: other storage would be misread past its end.
  expect_error (@() threshvol_filter (int32 (data), asym, params, 2, 1, 1, 1, 1, 3, 2), 'Input data must be a real double array.');
  expect_error (@() threshvol_filter (data, single (asym), params, 2, 1, 1, 1, 1, 3, 2), 'Input asym_data must be a real double array.');
  expect_error (@() threshvol_filter (data, asym, params > 0, 2, 1, 1, 1, 1, 3, 2), 'Input parameters must be a real double array.');
  expect_error (@() threshvol_filter (data, asym, params, 2i, 1, 1, 1, 1, 3, 2), 'Input backcast must be a real double array.');
  expect_error (@() threshvol_filter (sparse (data), asym, params, 2, 1, 1, 1, 1, 3, 2), 'Input data must be a real double array.');
  expect_error (@() threshvol_filter ({1, 2, 7}, asym, params, 2, 1, 1, 1, 1, 3, 2), 'Input data must be a real double array.');
  % Scalars of any numeric class are read by value.
  expect_bits (threshvol_filter (data, asym, params, 2, int8 (1), true, 1, 1, uint16 (3), 2), [2; 2; 2.5], 'integer scalars');
  printf ('threshvol_filter: all host tests passed\n');
end

function two_outputs (data, asym, params)
  [a, b] = threshvol_filter (data, asym, params, 2, 1, 1, 1, 1, 3, 2);
end

function two_outputs_nine_inputs (data, asym, params)
  [a, b] = threshvol_filter (data, asym, params, 2, 1, 1, 1, 1, 3);
end
