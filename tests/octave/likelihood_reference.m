function [nll, terms] = likelihood_reference (e, ht, m, distribution, nu)
  % [nll, terms] = likelihood_reference (e, ht, m, distribution, nu)
  % The negative log-likelihood of residuals E given variances HT over the observations
  % m+1..end, each term -log f(e(t) | ht(t)) written from the textbook density: the normal
  % (DISTRIBUTION 0), or Student's t with NU degrees of freedom scaled to unit variance
  % (DISTRIBUTION 1). Independent of the modules' order of operations.
  e = e(m+1:end);
  h = ht(m+1:end);
  if (distribution == 0)
    terms = 0.5 * (log (2 * pi) + log (h) + e .^ 2 ./ h);
  else
    terms = gammaln (nu / 2) - gammaln ((nu + 1) / 2) + 0.5 * log (pi * (nu - 2)) ...
            + 0.5 * log (h) + (nu + 1) / 2 * log (1 + e .^ 2 ./ ((nu - 2) * h));
  end
  nll = sum (terms);
end
