# Rscript bench/r/peer_fits.R repetitions file ...
#
# Times R's tseries (garch) and fGarch (garchFit) on series written by
# bench/octave/compiled_fit_bench.m, each called as a user calls it, and prints what each
# estimated, so that the Octave side can put the times beside its own and measure how far
# apart the estimates are.
#
# Each file holds one series, one value a line; its name says the case: garch_<T>.txt a
# GARCH(1,1) with normal innovations, garch_t_<T>.txt with Student's t, gjr_<T>.txt the
# threshold (leverage) form. tseries fits GARCH(1,1) normal only (its garch(), which also
# forms the covariance of the estimates); fGarch fits every case with no mean
# (include.mean = FALSE), its pre-sample rule left at its default.
#
# One line a file, tab-separated: the file, the median milliseconds of tseries' call (NaN
# where it does not apply) and of fGarch's, fGarch's negative log-likelihood, the number of
# parameters k, fGarch's k estimates and their k standard errors, tseries' estimates.
suppressPackageStartupMessages({
  library(tseries)
  library(fGarch)
})

arguments <- commandArgs(trailingOnly = TRUE)
repetitions <- as.integer(arguments[1])
files <- arguments[-1]

# The median wall time of `repetitions` calls of f, in milliseconds, after a first call.
median_ms <- function(f, repetitions) {
  f()
  times <- numeric(repetitions)
  for (i in seq_len(repetitions)) {
    started <- Sys.time()
    f()
    times[i] <- as.numeric(Sys.time() - started, units = "secs")
  }
  1e3 * median(times)
}

for (file in files) {
  x <- scan(file, quiet = TRUE)
  case <- sub("_[0-9]+\\.txt$", "", basename(file))
  tseries_ms <- NaN
  tseries_coef <- c(NaN, NaN, NaN)
  if (case == "garch") {
    tseries_fit <- function() garch(x, order = c(1, 1), trace = FALSE)
    tseries_ms <- median_ms(tseries_fit, repetitions)
    tseries_coef <- coef(tseries_fit())
  }
  formula <- if (case == "gjr") ~aparch(1, 1) else ~garch(1, 1)
  distribution <- if (case == "garch_t") "std" else "norm"
  fgarch_fit <- function() {
    garchFit(formula, data = x, include.mean = FALSE, cond.dist = distribution, delta = 2,
             include.delta = FALSE, trace = FALSE)
  }
  # fGarch takes tens to hundreds of milliseconds a fit: fewer repetitions do.
  fgarch_ms <- median_ms(fgarch_fit, max(3L, repetitions %/% 10L))
  fit <- fgarch_fit()
  estimates <- coef(fit)
  cat(file, tseries_ms, fgarch_ms, sprintf("%.17g", fit@fit$llh), length(estimates),
      sprintf("%.17g", estimates), sprintf("%.17g", fit@fit$se.coef),
      sprintf("%.17g", tseries_coef), sep = "\t")
  cat("\n")
}
