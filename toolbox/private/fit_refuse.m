function fit_refuse (kind, varargin)
% fit_refuse (kind, ...)
% Refuses the call with the identifier and words of fit_error_text.
[identifier, text] = fit_error_text (kind, varargin{:});
error (identifier, 'volfilter_fit: %s', text);
end
