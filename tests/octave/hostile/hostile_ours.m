function verdict = hostile_ours (served, err, prefix)
  % verdict = hostile_ours (served, err, prefix)
  % The verdict (see hostile_cases) on a call that may be served or refused: a refusal must
  % carry an identifier that begins with PREFIX (for example 'volfilter:forecast:') and a
  % message that begins with the function's name (volfilter_forecast: ...) and ends in a
  % full stop, never be one of the host's errors.
  verdict = 'ok';
  name = [strrep(prefix(1:end-1), ':', '_') ': '];
  if (! served && (! strncmp (err.identifier, prefix, numel (prefix)) ...
                   || ! strncmp (err.message, name, numel (name)) || err.message(end) != '.'))
    identifier = err.identifier;
    if (isempty (identifier))
      identifier = 'no identifier';
    end
    verdict = sprintf ('refused with %s "%s", expected %s* "%s... ."', identifier, ...
                       err.message, prefix, name);
  end
end
