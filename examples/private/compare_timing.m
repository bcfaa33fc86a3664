function timing = compare_timing (r, module, loop, theta)
  % timing = compare_timing (r, module, loop, theta)
  % The variance filter as a module and as an Octave loop at the estimate THETA: whether
  % both give the same bits, and the time per call of each alone and inside one evaluation
  % of the Gaussian negative log-likelihood of the returns R.
  timing.same_bits = isequal (module (theta), loop (theta));
  timing.filter_module = time_per_call (@() module (theta), 0.1);
  timing.filter_loop = time_per_call (@() loop (theta), 0.3);
  timing.nll_module = time_per_call (@() gaussian_nll (r, module (theta)), 0.1);
  timing.nll_loop = time_per_call (@() gaussian_nll (r, loop (theta)), 0.3);
end
