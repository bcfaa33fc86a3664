function plan = add_student_t (plan)
% plan = add_student_t (plan)
% Appends Student's t degrees of freedom nu to a model's parameters: nu in [2.05, 500]
% (the distribution has a variance only above 2), scale 10, start 8.
plan.names{end + 1, 1} = 'nu';
plan.lower(end + 1, 1) = 2.05;
plan.upper(end + 1, 1) = 500;
plan.A(:, end + 1) = 0;
plan.scale(end + 1, 1) = 10;
plan.scale_by_start(end + 1, 1) = false;
plan.grid(end + 1, :) = 8;
end
