// Panels fitted by the core across threads: every column's results, to the last bit, those of
// fitting it alone, whatever the number of threads (run under ThreadSanitizer by the tsan
// preset); columns that cannot be fitted marked each with their status; what is wrong for
// every column alike marked for all. With no host.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "estimation.hpp"

namespace {

using namespace volfilter::estimation;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// GARCH(1,1) returns from a fixed generator: normal deviates by Box-Muller.
std::vector<double> garch(std::uint64_t T, double omega, double alpha, double beta,
                          std::uint64_t seed) {
  std::uint64_t state = 0x9E3779B97F4A7C15ULL * (seed + 1);
  const auto uniform = [&state] {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (static_cast<double>(state >> 11) + 0.5) * 0x1p-53;
  };
  std::vector<double> e(T);
  double h = omega / (1 - alpha - beta);
  for (std::uint64_t t = 0; t < T; ++t) {
    const double z = std::sqrt(-2 * std::log(uniform())) * std::cos(6.283185307179586 * uniform());
    e[t] = std::sqrt(h) * z;
    h = omega + alpha * e[t] * e[t] + beta * h;
  }
  return e;
}

struct Results {
  std::vector<double> parameters, covariance, robust, ht, scores, summary, start, active, residuals;

  Results(std::size_t k, std::size_t constraints, std::uint64_t T, std::uint64_t N)
      : parameters(k * N),
        covariance(k * k * N),
        robust(k * k * N),
        ht(T * N),
        scores(T * k * N),
        summary(kSummaryRows * N),
        start(k * N),
        active(constraints * N),
        residuals(T * N) {}

  PanelOutputs outputs() {
    return {parameters.data(), covariance.data(), robust.data(), ht.data(),       scores.data(),
            summary.data(),    start.data(),      active.data(), residuals.data()};
  }

  // Column j's values of every slot, as bits.
  [[nodiscard]] std::vector<std::uint64_t> column(std::uint64_t j, std::uint64_t N) const {
    std::vector<std::uint64_t> bits;
    for (const std::vector<double>* slot :
         {&parameters, &covariance, &robust, &ht, &scores, &summary, &start, &active, &residuals}) {
      const std::size_t size = slot->size() / N;
      for (std::size_t i = 0; i < size; ++i) {
        std::uint64_t value = 0;
        std::memcpy(&value, &(*slot)[j * size + i], sizeof value);
        bits.push_back(value);
      }
    }
    return bits;
  }
};

const OutputSlots kEverySlot{true, true, true, true, true, true, true, true};

Results fit(const FitRequest& request, const std::vector<double>& E, std::uint64_t T,
            std::uint32_t threads) {
  PanelFit panel(request, T, kEverySlot);
  const std::uint64_t N = E.size() / T;
  Results results(panel.parameters(), panel.constraints(), T, N);
  panel.run(E.data(), N, threads, results.outputs());
  return results;
}

FitRequest gjr_request() {
  FitRequest request;
  request.settings.model = Model::threshvol;
  request.settings.distribution = volfilter::Distribution::student_t;
  return request;
}

TEST(Panel, EachColumnTheBitsOfItsFitAloneOnAnyNumberOfThreads) {
  const std::uint64_t T = 600;
  std::vector<double> E;
  for (std::uint64_t j = 0; j < 5; ++j) {
    const std::vector<double> e = garch(T, 0.05, 0.05 + 0.02 * static_cast<double>(j), 0.85, j);
    E.insert(E.end(), e.begin(), e.end());
  }
  E[T + 7] = kNaN;                                       // column 1: not finite
  std::fill(E.begin() + 3 * T, E.begin() + 4 * T, 1.5);  // column 3: constant
  for (std::uint64_t t = 0; t < T; ++t) {                // column 5: squares that underflow
    E.push_back(1e-160 * E[4 * T + t]);
  }
  const FitRequest request = gjr_request();
  const std::uint64_t N = 6;
  const Results one = fit(request, E, T, 1);
  for (const std::uint32_t threads : {2U, 3U, 8U}) {
    const Results many = fit(request, E, T, threads);
    for (std::uint64_t j = 0; j < N; ++j) {
      EXPECT_EQ(many.column(j, N), one.column(j, N)) << threads << " threads, column " << j;
    }
  }
  for (std::uint64_t j = 0; j < N; ++j) {
    const std::vector<double> alone(E.begin() + static_cast<long>(j * T),
                                    E.begin() + static_cast<long>((j + 1) * T));
    EXPECT_EQ(fit(request, alone, T, 1).column(0, 1), one.column(j, N)) << "column " << j;
  }
  const auto status = [&](std::uint64_t j) { return one.summary[j * kSummaryRows + kStatus]; };
  EXPECT_EQ(status(0), 0.0);
  EXPECT_EQ(one.summary[kConverged], 1.0);
  EXPECT_EQ(status(1), static_cast<double>(Status::non_finite));
  EXPECT_EQ(one.summary[kSummaryRows + kDetail], 8.0);  // e(8), 1-based
  EXPECT_EQ(status(3), static_cast<double>(Status::constant));
  EXPECT_EQ(one.summary[3 * kSummaryRows + kDetail], 1.5);
  EXPECT_TRUE(std::isnan(one.parameters[5]));  // column 1's omega
  EXPECT_EQ(status(4), 0.0);
  EXPECT_EQ(status(5), static_cast<double>(Status::bad_scale));
  const ScaleCheck scale = check_scale(E.data() + 5 * T, T);
  EXPECT_EQ(one.summary[5 * kSummaryRows + kDetail], scale.root_mean_square);
  EXPECT_EQ(one.summary[5 * kSummaryRows + kDetail + 1], 0.0);  // too small
}

TEST(Panel, WhatIsWrongForEveryColumnMarksThemAll) {
  const std::uint64_t T = 200;
  std::vector<double> E = garch(T, 0.05, 0.08, 0.85, 9);
  const std::vector<double> second = garch(T, 0.05, 0.08, 0.85, 10);
  E.insert(E.end(), second.begin(), second.end());
  struct Case {
    const char* label;
    FitRequest request;
    std::uint64_t T;
    Status status;
    double detail;
  };
  FitRequest too_few = gjr_request();  // 5 parameters want 50 modelled observations
  FitRequest no_parameters;
  no_parameters.settings.model = Model::intvol;
  no_parameters.settings.p = 0;
  no_parameters.settings.constant = 0;
  no_parameters.settings.m = 1;
  FitRequest too_many;
  too_many.settings.p = 400;
  too_many.settings.o = 400;
  too_many.settings.q = 400;
  too_many.settings.m = 400;
  const double three[3] = {0.1, 0.1, 0.8};
  FitRequest short_start = gjr_request();
  short_start.start = three;
  short_start.start_count = 3;
  const std::vector<Case> cases{
      {"too few observations", too_few, 50, Status::too_few_observations, 50},
      {"no parameters", no_parameters, T, Status::no_parameters, 0},
      {"too many parameters", too_many, T, Status::too_many_parameters, 1000},
      {"start of 3 values for 5", short_start, T, Status::start_length, 5},
  };
  for (const Case& c : cases) {
    const std::vector<double> panel(E.begin(), E.begin() + static_cast<long>(2 * c.T));
    const Results results = fit(c.request, panel, c.T, 2);
    for (std::uint64_t j = 0; j < 2; ++j) {
      EXPECT_EQ(results.summary[j * kSummaryRows + kStatus], static_cast<double>(c.status))
          << c.label;
      EXPECT_EQ(results.summary[j * kSummaryRows + kDetail], c.detail) << c.label;
    }
  }
}

TEST(Panel, StartValuesOutsideTheBoundsOrUndefined) {
  const std::uint64_t T = 400;
  std::vector<double> E = garch(T, 0.05, 0.08, 0.85, 3);
  // The same returns at 1e200: their squares overflow, so the column is not fitted for its
  // scale before any candidate is tried.
  for (std::uint64_t t = 0; t < T; ++t) {
    E.push_back(1e200 * E[t]);
  }
  FitRequest request;
  request.settings.o = 0;
  const Results defaults = fit(request, E, T, 2);
  EXPECT_EQ(defaults.summary[kStatus], 0.0);
  EXPECT_EQ(defaults.summary[kSummaryRows + kStatus], static_cast<double>(Status::bad_scale));
  EXPECT_EQ(defaults.summary[kSummaryRows + kDetail + 1], 1.0);  // too large
  // logvol's ceiling far below the variance: no candidate is defined.
  FitRequest ceiling;
  ceiling.settings.model = Model::logvol;
  ceiling.settings.upper_bound_given = true;
  ceiling.settings.upper_bound = 1e-3;
  EXPECT_EQ(fit(ceiling, E, T, 1).summary[kStatus], static_cast<double>(Status::no_start));
  const double outside[3] = {0.05, 1.5, 0.8};
  request.start = outside;
  request.start_count = 3;
  const Results given = fit(request, E, T, 1);
  EXPECT_EQ(given.summary[kStatus], static_cast<double>(Status::start_outside));
  EXPECT_EQ(given.summary[kDetail], 2.0);      // alpha1
  EXPECT_EQ(given.summary[kDetail + 2], 1.0);  // its upper bound
  EXPECT_EQ(given.start[1], 1.5);
}

// The fit ends at a maximum, in whitened coordinates or, where the scores at the start are
// singular, in scaled ones: no step of a thousandth of a standard error along any parameter
// (within its bounds) raises the likelihood; an estimate on its bound lies exactly on it.
TEST(Fit, AMaximumInWhitenedOrScaledCoordinates) {
  const std::uint64_t T = 1500;
  const std::vector<double> e = garch(T, 0.05, 0.08, 0.85, 4);
  std::vector<double> positive(e);
  for (double& value : positive) {
    value = std::fabs(value);  // no negative return: gamma's scores vanish at every point
  }
  const std::vector<double> calm = garch(T, 1.0, 0.0, 0.0, 4);  // no news: alpha at 0
  FitRequest garch_request;
  garch_request.settings.o = 0;
  FitRequest gjr;
  struct Case {
    const char* label;
    FitRequest request;
    const std::vector<double>* series;
    std::size_t on_bound;  // the index of a parameter on its lower bound, or k
  };
  const std::vector<Case> cases{
      {"GARCH(1,1), whitened", garch_request, &e, 3},
      {"GJR on positive returns, scaled", gjr, &positive, 4},
      {"GARCH(1,1) with alpha at 0", garch_request, &calm, 1},
  };
  for (const Case& c : cases) {
    const Results results = fit(c.request, *c.series, T, 1);
    const std::size_t k = results.parameters.size();
    ASSERT_EQ(results.summary[kStatus], 0.0) << c.label;
    EXPECT_EQ(results.summary[kConverged], 1.0) << c.label;
    const ModelSettings& s = c.request.settings;
    const Plan plan = make_plan(s, c.series->data(), T);
    Likelihood likelihood(s, T);
    likelihood.bind(c.series->data(), T, plan.backcast, plan.upper_bound);
    std::vector<double> theta = results.parameters;
    const double best = likelihood.value(theta.data(), T);
    EXPECT_EQ(best, results.summary[kNll]) << c.label;
    for (std::size_t i = 0; i < k; ++i) {
      const Parameter& parameter = plan.parameters[i];
      const double estimate = results.parameters[i];
      EXPECT_TRUE(estimate >= parameter.lower && estimate <= parameter.upper) << c.label << i;
      double step = 1e-3 * std::sqrt(results.covariance[i + i * k]);
      if (!(step > 0.0)) {
        step = 1e-6 * parameter.scale;  // no standard errors where a parameter is unidentified
      }
      for (const double moved : {estimate - step, estimate + step}) {
        if (moved < parameter.lower || moved > parameter.upper) {
          continue;
        }
        theta[i] = moved;
        EXPECT_GE(likelihood.value(theta.data(), T), best - 1e-9 * best) << c.label << i;
      }
      theta[i] = estimate;
    }
    if (c.on_bound < k) {
      EXPECT_EQ(results.parameters[c.on_bound], plan.parameters[c.on_bound].lower) << c.label;
    }
  }
}

TEST(Panel, WithAMeanEachColumnTheBitsOfItsFitAloneAndTheResidualsLagregs) {
  // Returns y = 0.1 + 0.3 y(t-1) + 0.5 x + e + 0.2 e(t-1) of GARCH(1,1) shocks e, the
  // regressor x shared by the columns; the last column is 2 x, which the mean fits exactly.
  const std::uint64_t T = 800;
  const std::vector<double> x = garch(T, 0.1, 0.1, 0.8, 99);
  std::vector<double> E;
  for (std::uint64_t j = 0; j < 3; ++j) {
    const std::vector<double> e = garch(T, 0.05, 0.1, 0.85, 20 + j);
    std::vector<double> y(T, 0.0);
    for (std::uint64_t t = 1; t < T; ++t) {
      y[t] = 0.1 + 0.3 * y[t - 1] + 0.5 * x[t] + e[t] + 0.2 * e[t - 1];
    }
    E.insert(E.end(), y.begin(), y.end());
  }
  for (std::uint64_t t = 0; t < T; ++t) {
    E.push_back(2 * x[t]);
  }
  const double lag[1] = {1};
  FitRequest request;
  request.settings.o = 0;
  request.settings.mean.constant = 1;
  request.settings.mean.ar_lags = {1};
  request.settings.mean.ma_lags = {1};
  request.settings.mean.x_columns = 1;
  request.x = x.data();
  const std::uint64_t N = 4;
  const Results one = fit(request, E, T, 1);
  for (const std::uint32_t threads : {2U, 5U}) {
    const Results many = fit(request, E, T, threads);
    for (std::uint64_t j = 0; j < N; ++j) {
      EXPECT_EQ(many.column(j, N), one.column(j, N)) << threads << " threads, column " << j;
    }
  }
  const std::size_t k = 7;  // mu, ar1, x1, ma1, omega, alpha1, beta1
  for (std::uint64_t j = 0; j < 3; ++j) {
    EXPECT_EQ(one.summary[j * kSummaryRows + kConverged], 1.0) << j;
    const std::vector<double> alone(E.begin() + static_cast<long>(j * T),
                                    E.begin() + static_cast<long>((j + 1) * T));
    EXPECT_EQ(fit(request, alone, T, 1).column(0, 1), one.column(j, N)) << "column " << j;
    const double* theta = one.parameters.data() + j * k;
    EXPECT_NEAR(theta[1], 0.3, 0.1) << j;
    EXPECT_NEAR(theta[2], 0.5, 0.1) << j;
    const std::vector<double> unit(T, 1.0);
    std::vector<double> residuals(T);
    volfilter::lagreg_kernel(theta, lag, lag, 1, 1, 1, alone.data(), x.data(), 1, T, 1, unit.data(),
                             residuals.data());
    EXPECT_EQ(residuals,
              std::vector<double>(one.residuals.begin() + static_cast<long>(j * T),
                                  one.residuals.begin() + static_cast<long>((j + 1) * T)))
        << j;
  }
  EXPECT_EQ(one.summary[3 * kSummaryRows + kStatus], static_cast<double>(Status::mean_exact));
  EXPECT_TRUE(std::isnan(one.residuals[3 * T]));
}

}  // namespace
