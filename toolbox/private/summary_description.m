function text = summary_description (fit)
% text = summary_description (fit)
% The model line of FIT (fit_description) from its fields of the kinds volfilter_fit gives
% them (the model, distribution and mean rows of text; the orders, type and constant real
% scalars; the mean's lags real vectors, its regressors a real matrix); a field of another
% kind is left out, as a field the fit lacks is, so that a summary or a plot of any struct
% can say what it is.
kept = struct ();
for name = {'model', 'distribution', 'mean'}
  value = summary_field (fit, name{1}, []);
  if ischar (value) && size (value, 1) == 1
    kept.(name{1}) = value;
  end
end
for name = {'p', 'o', 'q', 'type', 'constant'}
  value = summary_field (fit, name{1}, []);
  if (isnumeric (value) || islogical (value)) && isreal (value) && isscalar (value) ...
     && ~isnan (value)
    kept.(name{1}) = double (full (value));
  end
end
for name = {'ar', 'ma', 'x'}
  value = summary_field (fit, name{1}, []);
  if isnumeric (value) && isreal (value) && ismatrix (value) && ~isempty (value) ...
     && (strcmp (name{1}, 'x') || (isvector (value) && all (isfinite (value))))
    kept.(name{1}) = double (full (value));
  end
end
text = fit_description (kept);
end
