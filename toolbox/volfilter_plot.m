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
% file), volfilter:plot:writeFailed (the file could not be written; a missing folder is
% found before anything is drawn).
%
% A series of more points than the figure has pixels across is drawn by the least and
% largest value of each of 2000 runs of consecutive points, which looks the same, so that
% a fit of millions of observations plots in seconds.
%
% Example:
%   fit = volfilter_fit ('threshvol', e, 'o', 0);
%   volfilter_plot (fit)                        % on the screen
%   volfilter_plot (fit, 'file', 'fit.png')     % to a file, headless
%
% See also volfilter_fit, volfilter_summary.

if nargin < 1
  error ('volfilter:plot:notFit', 'volfilter_plot: a fit of volfilter_fit is required.');
end
[z, ht, m] = plot_data (fit);
file = plot_file (varargin);
% Everything drawn is formed before a figure is made, so that a fit of odd fields is
% refused or described without one.
picture = plot_picture (fit, z, ht, m);
is_octave = exist ('OCTAVE_VERSION', 'builtin') ~= 0;
if isempty (file) && is_octave && ~has_display ()
  error ('volfilter:plot:noDisplay', ...
         ['volfilter_plot: there is no display to show the figure on; write it to a file ' ...
          'instead: volfilter_plot (fit, ''file'', ''fit.png'').']);
end

if isempty (file)
  figure_handle = figure ();
else
  writable (file);
  figure_handle = hidden_figure (is_octave);
end
try
  draw (figure_handle, picture);
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
  reason = failure.message;
  if isempty (reason) || reason(end) ~= '.'
    reason = [reason '.'];
  end
  error ('volfilter:plot:writeFailed', 'volfilter_plot: could not write %s: %s', file, reason);
end
if ~exist (file, 'file')
  error ('volfilter:plot:writeFailed', 'volfilter_plot: %s was not written.', file);
end
end

function writable (file)
% Refused (volfilter:plot:writeFailed) before anything is drawn where FILE cannot be written:
% its folder is missing, it is a folder itself, or the system will not open it for writing
% (no permission, a name too long); a file made to find out is removed again.
folder = fileparts (file);
if ~isempty (folder) && ~isfolder (folder)
  error ('volfilter:plot:writeFailed', ...
         'volfilter_plot: could not write %s: the folder %s does not exist.', file, folder);
end
if isfolder (file)
  error ('volfilter:plot:writeFailed', 'volfilter_plot: could not write %s: it is a folder.', ...
         file);
end
existed = exist (file, 'file') == 2;
[handle, reason] = fopen (file, 'a');
if handle < 0
  error ('volfilter:plot:writeFailed', 'volfilter_plot: could not write %s: %s.', file, reason);
end
fclose (handle);
if ~existed
  delete (file);
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
   || numel (z) < 2 || ~isreal (z) || ~isreal (ht) || ~isnumeric (m) || ~isreal (m) ...
   || ~isscalar (m) || ~(m >= 0 && m < numel (z) - 1 && m == fix (m))
  error ('volfilter:plot:notFit', ...
         ['volfilter_plot: fit must be a result of volfilter_fit, with conditional ' ...
          'variances ht and standardised residuals std_residuals of the same length.']);
end
z = double (full (z(:)));
ht = double (full (ht(:)));
m = double (full (m));
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

function picture = plot_picture (fit, z, ht, m)
% What the four panels draw, formed from the fit. A line of more points than the figure
% has pixels across is drawn as the least and largest value of each of 2000 runs of
% consecutive points, in the order they come, and the quantile plot at 4000 ranks from
% the least to the largest, so that a sample of millions draws in the time of thousands
% and looks the same.
rows = (m + 1:numel (z))';
n = numel (rows);
deviation = sqrt (ht);
returns = z .* deviation;
picture.description = summary_description (fit);
[picture.returns_at, picture.returns] = thinned (rows, returns(rows));
[picture.band_at, picture.band] = thinned (rows, 2 * deviation(rows));
[picture.floor_at, picture.floor] = thinned (rows, -2 * deviation(rows));
[picture.deviation_at, picture.deviation] = thinned (rows, deviation(rows));
ranks = unique (round (linspace (1, n, min (n, 4000))))';
[picture.quantiles, picture.label] = fitted_quantiles (fit, (ranks - 0.5) / n);
sorted = sort (z(rows));
picture.sorted = sorted(ranks);
diagnostics = summary_field (fit, 'diagnostics', []);
if ~isstruct (diagnostics) || numel (diagnostics) ~= 1 || ~isfield (diagnostics, 'acf_squared') ...
   || ~isnumeric (diagnostics.acf_squared) || ~isreal (diagnostics.acf_squared) ...
   || numel (diagnostics.acf_squared) ~= 20
  diagnostics = fit_diagnostics (z(rows), {});
end
picture.acf = double (full (diagnostics.acf_squared(:)));
picture.band_width = 1.96 / sqrt (n);
% The host's axes need finite values whose spread a double holds.
for values = {[picture.returns; picture.band; picture.floor], picture.deviation, ...
              [picture.quantiles; picture.sorted]}
  if ~all (isfinite (values{1})) || ~isfinite (max (values{1}) - min (values{1}))
    error ('volfilter:plot:notFit', ...
           ['volfilter_plot: the fit''s returns, std_residuals .* sqrt (ht), or its ' ...
            'standardised residuals spread wider than a double holds: rescale the series.']);
  end
end
end

function [x, y] = thinned (x, y)
% The line (x, y) with at most 4000 points: beyond that, each of 2000 runs of consecutive
% points by its least and largest value, in the order they come.
n = numel (y);
if n <= 4000
  return;
end
width = ceil (n / 2000);
runs = ceil (n / width);
values = reshape ([y; NaN(width * runs - n, 1)], width, runs);
[~, least] = min (values, [], 1);
[~, largest] = max (values, [], 1);
index = sort ([least; largest], 1) + (0:runs - 1) * width;
x = x(index(:));
y = y(index(:));
end

function draw (handle, picture)
set (handle, 'Position', [100, 100, 1000, 750], 'PaperUnits', 'inches', ...
     'PaperPosition', [0, 0, 10, 7.5], 'Name', picture.description);
grey = [0.55, 0.55, 0.55];
red = [0.8, 0.1, 0.1];
blue = [0.1, 0.3, 0.7];

subplot (2, 2, 1, 'Parent', handle);
plot (picture.returns_at, picture.returns, 'Color', grey);
hold on;
plot (picture.band_at, picture.band, 'Color', red);
plot (picture.floor_at, picture.floor, 'Color', red);
hold off;
axis tight;
title ('returns and \pm2 conditional standard deviations');
xlabel ('observation');

subplot (2, 2, 2, 'Parent', handle);
plot (picture.deviation_at, picture.deviation, 'Color', blue);
axis tight;
title ('conditional volatility, sqrt(h_t)');
xlabel ('observation');

subplot (2, 2, 3, 'Parent', handle);
quantiles = picture.quantiles;
sorted = picture.sorted;
plot (quantiles, sorted, '.', 'Color', blue);
hold on;
ends = [min([quantiles; sorted]), max([quantiles; sorted])];
plot (ends, ends, 'Color', red);
hold off;
axis tight;
title (['standardised residuals against ' picture.label]);
xlabel ([picture.label ' quantile']);
ylabel ('residual quantile');

subplot (2, 2, 4, 'Parent', handle);
acf = picture.acf;
lags = (1:numel (acf))';
band = picture.band_width;
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
text (0.5, 0.5, picture.description, 'HorizontalAlignment', 'center', ...
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
label = 'normal';
if isnumeric (estimates) && isreal (estimates) && ~isempty (nu_at) && nu_at <= numel (estimates)
  nu = double (full (estimates(nu_at)));
end
if strcmp (summary_field (fit, 'distribution', 'normal'), 't') && isfinite (nu) && nu > 2
  tail = min (probabilities, 1 - probabilities);
  x = betaincinv (2 * tail, nu / 2, 0.5);
  quantiles = sign (probabilities - 0.5) .* sqrt (nu * (1 ./ x - 1)) * sqrt ((nu - 2) / nu);
  label = sprintf ('Student''s t (nu = %.3g)', nu);
end
% The normal, also for a t of so many degrees of freedom that its inverse beta fails, which
% is the normal to the figure's resolution.
if ~strncmp (label, 'Student', 7) || ~all (isfinite (quantiles))
  quantiles = -sqrt (2) * erfcinv (2 * probabilities);
end
end
