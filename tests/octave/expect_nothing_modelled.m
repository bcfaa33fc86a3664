function expect_nothing_modelled (nll_module, args, ht, what)
  % expect_nothing_modelled (nll_module, args, ht, what)
  % Fails unless NLL_MODULE, called with ARGS in which nothing is modelled (m = T, or an
  % empty sample), gives nll 0, zero derivatives of their full shapes (k-by-1, T-by-k, k the
  % parameters given) and the variances HT.
  k = numel (args{2});
  T = numel (args{1});
  [nll, gradient, scores, variances] = nll_module (args{:});
  expect_bits (nll, 0, [what ': nll']);
  expect_bits (gradient, zeros (k, 1), [what ': gradient']);
  expect_bits (scores, zeros (T, k), [what ': scores']);
  expect_bits (variances, ht, [what ': ht']);
end
