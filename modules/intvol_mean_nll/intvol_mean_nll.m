% [nll, gradient, scores, ht, residuals] = intvol_mean_nll (y, x, ar_lags, ma_lags, constant, parameters, backcast, p, q, m, type, has_constant, distribution)
% Integrated likelihood of returns: integrated GARCH(p,q) with a regression mean.
%
% The likelihood of returns y whose mean is a regression with a constant, autoregressive
% terms at listed lags, regressors and moving-average terms at listed lags, estimated with
% the variance: the residuals
%   e(t) = y(t) - mu - sum_j ar(j)*y(t-ar_lags(j)) - sum_j b(j)*x(t,j) - sum_j ma(j)*e(t-ma_lags(j))
% are lagreg_residuals' (with sigma = 1), e(t) = 0 for t <= m, and intvol_nll is then the
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
%                 [omega; alpha(1:p); beta(1:q-1)] (omega only when has_constant is not 0),
%                 then nu for Student's t. k counts them all; further values are ignored.
%   backcast      the pre-sample value, first element only: a standard deviation when
%                 type is 1, a variance otherwise.
%   p, q          scalars: numbers of lags of the data and of the recursion; q >= 1.
%   m             scalar: the number of leading observations conditioned on (their
%                 residuals are 0); 0 <= m <= T, every lag at most m, and
%                 max(p,q) <= m when m < T.
%   type          scalar: 1 for the standard-deviation form (power 1), any other value for
%                 the variance form (power 2).
%   has_constant  scalar: 0 for no omega, 1 for omega first in the model's own block (as
%                 for intvol_nll; 2 and more leave unused slots, whose derivatives are 0).
%   distribution  scalar: 0 for the normal, 1 for Student's t with nu > 2 degrees of
%                 freedom scaled to unit variance.
%
% Outputs, each computed only when requested (with one output there is no derivative
% work; the residuals and the variances are formed in every call):
%   nll        1-by-1: the negative log-likelihood of y(m+1:T), as intvol_nll of e.
%   gradient   k-by-1: the derivatives of nll with respect to every parameter, the mean's
%              included.
%   scores     T-by-k: row t holds the derivatives of observation t's term of nll; rows 1..m
%              are zero and every column sums to gradient.
%   ht         T-by-1: the conditional variances, bit for bit intvol_filter's output for the
%              data formed from the residuals: abs(e) (type 1) or e.*e (otherwise).
%   residuals  T-by-1: e, bit for bit lagreg_residuals' output with sigma = 1.
%
% Derivatives are exact, not finite differences: the residuals' derivatives with respect to
% the mean's parameters follow their own recursion through the moving-average terms and
% reach nll through every series the variance model forms from e and through e itself.
% The derivative through |e| (type 1) is taken as 0 at e = 0.
% Where the model is not defined (as for intvol_nll, or a residual of a modelled observation
% that is not finite, as explosive mean parameters make it), nll is +Inf and every entry of
% gradient and scores is NaN; ht and residuals are still returned. With no mean terms
% (constant 0, no lags, x of 0 columns) every output is intvol_nll's for e = y with its
% first m values set to 0, to the last bit.
%
% Errors:
%   "Thirteen inputs required."  the number of inputs is not thirteen.
%   "At most five outputs."  more than five outputs requested.
% Calls outside the inputs' contract are refused before any array is made: the scalar inputs
% first, in input order, with the messages of intvol_nll and "Input constant must be 0 or
% 1."; then "Input y must be a real double array." (likewise x, ar_lags, ma_lags,
% parameters, backcast); then
%   "Input y must be a vector."  and  "Input y must hold finite values."
%   "Input m must not exceed T."
%   "Input m must be at least the largest of p and q when T exceeds m."
%   "Input x must have T rows."  and  "Input x must hold finite values."
%   "Input ar_lags must be a vector."  and  "Input ar_lags must hold whole numbers from 1 to
%       m."  (likewise ma_lags)
%   "Input parameters must have at least k elements."
%   and the remaining messages of intvol_nll.
%
% Example, an AR(1) mean (constant included) by maximum likelihood:
%   y = 0.05 + randn (1000, 1);
%   theta = [0.05; 0.02; 0.1];                      % mu, then omega, alpha
%   [nll, gradient] = intvol_mean_nll (y, [], [], [], 1, theta, var (y), 1, 1, 1, 2, 1, 0);
%   % an optimiser minimises nll over theta, with gradient as its exact derivative
%
% See also intvol_nll, lagreg_residuals, threshvol_mean_nll, logvol_mean_nll, shiftvol_mean_nll.
