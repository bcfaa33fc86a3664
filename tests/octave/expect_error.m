function expect_error (call, ending)
  % EXPECT_ERROR  Fails unless CALL raises an error whose message ends with ENDING.
  % The host puts the module name in front of the message, so only the end is compared.
  try
    call ();
  catch err
    if (numel (err.message) < numel (ending) || ! strcmp (err.message(end-numel (ending)+1:end), ending))
      error ('expected an error ending in "%s", got "%s"', ending, err.message);
    end
    return;
  end
  error ('expected an error ending in "%s", the call succeeded', ending);
end
