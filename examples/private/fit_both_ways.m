function result = fit_both_ways (r, today, model, options, module_nll)
% result = fit_both_ways (r, today, model, options, module_nll)
% Fits the returns R twice, each fit timed with its standard errors: today's way, sqp on a
% likelihood written in Octave around the filter module (TODAY: average_nll, start, lower,
% upper, constraint, as ml_estimate takes them), and volfilter_fit (MODEL, R, OPTIONS{:}).
% Both maximise the same likelihood: MODULE_NLL (theta), the likelihood module with the
% fit's inputs, gives the log-likelihood of today's estimates on the fit's basis
% (volfilter_fit leaves out the pre-sample observation that today's way counts).
%
% result  struct: today (ml_estimate's result with seconds and loglik, the latter on the
%         fit's basis), fit (volfilter_fit's result with seconds)
T = numel (r);
started = tic ();
today_fit = ml_estimate (today.average_nll, T, today.start, today.lower, today.upper, ...
                         today.constraint);
today_fit.seconds = toc (started);
today_fit.loglik = -module_nll (today_fit.estimate);

started = tic ();
fit = volfilter_fit (model, r, options{:});
fit.seconds = toc (started);
result = struct ('today', today_fit, 'fit', fit);
end
