function r = simulate_panel (truth, T, seed)
  % r = simulate_panel (truth, T, seed)
  % GARCH(1,1) returns, one column per column of TRUTH ([omega; alpha; beta]), T rows, all
  % series a step at a time from the generator's state SEED; started at the unconditional
  % variance, the first 500 dropped.
  randn ('state', seed);
  burn = 500;
  count = columns (truth);
  z = randn (T + burn, count);
  r = zeros (T + burn, count);
  h = truth(1, :) ./ (1 - truth(2, :) - truth(3, :));
  for t = 1:T + burn
    r(t, :) = sqrt (h) .* z(t, :);
    h = truth(1, :) + truth(2, :) .* r(t, :) .^ 2 + truth(3, :) .* h;
  end
  r = r(burn + 1:end, :);
end
