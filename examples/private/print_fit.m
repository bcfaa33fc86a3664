function print_fit (title, module, T, names, truth, fit, timing)
  % print_fit (title, module, T, names, truth, fit, timing)
  % Prints an estimation: true and estimated parameters with standard errors, the
  % log-likelihood, the evaluations used, and the time per call of the module beside the same
  % recursion in Octave's language (timing: struct with filter_module, filter_loop,
  % nll_module, nll_loop in seconds, and same_bits).
  fprintf ('%s: %d simulated observations, fitted by maximum likelihood (sqp)\n\n', title, T);
  fprintf ('  %-10s %10s %12s %12s\n', 'parameter', 'true', 'estimate', 'std. error');
  for i = 1:numel (names)
    fprintf ('  %-10s %10.4f %12.4f %12.4f\n', names{i}, truth(i), fit.estimate(i), ...
             fit.std_error(i));
  end
  fprintf ('\n  log-likelihood at the estimates: %.4f\n', fit.loglik);
  fprintf ('  likelihood evaluations: %d by the optimiser (%s), %d for the standard errors\n', ...
           fit.evaluations, fit.status, fit.hessian_evaluations);
  fprintf ('\n  time per call        %16s %14s %8s\n', module, 'Octave loop', 'ratio');
  fprintf ('  variance recursion   %13.1f us %11.1f us %7.0fx\n', 1e6 * timing.filter_module, ...
           1e6 * timing.filter_loop, timing.filter_loop / timing.filter_module);
  fprintf ('  log-likelihood       %13.1f us %11.1f us %7.0fx\n', 1e6 * timing.nll_module, ...
           1e6 * timing.nll_loop, timing.nll_loop / timing.nll_module);
  if (timing.same_bits)
    fprintf ('  the module and the loop give the same variances to the last bit\n\n');
  else
    fprintf ('  the module and the loop differ in the last bits\n\n');
  end
end
