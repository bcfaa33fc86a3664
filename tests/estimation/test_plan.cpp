// The plan of each model (names, bounds, constraints and their names), the pre-sample value
// by each rule, the constraints active at given parameters, the start checks and the
// Cholesky inverse, with no host.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "estimation.hpp"

namespace {

using namespace volfilter::estimation;
using volfilter::Distribution;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Mean square 2.5, largest square 4.
const std::vector<double> kSeries{1, -1, 2, -2};

ModelSettings spec(Model model, int p, int o, int q, int type = 2, int constant = 1,
                   Distribution distribution = Distribution::normal) {
  ModelSettings s;
  s.model = model;
  s.p = p;
  s.o = o;
  s.q = q;
  s.type = type;
  s.constant = constant;
  s.distribution = distribution;
  s.m = std::max({p, o, q});
  s.presample_rule = PresampleRule::mean;
  return s;
}

Plan plan_of(const ModelSettings& s, const std::vector<double>& e = kSeries) {
  return make_plan(s, e.data(), e.size());
}

struct Layout {
  std::string label;
  ModelSettings settings;
  std::vector<std::string> constraint_names;  // lower bounds, upper bounds, linear, nonlinear
  std::vector<std::vector<double>> rows;      // the linear constraints, dense, then the bound
};

TEST(PlanLayout, NamesBoundsAndConstraintsOfEachModel) {
  const std::vector<Layout> layouts{
      {"threshvol 2 1 1, Student's t",
       spec(Model::threshvol, 2, 1, 1, 2, 1, Distribution::student_t),
       {"omega >= 1e-8 level", "alpha1 >= 0", "alpha2 >= 0", "gamma1 >= -1", "beta1 >= 0",
        "nu >= 2.05", "omega <= 10 level", "alpha1 <= 1", "alpha2 <= 1", "gamma1 <= 2",
        "beta1 <= 1", "nu <= 500", "stationarity", "alpha1 + gamma1 >= 0"},
       {{0, 1, 1, 0.5, 1, 0, 1 - 1e-6}, {0, -1, 0, -1, 0, 0, 0}}},
      // gamma2 has no alpha2 to keep alpha2 + gamma2 >= 0, so it is itself at least 0.
      {"threshvol 1 2 0",
       spec(Model::threshvol, 1, 2, 0),
       {"omega >= 1e-8 level", "alpha1 >= 0", "gamma1 >= -1", "gamma2 >= 0", "omega <= 10 level",
        "alpha1 <= 1", "gamma1 <= 2", "gamma2 <= 2", "stationarity", "alpha1 + gamma1 >= 0"},
       {{0, 1, 0.5, 0.5, 1 - 1e-6}, {0, -1, -1, 0, 0}}},
      {"logvol 1 0 2",
       spec(Model::logvol, 1, 0, 2),
       {"omega >= -(|log level| + 20)", "alpha1 >= -2", "beta1 >= -1 + 1e-6", "beta2 >= -1 + 1e-6",
        "omega <= |log level| + 20", "alpha1 <= 2", "beta1 <= 1 - 1e-6", "beta2 <= 1 - 1e-6",
        "stationarity"},
       {{0, 0, 1, 1, 1 - 1e-6}}},
      // With one beta its bounds are the whole stationarity condition.
      {"logvol 1 1 1",
       spec(Model::logvol, 1, 1, 1),
       {"omega >= -(|log level| + 20)", "alpha1 >= -2", "gamma1 >= -2", "beta1 >= -1 + 1e-6",
        "omega <= |log level| + 20", "alpha1 <= 2", "gamma1 <= 2", "beta1 <= 1 - 1e-6"},
       {}},
      {"shiftvol, constant shift",
       spec(Model::shiftvol, 1, 5, 1, 1),
       {"omega >= 1e-8 level", "alpha1 >= 0", "gamma >= -10 sd", "beta1 >= 0", "omega <= 10 level",
        "alpha1 <= 1", "gamma <= 10 sd", "beta1 <= 1", "stationarity"},
       {{0, 1, 0, 1, 1 - 1e-6}}},
      {"shiftvol, scaled shift: a nonlinear condition",
       spec(Model::shiftvol, 2, 0, 1, 0),
       {"omega >= 1e-8 level", "alpha1 >= 0", "alpha2 >= 0", "gamma >= -10", "beta1 >= 0",
        "omega <= 10 level", "alpha1 <= 1", "alpha2 <= 1", "gamma <= 10", "beta1 <= 1",
        "stationarity"},
       {}},
      {"intvol without a constant, beta2 implied",
       spec(Model::intvol, 1, 3, 2, 2, 0),
       {"alpha1 >= 0", "beta1 >= 0", "alpha1 <= 1", "beta1 <= 1", "implied beta2 >= 0"},
       {{1, 1, 1}}},
  };
  for (const Layout& layout : layouts) {
    const Plan plan = plan_of(layout.settings);
    EXPECT_EQ(plan.size(), parameter_count(layout.settings)) << layout.label;
    EXPECT_EQ(plan.constraint_names(), layout.constraint_names) << layout.label;
    ASSERT_EQ(plan.linear.size(), layout.rows.size()) << layout.label;
    for (std::size_t r = 0; r < layout.rows.size(); ++r) {
      std::vector<double> row(plan.size());
      plan.linear[r].dense(plan.size(), row.data());
      row.push_back(plan.linear[r].bound);
      EXPECT_EQ(row, layout.rows[r]) << layout.label << ", row " << r;
    }
  }
}

TEST(PlanValues, BoundsScalesAndCandidatesInTheModelsUnits) {
  // The variance form: omega within [1e-8, 10] of the mean square 2.5, scaled by its start.
  const Plan garch = plan_of(spec(Model::threshvol, 1, 1, 1));
  EXPECT_DOUBLE_EQ(garch.parameters[0].lower, 2.5e-8);
  EXPECT_DOUBLE_EQ(garch.parameters[0].upper, 25.0);
  EXPECT_TRUE(garch.parameters[0].scale_by_start);
  // First candidate: news 0.03 split as alpha = gamma = 0.03, beta = 0.85 - 0.03 - 0.015,
  // omega = 2.5 * (1 - 0.03 - 0.015 - 0.805); the last: news 0.15, persistence 0.99.
  EXPECT_NEAR(garch.candidates[0], 2.5 * 0.15, 1e-15);
  EXPECT_NEAR(garch.candidates[3], 0.805, 1e-15);
  EXPECT_NEAR(garch.candidates[8 * 4 + 3], 0.99 - 0.15 - 0.075, 1e-15);
  // Power 1: the unit is the root mean square; logvol: its logarithm, omega's reach 20 past it.
  const Plan power_one = plan_of(spec(Model::threshvol, 1, 0, 1, 1));
  EXPECT_DOUBLE_EQ(power_one.parameters[0].upper, 10 * std::sqrt(2.5));
  const Plan egarch = plan_of(spec(Model::logvol, 1, 1, 1));
  EXPECT_DOUBLE_EQ(egarch.parameters[0].upper, std::log(2.5) + 20);
  EXPECT_DOUBLE_EQ(egarch.upper_bound, 4000.0);  // 1000 times the largest square
  EXPECT_NEAR(egarch.candidates[0], std::log(2.5) * (1 - 0.85), 1e-15);
  // The shift of type 1 in sample standard deviations; intvol's omega a fifth of
  // (1 - persistence) of the level, its betas sharing 1 - alpha with the implied one.
  const Plan shift = plan_of(spec(Model::shiftvol, 1, 0, 1, 1));
  EXPECT_DOUBLE_EQ(shift.parameters[2].upper, 10 * std::sqrt(2.5));
  EXPECT_DOUBLE_EQ(shift.parameters[2].scale, std::sqrt(2.5));
  const Plan integrated = plan_of(spec(Model::intvol, 1, 0, 2));
  EXPECT_NEAR(integrated.candidates[0], 0.2 * 0.15 * 2.5, 1e-15);
  EXPECT_NEAR(integrated.candidates[2], 0.97 / 2, 1e-15);
  const Plan student = plan_of(spec(Model::intvol, 1, 0, 1, 2, 1, Distribution::student_t));
  EXPECT_EQ(student.candidates[2], 8.0);
  EXPECT_EQ(student.parameters[2].scale, 10.0);
}

TEST(PlanPresample, EachRuleInEachModelsUnits) {
  // The exponential weights fall from the start of the sample: the first square has weight 1.
  const std::vector<double> early{3, 0, 0, 0};
  const double ewma = 9.0 / (1 + 0.94 + 0.94 * 0.94 + 0.94 * 0.94 * 0.94);
  struct Case {
    Model model;
    int type;
    PresampleRule rule;
    double expected;
    double variance;  // the pre-sample value as a variance
  };
  const std::vector<Case> cases{
      {Model::threshvol, 2, PresampleRule::ewma, ewma, ewma},
      {Model::threshvol, 1, PresampleRule::ewma, std::sqrt(ewma), ewma},
      {Model::intvol, 1, PresampleRule::mean, 1.5, 2.25},
      {Model::shiftvol, 1, PresampleRule::mean, 2.25, 2.25},
      {Model::logvol, 2, PresampleRule::mean, std::log(2.25), 2.25},
      {Model::logvol, 2, PresampleRule::given, -1.5, std::exp(-1.5)},
  };
  for (const Case& c : cases) {
    ModelSettings s = spec(c.model, 1, 0, 1, c.type);
    s.presample_rule = c.rule;
    s.presample_value = -1.5;
    const double value = presample_value(s, early.data(), early.size());
    EXPECT_NEAR(value, c.expected, 1e-15 * std::fabs(c.expected) + 1e-300);
    EXPECT_NEAR(presample_variance(s, value), c.variance, 1e-14);
  }
}

TEST(PlanActive, WithinTheToleranceOfEachKindOfConstraint) {
  const Plan plan = plan_of(spec(Model::threshvol, 1, 1, 1));  // omega, alpha1, gamma1, beta1
  struct Case {
    std::string label;
    std::vector<double> theta;
    std::vector<std::string> active;
  };
  const std::vector<Case> cases{
      {"inside", {0.1, 0.05, 0.1, 0.8}, {}},
      {"alpha at 0", {0.1, 0, 0.1, 0.8}, {"alpha1 >= 0"}},
      {"alpha within 1e-6", {0.1, 9e-7, 0.1, 0.8}, {"alpha1 >= 0"}},
      {"alpha 1e-5 away", {0.1, 1e-5, 0.1, 0.8}, {}},
      // omega's tolerance is 1e-6 of its scale, the level 2.5.
      {"omega 2e-6 above its bound", {2.5e-8 + 2e-6, 0.05, 0.1, 0.8}, {"omega >= 1e-8 level"}},
      {"omega 3e-6 above its bound", {2.5e-8 + 3e-6, 0.05, 0.1, 0.8}, {}},
      {"at the stationarity limit", {0.1, 0.05, 0.1, 0.9 - 1e-6}, {"stationarity"}},
      {"1e-4 inside it", {0.1, 0.05, 0.1, 0.9 - 1e-4}, {}},
      {"gamma at -alpha", {0.1, 0.05, -0.05, 0.8}, {"alpha1 + gamma1 >= 0"}},
      {"beta at 1, past stationarity",
       {0.1, 0, 0, 1},
       {"alpha1 >= 0", "beta1 <= 1", "stationarity", "alpha1 + gamma1 >= 0"}},
      {"NaN", {kNaN, kNaN, kNaN, kNaN}, {}},
  };
  const std::vector<std::string> names = plan.constraint_names();
  for (const Case& c : cases) {
    std::vector<double> flags(plan.constraint_count(), -1.0);
    active_constraints(plan, c.theta.data(), flags.data());
    std::vector<std::string> active;
    for (std::size_t i = 0; i < flags.size(); ++i) {
      ASSERT_TRUE(flags[i] == 0.0 || flags[i] == 1.0) << c.label;
      if (flags[i] == 1.0) {
        active.push_back(names[i]);
      }
    }
    EXPECT_EQ(active, c.active) << c.label;
  }
}

TEST(PlanNonlinear, ValueSignAndGradientOfTheScaledShiftCondition) {
  const Plan plan = plan_of(spec(Model::shiftvol, 2, 0, 1, 0, 1, Distribution::student_t));
  // omega, alpha1, alpha2, gamma, beta1, nu
  const std::vector<double> theta{0.1, 0.05, 0.03, 0.5, 0.8, 6};
  std::vector<double> gradient(plan.size());
  const double value = nonlinear_value(plan, theta.data(), gradient.data());
  EXPECT_NEAR(value, 1.25 * 0.08 + 0.8 - (1 - 1e-6), 1e-15);
  EXPECT_EQ(gradient, (std::vector<double>{0, 1.25, 1.25, 2 * 0.5 * 0.08, 1, 0}));
  for (std::size_t i = 0; i < plan.size(); ++i) {
    std::vector<double> up = theta;
    std::vector<double> down = theta;
    up[i] += 1e-6;
    down[i] -= 1e-6;
    const double difference =
        (nonlinear_value(plan, up.data(), nullptr) - nonlinear_value(plan, down.data(), nullptr)) /
        2e-6;
    EXPECT_NEAR(difference, gradient[i], 1e-8) << i;
  }
  std::vector<double> flags(plan.constraint_count());
  const std::vector<double> at_limit{0.1, 0.05, 0.03, 0.5, 1 - 1e-6 - 0.1, 6};
  active_constraints(plan, at_limit.data(), flags.data());
  EXPECT_EQ(flags.back(), 1.0);
}

TEST(PlanStart, BoundsConstraintsAndNaN) {
  const Plan plan = plan_of(spec(Model::threshvol, 1, 0, 1));
  struct Case {
    std::vector<double> theta;
    StartCheck::Verdict verdict;
    std::size_t parameter;
  };
  const std::vector<Case> cases{
      {{0.1, 0.1, 0.8}, StartCheck::Verdict::inside, 0},
      {{0.1, kNaN, 0.8}, StartCheck::Verdict::outside_bounds, 1},
      {{26, 0.1, 0.8}, StartCheck::Verdict::outside_bounds, 0},
      {{0.1, 0.2, 0.8 - 1e-6 + 1e-11}, StartCheck::Verdict::breaks_constraints, 0},
      {{0.1, 0.2, 0.8 - 1e-6 + 1e-13}, StartCheck::Verdict::inside, 0},
  };
  for (const Case& c : cases) {
    const StartCheck check = check_start(plan, c.theta.data());
    EXPECT_EQ(check.verdict, c.verdict);
    EXPECT_EQ(check.parameter, c.parameter);
  }
}

TEST(PlanScale, SquaresThatFitADoubleAndTheRootMeanSquareOfThoseThatDoNot) {
  // The mean square's limits are realmin/eps = 2^-970 and eps*realmax, just below 2^972.
  const double small = std::ldexp(1.0, -485);
  const double large = std::ldexp(1.0, 485);
  struct Case {
    const char* label;
    std::vector<double> e;
    bool fits;
    bool too_large;
    double root_mean_square;
  };
  const std::vector<Case> cases{
      {"mean square at the lower limit", {small, -small}, true, false, 0.0},
      {"a quarter of it", {small / 2, -small / 2}, false, false, small / 2},
      {"subnormal values",
       {std::ldexp(1.0, -1030), -std::ldexp(1.0, -1030), std::ldexp(1.0, -1031)},
       false,
       false,
       std::ldexp(1.0, -1030) * std::sqrt(0.75)},
      {"near the upper limit", {large, -large}, true, false, 0.0},
      {"four times it", {2 * large, -2 * large}, false, true, 2 * large},
      {"one square overflows", {1e200, 1.0}, false, true, 1e200 / std::sqrt(2.0)},
  };
  for (const Case& c : cases) {
    const ScaleCheck check = check_scale(c.e.data(), c.e.size());
    EXPECT_EQ(check.fits, c.fits) << c.label;
    EXPECT_EQ(check.too_large, c.too_large) << c.label;
    EXPECT_DOUBLE_EQ(check.root_mean_square, c.root_mean_square) << c.label;
  }
}

TEST(Cholesky, FactorInverseAndMatricesThatAreNotPositiveDefinite) {
  const std::vector<double> a{4, 2, 2, 3};
  std::vector<double> factor(4);
  ASSERT_TRUE(cholesky(a.data(), 2, factor.data()));
  EXPECT_EQ(factor, (std::vector<double>{2, 0, 1, std::sqrt(2.0)}));
  std::vector<double> inverse(4);
  inverse_from_cholesky(factor.data(), 2, inverse.data());
  const std::vector<double> expected{3.0 / 8, -2.0 / 8, -2.0 / 8, 4.0 / 8};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(inverse[i], expected[i], 1e-16);
  }
  EXPECT_FALSE(cholesky(std::vector<double>{1, 2, 2, 1}.data(), 2, factor.data()));
  EXPECT_FALSE(cholesky(std::vector<double>{1, 0, 0, 0}.data(), 2, factor.data()));
  EXPECT_FALSE(cholesky(std::vector<double>{kNaN, 0, 0, 1}.data(), 2, factor.data()));
}

}  // namespace
