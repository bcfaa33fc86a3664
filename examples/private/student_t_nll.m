function value = student_t_nll (r, ht, nu)
% value = student_t_nll (r, ht, nu)
% Negative log-likelihood per observation of returns R with conditional variances HT under
% Student's t with NU degrees of freedom scaled to unit variance.
x = r .^ 2 ./ ((nu - 2) * ht);
value = gammaln (nu / 2) - gammaln ((nu + 1) / 2) + 0.5 * log (pi * (nu - 2)) ...
        + 0.5 * mean (log (ht) + (nu + 1) * log1p (x));
end
