function text = fit_description (fit)
% text = fit_description (fit)
% The model of a fit in one line, as a user names it: the model, its orders, its type and
% its distribution, for example 'threshvol, p = 1, o = 0, q = 1, variance form, normal', then
% its mean where it has one: 'mean constant + ar(1, 4) + x(2) + ma(1)' (x: the number of
% regressors). Fields a fit lacks are left out.
model = summary_field (fit, 'model', '');
parts = {model};
orders = {'p', 'q'};
if any (strcmp (model, {'threshvol', 'logvol'}))
  orders = {'p', 'o', 'q'};
end
for i = 1:numel (orders)
  value = summary_field (fit, orders{i}, []);
  if isnumeric (value) && isscalar (value)
    parts{end + 1} = sprintf ('%s = %d', orders{i}, value); %#ok<AGROW>
  end
end
type = summary_field (fit, 'type', []);
if isnumeric (type) && isscalar (type)
  if strcmp (model, 'shiftvol')
    forms = {'shift scaled by the standard deviation', 'constant shift'};
    parts{end + 1} = forms{(type == 1) + 1};
  else
    forms = {'standard-deviation form', 'variance form'};
    parts{end + 1} = forms{(type == 2) + 1};
  end
end
constant = summary_field (fit, 'constant', []);
if strcmp (model, 'intvol') && isscalar (constant) && ~constant
  parts{end + 1} = 'no constant';
end
distribution = summary_field (fit, 'distribution', '');
if strcmp (distribution, 't')
  parts{end + 1} = 'Student''s t';
elseif ischar (distribution) && ~isempty (distribution)
  parts{end + 1} = distribution;
end
terms = {};
if strcmp (summary_field (fit, 'mean', ''), 'constant')
  terms{end + 1} = 'constant';
end
for family = {'ar', 'x', 'ma'}
  value = summary_field (fit, family{1}, []);
  if strcmp (family{1}, 'x') && ~isempty (value)
    terms{end + 1} = sprintf ('x(%d)', columns (value)); %#ok<AGROW>
  elseif isnumeric (value) && ~isempty (value)
    terms{end + 1} = sprintf ('%s(%s)', family{1}, strjoin (arrayfun (@num2str, value(:)', ...
                                                   'UniformOutput', false), ', ')); %#ok<AGROW>
  end
end
if ~isempty (terms)
  parts{end + 1} = ['mean ' strjoin(terms, ' + ')];
end
parts = parts(~cellfun ('isempty', parts));
text = strjoin (parts, ', ');
end
