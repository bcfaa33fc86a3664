% DEMO_THRESHVOL  Filters a simulated return series with threshvol_filter and compares it
% with the same recursion written in Octave's language.
%
% Threshold GARCH(1,1,1) in variance form (power 2):
%   h(t) = omega + alpha*r(t-1)^2 + gamma*r(t-1)^2*[r(t-1) < 0] + beta*h(t-1)

T = 5000;
omega = 0.05; alpha = 0.05; gamma = 0.08; beta = 0.88;
rand ('seed', 1); randn ('seed', 1);

% Simulate returns from the model.
r = zeros (T, 1);
h = omega / (1 - alpha - gamma / 2 - beta);
for t = 1:T
  r(t) = sqrt (h) * randn ();
  h = omega + alpha * r(t)^2 + gamma * r(t)^2 * (r(t) < 0) + beta * h;
end

data = r .^ 2;
asym_data = r .^ 2 .* (r < 0);
params = [omega; alpha; gamma; beta];
backcast = mean (data);

reps = 200;
tic;
for k = 1:reps
  ht = threshvol_filter (data, asym_data, params, backcast, 1, 1, 1, 1, T, 2);
end
module_time = toc / reps;

reps_loop = 5;
tic;
for k = 1:reps_loop
  hl = zeros (T, 1);
  hl(1) = backcast;
  for t = 2:T
    hl(t) = params(1) + data(t-1) * params(2) + asym_data(t-1) * params(3) + hl(t-1) * params(4);
  end
end
loop_time = toc / reps_loop;

printf ('Threshold GARCH(1,1,1), T = %d, parameters %s\n\n', T, mat2str (params'));
printf ('%6s %22s %22s\n', 't', 'threshvol_filter', 'Octave loop');
for t = [1 2 3 4 5 T-1 T]
  printf ('%6d %22.17g %22.17g\n', t, ht(t), hl(t));
end
printf ('\nidentical to the last bit: %s\n', mat2str (isequal (ht, hl)));
printf ('time per call: module %.1f us, Octave loop %.1f us (%.0fx)\n', ...
        1e6 * module_time, 1e6 * loop_time, loop_time / module_time);
