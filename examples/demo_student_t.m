function result = demo_student_t (T, verbose, seed)
  % result = demo_student_t (T, verbose, seed)
  % Simulates a threshold GARCH(1,1,1) return series with Student's t innovations from known
  % parameters and fits it by maximum likelihood twice: with volfilter_fit (distribution
  % 't', NLopt's SLSQP on threshvol_nll, exact gradient, standard errors and robust standard
  % errors), and today's way, Octave's sqp on the Student's t log-likelihood written around
  % threshvol_filter. Both fits use the same pre-sample value and are timed in the same run.
  %
  % Model (variance form), returns r(t) = sqrt(h(t)) * z(t), z(t) Student's t with nu
  % degrees of freedom scaled to unit variance:
  %   h(t) = omega + alpha * r(t-1)^2 + gamma * r(t-1)^2 * [r(t-1) < 0] + beta * h(t-1)
  %
  % T        number of simulated returns (default 4000)
  % verbose  print the report (default true)
  % seed     state of the normal and gamma generators (default 1)
  % result   struct: names, truth, today (sqp's fit, see ml_estimate in examples/private),
  %          fit (volfilter_fit's)
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

  names = {'omega'; 'alpha'; 'gamma'; 'beta'; 'nu'};
  truth = [0.02; 0.05; 0.10; 0.88; 6];
  r = simulate_returns ('threshvol', truth, T, 'distribution', 't', 'seed', seed);

  data = r .^ 2;
  asym_data = data .* (r < 0);
  backcast = mean (data);
  module = @(theta) threshvol_filter (data, asym_data, theta, backcast, 1, 1, 1, 1, T, 2);

  % Today's way: the constraints of the normal fit, and more than 2 degrees of freedom.
  today.average_nll = @(theta) student_t_nll (r, module (theta), theta(5));
  today.start = [0.1 * backcast; 0.05; 0.05; 0.85; 8];
  today.lower = [1e-8; 0; 0; 0; 2.05];
  today.upper = [10 * backcast; 1; 1; 1; 500];
  today.constraint = @(theta) 1 - 1e-6 - theta(2) - theta(3) / 2 - theta(4);
  module_nll = @(theta) threshvol_nll (r, theta, backcast, 1, 1, 1, 1, 2, 1);
  fits = fit_both_ways (r, today, 'threshvol', {'backcast', backcast, 'distribution', 't'}, ...
                        module_nll);

  result = struct ('names', {names}, 'truth', truth, 'today', fits.today, 'fit', fits.fit);
  if (verbose)
    print_fit ('Threshold GARCH(1,1,1), Student''s t innovations', 'threshvol_filter', T, ...
               names, truth, fits);
  end
end
