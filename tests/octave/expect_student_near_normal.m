function expect_student_near_normal (nll_module, args, what)
  % expect_student_near_normal (nll_module, args, what)
  % Fails unless, for the normal call ARGS (distribution 0), the Student's t value and the
  % model parameters' gradient approach the normal ones as nu grows: the distance falls
  % about as 1/nu, by at least 20 times for each hundredfold nu (100 times once 1/nu
  % dominates), to below 1e-3 of the normal's at nu = 1e6.
  [normal, normal_gradient] = nll_module (args{:});
  k = numel (normal_gradient);
  student = args;
  student{end} = 1;
  previous = [Inf, Inf];
  for nu = [1e2, 1e4, 1e6]
    student{2} = [args{2}(1:k)(:); nu];
    [nll, gradient] = nll_module (student{:});
    distance = [abs(nll - normal) / abs(normal), ...
                max(abs (gradient(1:k) - normal_gradient)) / max(abs (normal_gradient))];
    if (! all (distance < previous / 20) || (nu == 1e6 && ! all (distance < 1e-3)))
      error ('%s: at nu = %g, nll and gradient %s from the normal, %s at the last nu', what, ...
             nu, mat2str (distance, 3), mat2str (previous, 3));
    end
    previous = distance;
  end
end
