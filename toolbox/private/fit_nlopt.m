function run = fit_nlopt (spec, x0, options)
% run = fit_nlopt (spec, x0, options)
% Minimises fit_objective from the scaled start X0 with NLopt's SLSQP: the value and the
% exact gradient in one call, the bounds, each linear inequality and the nonlinear one as a
% constraint with its gradient. Stops when a step changes the objective (the negative
% log-likelihood per observation) by less than 1e-12 or every scaled parameter by less than
% 1e-9 of itself, or after options.max_evaluations evaluations.
opt.algorithm = NLOPT_LD_SLSQP ();
opt.min_objective = @fit_objective;
opt.lower_bounds = (spec.lower ./ spec.scale)';
opt.upper_bounds = (spec.upper ./ spec.scale)';
rows = spec.A .* spec.scale';
opt.fc = cell (1, size (rows, 1));
for i = 1:size (rows, 1)
  opt.fc{i} = @(x) linear_constraint (x, rows(i, :), spec.b(i));
end
if ~isempty (spec.nonlinear)
  opt.fc{end + 1} = @(x) scaled_nonlinear (x, spec.nonlinear, spec.scale);
end
opt.fc_tol = 1e-10 * ones (1, numel (opt.fc));
opt.ftol_abs = 1e-12;
opt.xtol_rel = 1e-9;
opt.maxeval = options.max_evaluations;

before = fit_objective ([], 'read');
% Every output is taken: in Octave 7 an output ignored with ~ here reaches the callbacks,
% whose values NLopt then refuses as invalid.
[x, value, code] = nlopt_optimize (opt, x0'); %#ok<ASGLU>
after = fit_objective ([], 'read');
run.x = x(:);
run.converged = any (code == [1, 3, 4]);
run.message = nlopt_message (code);
% NLopt does not count its iterations: each accepted step of SLSQP improves on the best
% value so far, so the improvements after the start are counted instead.
run.iterations = after.improvements - before.improvements - 1;
end

function text = nlopt_message (code)
names = {-5, 'NLOPT_FORCED_STOP', 'halted by the objective';
         -4, 'NLOPT_ROUNDOFF_LIMITED', 'roundoff errors limited progress';
         -3, 'NLOPT_OUT_OF_MEMORY', 'ran out of memory';
         -2, 'NLOPT_INVALID_ARGS', 'invalid arguments';
         -1, 'NLOPT_FAILURE', 'generic failure';
         1, 'NLOPT_SUCCESS', 'generic success';
         2, 'NLOPT_STOPVAL_REACHED', 'stopval reached';
         3, 'NLOPT_FTOL_REACHED', 'ftol reached';
         4, 'NLOPT_XTOL_REACHED', 'xtol reached';
         5, 'NLOPT_MAXEVAL_REACHED', 'maxeval reached';
         6, 'NLOPT_MAXTIME_REACHED', 'maxtime reached'};
row = find ([names{:, 1}] == code);
if isempty (row)
  text = sprintf ('NLopt return code %d', code);
else
  text = sprintf ('%s: %s', names{row, 2}, names{row, 3});
end
end
