function test_pairwise_nll ()
  % Results, messages and refusals of pairwise_nll in the real host.
  covariance = [2, 0.5; 0.5, 1];
  worked = 4.117684960377057;   % 0.5 (ln 1.75 + C + 4)

  % Worked example as a column, a row and the outer-product matrix: the same bits.
  expect_bits (pairwise_nll (covariance, [1; 2], [1, 2]), worked, 'column');
  expect_bits (pairwise_nll (covariance, [1, 2], [1, 2]), worked, 'row');
  expect_bits (pairwise_nll (covariance, [1, 2; 2, 4], [1, 2]), worked, 'matrix');
  % Identity block and zero data give C / 2, with C the 15-digit 3.67575413281869 rather
  % than the nearest double to 2 ln(2 pi), 3.6757541328186907.
  half_c = pairwise_nll (eye (2), [0; 0], [1, 2]);
  expect_bits (half_c, 3.67575413281869 / 2, 'C / 2');
  if (half_c == 2 * log (2 * pi) / 2)
    error ('C / 2 equals the nearest double to ln(2 pi)');
  end

  % Four variables and five pairs, in every form.
  cov4 = [1.987004, -0.622346, -0.075212, -0.016958; -0.622346, 2.377613, 0.770097, -0.33066;
          -0.075212, 0.770097, 1.927532, -0.024495; -0.016958, -0.33066, -0.024495, 1.379298];
  x = [-1.22806; 0.214461; 1.220496; -0.937916];
  pairs = [1, 2; 3, 4; 2, 4; 4, 1; 1, 3];
  expected = 3.001298827155636;
  expect_bits (pairwise_nll (cov4, x, pairs), expected, 'random column');
  expect_bits (pairwise_nll (cov4, x', pairs), expected, 'random row');
  expect_bits (pairwise_nll (cov4, x * x', pairs), expected, 'random outer product');
  expect_bits (pairwise_nll (cov4, x, [pairs, NaN(5, 1)]), expected, 'third column unread');

  % Indices are truncated; equal indices give NaN; an empty list gives 0; 1-by-1 data is
  % the matrix form.
  expect_bits (pairwise_nll (covariance, [1; 2], [1.9, 2.9]), worked, 'indices 1.9 and 2.9');
  expect_nan (pairwise_nll (covariance, [1; 2], [1, 1]), 'equal pair');
  expect_bits (pairwise_nll ([], [], zeros (0, 2)), 0, 'no pairs');
  expect_nan (pairwise_nll (4, 9, [1, 1]), '1-by-1 data');
  % A negative determinant gives NaN; a zero one with a negative quadratic term -Inf.
  expect_nan (pairwise_nll ([1, 2; 2, 1], [1; 1], [1, 2]), 'negative determinant');
  expect_bits (pairwise_nll ([-1, 1; 1, -1], [1; 0], [1, 2]), -Inf, 'zero determinant');

  % No output requested: the result still arrives in ans.
  pairwise_nll (covariance, [1; 2], [1, 2]);
  expect_bits (ans, worked, 'ans');

  % Counts: the input message comes first.
  expect_error (@() pairwise_nll (covariance, [1; 2]), 'Three inputs required.');
  expect_error (@() two_outputs (covariance), 'One output only.');
  expect_error (@() two_outputs_four_inputs (covariance), 'Three inputs required.');

  % Calls that would reach outside an array.
  for index = [0.5, 0, -1, 3, NaN, Inf]
    expect_error (@() pairwise_nll (covariance, [1; 2], [1, 2; index, 1]), 'Input pairs must hold indices from 1 to the size of data.');
    expect_error (@() pairwise_nll (covariance, [1; 2], [1, index]), 'Input pairs must hold indices from 1 to the size of data.');
  end
  expect_error (@() pairwise_nll (covariance, [1; 2], [1; 2]), 'Input pairs must have at least two columns.');
  expect_error (@() pairwise_nll ([2; 0.5; 0.5], [1; 2], [1, 2]), 'Input covariance must have at least 4 elements.');
  expect_error (@() pairwise_nll (covariance, zeros (0, 2), [1, 2]), 'Input data must have at least 2 elements.');
  printf ('pairwise_nll: all host tests passed\n');
end

function expect_nan (actual, what)
  % NaN has many bit patterns; any of them will do.
  if (! (isscalar (actual) && isnan (actual)))
    error ('%s: got %s, expected NaN', what, mat2str (actual, 17));
  end
end

function two_outputs (covariance)
  [a, b] = pairwise_nll (covariance, [1; 2], [1, 2]);
end

function two_outputs_four_inputs (covariance)
  [a, b] = pairwise_nll (covariance, [1; 2], [1, 2], 0);
end
