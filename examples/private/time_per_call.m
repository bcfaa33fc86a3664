function seconds = time_per_call (call, budget)
  % seconds = time_per_call (call, budget)
  % Mean time of one call of the handle CALL, repeated for about BUDGET seconds after one
  % warm-up call.
  call ();
  calls = 0;
  started = tic ();
  elapsed = 0;
  while (elapsed < budget)
    call ();
    calls = calls + 1;
    elapsed = toc (started);
  end
  seconds = elapsed / calls;
end
