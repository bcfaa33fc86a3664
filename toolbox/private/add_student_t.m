function spec = add_student_t (spec)
% spec = add_student_t (spec)
% Appends Student's t degrees of freedom nu to a model's parameters: nu in [2.05, 500]
% (the distribution has a variance only above 2), scale 10, start 8.
spec.names{end + 1, 1} = 'nu';
spec.lower(end + 1, 1) = 2.05;
spec.upper(end + 1, 1) = 500;
spec.A(:, end + 1) = 0;
spec.scale(end + 1, 1) = 10;
spec.scale_by_start(end + 1, 1) = false;
spec.grid(end + 1, :) = 8;
end
