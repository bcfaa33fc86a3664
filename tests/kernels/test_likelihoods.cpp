// The likelihood kernels against what they must equal: their filter's variances bit for bit,
// the same nll with and without derivatives, a forward-mode dual-number evaluation of the
// straightforward recursion and density (to rounding), central differences of nll, scores
// that sum to the gradient; +Inf where the model is not defined; the bounds of the
// log-variance model; Student's t near the normal for large nu; digamma at known values.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "kernels.hpp"
#include "likelihood_reference.hpp"

namespace {

using namespace volfilter::testing;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Cases inside each model's region, chosen so that every family, both powers or forms, both
// distributions, long lags, m above the largest order and the log-variance bounds all occur.
std::vector<Case> cases() {
  using D = Distribution;
  std::vector<Case> list = {
      {"GARCH(1,1)", "threshvol", 1, 0, 1, 1, 2, 1, D::normal, {0.05, 0.08, 0.9}},
      {"GJR(1,1,1) t", "threshvol", 1, 1, 1, 1, 2, 1, D::student_t, {0.05, 0.04, 0.08, 0.85, 7}},
      {"TARCH power 1 (2,1,2)",
       "threshvol",
       2,
       1,
       2,
       3,
       1,
       1,
       D::normal,
       {0.05, 0.04, 0.03, 0.05, 0.5, 0.3},
       0.9},
      {"TARCH power 1 t",
       "threshvol",
       1,
       1,
       1,
       1,
       1,
       1,
       D::student_t,
       {0.04, 0.05, 0.06, 0.88, 5.5},
       0.9},
      {"GARCH(0,3) m 5", "threshvol", 0, 0, 3, 5, 2, 1, D::normal, {0.3, 0.2, 0.3, 0.2}},
      {"EGARCH(1,1,1)", "logvol", 1, 1, 1, 1, 2, 1, D::normal, {-0.01, 0.15, -0.08, 0.95}, 0.0},
      {"EGARCH(2,1,2) t",
       "logvol",
       2,
       1,
       2,
       2,
       2,
       1,
       D::student_t,
       {-0.02, 0.1, 0.05, -0.05, 0.6, 0.3, 8},
       0.1},
      {"EGARCH ceiling 1.6",
       "logvol",
       1,
       1,
       1,
       1,
       2,
       1,
       D::normal,
       {0.05, 0.3, -0.1, 0.9},
       0.0,
       1.6},
      {"EGARCH floor and ceiling",
       "logvol",
       1,
       0,
       1,
       1,
       2,
       1,
       D::student_t,
       {-1.0, 0.8, 0.7, 6},
       2.0,
       3.0},
      {"AGARCH(1,1)", "shiftvol", 1, 0, 1, 1, 1, 1, D::normal, {0.05, 0.08, 0.3, 0.85}},
      {"NAGARCH(1,1) t", "shiftvol", 1, 0, 1, 1, 0, 1, D::student_t, {0.05, 0.07, 0.5, 0.85, 9}},
      {"NAGARCH(2,3)",
       "shiftvol",
       2,
       0,
       3,
       3,
       0,
       1,
       D::normal,
       {0.05, 0.04, 0.03, -0.4, 0.3, 0.2, 0.3}},
      {"IGARCH(1,1)", "intvol", 1, 0, 1, 1, 2, 1, D::normal, {0.02, 0.1}},
      {"IGARCH(2,2) power 1 t",
       "intvol",
       2,
       0,
       2,
       2,
       1,
       1,
       D::student_t,
       {0.03, 0.05, 0.04, 0.5, 6},
       0.9},
      {"IGARCH no constant", "intvol", 1, 0, 2, 2, 2, 0, D::normal, {0.08, 0.5}},
      {"IGARCH constant slot 2", "intvol", 1, 0, 1, 1, 2, 2, D::normal, {0.02, 99, 0.1}},
      // More lanes than the widths compiled for small models: the lanes' run-time path.
      {"GARCH(4,5) power 1",
       "threshvol",
       4,
       0,
       5,
       5,
       1,
       1,
       D::normal,
       {0.05, 0.03, 0.02, 0.02, 0.01, 0.3, 0.2, 0.1, 0.1, 0.05},
       0.9},
      {"EGARCH(3,3,3) t",
       "logvol",
       3,
       3,
       3,
       3,
       2,
       1,
       D::student_t,
       {-0.02, 0.1, 0.05, 0.02, -0.05, 0.03, -0.02, 0.5, 0.2, 0.1, 7},
       0.1},
  };
  // Random orders up to 3 in every model, both distributions, stable coefficients.
  std::mt19937_64 generator(2024);
  std::uniform_int_distribution<int> order(0, 3);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const char* models[] = {"threshvol", "logvol", "shiftvol", "intvol"};
  for (int i = 0; i < 16; ++i) {
    Case c;
    c.model = models[i % 4];
    c.label = "random " + c.model + " " + std::to_string(i);
    c.distribution = i % 3 == 0 ? D::student_t : D::normal;
    c.p = order(generator);
    c.o = c.model == "threshvol" || c.model == "logvol" ? order(generator) : 0;
    c.q = std::max(order(generator), c.model == "intvol" ? 1 : 0);
    c.m = std::max({c.p, c.o, c.q}) + i % 2;
    c.type = i % 4 < 2 ? 1 : 2;
    c.seed = 100U + static_cast<std::uint32_t>(i);
    const std::size_t k = model_lanes(c);
    c.parameters.assign(k, 0.0);
    const double share = 0.8 / static_cast<double>(std::max<std::size_t>(k - 1, 1));
    for (std::size_t j = 0; j < k; ++j) {
      c.parameters[j] = share * (0.5 + unit(generator));
    }
    if (c.model == "logvol") {
      c.parameters[0] = -0.05;
      c.backcast = 0.0;
    } else {
      c.parameters[0] = 0.1 + 0.1 * unit(generator);
    }
    if (c.model == "shiftvol") {
      c.parameters[static_cast<std::size_t>(c.p + 1)] = unit(generator) - 0.5;  // the shift
    }
    if (c.distribution == D::student_t) {
      c.parameters.push_back(4.0 + 10.0 * unit(generator));
    }
    list.push_back(c);
  }
  return list;
}

TEST(LikelihoodKernels, AgreeWithFilterDualNumbersDifferencesAndTheirScores) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.label);
    const std::vector<double> e = residuals(c);
    const KernelResult full = run_kernel(c, e, c.parameters, true);
    const KernelResult value_only = run_kernel(c, e, c.parameters, false);

    // The variances are the filter's, whatever is asked for; nll is the same number.
    const std::vector<double> filtered = filter_ht(c, e);
    EXPECT_TRUE(same_bits(full.ht, filtered));
    EXPECT_TRUE(same_bits(value_only.ht, filtered));
    EXPECT_EQ(std::memcmp(&full.nll, &value_only.nll, sizeof(double)), 0);
    ASSERT_TRUE(std::isfinite(full.nll));

    // The dual-number evaluation of the straightforward recursion and density.
    const std::size_t k = c.parameters.size();
    std::vector<Dual> theta;
    for (std::size_t j = 0; j < k; ++j) {
      theta.push_back(Dual::variable(c.parameters[j], j));
    }
    const std::vector<Dual> dual_ht = straightforward_ht(c, e, theta);
    for (std::size_t t = 0; t < e.size(); ++t) {
      ASSERT_EQ(std::memcmp(&dual_ht[t].v, &filtered[t], sizeof(double)), 0) << "ht at " << t;
    }
    const std::vector<Dual> terms = straightforward_terms(c, e, theta, dual_ht);
    double dual_nll = 0.0;
    double magnitude = 0.0;
    for (const Dual& term : terms) {
      dual_nll += term.v;
      magnitude += std::fabs(term.v);
    }
    EXPECT_NEAR(full.nll, dual_nll, 1e-13 * magnitude);

    const std::size_t T = e.size();
    const auto m = static_cast<std::size_t>(c.m);
    for (std::size_t j = 0; j < k; ++j) {
      double dual_gradient = 0.0;
      double size = 1.0;
      for (std::size_t i = 0; i < terms.size(); ++i) {
        const double score = terms[i].d[j];
        dual_gradient += score;
        size += std::fabs(score);
        EXPECT_NEAR(full.scores[m + i + j * T], score, 1e-10 * (1.0 + std::fabs(score)))
            << "score " << m + i << ", " << j;
      }
      EXPECT_NEAR(full.gradient[j], dual_gradient, 1e-11 * size) << "lane " << j;

      // Columns of scores: zero on the conditioned rows, summing to the gradient in order.
      double column_sum = 0.0;
      for (std::size_t t = 0; t < T; ++t) {
        if (t < m) {
          EXPECT_EQ(full.scores[t + j * T], 0.0);
        }
        column_sum = column_sum + full.scores[t + j * T];
      }
      EXPECT_EQ(column_sum, full.gradient[j]) << "lane " << j;

      // Central differences of nll, with a step scaled to the parameter.
      const double step = 1e-6 * std::max(0.1, std::fabs(c.parameters[j]));
      std::vector<double> up = c.parameters;
      std::vector<double> down = c.parameters;
      up[j] += step;
      down[j] -= step;
      const double difference =
          (run_kernel(c, e, up, false).nll - run_kernel(c, e, down, false).nll) / (up[j] - down[j]);
      EXPECT_NEAR(full.gradient[j], difference, 1e-6 * std::max(1.0, std::fabs(difference)))
          << "lane " << j;
    }
  }
}

// Where the model is not defined, nll is +Inf and every derivative NaN; never an error.
TEST(LikelihoodKernels, UndefinedRegionGivesInfinityAndNaNDerivatives) {
  using D = Distribution;
  const std::vector<Case> undefined = {
      {"negative variance", "threshvol", 1, 0, 1, 1, 2, 1, D::normal, {-0.5, 0.0, 0.0}},
      {"zero variance", "threshvol", 0, 0, 0, 0, 2, 1, D::normal, {0.0}},
      {"power 1 zero variance", "threshvol", 0, 0, 0, 0, 1, 1, D::normal, {0.0}},
      {"infinite variance", "threshvol", 0, 0, 1, 1, 2, 1, D::normal, {1e308, 1e308}},
      {"NaN parameter", "threshvol", 1, 0, 1, 1, 2, 1, D::normal, {0.05, kNaN, 0.9}},
      {"nu of 2", "threshvol", 1, 0, 1, 1, 2, 1, D::student_t, {0.05, 0.08, 0.9, 2.0}},
      {"nu below 2", "threshvol", 1, 0, 1, 1, 2, 1, D::student_t, {0.05, 0.08, 0.9, 1.5}},
      {"nu NaN", "logvol", 1, 1, 1, 1, 2, 1, D::student_t, {-0.01, 0.1, 0.0, 0.9, kNaN}, 0.0},
      {"nu infinite", "intvol", 1, 0, 1, 1, 2, 1, D::student_t, {0.02, 0.1, kInf}},
      {"scaled shift below zero", "shiftvol", 1, 0, 1, 1, 0, 1, D::normal, {-2.0, 0.1, 0.5, 0.1}},
      {"constant shift below zero", "shiftvol", 1, 0, 1, 1, 1, 1, D::normal, {-2.0, 0.1, 0.5, 0.1}},
      {"integrated without constant at zero", "intvol", 0, 0, 1, 1, 2, 0, D::normal, {}, 0.0},
      {"log variance ceiling below zero", "logvol", 0, 0, 0, 1, 2, 1, D::normal, {-0.6}, 0.0, 0.5},
  };
  for (const Case& c : undefined) {
    SCOPED_TRACE(c.label);
    const std::vector<double> e = residuals(c);
    const KernelResult value_only = run_kernel(c, e, c.parameters, false);
    const KernelResult full = run_kernel(c, e, c.parameters, true);
    EXPECT_EQ(value_only.nll, kInf);
    EXPECT_EQ(full.nll, kInf);
    EXPECT_TRUE(std::all_of(full.gradient.begin(), full.gradient.end(),
                            [](double g) { return std::isnan(g); }));
    EXPECT_TRUE(std::all_of(full.scores.begin(), full.scores.end(),
                            [](double s) { return std::isnan(s); }));
  }
}

// The bounds of the log-variance model: a step on the floor, or at the ceiling after an
// overflow, has variances that no parameter moves.
TEST(LikelihoodKernels, LogVarianceBoundsFreezeTheirSteps) {
  using D = Distribution;
  const std::vector<Case> bounded = {
      // ln h = -30 + 0.1 ln h(t-1) is far below the floor ln(1/10000) at every step.
      {"on the floor", "logvol", 1, 1, 1, 1, 2, 1, D::normal, {-30.0, 0.0, 0.0, 0.1}, 0.0},
      // exp(800) overflows; the ceiling replaces it at every step.
      {"overflow at the ceiling",
       "logvol",
       0,
       0,
       1,
       1,
       2,
       1,
       D::student_t,
       {800.0, 0.0, 6},
       0.0,
       50.0},
  };
  for (const Case& c : bounded) {
    SCOPED_TRACE(c.label);
    const std::vector<double> e = residuals(c);
    const KernelResult full = run_kernel(c, e, c.parameters, true);
    ASSERT_TRUE(std::isfinite(full.nll));
    for (std::size_t j = 0; j < model_lanes(c); ++j) {
      EXPECT_EQ(full.gradient[j], 0.0) << "lane " << j;
    }
  }
}

TEST(LikelihoodKernels, NothingModelledGivesZero) {
  for (const std::uint64_t T : {0U, 3U}) {
    Case c{
        "m = T", "threshvol", 1, 1, 1, 3, 2, 1, Distribution::student_t, {0.1, 0.1, 0.1, 0.5, 5}};
    c.T = T;
    c.m = static_cast<int>(T);
    const KernelResult full = run_kernel(c, residuals(c), c.parameters, true);
    EXPECT_EQ(full.nll, 0.0);
    EXPECT_EQ(full.gradient, std::vector<double>(5, 0.0));
    EXPECT_EQ(full.scores, std::vector<double>(5 * T, 0.0));
  }
}

// The t density with nu degrees of freedom differs from the normal by O(1/nu).
TEST(LikelihoodKernels, StudentApproachesNormalAsNuGrows) {
  const Case normal{"normal",         "threshvol", 1, 0, 1, 1, 2, 1, Distribution::normal,
                    {0.05, 0.08, 0.9}};
  const std::vector<double> e = residuals(normal);
  const double reference = run_kernel(normal, e, normal.parameters, false).nll;
  double previous = kInf;
  for (const double nu : {1e2, 1e4, 1e6, 1e8}) {
    Case t = normal;
    t.distribution = Distribution::student_t;
    t.parameters.push_back(nu);
    const KernelResult full = run_kernel(t, e, t.parameters, true);
    const double gap = std::fabs(full.nll - reference);
    EXPECT_LT(gap, 0.8 * previous / 10.0 + 1e-9) << nu;
    EXPECT_LT(gap * nu, 10.0 * static_cast<double>(e.size())) << nu;
    // d nll / d nu vanishes like 1/nu^2.
    EXPECT_LT(std::fabs(full.gradient.back()) * nu * nu, 10.0 * static_cast<double>(e.size()))
        << nu;
    previous = gap;
  }
}

// ---------------------------------------------------------------------------------------
// Digamma

double ulps_apart(double a, double b) {
  return std::fabs(a - b) / (std::nextafter(std::fabs(b), kInf) - std::fabs(b));
}

TEST(Digamma, KnownValuesWithinTwoUnitsInTheLastPlace) {
  const double euler = 0.5772156649015329;
  struct Known {
    double x;
    double psi;  // the double nearest psi(x), from a 40-digit evaluation
  };
  const Known known[] = {
      {1.0, -euler},               // psi(1) = -gamma
      {0.5, -1.9635100260214235},  // -gamma - 2 ln 2
      {2.0, 0.42278433509846713},  // 1 - gamma
      {1.5, 0.03648997397857652},  // near the zero: a sum of larger terms loses this
      {1.4616321449683622, -9.241265521729427e-17},  // the double next to the zero
      {3.25, 1.016990911068179},
      {9.75, 2.225109535044576},  // the last step of the recurrence
      {10.0, 2.251752589066721},  // the first of the asymptotic series
      {33.5, 3.496545816722825},
      {1e6, 13.815510057964191},
      {0.001, -1000.5755719318103},
  };
  for (const Known& k : known) {
    EXPECT_LE(ulps_apart(volfilter::digamma(k.x), k.psi), 2.0) << k.x;
  }
  // psi(x + 1) = psi(x) + 1/x across the pieces of the evaluation.
  for (double x = 0.625; x < 40.0; x += 0.375) {
    const double next = volfilter::digamma(x + 1.0);
    EXPECT_LE(std::fabs(next - (volfilter::digamma(x) + 1.0 / x)), 4e-16 * std::fabs(next) + 4e-16)
        << x;
  }
  EXPECT_TRUE(std::isnan(volfilter::digamma(0.0)));
  EXPECT_TRUE(std::isnan(volfilter::digamma(-1.5)));
  EXPECT_TRUE(std::isnan(volfilter::digamma(kNaN)));
  EXPECT_EQ(volfilter::digamma(kInf), kInf);
}

}  // namespace
