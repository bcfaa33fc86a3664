function run = fit_nlopt (plan, x0, options)
% run = fit_nlopt (plan, x0, options)
% Minimises fit_objective from the scaled start X0 with NLopt's SLSQP: the value and the
% exact gradient in one call, the bounds, each linear inequality and the nonlinear one as a
% constraint with its gradient. Stops when a step changes the objective (the negative
% log-likelihood per observation) by less than 1e-12 or every scaled parameter by less than
% 1e-9 of itself, or after options.max_evaluations evaluations.
opt.algorithm = NLOPT_LD_SLSQP ();
opt.min_objective = @fit_objective;
opt.lower_bounds = (plan.lower ./ plan.scale)';
opt.upper_bounds = (plan.upper ./ plan.scale)';
rows = plan.A .* plan.scale';
opt.fc = cell (1, size (rows, 1));
for i = 1:size (rows, 1)
  row = rows(i, :);
  bound = plan.b(i);
  opt.fc{i} = @(x) linear_constraint (x, row, bound);
end
if ~isempty (plan.nonlinear)
  opt.fc{end + 1} = @(x) scaled_nonlinear (x, plan.nonlinear, plan.scale);
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
