% volfilter: compiled inner loops for maximum-likelihood estimation of volatility models.
%
% Variance filters
%   threshvol_filter - Threshold variance filter (threshold GARCH, power 1 or 2).
%   logvol_filter    - Exponential log-variance filter with a floor and a ceiling.
%   shiftvol_filter  - Shifted-innovation variance filter (asymmetric GARCH, two forms).
%   intvol_filter    - Integrated variance filter (last lag coefficient implied).
%
% Mean-model residuals
%   lagreg_residuals - Scaled residuals of a regression with lags at listed positions.
%
% Pairwise likelihood
%   pairwise_nll     - Average bivariate normal negative log-likelihood over index pairs.
%
% Model fitting
%   volfilter_fit    - Fits a variance model by maximum likelihood, with standard errors.
%
% Every module takes real double arrays, truncates its scalar inputs toward zero and
% returns one array. Type "help <module>" for its inputs, model and messages.
