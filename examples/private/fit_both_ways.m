function result = fit_both_ways (kind, r, distribution)
% result = fit_both_ways (kind, r, distribution)
% Fits the returns R twice, each fit timed with its standard errors: today's way
% (fit_by_sqp (KIND, R, DISTRIBUTION): sqp on a likelihood written in Octave around the
% filter module) and volfilter_fit on the same likelihood.
%
% result  struct: today (fit_by_sqp's result), fit (volfilter_fit's, with seconds)
today = fit_by_sqp (kind, r, distribution);
started = tic ();
fit = volfilter_fit (today.model, r, today.options{:});
fit.seconds = toc (started);
result = struct ('today', today, 'fit', fit);
end
