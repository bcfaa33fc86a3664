% [nll, gradient, scores, ht, residuals] = shiftvol_mean_nll (y, x, ar_lags, ma_lags, constant, parameters, backcast, p, q, m, type, distribution)
% Shifted-innovation likelihood of returns: asymmetric GARCH(p,q) with a regression mean.
%
% The likelihood of returns y whose mean is a regression with a constant, autoregressive
% terms at listed lags, regressors and moving-average terms at listed lags, estimated with
% the variance: the residuals
%   e(t) = y(t) - mu - sum_j ar(j)*y(t-ar_lags(j)) - sum_j b(j)*x(t,j) - sum_j ma(j)*e(t-ma_lags(j))
% are lagreg_residuals' (with sigma = 1), e(t) = 0 for t <= m, and shiftvol_nll is then the
% likelihood of those residuals.
%
% Inputs, all real double arrays:
%   y             vector of T finite returns (a row, a column, or empty); T is its length.
%   x             T-by-k matrix of finite regressors; any array of 0 columns for none.
%   ar_lags       vector (or empty) of autoregressive lags, whole numbers from 1 to m; they
%                 may repeat, and their order fixes the order of their coefficients.
%   ma_lags       vector (or empty) of moving-average lags, likewise.
%   constant      scalar: 1 for a constant mu in the mean, 0 for none.
%   parameters    vector: the mean's block [mu (when constant is 1); ar (one per ar_lags);
%                 b (one per column of x); ma (one per ma_lags)], then the model's own
%                 [omega; alpha(1:p); gamma; beta(1:q)],
%                 then nu for Student's t. k counts them all; further values are ignored.
%   backcast      the pre-sample variance, first element only.
%   p, q          scalars: numbers of lags of the shifted squares and of the variance.
%   m             scalar: the number of leading observations conditioned on (their
%                 residuals are 0); 0 <= m <= T, every lag at most m, and
%                 max(p,q) <= m when m < T.
%   type          scalar: 1 shifts each residual by gamma, any other value by gamma times
%                 its conditional standard deviation.
%   distribution  scalar: 0 for the normal, 1 for Student's t with nu > 2 degrees of
%                 freedom scaled to unit variance.
%
% Outputs, each computed only when requested (with one output there is no derivative
% work; the residuals and the variances are formed in every call):
%   nll        1-by-1: the negative log-likelihood of y(m+1:T), as shiftvol_nll of e.
%   gradient   k-by-1: the derivatives of nll with respect to every parameter, the mean's
%              included.
%   scores     T-by-k: row t holds the derivatives of observation t's term of nll; rows 1..m
%              are zero and every column sums to gradient.
%   ht         T-by-1: the conditional variances, bit for bit shiftvol_filter's output for the
%              data formed from the residuals: e itself.
%   residuals  T-by-1: e, bit for bit lagreg_residuals' output with sigma = 1.
%
% Derivatives are exact, not finite differences: the residuals' derivatives with respect to
% the mean's parameters follow their own recursion through the moving-average terms and
% reach nll through every series the variance model forms from e and through e itself.
% Where the model is not defined (as for shiftvol_nll, or a residual of a modelled observation
% that is not finite, as explosive mean parameters make it), nll is +Inf and every entry of
% gradient and scores is NaN; ht and residuals are still returned. With no mean terms
% (constant 0, no lags, x of 0 columns) every output is shiftvol_nll's for e = y with its
% first m values set to 0, to the last bit.
%
% Errors:
%   "Twelve inputs required."  the number of inputs is not twelve.
%   "At most five outputs."  more than five outputs requested.
% Calls outside the inputs' contract are refused before any array is made: the scalar inputs
% first, in input order, with the messages of shiftvol_nll and "Input constant must be 0 or
% 1."; then "Input y must be a real double array." (likewise x, ar_lags, ma_lags,
% parameters, backcast); then
%   "Input y must be a vector."  and  "Input y must hold finite values."
%   "Input m must not exceed T."
%   "Input m must be at least the largest of p and q when T exceeds m."
%   "Input x must have T rows."  and  "Input x must hold finite values."
%   "Input ar_lags must be a vector."  and  "Input ar_lags must hold whole numbers from 1 to
%       m."  (likewise ma_lags)
%   "Input parameters must have at least k elements."
%   and the remaining messages of shiftvol_nll.
%
% Example, an AR(1) mean (constant included) by maximum likelihood:
%   y = 0.05 + randn (1000, 1);
%   theta = [0.05; 0.1; 0.05; 0.08; 0.3; 0.85];   % mu, ar1, then omega, alpha, gamma, beta
%   [nll, gradient] = shiftvol_mean_nll (y, [], 1, [], 1, theta, var (y), 1, 1, 1, 1, 0);
%   % an optimiser minimises nll over theta, with gradient as its exact derivative
%
% See also shiftvol_nll, lagreg_residuals, threshvol_mean_nll, logvol_mean_nll, intvol_mean_nll.
