function h = volfilter_plot (fit, varargin)
% h = volfilter_plot (fit, name, value)
% One figure of a fit of volfilter_fit, in four panels: the returns with plus and minus
% two conditional standard deviations; the conditional volatility sqrt(ht); a
% quantile-quantile plot of the standardised residuals against the fitted distribution
% (normal, or Student's t with the fitted nu scaled to unit variance), with the line on
% which they would lie; and the autocorrelations of the squared standardised residuals at
% lags 1 to 20 with the bands +-1.96/sqrt(n) within which those of independent residuals
% fall 95 times in 100 (from fit.diagnostics where the fit carries them, else computed from
% its standardised residuals). The residuals are those of the n modelled observations.
%
% Options:
%   'file'   the name of a PNG file to write the figure to, without showing it, so that
%            it works on a machine without a display. In Octave the figure is drawn by
%            the gnuplot toolkit there (Debian: gnuplot-nox, fonts-freefont-otf and
%            ghostscript) and by the default toolkit where there is a display.
%
% h is the figure's handle. With 'file' the figure is invisible and is closed once
% written, unless h is requested.
%
% Errors: volfilter:plot:notFit (not a single fit with conditional variances and
% standardised residuals; a panel is plotted a series at a time, fit(j)),
% volfilter:plot:badOption, volfilter:plot:noDisplay (no display to show the figure on
% and no 'file'), volfilter:plot:noGraphics (no graphics toolkit that can write the
% file), volfilter:plot:writeFailed (the file could not be written).
%
% Example:
%   fit = volfilter_fit ('threshvol', e, 'o', 0);
%   volfilter_plot (fit)                        % on the screen
%   volfilter_plot (fit, 'file', 'fit.png')     % to a file, headless
%
% See also volfilter_fit, volfilter_summary.

[z, ht, m] = plot_data (fit);
file = plot_file (varargin);
is_octave = exist ('OCTAVE_VERSION', 'builtin') ~= 0;
if isempty (file) && is_octave && ~has_display ()
  error ('volfilter:plot:noDisplay', ...
         ['volfilter_plot: there is no display to show the figure on; write it to a file ' ...
          'instead: volfilter_plot (fit, ''file'', ''fit.png'').']);
end

if isempty (file)
  figure_handle = figure ();
else
  figure_handle = hidden_figure (is_octave);
end
try
  draw (figure_handle, fit, z, ht, m);
  if ~isempty (file)
    write_png (figure_handle, file);
  end
catch failure
  if ~isempty (file)
    close (figure_handle);
  end
  rethrow (failure);
end
if ~isempty (file) && nargout == 0
  close (figure_handle);
end
if nargout > 0
  h = figure_handle;
end
end

function write_png (handle, file)
% The figure as a PNG of 1000 by 750 pixels, refused (volfilter:plot:writeFailed) with the
% reason when it cannot be written.
try
  print (handle, '-dpng', '-r100', file);
catch failure
  error ('volfilter:plot:writeFailed', 'volfilter_plot: could not write %s: %s', file, ...
         failure.message);
end
if ~exist (file, 'file')
  error ('volfilter:plot:writeFailed', 'volfilter_plot: %s was not written.', file);
end
end

function [z, ht, m] = plot_data (fit)
% The standardised residuals and conditional variances of FIT, refused unless it is a
% single fit that has them.
if ~isstruct (fit) || numel (fit) ~= 1
  if isstruct (fit) && numel (fit) > 1
    error ('volfilter:plot:notFit', ...
           ['volfilter_plot: fit is a panel of %d series; plot one series at a time, ' ...
            'volfilter_plot (fit(j)).'], numel (fit));
  end
  error ('volfilter:plot:notFit', 'volfilter_plot: fit must be a result of volfilter_fit.');
end
z = summary_field (fit, 'std_residuals', []);
ht = summary_field (fit, 'ht', []);
m = summary_field (fit, 'm', 0);
if ~isnumeric (z) || ~isnumeric (ht) || ~isvector (z) || numel (z) ~= numel (ht) ...
   || numel (z) < 2 || ~isreal (z) || ~isreal (ht) || ~isnumeric (m) || ~isscalar (m) ...
   || ~(m >= 0 && m < numel (z) - 1)
  error ('volfilter:plot:notFit', ...
         ['volfilter_plot: fit must be a result of volfilter_fit, with conditional ' ...
          'variances ht and standardised residuals std_residuals of the same length.']);
end
z = double (z(:));
ht = double (ht(:));
if ~all (isfinite (z(m + 1:end))) || ~all (ht > 0 & isfinite (ht))
  error ('volfilter:plot:notFit', ...
         ['volfilter_plot: the fit has no finite standardised residuals to plot (a series ' ...
          'that could not be fitted?).']);
end
end

function file = plot_file (arguments)
% The 'file' option, checked: a file name ending in .png.
file = '';
if mod (numel (arguments), 2) ~= 0
  error ('volfilter:plot:badOption', ...
         'volfilter_plot: options come in pairs of a name and a value.');
end
for i = 1:2:numel (arguments)
  if ~ischar (arguments{i}) || ~strcmpi (arguments{i}, 'file')
    error ('volfilter:plot:badOption', 'volfilter_plot: the only option is ''file''.');
  end
  file = arguments{i + 1};
  if ~ischar (file) || size (file, 1) ~= 1 || numel (file) < 5 ...
     || ~strcmpi (file(end - 3:end), '.png')
    error ('volfilter:plot:badOption', ...
           'volfilter_plot: ''file'' must be the name of a .png file, such as ''fit.png''.');
  end
end
end

function handle = hidden_figure (is_octave)
% An invisible figure drawn by a toolkit that can print it without showing it: in Octave
% the Qt toolkit of a session with a display, otherwise gnuplot (whose notice that it is
% not maintained is silenced for this figure), otherwise the default one where there is a
% display to fall back on.
if ~is_octave
  handle = figure ('Visible', 'off');
  return;
end
toolkit = graphics_toolkit ();
if ~(strcmp (toolkit, 'qt') && has_display ())
  if any (strcmp ('gnuplot', available_graphics_toolkits ()))
    toolkit = 'gnuplot';
  elseif ~has_display ()
    error ('volfilter:plot:noGraphics', ...
           ['volfilter_plot: no graphics toolkit can write the figure without a display; ' ...
            'install gnuplot (Debian: gnuplot-nox, fonts-freefont-otf, ghostscript).']);
  end
end
state = warning ('off', 'Octave:gnuplot-graphics');
handle = figure ('visible', 'off');
graphics_toolkit (handle, toolkit);
warning (state);
end

function shown = has_display ()
% Whether Octave can show a figure here: always on Windows and macOS, elsewhere when an X
% or Wayland display is set.
shown = ispc () || ismac () || ~isempty (getenv ('DISPLAY')) ...
        || ~isempty (getenv ('WAYLAND_DISPLAY'));
end

function draw (handle, fit, z, ht, m)
rows = (m + 1:numel (z))';
n = numel (rows);
deviation = sqrt (ht);
returns = z .* deviation;
set (handle, 'Position', [100, 100, 1000, 750], 'PaperUnits', 'inches', ...
     'PaperPosition', [0, 0, 10, 7.5], 'Name', fit_description (fit));
grey = [0.55, 0.55, 0.55];
red = [0.8, 0.1, 0.1];
blue = [0.1, 0.3, 0.7];

subplot (2, 2, 1, 'Parent', handle);
plot (rows, returns(rows), 'Color', grey);
hold on;
plot (rows, 2 * deviation(rows), 'Color', red);
plot (rows, -2 * deviation(rows), 'Color', red);
hold off;
axis tight;
title ('returns and \pm2 conditional standard deviations');
xlabel ('observation');

subplot (2, 2, 2, 'Parent', handle);
plot (rows, deviation(rows), 'Color', blue);
axis tight;
title ('conditional volatility, sqrt(h_t)');
xlabel ('observation');

subplot (2, 2, 3, 'Parent', handle);
[quantiles, label] = fitted_quantiles (fit, ((1:n)' - 0.5) / n);
sorted = sort (z(rows));
plot (quantiles, sorted, '.', 'Color', blue);
hold on;
ends = [min([quantiles; sorted]), max([quantiles; sorted])];
plot (ends, ends, 'Color', red);
hold off;
axis tight;
title (['standardised residuals against ' label]);
xlabel ([label ' quantile']);
ylabel ('residual quantile');

subplot (2, 2, 4, 'Parent', handle);
diagnostics = summary_field (fit, 'diagnostics', []);
if ~isstruct (diagnostics) || numel (diagnostics) ~= 1 || ~isfield (diagnostics, 'acf_squared') ...
   || ~isnumeric (diagnostics.acf_squared) || numel (diagnostics.acf_squared) ~= 20
  diagnostics = fit_diagnostics (z(rows), {});
end
acf = double (diagnostics.acf_squared(:));
lags = (1:numel (acf))';
band = 1.96 / sqrt (n);
bar (lags, acf, 0.4, 'FaceColor', blue, 'EdgeColor', blue);
hold on;
plot ([0.5, lags(end) + 0.5], [band, band], '--', 'Color', red);
plot ([0.5, lags(end) + 0.5], -[band, band], '--', 'Color', red);
hold off;
limit = max ([abs(acf); 2 * band]) * 1.15;
axis ([0.5, lags(end) + 0.5, -limit, limit]);
title ('autocorrelations of z^2, with \pm1.96/sqrt(n)');
xlabel ('lag');

% The model above the four panels.
axes ('Parent', handle, 'Position', [0, 0.96, 1, 0.04], 'Visible', 'off');
text (0.5, 0.5, fit_description (fit), 'HorizontalAlignment', 'center', ...
      'Interpreter', 'none', 'FontSize', 11);
end

function [quantiles, label] = fitted_quantiles (fit, probabilities)
% Quantiles of the fitted distribution of the standardised residuals: the standard normal,
% or Student's t with nu degrees of freedom scaled to unit variance. The t quantile comes
% from the inverse incomplete beta: for p < 1/2, t = -sqrt (nu (1/x - 1)) with
% x = betaincinv (2p, nu/2, 1/2).
names = summary_field (fit, 'names', {});
estimates = summary_field (fit, 'parameters', []);
nu_at = find (strcmp (names, 'nu'), 1);
nu = NaN;
if isnumeric (estimates) && isreal (estimates) && ~isempty (nu_at) && nu_at <= numel (estimates)
  nu = double (estimates(nu_at));
end
if strcmp (summary_field (fit, 'distribution', 'normal'), 't') && isfinite (nu) && nu > 2
  tail = min (probabilities, 1 - probabilities);
  x = betaincinv (2 * tail, nu / 2, 0.5);
  quantiles = sign (probabilities - 0.5) .* sqrt (nu * (1 ./ x - 1)) * sqrt ((nu - 2) / nu);
  label = sprintf ('Student''s t (nu = %.3g)', nu);
else
  quantiles = -sqrt (2) * erfcinv (2 * probabilities);
  label = 'normal';
end
end
