function result = demo_threshvol (T, verbose, seed)
  % result = demo_threshvol (T, verbose, seed)
  % Simulates a threshold GARCH(1,1,1) return series from known parameters and fits it by
  % maximum likelihood twice: with volfilter_fit (NLopt's SLSQP on threshvol_nll, exact
  % gradient, standard errors and robust standard errors), and today's way, Octave's sqp on
  % the Gaussian log-likelihood written around threshvol_filter. Both fits use the same
  % pre-sample value (the mean of the squared returns) and are timed in the same run. The
  % report ends with volfilter_summary of volfilter_fit's fit.
  %
  % Model (variance form), returns r(t) = sqrt(h(t)) * z(t) with z(t) standard normal:
  %   h(t) = omega + alpha * r(t-1)^2 + gamma * r(t-1)^2 * [r(t-1) < 0] + beta * h(t-1)
  %
  % T        number of simulated returns (default 4000)
  % verbose  print the report (default true)
  % seed     state of the normal generator (default 1)
  % result   struct: names, truth, today (sqp's fit, see fit_by_sqp),
  %          fit (volfilter_fit's), timing (the filter module beside an Octave loop)
  %
  % Needs threshvol_filter, threshvol_nll and volfilter_fit on the path
  % (addpath ('build/default/mex')).
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
  r = simulate_returns ('threshvol', truth, T, 'seed', seed);

  % The filter's inputs, for its time beside an Octave loop: squared returns, their
  % negative part, the sample variance as the pre-sample value, one lag of each family,
  % one pre-sample entry, power 2.
  data = r .^ 2;
  asym_data = data .* (r < 0);
  backcast = mean (data);
  module = @(theta) threshvol_filter (data, asym_data, theta, backcast, 1, 1, 1, 1, T, 2);
  loop = @(theta) threshvol_loop (data, asym_data, theta, backcast, T);

  fits = fit_both_ways ('gjr', r, 'normal');

  timing = compare_timing (r, module, loop, fits.fit.parameters);
  result = struct ('names', {names}, 'truth', truth, 'today', fits.today, 'fit', fits.fit, ...
                   'timing', timing);
  if (verbose)
    print_fit ('Threshold GARCH(1,1,1), variance form', 'threshvol_filter', T, names, ...
               truth, fits, timing);
    printf ('volfilter_summary (fit) of the same fit:\n\n');
    volfilter_summary (fits.fit);
    printf ('\n');
  end
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
