function test_volfilter_estimate ()
  % Results of volfilter_estimate in the real host: a constant variance's closed form
  % (omega the mean square), a panel's columns the bits of each alone on two threads, the
  % status and detail of columns that are not fitted, outputs made only when requested.
  randn ('state', 4);
  e = 0.5 * randn (400, 1);
  fit = @(E, varargin) volfilter_estimate (0, E, 0, 0, 0, 2, 1, 0, 0, 1, [], [], [], 1000, ...
                                           varargin{:});
  [parameters, covariance, ~, ht, ~, summary] = fit (e, 1);
  n = numel (e);
  omega = mean (e .^ 2);
  if (abs (parameters - omega) > 1e-7 * omega
      || abs (sqrt (covariance) / (omega * sqrt (2 / n)) - 1) > 1e-5
      || summary(1) != 0 || summary(3) != 1 || ! all (abs (ht - parameters) <= 0))
    error ('constant variance: %g (mean square %g), status %d, converged %d', parameters, ...
           omega, summary(1), summary(3));
  end
  E = [e, e(end:-1:1), 2.5 * ones(n, 1), e];
  E(9, 4) = Inf;
  [P, C, R, HT, S, summary] = fit (E, 2);
  [p1, c1, r1, ht1, s1] = fit (E(:, 2), 1);
  if (! isequal (P(:, 2), p1) || ! isequal (C(:, 2), c1) || ! isequal (R(:, 2), r1)
      || ! isequal (HT(:, 2), ht1) || ! isequal (S(:, 2), s1))
    error ('column 2 of the panel differs from its fit alone');
  end
  if (! isequal (summary(1, :), [0, 0, 2, 1]) || summary(10, 3) != 2.5
      || ! isequal (summary(10:11, 4), [9; Inf]))
    error ('statuses %s, details %s', mat2str (summary(1, :)), mat2str (summary(10:11, :)));
  end
  fit (E, 2);
  if (! isequaln (ans, P))
    error ('no output requested: ans differs');
  end
  printf ('volfilter_estimate: a closed form, a panel on two threads, statuses\n');
end
