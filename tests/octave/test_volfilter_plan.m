function test_volfilter_plan ()
  % Results of volfilter_plan in the real host: each model's names and bounds read back as a
  % user reads them, the pre-sample value by each rule, the nonlinear constraint and the
  % active ones at given parameters, scalars of other classes read by value.
  e = [1; -1; 2; -2; 0.5; -0.5];
  level = mean (e .^ 2);
  plan = @(model, p, o, q, type, varargin) volfilter_plan (model, e, p, o, q, type, 1, 0, ...
                                                           max ([p, o, q]), varargin{:});
  [names, bounds, linear, starts, presample, constraint_names] = plan (0, 1, 1, 1, 2, 1, [], ...
                                                                      [], []);
  expect_equal (cellstr (char (names)), {'omega'; 'alpha1'; 'gamma1'; 'beta1'}, 'names');
  expect_equal (bounds(1, :), [1e-8 * level, 10 * level, level, 1], 'omega''s bounds');
  expect_equal (linear, [0, 1, 0.5, 1, 1 - 1e-6; 0, -1, -1, 0, 0], 'linear constraints');
  expect_equal (starts(:, 1), [level * 0.15; 0.03; 0.03; 0.805], 'first candidate');
  expect_equal (presample([1, 3, 4, 6]), [level, level, 40, level], 'the mean rule');
  names = cellstr (char (constraint_names));
  expect_equal (names([1, 5, 9, 10]), {'omega >= 1e-8 level'; 'omega <= 10 level'; ...
                                       'stationarity'; 'alpha1 + gamma1 >= 0'}, 'constraint names');
  % The value rule in logvol's units, a log variance, and its ceiling given.
  [~, ~, ~, ~, presample] = plan (int8 (1), 1, 0, 1, 2, 2, -0.5, 7, []);
  expect_equal (presample(1:2), [-0.5, 7], 'logvol''s backcast and ceiling given');
  expect_equal (presample(6), exp (-0.5), 'as a variance');
  % The scaled shift's nonlinear condition and what is active at the parameters.
  theta = [0.1; 0.1; 1; 0.8 - 1e-6];
  [~, ~, ~, ~, ~, constraint_names, nonlinear, active] = plan (2, 1, 0, 1, 0, 0, [], [], theta);
  expect_equal (nonlinear, [2 * 0.1 + theta(4) - (1 - 1e-6), 0, 2, 0.2, 1], 'nonlinear');
  names = cellstr (char (constraint_names));
  expect_equal (names(active ~= 0), {'stationarity'}, 'active at the parameters');
  % No output requested: the names arrive in ans.
  plan (0, 1, 0, 1, true, 0, [], [], []);
  expect_equal (size (ans), [3, 6], 'ans');
  printf ('volfilter_plan: names, bounds, pre-sample values, nonlinear and active constraints\n');
end

function expect_equal (actual, expected, what)
  % Cells alike, numbers within 1e-15 of the expected (or of 1 for small ones).
  if (iscell (expected))
    same = isequal (actual, expected);
  else
    same = isequal (size (actual), size (expected)) ...
           && all (abs (actual(:) - expected(:)) <= 1e-15 * max (1, abs (expected(:))));
  end
  if (! same)
    error ('%s: got %s, expected %s', what, disp (actual), disp (expected));
  end
end
