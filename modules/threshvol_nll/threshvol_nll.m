% [nll, gradient, scores, ht] = threshvol_nll (e, parameters, backcast, p, o, q, m, type, distribution)
% Threshold likelihood: negative log-likelihood of threshold GARCH(p,o,q), exact gradient.
%
% Inputs, all real double arrays:
%   e             vector of T finite residuals (a row, a column, or empty); T is its length.
%   parameters    vector of k values [omega; alpha(1:p); gamma(1:o); beta(1:q)], then nu
%                 for Student's t: k = 1+p+o+q, plus 1 for Student's t. Further values
%                 are ignored.
%   backcast      the pre-sample value, first element only: a standard deviation when
%                 type is 1, a variance otherwise.
%   p, o, q       scalars: numbers of lags of the data, of the asymmetric data and of
%                 the recursion.
%   m             scalar: the number of leading observations conditioned on;
%                 0 <= m <= T, and max(p,o,q) <= m when m < T.
%   type          scalar: 1 for the standard-deviation form (power 1), any other value for
%                 the variance form (power 2).
%   distribution  scalar: 0 for the normal, 1 for Student's t with nu > 2 degrees of
%                 freedom scaled to unit variance.
%
% Outputs, each computed only when requested (with one output there is no derivative
% work):
%   nll       1-by-1: the negative log-likelihood of e(m+1:T).
%   gradient  k-by-1: the derivatives of nll with respect to the parameters (nu included).
%   scores    T-by-k: row t holds the derivatives of observation t's term of nll; rows 1..m
%             are zero, so rows line up with e and ht and every column sums to gradient.
%             They give the outer-product and sandwich covariance estimators.
%   ht        T-by-1: the conditional variances, bit for bit threshvol_filter's output for
%             the data abs(e) (type 1) or e.*e (otherwise), the asymmetric data that value
%             where e < 0 and 0 elsewhere, and T = numel(e): rows 1..m hold backcast
%             unsquared, rows m+1..T the squares of the recursion under type 1.
%
% Model: the variances of threshvol_filter on the data formed from e (see above). The
% first m observations are conditioned on, as in a conditional likelihood: they enter only
% through the recursion, and nll is the sum over the n = T-m modelled observations
% t = m+1..T of -log f(e(t) | ht(t)):
%   normal:      nll = 0.5 * (n*log(2*pi) + sum_t (log(ht(t)) + e(t)*e(t)/ht(t)))
%   Student's t: nll = n*K(nu) + 0.5 * sum_t (log(ht(t)) + (nu+1)*log1p(x(t))),
%                x(t) = e(t)^2 / ((nu-2)*ht(t)),
%                K(nu) = gammaln(nu/2) - gammaln((nu+1)/2) + 0.5*log(pi*(nu-2)).
% The sums run over t in increasing order from 0, and log(2*pi) is the double nearest to
% it, so a value is the same on every call, with or without derivatives.
%
% Derivatives are exact, not finite differences: the derivative of ht(t) with respect to
% each parameter is carried forward beside the recursion (through the square of power 1),
% and the derivative with respect to nu uses the digamma function.
%
% Where the model is not defined (a variance ht(t) at a modelled observation that is not
% positive and finite, nu not a finite number above 2, parameters that are NaN or infinite
% and reach a variance), nll is +Inf, never NaN and never an error, so that an optimiser
% can step back; every entry of gradient and scores is then NaN. With m = T nothing is
% modelled: nll is 0 and the derivatives are zeros.
%
% Scalar inputs are truncated toward zero: p, o, q, m, type and distribution to 32-bit
% integers (type = 1.9 acts as 1).
%
% Errors:
%   "Nine inputs required."  the number of inputs is not nine.
%   "At most four outputs."  more than four outputs requested.
% Calls outside the inputs' contract are refused before any array is made, in this order:
%   "Input p must not be negative." (likewise o, q and m)
%   "Input m must be a finite number within the range of a 32-bit integer." (likewise p,
%       o, q, type and distribution)
%   "Input type must not be empty." (likewise every scalar input)
%   "Input distribution must be 0 (normal) or 1 (Student's t)."
%   "Input e must be a real double array." (likewise parameters, backcast)
%       when the input is not a real full double array (integers, single, logical, char,
%       complex, sparse or cell).
%   "Input e must be a vector."
%   "Input e must hold finite values."
%   "Input m must not exceed T."
%   "Input m must be at least the largest of p, o and q when T exceeds m."
%   "Input parameters must have at least k elements." ("at least 1 element." when k is 1)
%   "Input backcast must have at least 1 element."  when m > 0.
%   "The output is too large for the host."  T or T*k exceeds what the host allows.
% An output larger than the memory available fails with the host's own message.
%
% Example, a GARCH(1,1) with a threshold term under Student's t, by maximum likelihood:
%   e = randn (1000, 1);
%   theta = [0.05; 0.05; 0.1; 0.85; 8];
%   [nll, gradient] = threshvol_nll (e, theta, mean (e.^2), 1, 1, 1, 1, 2, 1);
%   % an optimiser minimises nll over theta, with gradient as its exact derivative
%
% See also threshvol_filter, logvol_nll, shiftvol_nll, intvol_nll.
