function z = simulate_innovations (spec, rows, columns, distribution)
% z = simulate_innovations (spec, rows, columns, distribution)
% ROWS-by-COLUMNS standardised innovations from the host's own generators, so that their
% states decide the draws: DISTRIBUTION 'fitted' draws the model's distribution (randn for
% the normal; for Student's t with nu degrees of freedom scaled to unit variance,
% randn .* sqrt ((nu - 2) ./ (2 * randg (nu / 2))), a normal over the root of an
% independent chi-square with nu degrees of freedom divided by nu - 2); 'bootstrap'
% resamples the fit's standardised residuals after its m conditioned observations, with
% replacement (randi), as they are.
if strcmp (distribution, 'bootstrap')
  pool = spec.std_residuals(spec.m + 1:end);
  z = pool(randi (numel (pool), rows, columns));
elseif strcmp (spec.distribution, 't')
  nu = spec.nu;
  z = randn (rows, columns) .* sqrt ((nu - 2) ./ (2 * randg (nu / 2, rows, columns)));
else
  z = randn (rows, columns);
end
end
