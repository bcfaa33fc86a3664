function text = nlopt_message (code)
% text = nlopt_message (code)
% NLopt's name of each return code and its own words for it (help nlopt_optimize).
switch code
  case 1
    text = 'NLOPT_SUCCESS: generic success';
  case 2
    text = 'NLOPT_STOPVAL_REACHED: stopval reached';
  case 3
    text = 'NLOPT_FTOL_REACHED: ftol reached';
  case 4
    text = 'NLOPT_XTOL_REACHED: xtol reached';
  case 5
    text = 'NLOPT_MAXEVAL_REACHED: maxeval reached';
  case 6
    text = 'NLOPT_MAXTIME_REACHED: maxtime reached';
  case -1
    text = 'NLOPT_FAILURE: generic failure';
  case -2
    text = 'NLOPT_INVALID_ARGS: invalid arguments';
  case -3
    text = 'NLOPT_OUT_OF_MEMORY: out of memory';
  case -4
    text = 'NLOPT_ROUNDOFF_LIMITED: roundoff-limited';
  case -5
    text = 'NLOPT_FORCED_STOP: forced stop';
  otherwise
    text = sprintf ('NLopt return code %d', code);
end
end
