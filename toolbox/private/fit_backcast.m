function value = fit_backcast (e, rule, units)
% value = fit_backcast (e, rule, units)
% The pre-sample value of a variance recursion in the model's own UNITS ('variance', 'std'
% or 'logvariance'). RULE 'ewma' takes the exponentially weighted mean of the squared
% residuals from the start of the sample, weights 0.94^(t-1) normalised to sum to one (the
% first 500 residuals carry all but 4e-14 of the weight); 'mean' takes their plain mean; a
% number is used as given, already in the model's units.
if isnumeric (rule)
  value = double (rule);
  return;
end
if strcmp (rule, 'ewma')
  n = min (numel (e), 500);
  weights = 0.94 .^ (0:n - 1)';
  variance = sum (weights .* e(1:n) .^ 2) / sum (weights);
else
  variance = sum (e .^ 2) / numel (e);
end
switch units
  case 'variance'
    value = variance;
  case 'std'
    value = sqrt (variance);
  otherwise
    value = log (variance);
end
end
