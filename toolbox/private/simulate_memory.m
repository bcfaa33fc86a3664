function simulate_memory (doubles, what, advice, identifier, caller)
% simulate_memory (doubles, what, advice, identifier, caller)
% Refuses with IDENTIFIER ':tooLarge' a call whose arrays hold DOUBLES doubles at once at
% their peak when this process cannot allocate that many bytes (available_bytes), before
% any of them is made, so that the host's out-of-memory error (or its end) never comes.
% WHAT names the arrays and ADVICE says what to change, in CALLER's message. The system is
% not asked for up to 16 MB, which any host has to spare, so that small calls stay quick.
bytes = 8 * doubles;
if bytes <= 2^24
  return;
end
free = available_bytes ();
if bytes > free
  error ([identifier ':tooLarge'], ['%s: %s need %s of memory at once, and this process ' ...
                                    'can allocate %s: %s.'], caller, what, amount (bytes), ...
         amount (free), advice);
end
end

function text = amount (bytes)
% BYTES in the unit that shows it best.
units = {'bytes', 'kB', 'MB', 'GB', 'TB', 'PB', 'EB'};
power = min (floor (log10 (max (bytes, 1)) / 3), numel (units) - 1);
text = sprintf ('%.3g %s', bytes / 1000 ^ power, units{power + 1});
end
