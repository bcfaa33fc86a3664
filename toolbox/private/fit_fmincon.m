function run = fit_fmincon (plan, x0, options)
% run = fit_fmincon (plan, x0, options)
% Minimises fit_objective from the scaled start X0 with MATLAB's fmincon (its sqp
% algorithm), given the exact gradient, the bounds, the linear inequalities and the
% nonlinear one with its gradient. Untested: there is no MATLAB on the development machines.
rows = plan.A .* plan.scale';
if isempty (plan.nonlinear)
  nonlinear = [];
else
  nonlinear = @(x) fmincon_nonlinear (x, plan);
end
settings = optimoptions ('fmincon', 'Algorithm', 'sqp', 'Display', 'off', ...
                         'SpecifyObjectiveGradient', true, ...
                         'SpecifyConstraintGradient', true, ...
                         'MaxFunctionEvaluations', options.max_evaluations, ...
                         'OptimalityTolerance', 1e-8, 'StepTolerance', 1e-10);
[x, value, flag, output] = fmincon (@fit_column_objective, x0, rows, plan.b, [], [], ...
                                plan.lower ./ plan.scale, plan.upper ./ plan.scale, ...
                                nonlinear, settings); %#ok<ASGLU>
run.x = x(:);
run.converged = flag > 0;
run.message = sprintf ('fmincon %d: %s', flag, strtrim (output.message));
run.iterations = output.iterations;
end

function [c, ceq, gc, gceq] = fmincon_nonlinear (x, plan)
[c, gradient] = scaled_nonlinear (x, plan.nonlinear, plan.scale);
gc = gradient';
ceq = [];
gceq = [];
end
