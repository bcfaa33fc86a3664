function r = simulate_returns (model, parameters, T, varargin)
% r = simulate_returns (model, parameters, T, name, value, ...)
% Simulates T returns r(t) = sqrt(h(t)) * z(t) of a variance model with the parameters
% in volfilter_fit's order (see help volfilter_fit), the innovations z(t) standard normal
% or Student's t scaled to unit variance. The recursion is the one of the model's filter
% (help threshvol_filter, logvol_filter, shiftvol_filter, intvol_filter), started at the
% model's unconditional level; the first 500 returns are dropped so that the series has
% forgotten its start.
%
% Options: 'p', 'o', 'q', 'type', 'distribution' ('normal' or 't', nu last in parameters),
% 'constant' (intvol) as for volfilter_fit, with the same defaults, and 'seed' (default 1),
% the state of Octave's normal and gamma generators.
%
% Example, 2000 returns of a GARCH(1,1) and its fit:
%   r = simulate_returns ('threshvol', [0.05; 0.1; 0.85], 2000, 'o', 0);
%   fit = volfilter_fit ('threshvol', r, 'o', 0);
settings = struct ('p', 1, 'o', 1, 'q', 1, 'type', 2, 'distribution', 'normal', ...
                   'constant', true, 'seed', 1);
if any (strcmp (model, {'shiftvol', 'intvol'}))
  settings.o = 0;
end
if strcmp (model, 'shiftvol')
  settings.type = 1;
end
for i = 1:2:numel (varargin)
  settings.(lower (varargin{i})) = varargin{i + 1};
end
p = settings.p;
o = settings.o;
q = settings.q;
theta = parameters(:);

burn = 500;
total = T + burn;
randn ('state', settings.seed);
z = randn (total, 1);
if strcmp (settings.distribution, 't')
  nu = theta(end);
  randg ('state', settings.seed);
  chi2 = 2 * randg (nu / 2, total, 1);
  z = z ./ sqrt (chi2 / nu) * sqrt ((nu - 2) / nu);
end

lags = max ([p, o, q, 1]);
r = zeros (total + lags, 1);
h = ones (total + lags, 1);
switch model
  case 'threshvol'
    [omega, alpha, gamma, beta] = blocks (theta, [1, p, o, q]);
    s = ones (total + lags, 1) * omega / (1 - sum (alpha) - sum (gamma) / 2 - sum (beta));
    data = s;
    if settings.type == 1
      data = s * sqrt (2 / pi);
    end
    asym = data / 2;
    for t = lags + 1:total + lags
      s(t) = omega + alpha' * data(t - (1:p)) + gamma' * asym(t - (1:o)) ...
             + beta' * s(t - (1:q));
      h(t) = s(t) ^ (1 + (settings.type == 1));
      r(t) = sqrt (h(t)) * z(t - lags);
      data(t) = abs (r(t)) ^ (1 + (settings.type ~= 1));
      asym(t) = data(t) * (r(t) < 0);
    end
  case 'logvol'
    [omega, alpha, gamma, beta] = blocks (theta, [1, p, o, q]);
    log_h = ones (total + lags, 1) * omega / (1 - sum (beta));
    std_r = zeros (total + lags, 1);
    for t = lags + 1:total + lags
      log_h(t) = omega + alpha' * (abs (std_r(t - (1:p))) - sqrt (2 / pi)) ...
                 + gamma' * std_r(t - (1:o)) + beta' * log_h(t - (1:q));
      std_r(t) = z(t - lags);
      r(t) = exp (log_h(t) / 2) * std_r(t);
    end
  case 'shiftvol'
    [omega, alpha, gamma, beta] = blocks (theta, [1, p, 1, q]);
    h(:) = omega / (1 - sum (alpha) - sum (beta));
    shifted = h + gamma ^ 2;
    for t = lags + 1:total + lags
      h(t) = omega + alpha' * shifted(t - (1:p)) + beta' * h(t - (1:q));
      r(t) = sqrt (h(t)) * z(t - lags);
      if settings.type == 1
        shifted(t) = (r(t) - gamma) ^ 2;
      else
        shifted(t) = (r(t) - gamma * sqrt (h(t))) ^ 2;
      end
    end
  case 'intvol'
    constant = double (logical (settings.constant));
    [omega, alpha, beta] = blocks ([zeros(1 - constant, 1); theta], [1, p, q - 1]);
    beta(q) = 1 - sum (alpha) - sum (beta);
    s = ones (total + lags, 1);
    data = s;
    for t = lags + 1:total + lags
      s(t) = omega + alpha' * data(t - (1:p)) + beta' * s(t - (1:q));
      h(t) = s(t) ^ (1 + (settings.type == 1));
      r(t) = sqrt (h(t)) * z(t - lags);
      data(t) = abs (r(t)) ^ (1 + (settings.type ~= 1));
    end
  otherwise
    error ('simulate_returns: no model %s', model);
end
r = r(lags + burn + 1:end);
end

function varargout = blocks (theta, sizes)
% The parameter vector cut into consecutive blocks of the given sizes, each a column.
ends = cumsum (sizes);
for i = 1:numel (sizes)
  varargout{i} = theta(ends(i) - sizes(i) + 1:ends(i)); %#ok<AGROW>
end
end
