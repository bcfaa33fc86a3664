function result = fit_both_ways (kind, r, distribution)
% result = fit_both_ways (kind, r, distribution)
% Fits the returns R both ways, today's (fit_by_sqp (KIND, R, DISTRIBUTION): sqp on a
% likelihood written in Octave around the filter module) and volfilter_fit on the same
% likelihood; where volfilter_fit fits in compiled code and NLopt's Octave interface is
% installed, also volfilter_fit with 'optimizer', 'nlopt' (the same SLSQP driven from
% Octave, the likelihood module called back for each evaluation). Each way runs four times,
% the first to have every function it calls loaded, and its time with its standard errors
% is the median of the other three.
%
% result  struct: today (fit_by_sqp's result), fit (volfilter_fit's, with seconds), nlopt
%         (volfilter_fit's on the NLopt path, with seconds, or [] where it does not apply)
compiled = exist ('volfilter_estimate') == 3 && any (exist ('nlopt_optimize') == [2, 3]);
seconds = NaN (3, 3);
nlopt = [];
for i = 0:3
  today = fit_by_sqp (kind, r, distribution);
  started = tic ();
  fit = volfilter_fit (today.model, r, today.options{:});
  elapsed = toc (started);
  if compiled
    started = tic ();
    nlopt = volfilter_fit (today.model, r, today.options{:}, 'optimizer', 'nlopt');
    seconds(max (i, 1), 3) = toc (started);
  end
  if i > 0
    seconds(i, 1:2) = [today.seconds, elapsed];
  end
end
today.seconds = median (seconds(:, 1));
fit.seconds = median (seconds(:, 2));
if compiled
  nlopt.seconds = median (seconds(:, 3));
end
result = struct ('today', today, 'fit', fit, 'nlopt', nlopt);
end
