function print_fit (title, module, T, names, truth, fits, timing)
% print_fit (title, module, T, names, truth, fits, timing)
% Prints a demonstration's two fits of the same data (FITS from fit_both_ways): the true
% parameters, today's estimates (sqp on a likelihood in Octave) with their standard errors,
% volfilter_fit's with both kinds, the log-likelihood each reaches on the same likelihood,
% the evaluations and the time of each fit, and where FITS has it the compiled fit beside
% volfilter_fit's NLopt path in Octave. With TIMING (from compare_timing), the time per
% call of the filter module beside the same recursion in Octave's language.
today = fits.today;
fit = fits.fit;
fprintf ('%s: %d simulated observations, fitted by maximum likelihood\n\n', title, T);
fprintf ('  %-10s %8s | %-21s | %s\n', '', '', 'today''s way (sqp)', ...
         sprintf ('volfilter_fit (%s)', fit.optimizer));
fprintf ('  %-10s %8s | %10s %10s | %10s %10s %10s\n', 'parameter', 'true', 'estimate', ...
         'std. error', 'estimate', 'std. error', 'robust');
for i = 1:numel (names)
  fprintf ('  %-10s %8.4f | %10.4f %10.4f | %10.4f %10.4f %10.4f\n', names{i}, truth(i), ...
           today.estimate(i), today.std_error(i), fit.parameters(i), fit.std_errors(i), ...
           fit.robust_std_errors(i));
end
fprintf ('\n  log-likelihood (the same likelihood): today %.4f, volfilter_fit %.4f\n', ...
         today.fit_loglik, fit.loglik);
fprintf ('  evaluations: today %d (and %d for the standard errors), %s\n', ...
         today.evaluations, today.hessian_evaluations, today.status);
fprintf ('               volfilter_fit %d, %s\n', fit.evaluations, strtok (fit.message, ':'));
fprintf (['  time of a fit with its standard errors (median of 3): today %.1f ms, ' ...
          'volfilter_fit %.2f ms (%.1fx)\n'], 1e3 * today.seconds, 1e3 * fit.seconds, ...
         today.seconds / fit.seconds);
if ~isempty (fits.nlopt)
  fprintf (['  the compiled fit beside volfilter_fit''s NLopt path in Octave: %.2f ms and ' ...
            '%.2f ms (%.1fx),\n  log-likelihood %.4f and %.4f, %d and %d evaluations\n'], ...
           1e3 * fit.seconds, 1e3 * fits.nlopt.seconds, fits.nlopt.seconds / fit.seconds, ...
           fit.loglik, fits.nlopt.loglik, fit.evaluations, fits.nlopt.evaluations);
end
if nargin < 7
  fprintf ('\n');
  return;
end
fprintf ('\n  time per call        %16s %14s %8s\n', module, 'Octave loop', 'ratio');
fprintf ('  variance recursion   %13.1f us %11.1f us %7.0fx\n', 1e6 * timing.filter_module, ...
         1e6 * timing.filter_loop, timing.filter_loop / timing.filter_module);
fprintf ('  log-likelihood       %13.1f us %11.1f us %7.0fx\n', 1e6 * timing.nll_module, ...
         1e6 * timing.nll_loop, timing.nll_loop / timing.nll_module);
if timing.same_bits
  fprintf ('  the module and the loop give the same variances to the last bit\n\n');
else
  fprintf ('  the module and the loop differ in the last bits\n\n');
end
end
