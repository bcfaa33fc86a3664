function e = hostile_series (T, seed)
  % e = hostile_series (T, seed)
  % A GARCH(1,1) series of T values, unconditional variance 1, from a fixed seed: the data
  % of the battery's fits.
  state = randn ('state');
  randn ('state', seed);
  z = randn (T, 1);
  randn ('state', state);
  e = zeros (T, 1);
  h = 1;
  for i = 1:T
    e(i) = sqrt (h) * z(i);
    h = 0.05 + 0.1 * e(i) ^ 2 + 0.85 * h;
  end
end
