function result = demo_threshvol (T, verbose, seed)
  % result = demo_threshvol (T, verbose, seed)
  % Simulates a threshold GARCH(1,1,1) return series from known parameters and fits it by
  % maximum likelihood, threshvol_filter computing the conditional variances inside the
  % Gaussian log-likelihood.
  %
  % Model (variance form), returns r(t) = sqrt(h(t)) * z(t) with z(t) standard normal:
  %   h(t) = omega + alpha * r(t-1)^2 + gamma * r(t-1)^2 * [r(t-1) < 0] + beta * h(t-1)
  %
  % T        number of simulated returns (default 4000)
  % verbose  print the report (default true)
  % seed     state of the normal generator (default 1)
  % result   struct: names, truth, fit (see ml_estimate in examples/private), timing
  %
  % Needs threshvol_filter on the path (addpath ('build/default/mex')).
  if (nargin < 1 || isempty (T))
    T = 4000;
  end
  if (nargin < 2 || isempty (verbose))
    verbose = true;
  end
  if (nargin < 3 || isempty (seed))
    seed = 1;
  end

  names = {'omega'; 'alpha'; 'gamma'; 'beta'};
  truth = [0.02; 0.05; 0.10; 0.88];
  r = simulate (truth, T, seed);

  % The filter's inputs: squared returns, their negative part, the sample variance as the
  % pre-sample value, one lag of each family, one pre-sample entry, power 2.
  data = r .^ 2;
  asym_data = data .* (r < 0);
  backcast = mean (data);
  module = @(theta) threshvol_filter (data, asym_data, theta, backcast, 1, 1, 1, 1, T, 2);
  loop = @(theta) threshvol_loop (data, asym_data, theta, backcast, T);

  % A positive constant, non-negative coefficients and a finite unconditional variance:
  % alpha + gamma/2 + beta < 1 for shocks symmetric about zero.
  start = [0.1 * backcast; 0.05; 0.05; 0.85];
  lower = [1e-8; 0; 0; 0];
  upper = [10 * backcast; 1; 1; 1];
  stationary = @(theta) 1 - 1e-6 - theta(2) - theta(3) / 2 - theta(4);
  fit = ml_estimate (@(theta) gaussian_nll (r, module (theta)), T, start, lower, upper, ...
                     stationary);

  theta = fit.estimate;
  timing = compare_timing (r, module, loop, theta);

  result = struct ('names', {names}, 'truth', truth, 'fit', fit, 'timing', timing);
  if (verbose)
    print_fit ('Threshold GARCH(1,1,1), variance form', 'threshvol_filter', T, names, truth, ...
               fit, timing);
  end
end

function r = simulate (theta, T, seed)
  % Returns from the model, started at the unconditional variance; the first 500 are dropped
  % so that the series has forgotten its start.
  randn ('state', seed);
  burn = 500;
  z = randn (T + burn, 1);
  r = zeros (T + burn, 1);
  h = theta(1) / (1 - theta(2) - theta(3) / 2 - theta(4));
  for t = 1:T + burn
    r(t) = sqrt (h) * z(t);
    h = theta(1) + theta(2) * r(t)^2 + theta(3) * r(t)^2 * (r(t) < 0) + theta(4) * h;
  end
  r = r(burn + 1:end);
end

function ht = threshvol_loop (data, asym_data, theta, backcast, T)
  % The recursion of threshvol_filter (..., 1, 1, 1, 1, T, 2) in Octave's language, the
  % terms added in the same order: constant, data lag, asymmetric lag, variance lag.
  ht = zeros (T, 1);
  ht(1) = backcast;
  for t = 2:T
    ht(t) = theta(1) + data(t - 1) * theta(2) + asym_data(t - 1) * theta(3) ...
            + ht(t - 1) * theta(4);
  end
end
