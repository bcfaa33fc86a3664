% [names, bounds, linear, starts, presample, constraint_names, nonlinear, active] = volfilter_plan (model, e, p, o, q, type, constant, distribution, m, backcast_rule, backcast, upper_bound, parameters, mean_constant, ar_lags, ma_lags, x)
% Fit plan: parameter names, bounds, named constraints and start values of a variance model.
%
% What a fit of the model to the residuals e gives its optimiser, from the estimation core
% that volfilter_estimate fits with; volfilter_fit's host-language optimisers (nlopt_optimize,
% sqp, fmincon) read it from here, so each rule has one source. Needs no NLopt.
%
% Inputs, real double arrays and real scalars:
%   model          0 threshvol, 1 logvol, 2 shiftvol, 3 intvol.
%   e              the residuals: a vector of T finite values, T >= 1.
%   p, o, q        lag orders (o only for threshvol and logvol; intvol needs q >= 1).
%   type           as for the model's likelihood: threshvol and intvol 1 the standard-deviation
%                  form, else the variance form; shiftvol 1 a constant shift, else a shift
%                  scaled by the standard deviation.
%   constant       intvol: 1 to estimate omega, 0 for none (0 or 1 for every model).
%   distribution   0 normal, 1 Student's t (adds nu).
%   m              the observations conditioned on: max(p,o,q) <= m <= T.
%   backcast_rule  the pre-sample value: 0 the exponentially weighted mean of the squared
%                  residuals from the start of the sample (weights 0.94^(t-1) over the first
%                  500), 1 their mean, 2 the value backcast (first element) as given; the
%                  means in the model's units (a variance, its square root under type 1 of
%                  threshvol and intvol, its logarithm for logvol).
%   backcast       the value for rule 2 (any array otherwise, [] say).
%   upper_bound    logvol's ceiling on the variance: [] for 1000 times the largest squared
%                  residual, else its first element.
%   parameters     [] or k values at which to evaluate the nonlinear constraint and the
%                  constraints active there.
% and, for returns e with a mean (the four may be left out: e is then residuals),
%   mean_constant  1 for a constant mu in the mean, 0 for none.
%   ar_lags, ma_lags  vectors (or empty) of distinct whole lags from 1 to m.
%   x              a T-by-k matrix of finite regressors (any array of 0 columns for none).
% With a mean, the parameters begin with its block (mu, ar<lag>, x<j>, ma<lag>; bounds and
% constraints as help volfilter_fit says), the start values with its least-squares fit over
% the observations after m (the ma coefficients 0), and the level, the pre-sample value and
% logvol's ceiling come from the residuals at those start values after the first m.
%
% Outputs (k parameters, c linear constraints, C = 2k + c + (1 with a nonlinear one)):
%   names             k-by-L character codes, a row a parameter name padded with spaces:
%                     cellstr (char (names)).
%   bounds            k-by-4: lower bound, upper bound, scale, 1 where the fit scales by the
%                     start value instead (omega).
%   linear            c-by-(k+1): [A, b], the constraints A * theta <= b.
%   starts            k-by-9: the start candidates, news 0.03, 0.08, 0.15 by persistence 0.85,
%                     0.95, 0.99.
%   presample         1-by-6: the pre-sample value in the model's units, logvol's ceiling (NaN
%                     for the others), the level (the mean square in the model's units), the
%                     least modelled observations of a fit (10 k), the most parameters a fit
%                     takes (1000), the pre-sample value as a variance.
%   constraint_names  C-by-L2 character codes: every bound's name (the lower bounds, then the
%                     upper ones, e.g. "alpha1 >= 0", "beta1 <= 1", "omega >= 1e-8 level",
%                     "gamma >= -10 sd", "nu >= 2.05"), then the linear constraints'
%                     ("stationarity", "alpha1 + gamma1 >= 0", "implied beta2 >= 0"), then the
%                     nonlinear one's ("stationarity" of shiftvol with a scaled shift).
%   nonlinear         1-by-(k+1) at the parameters: the nonlinear constraint's value (at most
%                     0 where it holds), then its gradient; 0 rows without parameters or
%                     without a nonlinear constraint.
%   active            C-by-1 at the parameters: 1 for each constraint active there, within
%                     1e-6 of the parameter's scale for a bound and 1e-6 for a constraint;
%                     C-by-0 without parameters.
%
% Scalar inputs are truncated toward zero to 32-bit integers.
%
% Errors, before any array is made, in this order: "Seven, eleven, thirteen or seventeen
% inputs required.", "At most eight outputs.", the scalars' ("Input p must not be negative.", "Input model must be 0
% (threshvol), 1 (logvol), 2 (shiftvol) or 3 (intvol).", "Input q must be at least 1."
% (intvol), "Input constant must be 0 or 1.", "Input distribution must be 0 (normal) or 1
% (Student's t).", "Input backcast_rule must be 0 (ewma), 1 (mean) or 2 (the value given).",
% "Input m must be a finite number within the range of a 32-bit integer.", ...), "Input e must
% be a real double array." (likewise backcast, upper_bound, parameters), "Input e must be a
% vector.", "Input e must not be empty.", "Input e must hold finite values.", "Input m must not
% exceed T.", "Input m must be at least the largest of p, o and q.", "Input backcast must have
% at least 1 element." (rule 2), with a mean "Input mean_constant must be 0 or 1.", "Input x
% must have T rows.", "Input x must hold finite values.", "Input ar_lags must be a vector.",
% "Input ar_lags must hold whole numbers from 1 to m.", "Input ar_lags must not hold a lag
% twice." (likewise ma_lags), "The mean has K parameters, more than the 1000 a fit takes.";
% "Input parameters must have at least k elements.", "The orders give K parameters, more
% than the 1000 a plan takes.", "Not enough memory for the plan.", "The mean's least-squares
% fit is singular on e: ...", "The mean fits e exactly: ...", "The output is too large for
% the host."
%
% sizes = volfilter_plan (model, p, o, q, type, constant, distribution[, mean_constant,
% ar_count, ma_count, x_columns]), the short call (the mean's four as counts):
% the sizes of the plan alone, 1-by-3 [k, the least modelled observations of a fit (10 k),
% the most parameters a fit takes (1000)], from the model's scalars (as above) in constant
% time and memory whatever the orders, so that a caller can compare them with a sample
% before anything is built for them. Its errors are those of the scalars and "At most one
% output for the sizes of a plan."
%
% Example, the plan of a GARCH(1,1), the constraints active at alpha1 = 0, its sizes:
%   e = randn (1000, 1);
%   [names, bounds, linear, starts, presample, constraint_names, nonlinear, active] = ...
%       volfilter_plan (0, e, 1, 0, 1, 2, 1, 0, 1, 0, [], [], [0.1; 0; 0.8]);
%   constraint_names = cellstr (char (constraint_names));
%   constraint_names(active ~= 0)      % {'alpha1 >= 0'}
%   volfilter_plan (0, 1, 0, 1, 2, 1, 0)   % [3, 30, 1000]
%
% See also volfilter_estimate, volfilter_fit.
