function expect_undefined (nll_module, args, what)
  % expect_undefined (nll_module, args, what)
  % Fails unless NLL_MODULE, called with ARGS where the model is not defined, gives nll +Inf
  % (with one output and with four) and NaN in every entry of the gradient and the scores.
  [nll, gradient, scores] = nll_module (args{:});
  if (nll != Inf || nll_module (args{:}) != Inf)
    error ('%s: nll %g where the model is not defined, expected Inf', what, nll);
  end
  if (! all (isnan (gradient(:))) || ! all (isnan (scores(:))))
    error ('%s: derivatives not all NaN where the model is not defined', what);
  end
end
