function result = fit_both_ways (kind, r, distribution)
% result = fit_both_ways (kind, r, distribution)
% Fits the returns R both ways, today's (fit_by_sqp (KIND, R, DISTRIBUTION): sqp on a
% likelihood written in Octave around the filter module) and volfilter_fit on the same
% likelihood. Each way runs four times, the first to have every function it calls loaded,
% and its time with its standard errors is the median of the other three.
%
% result  struct: today (fit_by_sqp's result), fit (volfilter_fit's, with seconds)
seconds = zeros (3, 2);
for i = 0:3
  today = fit_by_sqp (kind, r, distribution);
  started = tic ();
  fit = volfilter_fit (today.model, r, today.options{:});
  if i > 0
    seconds(i, :) = [today.seconds, toc(started)];
  end
end
today.seconds = median (seconds(:, 1));
fit.seconds = median (seconds(:, 2));
result = struct ('today', today, 'fit', fit);
end
