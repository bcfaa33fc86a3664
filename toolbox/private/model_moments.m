function moments = model_moments (fit)
% moments = model_moments (fit)
% The moments of a fitted variance model that its forecasts and summaries need. FIT is a
% volfilter_fit result (one, or a struct array: the result is then a struct array of the
% same size), or any struct with its fields model, parameters, p, o, q, type, distribution
% and, for intvol, constant; a mean model's parameters before the variance model's are
% passed over. Refused with volfilter:moments:badFit when FIT is not such a struct. (A
% model that simulate_model has checked is taken as it is.)
%
% Fields of the result:
%   persistence      sum(phi) below: how much of a deviation of the expected variance (the
%                    log variance for logvol, the expected standard deviation for the forms
%                    of power 1) from its long-run level survives a step. Stationary (the
%                    recursion of expectations converges) when every root of
%                    x^L - phi(1) x^(L-1) - ... - phi(L) lies inside the unit circle; for
%                    coefficients that are not negative, when persistence < 1 (beyond 2000
%                    lags of mixed signs, only when sum(abs(phi)) < 1).
%   half_life        log(0.5) / log(persistence): the steps a deviation takes to halve at
%                    that rate (for orders above 1 the decay is not exactly geometric). Inf
%                    when persistence >= 1, NaN when persistence <= 0.
%   unconditional_variance  the long-run variance E[h] where the model gives it in closed
%                    form and is stationary: constant / (1 - persistence) for threshvol and
%                    intvol of power 2 and both shiftvol forms; NaN otherwise (power 1,
%                    logvol, intvol of power 2, which is integrated, a model that is not
%                    stationary).
%   unconditional_level  the long-run level in the recursion's own units, where stationary:
%                    the variance (power 2, shiftvol), the expected standard deviation E[s]
%                    (power 1), the expected log variance E[log h] (logvol, whose bounds are
%                    left aside); NaN otherwise.
%   analytic         true where multi-step variance forecasts have a closed form (threshvol
%                    and intvol of power 2, shiftvol of either form): the recursion of
%                    expectations E[h(u)] = constant + sum_l phi(l) E[h(u-l)] once every lag
%                    lies beyond the forecast origin.
%   constant, phi    that recursion's constant and lag coefficients (a row; for power 1
%                    and logvol the same in the recursion's own units).
%   terms            the recursion by its families, from which constant and phi are made:
%                    constant (the model's own), data, asymmetric and own (rows of the lag
%                    coefficients of the data, the asymmetric data and the recursion's own
%                    values; intvol's implied last one included), and the expectation of
%                    the data one step past the information per unit of the expected
%                    recursion value: data_scale * value + data_shift, asymmetric_scale *
%                    value. Then phi = data_scale * data + asymmetric_scale * asymmetric +
%                    own, lag by lag, and constant = terms.constant + data_shift * sum (data).
%   abs_mean         E|z| under the fitted distribution: sqrt(2/pi) for the normal,
%                    sqrt(nu-2) Gamma((nu-1)/2) / (sqrt(pi) Gamma(nu/2)) for Student's t
%                    scaled to unit variance.
%   negative_square  E[z^2 (z < 0)], the expected asymmetric term of power 2 per unit of
%                    variance: 1/2 for both distributions, which are symmetric.
%   negative_abs     E[|z| (z < 0)], the same of power 1: abs_mean / 2.
%
% In each model (see its filter's help) the expectation of the data one step past the
% information is, per unit of the expected variance h: threshvol E[e^2] = h,
% E[e^2 (e < 0)] = negative_square * h (power 1: E|e| = abs_mean * s); shiftvol
% E[(e - gamma)^2] = h + gamma^2, E[(e - gamma sqrt(h))^2] = (1 + gamma^2) h; intvol
% E[e^2] = h; logvol E[|z| - 0.797884560802865] = abs_mean - 0.797884560802865 and
% E[z] = 0.
if numel (fit) ~= 1 && isstruct (fit)
  moments = arrayfun (@model_moments, fit);
  return;
end
if isstruct (fit) && isfield (fit, 'checked')
  spec = fit;
else
  spec = simulate_model (fit, 'volfilter:moments', 'model_moments');
end
moments = spec_moments (spec);
end

function moments = spec_moments (spec)
% The moments of a checked model (simulate_model).
if strcmp (spec.distribution, 't')
  nu = spec.nu;
  abs_mean = sqrt (nu - 2) * exp (gammaln ((nu - 1) / 2) - gammaln (nu / 2)) / sqrt (pi);
else
  abs_mean = sqrt (2 / pi);
end
negative_square = 0.5;
negative_abs = abs_mean / 2;

terms = recursion_terms (spec, abs_mean, negative_square, negative_abs);
L = max ([numel(terms.data), numel(terms.asymmetric), numel(terms.own), 1]);
phi = zeros (1, L);
phi(1:numel (terms.data)) = terms.data_scale * terms.data;
phi(1:numel (terms.asymmetric)) = phi(1:numel (terms.asymmetric)) ...
                                  + terms.asymmetric_scale * terms.asymmetric;
phi(1:numel (terms.own)) = phi(1:numel (terms.own)) + terms.own;
phi = phi(1:find ([1, phi] ~= 0, 1, 'last') - 1);
constant = terms.constant + terms.data_shift * sum (terms.data);
power_one = spec.type == 1 && any (strcmp (spec.model, {'threshvol', 'intvol'}));

persistence = sum (phi);
integrated = strcmp (spec.model, 'intvol') && ~power_one;
stationary = ~integrated && roots_inside (phi);
level = NaN;
if stationary
  level = constant / (1 - persistence);
end
analytic = ~power_one && ~strcmp (spec.model, 'logvol');
variance = NaN;
if analytic
  variance = level;
end
if integrated || persistence >= 1
  half_life = Inf;
elseif persistence > 0
  half_life = log (0.5) / log (persistence);
else
  half_life = NaN;
end
moments = struct ('persistence', persistence, 'half_life', half_life, ...
                  'unconditional_variance', variance, 'unconditional_level', level, ...
                  'analytic', analytic, 'constant', constant, 'phi', phi, 'terms', terms, ...
                  'abs_mean', abs_mean, 'negative_square', negative_square, ...
                  'negative_abs', negative_abs);
end

function inside = roots_inside (phi)
% Whether every root of x^L - phi(1) x^(L-1) - ... - phi(L) lies inside the unit circle,
% without the eigenvalues of its companion matrix (minutes at a thousand lags): for
% coefficients that are not negative exactly when sum (phi) < 1; sum (abs (phi)) < 1 is
% enough and sum (phi) >= 1 rules it out (a real root at or beyond 1) for any; otherwise
% the step-down recursion of the polynomial's reflection coefficients k, all of them
% within (-1, 1) exactly when the roots are inside, in L steps of O(L). Beyond 2000 lags of
% mixed signs that is too long a computation, and the model is taken as not stationary.
if all (phi >= 0) || sum (phi) >= 1
  inside = sum (phi) < 1;
  return;
end
inside = sum (abs (phi)) < 1;
if inside || numel (phi) > 2000
  return;
end
a = [1, -phi];
for m = numel (phi):-1:1
  k = a(m + 1);
  if ~(abs (k) < 1)
    return;
  end
  a = (a(1:m) - k * a(m + 1:-1:2)) / (1 - k * k);
end
inside = true;
end

function terms = recursion_terms (spec, abs_mean, negative_square, negative_abs)
% The model's recursion by its families, in the recursion's own units, and the expectation
% of each family's data per unit of the expected recursion value (see the help above).
theta = spec.theta;
p = spec.p;
o = spec.o;
q = spec.q;
power_one = spec.type == 1;
terms = struct ('constant', theta(1), 'data', zeros (1, 0), 'asymmetric', zeros (1, 0), ...
                'own', zeros (1, 0), 'data_scale', 1, 'data_shift', 0, 'asymmetric_scale', 0);
switch spec.model
  case 'threshvol'
    terms.data = theta(2:1 + p)';
    terms.asymmetric = theta(2 + p:1 + p + o)';
    terms.own = theta(2 + p + o:1 + p + o + q)';
    terms.asymmetric_scale = negative_square;
    if power_one
      terms.data_scale = abs_mean;
      terms.asymmetric_scale = negative_abs;
    end
  case 'logvol'
    % The centred magnitudes |z| - 0.797884560802865 and the standardised residuals z: their
    % expectations do not depend on the level.
    terms.data = theta(2:1 + p)';
    terms.asymmetric = theta(2 + p:1 + p + o)';
    terms.own = theta(2 + p + o:1 + p + o + q)';
    terms.data_scale = 0;
    terms.data_shift = abs_mean - 0.797884560802865;
  case 'shiftvol'
    terms.data = theta(2:1 + p)';
    gamma = theta(2 + p);
    terms.own = theta(3 + p:2 + p + q)';
    if spec.type == 1
      terms.data_shift = gamma ^ 2;
    else
      terms.data_scale = 1 + gamma ^ 2;
    end
  otherwise
    f = spec.has_constant;
    if f == 0
      terms.constant = 0;
    end
    terms.data = theta(f + 1:f + p)';
    own = theta(f + p + 1:f + p + q - 1)';
    terms.own = [own, 1 - sum([terms.data, own])];
    if power_one
      terms.data_scale = abs_mean;
    end
end
end
