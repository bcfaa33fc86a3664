function e = fit_data (e)
% e = fit_data (e)
% The residuals as a T-by-N double matrix: one series (a vector, as a column) or a panel of N
% series (a T-by-N matrix, one series a column). Refused when it is not a non-empty real
% numeric vector or matrix (volfilter:fit:badData). One series is refused also when it holds
% a value that is not finite (volfilter:fit:nonFiniteData), does not vary
% (volfilter:fit:constantSeries), or has squares that a double cannot hold with room to spare
% (volfilter:fit:badScale): the fit forms the mean square, variances of that size and their
% squares and products, so the mean square must lie within [realmin/eps, eps*realmax], about
% 1e-292 to 4e292, a root mean square of 1e-146 to 2e146. Outside, the squares overflow or
% sink into the subnormal numbers and the likelihood is not defined, or defined only to a few
% digits. A panel's columns are checked one by one by the fit (the compiled core by the same
% limits), so that a bad column does not stop the others.
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
if ~all (isfinite (e))
  bad = find (~isfinite (e), 1);
  fit_refuse ('nonFiniteData', bad, e(bad));
end
if all (e == e(1))
  fit_refuse ('constantSeries', e(1));
end
% realmin / eps is 2^-970 and eps * realmax 2^972 - 2^919, both exact.
mean_square = sum (e .^ 2) / numel (e);
if ~(mean_square >= 2^-970 && mean_square <= 2^972 - 2^919)
  % The root mean square, formed without overflow or underflow for the message.
  largest = max (abs (e));
  fit_refuse ('badScale', largest * sqrt (sum ((e / largest) .^ 2) / numel (e)), ...
              mean_square > 1);
end
end
