function test_fit_panel ()
  % test_fit_panel ()
  % A panel, one series a column, fitted in one call of the compiled fit (or, in a build
  % without it, by the fallback optimiser): each column's result is the bits of fitting that
  % column alone, on 1, 2 and 3 threads and on more threads than columns; columns that cannot
  % be fitted (NaN, Inf, constant, a start outside their bounds) get their own message and NaN
  % results without stopping the others, and one warning counts them; the NLopt path in Octave
  % gives the same shape and messages as the compiled fit.
  require_likelihoods ();
  truths = {[0.02; 0.05; 0.10; 0.88], [0.05; 0.08; 0.02; 0.85], [0.01; 0.03; 0.12; 0.90]};
  T = 1000;
  E = zeros (T, 7);
  for j = 1:3
    E(:, j) = simulate_returns ('threshvol', truths{j}, T, 'seed', 40 + j);
  end
  E(:, 4) = E(:, 1);
  E(:, 5) = E(:, 2);
  E(17, 5) = NaN;
  E(:, 6) = 2.5;
  E(:, 7) = E(:, 3);
  E(T, 7) = -Inf;
  alone = cell (1, 4);
  for j = 1:4
    alone{j} = volfilter_fit ('threshvol', E(:, j));
  end
  expected = {'', '', '', '', 'not fitted (column 5): e must hold finite values; e(17) is NaN.', ...
              ['not fitted (column 6): e is constant (every value is 2.5): there is no ' ...
               'variance to model.'], ...
              'not fitted (column 7): e must hold finite values; e(1000) is -Inf.'};
  first = [];
  for threads = [1, 2, 3, 9]
    lastwarn ('');
    fits = volfilter_fit ('threshvol', E, 'threads', threads);
    [text, identifier] = lastwarn ();
    if (! isequal (size (fits), [7, 1]) || ! strcmp (identifier, 'volfilter:fit:notConverged')
        || isempty (strfind (text, '3 of 7 threshvol columns did not converge (columns 5, 6, 7)')))
      error ('%d threads: %d-by-%d results, warning %s "%s"', threads, size (fits), identifier, ...
             text);
    end
    if (isempty (first))
      first = fits;
    elseif (! isequaln (fits, first))
      error ('%d threads: results differ from those on 1 thread', threads);
    end
    for j = 1:4
      if (! isequal (fits(j), alone{j}))
        error ('%d threads: column %d differs from its fit alone', threads, j);
      end
    end
    for j = 5:7
      bad = fits(j);
      if (! strcmp (bad.message, expected{j}) || bad.converged || any (! isnan (bad.parameters))
          || ! all (isnan (bad.ht)) || ! isnan (bad.loglik) || ! isempty (bad.active_constraints))
        error ('%d threads, column %d: "%s", converged %d', threads, j, bad.message, bad.converged);
      end
    end
  end

  % The NLopt path in Octave: the same fields and messages, the same maxima.
  if (exist ('volfilter_estimate') == 3 && any (exist ('nlopt_optimize') == [2 3]))
    nlopt = volfilter_fit ('threshvol', E, 'optimizer', 'nlopt');
    if (! isequal (fieldnames (nlopt), fieldnames (first)) || ! isequal (size (nlopt), [7, 1])
        || ! isequal ({nlopt(5:7).message}, expected(5:7))
        || any (abs ([nlopt(1:4).loglik] - [first(1:4).loglik]) > 1e-9 * abs ([first(1:4).loglik])))
      error ('the NLopt path''s panel differs: %s', strjoin ({nlopt.message}, ' | '));
    end
  end

  % A start inside the bounds of one column and outside those of another, whose omega is
  % measured in its own units.
  start = alone{1}.parameters;
  scaled = volfilter_fit ('threshvol', [E(:, 1), 1e-3 * E(:, 1)], 'start', start);
  message = scaled(2).message;
  if (! scaled(1).converged
      || isempty (strfind (message, 'not fitted (column 2): start value omega')))
    error ('a start outside the second column''s bounds: "%s", "%s"', scaled(1).message, message);
  end
  printf ('fit panel (%s): %d columns on 1, 2, 3 and 9 threads, the bits of each fit alone\n', ...
          first(1).optimizer, columns (E));
end
