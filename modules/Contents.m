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
% Likelihoods, with exact gradients (normal or Student's t)
%   threshvol_nll    - Negative log-likelihood of the threshold model, gradient, scores.
%   logvol_nll       - Negative log-likelihood of the exponential log-variance model.
%   shiftvol_nll     - Negative log-likelihood of the shifted-innovation model.
%   intvol_nll       - Negative log-likelihood of the integrated model.
%
% Simulation of many paths at once, continuing a history of residuals
%   threshvol_simulate - Paths of the threshold model (threshold GARCH).
%   logvol_simulate    - Paths of the exponential log-variance model.
%   shiftvol_simulate  - Paths of the shifted-innovation model.
%   intvol_simulate    - Paths of the integrated model.
%
% Model fitting and forecasting
%   volfilter_fit      - Fits a variance model by maximum likelihood, with standard errors.
%   volfilter_summary  - Prints a fit (or a panel of fits) as one table, with diagnostics.
%   volfilter_plot     - Plots a fit: returns, volatility, quantiles, autocorrelations.
%   volfilter_forecast - Variance forecasts (analytic, simulated, bootstrapped), quantiles.
%   volfilter_simulate - Simulated paths of a fitted or given model.
%   volfilter_estimate - Compiled fit: maximum likelihood of a variance model, across threads.
%   volfilter_plan     - Fit plan: parameter names, bounds, named constraints and start values.
%
% Every module takes real double arrays and truncates its scalar inputs toward zero. The
% filters, the residuals and the pairwise likelihood return one array; the likelihoods
% return the value and, on request, its gradient, the scores and the variances; the
% simulations the residuals and the variances of every path. Type "help <module>" for its
% inputs, model and messages.
