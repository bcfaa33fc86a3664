function seconds = median_seconds (f, repetitions, outputs)
  % seconds = median_seconds (f, repetitions, outputs)
  % The median time of REPETITIONS calls of F after a first one, each asking for OUTPUTS
  % outputs (default 0: F's own count when called as a statement).
  if (nargin < 3)
    outputs = 0;
  end
  out = cell (1, outputs);
  [out{:}] = f ();
  times = zeros (repetitions, 1);
  for i = 1:repetitions
    started = tic ();
    [out{:}] = f ();
    times(i) = toc (started);
  end
  seconds = median (times);
end
