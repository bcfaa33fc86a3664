function e = fit_data (e)
% e = fit_data (e)
% The residuals as a T-by-N double matrix: one series (a vector, as a column) or a panel of N
% series (a T-by-N matrix, one series a column). Refused when it is not a non-empty real
% numeric vector or matrix (volfilter:fit:badData); one series also when it holds a value
% that is not finite (volfilter:fit:nonFiniteData) or does not vary
% (volfilter:fit:constantSeries). A panel's columns are checked one by one by the fit, so that
% a bad column does not stop the others.
if ~isnumeric (e) || ~isreal (e) || ndims (e) > 2 || isempty (e)
  error ('volfilter:fit:badData', ...
         'volfilter_fit: e must be a non-empty real numeric vector or matrix.');
end
if isvector (e)
  e = e(:);
end
e = double (full (e));
if size (e, 2) > 1
  return;
end
bad = find (~isfinite (e), 1);
if ~isempty (bad)
  fit_refuse ('nonFiniteData', bad, e(bad));
end
if all (e == e(1))
  fit_refuse ('constantSeries', e(1));
end
end
