function run = fit_sqp (plan, x0, options)
% run = fit_sqp (plan, x0, options)
% Minimises fit_objective from the scaled start X0 with Octave's sqp, given the exact
% gradient, the bounds, and the linear and nonlinear inequalities with their Jacobian.
% It stops at its default tolerance (on the gradient of the objective, the negative
% log-likelihood per observation) or after options.max_evaluations iterations.
rows = plan.A .* plan.scale';
inequalities = [];
if size (rows, 1) > 0 || ~isempty (plan.nonlinear)
  inequalities = {@(x) inequality_values(x, rows, plan), ...
                  @(x) inequality_jacobian(x, rows, plan)};
end
lower = plan.lower ./ plan.scale;
upper = plan.upper ./ plan.scale;
objective = {@fit_column_objective, @fit_gradient};
[x, value, info, iterations] = sqp (x0, objective, [], inequalities, lower, upper, ...
                                    options.max_evaluations); %#ok<ASGLU>
run.x = x(:);
run.converged = any (info == [101, 104]);
run.message = sqp_message (info);
run.iterations = iterations;
end

function values = inequality_values (x, rows, plan)
% Every inequality as sqp takes them, at least 0 where it holds.
values = plan.b - rows * x;
if ~isempty (plan.nonlinear)
  values(end + 1, 1) = -scaled_nonlinear (x, plan.nonlinear, plan.scale);
end
end

function jacobian = inequality_jacobian (x, rows, plan)
jacobian = -rows;
if ~isempty (plan.nonlinear)
  [~, gradient] = scaled_nonlinear (x, plan.nonlinear, plan.scale);
  jacobian(end + 1, :) = -gradient;
end
end

function text = sqp_message (info)
% sqp's own account of each return code (help sqp).
switch info
  case 101
    text = 'sqp 101: the algorithm terminated normally; all constraints satisfied within tolerance';
  case 102
    text = 'sqp 102: the BFGS update failed';
  case 103
    text = 'sqp 103: the maximum number of iterations was reached';
  case 104
    text = 'sqp 104: the stepsize has become too small';
  otherwise
    text = sprintf ('sqp %d: the QP subproblem failed', info);
end
end
