function value = gaussian_nll (r, ht)
  % value = gaussian_nll (r, ht)
  % Gaussian negative log-likelihood per observation of returns R with conditional
  % variances HT.
  value = 0.5 * (log (2 * pi) + mean (log (ht) + r .^ 2 ./ ht));
end
