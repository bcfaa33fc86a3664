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
  % result   struct: names, truth, today (sqp's fit, see fit_by_sqp),
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

  fits = fit_both_ways ('gjr', r, 't');

  result = struct ('names', {names}, 'truth', truth, 'today', fits.today, 'fit', fits.fit);
  if (verbose)
    print_fit ('Threshold GARCH(1,1,1), Student''s t innovations', 'threshvol_filter', T, ...
               names, truth, fits);
  end
end
