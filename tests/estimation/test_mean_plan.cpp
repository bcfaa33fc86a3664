// The mean's block of a plan: its names, bounds and lag conditions before the variance
// model's, whose constraint indices move past it; the least-squares start values and the
// residuals the variance model's level and pre-sample value come from; the samples on which
// that fit is singular or exact. With no host.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "estimation.hpp"

namespace {

using namespace volfilter::estimation;

ModelSettings garch_with_mean(int constant, std::vector<double> ar, std::vector<double> ma,
                              std::uint64_t x_columns, int m) {
  ModelSettings s;
  s.o = 0;
  s.m = m;
  s.presample_rule = PresampleRule::mean;
  s.mean.constant = constant;
  s.mean.ar_lags = std::move(ar);
  s.mean.ma_lags = std::move(ma);
  s.mean.x_columns = x_columns;
  return s;
}

std::vector<double> dense(const Plan& plan, std::size_t r) {
  std::vector<double> row(plan.size());
  plan.linear[r].dense(plan.size(), row.data());
  row.push_back(plan.linear[r].bound);
  return row;
}

const std::vector<double> kReturns{1, 3, 2, 5, 4, 6, -1, 2, 0.5, 3, -2, 1};
const std::vector<double> kRegressor{0.3, -1, 2, 0.7, -0.2, 1, 1.5, -0.5, 0, 2.5, -1, 0.4};

TEST(MeanPlan, NamesBoundsAndLagConditionsBeforeTheVarianceModels) {
  struct Layout {
    const char* label;
    ModelSettings settings;
    std::vector<std::string> lower;  // the lower bounds' names, then the linear constraints'
    std::vector<std::string> linear;
    std::vector<std::vector<double>> rows;
  };
  ModelSettings scaled_shift = garch_with_mean(0, {1, 2}, {2, 4}, 1, 4);
  scaled_shift.model = Model::shiftvol;
  scaled_shift.type = 0;
  const std::vector<Layout> layouts{
      // One lag: its bounds are the whole condition; the variance's row moves past the mean.
      {"mu, ar1, GARCH(1,1)",
       garch_with_mean(1, {1}, {}, 0, 1),
       {"mu >= -100 rms(y)", "ar1 >= -1 + 1e-6", "omega >= 1e-8 level", "alpha1 >= 0",
        "beta1 >= 0"},
       {"stationarity"},
       {{0, 0, 0, 1, 1, 1 - 1e-6}}},
      // Lags 1 and 2: the largest within 1 - 1e-6, lag 1 within C(2, 1) = 2, and the
      // polynomial positive at 1 and -1, the whole stationarity triangle; MA lags 2 and 4,
      // both even, have their condition at 1 only, ma2 within C(4, 2) = 6.
      {"ar 1 2, x, ma 2 4, scaled shift",
       scaled_shift,
       {"ar1 >= -2", "ar2 >= -1 + 1e-6", "x1 >= -100 rms(y)/rms(x1)", "ma2 >= -6",
        "ma4 >= -1 + 1e-6", "omega >= 1e-8 level", "alpha1 >= 0", "gamma >= -10", "beta1 >= 0"},
       {"ar stationarity (z = 1)", "ar stationarity (z = -1)", "ma invertibility (z = 1)"},
       {{1, 1, 0, 0, 0, 0, 0, 0, 0, 1 - 1e-6},
        {-1, 1, 0, 0, 0, 0, 0, 0, 0, 1 - 1e-6},
        {0, 0, 0, -1, -1, 0, 0, 0, 0, 1 - 1e-6}}},
  };
  for (const Layout& layout : layouts) {
    const Plan plan =
        make_plan(layout.settings, kReturns.data(), kReturns.size(), kRegressor.data());
    ASSERT_EQ(plan.mean_start, MeanStart::fitted) << layout.label;
    ASSERT_EQ(plan.size(), parameter_count(layout.settings)) << layout.label;
    const std::vector<std::string> names = plan.constraint_names();
    const std::size_t k = plan.size();
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + static_cast<long>(k)),
              layout.lower)
        << layout.label;
    EXPECT_EQ(std::vector<std::string>(
                  names.begin() + static_cast<long>(2 * k),
                  names.begin() + static_cast<long>(2 * k) + static_cast<long>(plan.linear.size())),
              layout.linear)
        << layout.label;
    ASSERT_EQ(layout.rows.size(), plan.linear.size()) << layout.label;
    for (std::size_t r = 0; r < plan.linear.size(); ++r) {
      EXPECT_EQ(dense(plan, r), layout.rows[r]) << layout.label << ", row " << r;
    }
    // The names do not depend on the data.
    EXPECT_EQ(plan_outline(layout.settings).constraint_names(), names) << layout.label;
  }
  // The scaled shift's nonlinear condition reads the variance block after the mean's five.
  const Plan plan = make_plan(scaled_shift, kReturns.data(), kReturns.size(), kRegressor.data());
  EXPECT_EQ(plan.variance_offset, 5U);
  const std::vector<double> theta{0, 0, 0, 0, 0, 0.1, 0.1, 0.5, 0.8};
  std::vector<double> gradient(plan.size());
  EXPECT_NEAR(nonlinear_value(plan, theta.data(), gradient.data()), 1.25 * 0.1 + 0.8 - 1 + 1e-6,
              1e-15);
  EXPECT_EQ(gradient, (std::vector<double>{0, 0, 0, 0, 0, 0, 1.25, 2 * 0.5 * 0.1, 1}));
}

TEST(MeanPlan, LeastSquaresStartAndTheLevelOfItsResiduals) {
  // y(t) on a constant and y(t - 1) over t = 2..6 of {1, 3, 2, 5, 4, 6}: slope 3/10 and
  // intercept 4 - 0.3 * 3 = 3.1; residuals -0.4, -2, 1.3, -0.6, 1.7, mean square 9.1 / 5.
  const std::vector<double> y(kReturns.begin(), kReturns.begin() + 6);
  ModelSettings s = garch_with_mean(1, {1}, {1}, 0, 1);
  const Plan plan = make_plan(s, y.data(), y.size());
  ASSERT_EQ(plan.mean_start, MeanStart::fitted);
  for (std::size_t i = 0; i < kCandidates; ++i) {
    const double* candidate = plan.candidates.data() + i * plan.size();
    EXPECT_NEAR(candidate[0], 3.1, 1e-14);
    EXPECT_NEAR(candidate[1], 0.3, 1e-14);
    EXPECT_EQ(candidate[2], 0.0);  // the moving-average coefficient starts at 0
  }
  EXPECT_NEAR(plan.level, 1.82, 1e-14);
  EXPECT_NEAR(plan.backcast, 1.82, 1e-14);
  EXPECT_NEAR(plan.parameters[3].lower, 1.82e-8, 1e-22);  // omega: 1e-8 level
  EXPECT_NEAR(plan.parameters[0].scale, std::sqrt(1.82), 1e-14);
  // With a regressor and no constant: y = 2 x + (the residual series), through the origin.
  ModelSettings regression = garch_with_mean(0, {}, {}, 1, 0);
  std::vector<double> with_x(kRegressor.size());
  double xx = 0;
  double xy = 0;
  for (std::size_t t = 0; t < with_x.size(); ++t) {
    with_x[t] = 2 * kRegressor[t] + kReturns[t];
    xx += kRegressor[t] * kRegressor[t];
    xy += kRegressor[t] * with_x[t];
  }
  const Plan fitted = make_plan(regression, with_x.data(), with_x.size(), kRegressor.data());
  EXPECT_NEAR(fitted.candidates[0], xy / xx, 1e-14);
}

TEST(MeanPlan, SamplesOnWhichTheLeastSquaresFitIsSingularOrExact) {
  const std::vector<double> zeros(kReturns.size(), 0.0);
  const std::vector<double> ones(kReturns.size(), 1.0);
  std::vector<double> twice(kRegressor.size());
  for (std::size_t t = 0; t < twice.size(); ++t) {
    twice[t] = 2 * kRegressor[t];
  }
  struct Case {
    const char* label;
    ModelSettings settings;
    const std::vector<double>* y;
    const std::vector<double>* x;
    MeanStart start;
  };
  const std::vector<Case> cases{
      {"a regressor of zeros", garch_with_mean(1, {}, {}, 1, 1), &kReturns, &zeros,
       MeanStart::singular},
      {"a regressor of ones beside the constant", garch_with_mean(1, {}, {}, 1, 1), &kReturns,
       &ones, MeanStart::singular},
      {"more regressors than modelled observations", garch_with_mean(1, {1, 2, 3}, {}, 1, 9),
       &kReturns, &kRegressor, MeanStart::singular},
      {"y twice the regressor", garch_with_mean(0, {}, {}, 1, 1), &twice, &kRegressor,
       MeanStart::exact},
      {"y on its own lag", garch_with_mean(1, {1}, {}, 0, 1), &ones, nullptr, MeanStart::singular},
      {"a mean of MA terms alone fits nothing", garch_with_mean(0, {}, {1}, 0, 1), &kReturns,
       nullptr, MeanStart::fitted},
  };
  for (const Case& c : cases) {
    const Plan plan =
        make_plan(c.settings, c.y->data(), c.y->size(), c.x == nullptr ? nullptr : c.x->data());
    EXPECT_EQ(plan.mean_start, c.start) << c.label;
  }
}

TEST(MeanPlan, AnExplosiveLeastSquaresStartIsHalvedIntoTheRegion) {
  // y(t) = 1.5 y(t - 1) + a small wobble: the least-squares coefficient is about 1.5, which
  // the region does not hold; halved once it does.
  std::vector<double> y{1};
  for (int t = 1; t < 30; ++t) {
    y.push_back(1.5 * y.back() + (t % 2 == 0 ? 0.01 : -0.01));
  }
  const Plan plan = make_plan(garch_with_mean(0, {1}, {}, 0, 1), y.data(), y.size());
  ASSERT_EQ(plan.mean_start, MeanStart::fitted);
  EXPECT_GT(plan.candidates[0], 0.7);
  EXPECT_LT(plan.candidates[0], 0.76);
  EXPECT_EQ(check_start(plan, plan.candidates.data()).verdict, StartCheck::Verdict::inside);
}

}  // namespace
