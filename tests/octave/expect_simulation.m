function expect_simulation (simulate, filter_of, args, m, what)
  % expect_simulation (simulate, filter_of, args, m, what)
  % The paths of SIMULATE (z, history, ARGS{:}) against the model's filter: FILTER_OF (x)
  % gives the filter's variances of the residual series x (its data formed from x), M the
  % pre-sample rows of the history. With a history every path continues and with one a
  % path: each path's ht is the filter's on [history; e] after the history, bit for bit;
  % e is sqrt (ht) .* z bit for bit; a path simulated alone has the bits it has among 36
  % others; the first row is the filter's next value after the history.
  R = 30;
  T = 41;
  N = 37;
  randn ('state', numel (what));
  history = randn (R, 1);
  own = history .* (0.5 + (0:N-1) / N);
  z = randn (T, N);
  [e, ht] = simulate (z, history, args{:});
  [e_own, ht_own] = simulate (z, own, args{:});
  for j = [1, 2, 16, 17, 33, N]
    h = filter_of ([history; e(:, j)]);
    expect_bits (ht(:, j), h(R+1:end), sprintf ('%s: path %d', what, j));
    h = filter_of ([own(:, j); e_own(:, j)]);
    expect_bits (ht_own(:, j), h(R+1:end), sprintf ('%s: path %d, own history', what, j));
  end
  expect_bits (e, sqrt (ht) .* z, [what ': e = sqrt (ht) .* z']);
  [e5, ht5] = simulate (z(:, 5), history, args{:});
  expect_bits ([e5, ht5], [e(:, 5), ht(:, 5)], [what ': path 5 alone']);
  next = filter_of ([history; 0]);
  expect_bits (ht(1, :), repmat (next(end), 1, N), [what ': first step']);
  if (m > R)
    error ('%s: m past the history', what);
  end
end
