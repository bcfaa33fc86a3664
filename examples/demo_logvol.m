function result = demo_logvol (T, verbose, seed)
  % result = demo_logvol (T, verbose, seed)
  % Simulates an exponential GARCH(1,1,1) return series from known parameters and fits it
  % by maximum likelihood twice: with volfilter_fit (NLopt's SLSQP on logvol_nll, exact
  % gradient, standard errors and robust standard errors), and today's way, Octave's sqp on
  % the Gaussian log-likelihood written around logvol_filter. Both fits use the same
  % pre-sample log variance and ceiling and are timed in the same run.
  %
  % Model, returns r(t) = sqrt(h(t)) * z(t) with z(t) standard normal:
  %   log h(t) = omega + alpha * (|z(t-1)| - sqrt(2/pi)) + gamma * z(t-1) + beta * log h(t-1)
  %
  % T        number of simulated returns (default 2000)
  % verbose  print the report (default true)
  % seed     state of the normal generator (default 1)
  % result   struct: names, truth, today (sqp's fit, see fit_by_sqp),
  %          fit (volfilter_fit's), timing (the filter module beside an Octave loop)
  %
  % Needs logvol_filter, logvol_nll and volfilter_fit on the path
  % (addpath ('build/default/mex')).
  if (nargin < 1 || isempty (T))
    T = 2000;
  end
  if (nargin < 2 || isempty (verbose))
    verbose = true;
  end
  if (nargin < 3 || isempty (seed))
    seed = 1;
  end

  names = {'omega'; 'alpha'; 'gamma'; 'beta'};
  truth = [-0.01; 0.15; -0.08; 0.95];
  r = simulate_returns ('logvol', truth, T, 'seed', seed);

  % The filter's inputs, for its time beside an Octave loop: the returns, the log of their
  % mean square as the pre-sample value, a ceiling on the variance far above anything the
  % data support, one lag of each family and one pre-sample entry.
  backcast = log (mean (r .^ 2));
  upper_bound = 1000 * var (r);
  module = @(theta) logvol_filter (r, theta, backcast, upper_bound, 1, 1, 1, 1, T);
  loop = @(theta) logvol_loop (r, theta, backcast, upper_bound, T);

  fits = fit_both_ways ('egarch', r, 'normal');

  timing = compare_timing (r, module, loop, fits.fit.parameters);
  result = struct ('names', {names}, 'truth', truth, 'today', fits.today, 'fit', fits.fit, ...
                   'timing', timing);
  if (verbose)
    print_fit ('Exponential GARCH(1,1,1)', 'logvol_filter', T, names, truth, fits, timing);
  end
end

function ht = logvol_loop (r, theta, backcast, upper_bound, T)
  % The recursion of logvol_filter (..., 1, 1, 1, 1, T) in Octave's language, with its floor
  % (the pre-sample variance over 10000) and its ceiling, the terms added in the same order.
  mu = 0.797884560802865;
  ht = zeros (T, 1);
  log_ht = zeros (T, 1);
  std_data = zeros (T, 1);
  presample = exp (backcast);
  floor_value = presample / 10000;
  floor_log = backcast - log (10000);
  ht(1) = presample;
  log_ht(1) = backcast;
  std_data(1) = r(1) / sqrt (presample);
  for t = 2:T
    s = theta(1) + theta(2) * (abs (std_data(t - 1)) - mu) + theta(3) * std_data(t - 1) ...
        + theta(4) * log_ht(t - 1);
    h = exp (s);
    if (h < floor_value)
      h = floor_value;
      s = floor_log;
    end
    if (h > upper_bound)
      if (isinf (h))
        h = upper_bound;
      else
        h = upper_bound + s;
      end
      s = log (upper_bound);
    end
    ht(t) = h;
    log_ht(t) = s;
    std_data(t) = r(t) / sqrt (h);
  end
end
