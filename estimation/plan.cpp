#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "estimation.hpp"

namespace volfilter::estimation {

namespace {

// The start candidates: news coefficient by persistence.
constexpr double kNews[kCandidates] = {0.03, 0.03, 0.03, 0.08, 0.08, 0.08, 0.15, 0.15, 0.15};
constexpr double kPersistence[kCandidates] = {0.85, 0.95, 0.99, 0.85, 0.95, 0.99, 0.85, 0.95, 0.99};

// The stationarity conditions keep the sum of the persistence terms this far below 1.
constexpr double kStationarityMargin = 1e-6;

// The weights of the exponentially weighted pre-sample mean, and the observations it reads:
// beyond 500 a weight is below 4e-14 of the first.
constexpr double kEwmaDecay = 0.94;
constexpr std::uint64_t kEwmaObservations = 500;

// The mean of the squared residuals.
double mean_square(const double* e, std::uint64_t T) {
  double sum = 0.0;
  for (std::uint64_t t = 0; t < T; ++t) {
    sum = sum + e[t] * e[t];
  }
  return sum / static_cast<double>(T);
}

// Their exponentially weighted mean from the start of the sample, weights 0.94^t normalised
// to sum to one.
double ewma_square(const double* e, std::uint64_t T) {
  const std::uint64_t n = std::min(T, kEwmaObservations);
  double weighted = 0.0;
  double weights = 0.0;
  for (std::uint64_t t = 0; t < n; ++t) {
    const double weight = std::pow(kEwmaDecay, static_cast<double>(t));
    weighted = weighted + weight * (e[t] * e[t]);
    weights = weights + weight;
  }
  return weighted / weights;
}

// The units the recursion of a model runs in.
enum class Units { variance, standard_deviation, log_variance };

Units units_of(const ModelSettings& s) {
  if (s.model == Model::logvol) {
    return Units::log_variance;
  }
  const bool power_form = s.model == Model::threshvol || s.model == Model::intvol;
  return power_form && s.type == 1 ? Units::standard_deviation : Units::variance;
}

double in_units(double variance, Units units) {
  switch (units) {
    case Units::standard_deviation:
      return std::sqrt(variance);
    case Units::log_variance:
      return std::log(variance);
    case Units::variance:
      break;
  }
  return variance;
}

std::string numbered(const char* family, std::int32_t lag) {
  return std::string(family) + std::to_string(lag);
}

// Appends parameters with their bounds, each bound named "<name> >= <lower_text>" and
// "<name> <= <upper_text>", and linear constraints over them.
class Builder {
 public:
  explicit Builder(Plan& plan) : plan_(plan) {}

  void add(std::string name, double lower, std::string lower_text, double upper,
           std::string upper_text, double scale = 1.0, bool scale_by_start = false) {
    Parameter parameter;
    parameter.name = std::move(name);
    parameter.lower = lower;
    parameter.upper = upper;
    parameter.lower_text = std::move(lower_text);
    parameter.upper_text = std::move(upper_text);
    parameter.scale = scale;
    parameter.scale_by_start = scale_by_start;
    plan_.parameters.push_back(std::move(parameter));
  }

  void family(const char* prefix, std::int32_t count, double lower, const char* lower_text,
              double upper, const char* upper_text) {
    for (std::int32_t i = 1; i <= count; ++i) {
      add(numbered(prefix, i), lower, lower_text, upper, upper_text);
    }
  }

  // The coefficient times each parameter from `first` to `first + count - 1`.
  static void terms(std::vector<LinearConstraint::Term>& terms, std::size_t first,
                    std::int64_t count, double coefficient) {
    for (std::int64_t i = 0; i < count; ++i) {
      terms.push_back({first + static_cast<std::size_t>(i), coefficient});
    }
  }

  void linear(std::string name, std::vector<LinearConstraint::Term> terms, double bound) {
    plan_.linear.push_back({std::move(name), std::move(terms), bound});
  }

 private:
  Plan& plan_;
};

// The candidates as columns: `column(i, values)` writes candidate i's k values.
void set_candidate(Plan& plan, std::size_t i, const std::vector<double>& values) {
  const std::size_t k = plan.parameters.size();
  std::copy(values.begin(), values.end(), plan.candidates.begin() + static_cast<long>(i * k));
}

void threshvol_plan(const ModelSettings& s, Plan& plan) {
  const std::int32_t p = s.p;
  const std::int32_t o = s.o;
  const std::int32_t q = s.q;
  const double unit = plan.level;
  Builder builder(plan);
  builder.add("omega", 1e-8 * unit, "1e-8 level", 10 * unit, "10 level", unit, true);
  builder.family("alpha", p, 0.0, "0", 1.0, "1");
  // gamma(j) may be negative down to -1 where alpha(j) keeps alpha(j) + gamma(j) >= 0.
  for (std::int32_t j = 1; j <= o; ++j) {
    const bool matched = j <= p;
    builder.add(numbered("gamma", j), matched ? -1.0 : 0.0, matched ? "-1" : "0", 2.0, "2");
  }
  builder.family("beta", q, 0.0, "0", 1.0, "1");
  // Stationarity for shocks symmetric about zero: sum(alpha) + sum(gamma)/2 + sum(beta).
  const auto first = static_cast<std::size_t>(1);
  const auto p_size = static_cast<std::size_t>(p);
  std::vector<LinearConstraint::Term> stationarity;
  Builder::terms(stationarity, first, p, 1.0);
  Builder::terms(stationarity, first + p_size, o, 0.5);
  Builder::terms(stationarity, first + p_size + static_cast<std::size_t>(o), q, 1.0);
  builder.linear("stationarity", std::move(stationarity), 1 - kStationarityMargin);
  for (std::int32_t j = 1; j <= std::min(p, o); ++j) {
    const auto lag = static_cast<std::size_t>(j);
    builder.linear(numbered("alpha", j) + " + " + numbered("gamma", j) + " >= 0",
                   {{lag, -1.0}, {p_size + lag, -1.0}}, 0.0);
  }
  // The news split evenly over the lags of each family, alpha and gamma alike; beta takes the
  // rest of the persistence; omega makes the unconditional level the sample's.
  plan.candidates.assign(plan.size() * kCandidates, 0.0);
  for (std::size_t i = 0; i < kCandidates; ++i) {
    const double alpha = p > 0 ? kNews[i] : 0.0;
    const double gamma = o > 0 ? kNews[i] : 0.0;
    const double beta = q > 0 ? std::max(kPersistence[i] - alpha - gamma / 2, 0.0) : 0.0;
    std::vector<double> values{unit * (1 - alpha - gamma / 2 - beta)};
    values.insert(values.end(), static_cast<std::size_t>(p), alpha / std::max(p, 1));
    values.insert(values.end(), static_cast<std::size_t>(o), gamma / std::max(o, 1));
    values.insert(values.end(), static_cast<std::size_t>(q), beta / std::max(q, 1));
    set_candidate(plan, i, values);
  }
}

void logvol_plan(const ModelSettings& s, Plan& plan, const double* e, std::uint64_t T) {
  const std::int32_t p = s.p;
  const std::int32_t o = s.o;
  const std::int32_t q = s.q;
  const double log_variance = plan.level;
  // Bounds that keep the search in a plausible region; the log variance needs no positivity.
  const double reach = std::fabs(log_variance) + 20;
  Builder builder(plan);
  builder.add("omega", -reach, "-(|log level| + 20)", reach, "|log level| + 20");
  builder.family("alpha", p, -2.0, "-2", 2.0, "2");
  builder.family("gamma", o, -2.0, "-2", 2.0, "2");
  builder.family("beta", q, -1 + kStationarityMargin, "-1 + 1e-6", 1 - kStationarityMargin,
                 "1 - 1e-6");
  // With one beta the bounds are the whole stationarity condition; with more their sum is a
  // necessary condition.
  if (q > 1) {
    std::vector<LinearConstraint::Term> stationarity;
    Builder::terms(stationarity, 1 + static_cast<std::size_t>(p) + static_cast<std::size_t>(o), q,
                   1.0);
    builder.linear("stationarity", std::move(stationarity), 1 - kStationarityMargin);
  }
  // The filter's ceiling: far above any variance the data support.
  if (s.upper_bound_given) {
    plan.upper_bound = s.upper_bound;
  } else {
    double largest = 0.0;
    for (std::uint64_t t = 0; t < T; ++t) {
      largest = std::max(largest, e[t] * e[t]);
    }
    plan.upper_bound = 1000 * largest;
  }
  // Twice the news on the magnitude, no asymmetry, the persistence on the log variance, and
  // omega making the unconditional log variance the sample's.
  plan.candidates.assign(plan.size() * kCandidates, 0.0);
  for (std::size_t i = 0; i < kCandidates; ++i) {
    const double beta = q > 0 ? kPersistence[i] : 0.0;
    std::vector<double> values{log_variance * (1 - beta)};
    values.insert(values.end(), static_cast<std::size_t>(p), 2 * kNews[i] / std::max(p, 1));
    values.insert(values.end(), static_cast<std::size_t>(o), 0.0);
    values.insert(values.end(), static_cast<std::size_t>(q), beta / std::max(q, 1));
    set_candidate(plan, i, values);
  }
}

void shiftvol_plan(const ModelSettings& s, Plan& plan) {
  const std::int32_t p = s.p;
  const std::int32_t q = s.q;
  const double variance = plan.level;
  const bool constant_shift = s.type == 1;
  // The shift in the data's units (type 1) or in standard deviations.
  const double shift_unit = constant_shift ? std::sqrt(variance) : 1.0;
  Builder builder(plan);
  builder.add("omega", 1e-8 * variance, "1e-8 level", 10 * variance, "10 level", variance, true);
  builder.family("alpha", p, 0.0, "0", 1.0, "1");
  builder.add("gamma", -10 * shift_unit, constant_shift ? "-10 sd" : "-10", 10 * shift_unit,
              constant_shift ? "10 sd" : "10", shift_unit);
  builder.family("beta", q, 0.0, "0", 1.0, "1");
  // E (e - gamma)^2 = h + gamma^2 (a constant added) under type 1; E (e - gamma sqrt(h))^2 =
  // (1 + gamma^2) h otherwise, which makes the condition nonlinear.
  if (constant_shift) {
    std::vector<LinearConstraint::Term> stationarity;
    Builder::terms(stationarity, 1, p, 1.0);
    Builder::terms(stationarity, 2 + static_cast<std::size_t>(p), q, 1.0);
    builder.linear("stationarity", std::move(stationarity), 1 - kStationarityMargin);
  } else {
    plan.nonlinear = Nonlinear::scaled_shift_stationarity;
    plan.nonlinear_name = "stationarity";
    plan.p = p;
    plan.q = q;
  }
  // The symmetric model without a shift, the news split over the lags, beta taking the rest
  // of the persistence and omega making the unconditional variance the sample's.
  plan.candidates.assign(plan.size() * kCandidates, 0.0);
  for (std::size_t i = 0; i < kCandidates; ++i) {
    const double alpha = p > 0 ? kNews[i] : 0.0;
    const double beta = q > 0 ? std::max(kPersistence[i] - alpha, 0.0) : 0.0;
    std::vector<double> values{variance * (1 - alpha - beta)};
    values.insert(values.end(), static_cast<std::size_t>(p), alpha / std::max(p, 1));
    values.push_back(0.0);
    values.insert(values.end(), static_cast<std::size_t>(q), beta / std::max(q, 1));
    set_candidate(plan, i, values);
  }
}

void intvol_plan(const ModelSettings& s, Plan& plan) {
  const std::int32_t p = s.p;
  const std::int32_t q = s.q;
  const bool constant = s.constant != 0;
  const double unit = plan.level;
  Builder builder(plan);
  if (constant) {
    builder.add("omega", 1e-8 * unit, "1e-8 level", 10 * unit, "10 level", unit, true);
  }
  builder.family("alpha", p, 0.0, "0", 1.0, "1");
  builder.family("beta", q - 1, 0.0, "0", 1.0, "1");
  // beta(q) = 1 - sum(alpha) - sum(beta(1..q-1)) is implied; it must not be negative. The
  // model is integrated by construction: there is no stationarity condition.
  std::vector<LinearConstraint::Term> implied;
  Builder::terms(implied, constant ? 1 : 0, std::int64_t{p} + q - 1, 1.0);
  builder.linear("implied " + numbered("beta", q) + " >= 0", std::move(implied), 1.0);
  // The news split evenly over the alpha lags, the rest of the unit sum over the beta lags
  // (the implied one included), omega a fifth of (1 - persistence) of the level: integrated
  // variances drift upwards with omega.
  plan.candidates.assign(plan.size() * kCandidates, 0.0);
  for (std::size_t i = 0; i < kCandidates; ++i) {
    const double alpha = p > 0 ? kNews[i] : 0.0;
    std::vector<double> values;
    if (constant) {
      values.push_back(0.2 * (1 - kPersistence[i]) * unit);
    }
    values.insert(values.end(), static_cast<std::size_t>(p), alpha / std::max(p, 1));
    values.insert(values.end(), static_cast<std::size_t>(q - 1), (1 - alpha) / q);
    set_candidate(plan, i, values);
  }
}

// Student's t degrees of freedom after the model's parameters: nu in [2.05, 500] (a variance
// exists only above 2), scale 10, start 8.
void add_shape(const ModelSettings& s, Plan& plan) {
  if (s.distribution != Distribution::student_t) {
    return;
  }
  const std::size_t before = plan.size();
  Builder builder(plan);
  builder.add("nu", 2.05, "2.05", 500.0, "500", 10.0);
  std::vector<double> candidates;
  for (std::size_t i = 0; i < kCandidates; ++i) {
    const auto first = plan.candidates.begin() + static_cast<long>(i * before);
    candidates.insert(candidates.end(), first, first + static_cast<long>(before));
    candidates.push_back(8.0);
  }
  plan.candidates = candidates;
}

// ---------------------------------------------------------------------------------------
// The mean block.

// A pivot of the regressors' correlation matrix below this (its square) makes them collinear
// on the sample: the start values could not be told apart.
constexpr double kCollinearPivot = 1e-12;

// Residuals whose mean square is below this share of the returns' leave nothing to model.
constexpr double kExactShare = 1e-20;

// Bounds of the constant and the regression coefficients, in root mean squares of y (over
// those of the regressor): far beyond any mean the data support, yet finite.
constexpr double kMeanReach = 100.0;

// A binomial coefficient bounds a lag polynomial's coefficient; beyond this it bounds nothing.
constexpr double kMostBinomial = 1e6;

// The least-squares fit of the mean that gives its start values.
struct MeanFit {
  MeanStart start = MeanStart::none;
  std::vector<double> theta;      // the mean block's start values
  std::vector<double> residuals;  // T residuals at them, 0 before m
  double y_rms = 1.0;             // of the modelled returns
  double e_rms = 1.0;             // of the modelled residuals at the start values
  std::vector<double> x_rms;      // of each regressor over the modelled rows
};

double root_mean_square(const double* values, std::uint64_t count) {
  return std::sqrt(mean_square(values, count));
}

// C(n, r), at most kMostBinomial.
double binomial(std::int64_t n, std::int64_t r) {
  double value = 1.0;
  for (std::int64_t i = 1; i <= r && value < kMostBinomial; ++i) {
    value = value * static_cast<double>(n - r + i) / static_cast<double>(i);
  }
  return std::min(value, kMostBinomial);
}

std::string number_text(double value) {
  char text[32];
  static_cast<void>(std::snprintf(text, sizeof text, "%g", value));
  return text;
}

std::int32_t lag_of(double lag) { return static_cast<std::int32_t>(lag); }

// Ordinary least squares of y(t), t = m..T-1, on the constant, the autoregressive lags of y and
// the regressors (the moving-average coefficients start at 0), on the columns scaled to unit
// length so that collinearity shows in the pivots whatever the units.
MeanFit fit_mean(const ModelSettings& s, const double* y, std::uint64_t T, const double* x) {
  MeanFit fit;
  const MeanSettings& mean = s.mean;
  const auto m = static_cast<std::uint64_t>(s.m);
  const std::size_t c = mean.constant != 0 ? 1 : 0;
  const std::size_t P = mean.ar_lags.size();
  const auto K = static_cast<std::size_t>(mean.x_columns);
  const std::size_t r = c + P + K;  // the regressors of the least-squares fit
  fit.theta.assign(static_cast<std::size_t>(mean_parameters(s)), 0.0);
  if (T <= m || T - m < r) {
    fit.start = MeanStart::singular;
    return fit;
  }
  const std::uint64_t n = T - m;
  const auto regressor = [&](std::size_t j, std::uint64_t t) {
    if (j < c) {
      return 1.0;
    }
    if (j < c + P) {
      return y[t - static_cast<std::uint64_t>(lag_of(mean.ar_lags[j - c]))];
    }
    return x[t + (j - c - P) * T];
  };
  fit.x_rms.assign(K, 1.0);
  if (r > 0) {
    std::vector<double> norm(r);
    for (std::size_t j = 0; j < r; ++j) {
      double sum = 0.0;
      for (std::uint64_t t = m; t < T; ++t) {
        sum = sum + regressor(j, t) * regressor(j, t);
      }
      norm[j] = std::sqrt(sum);
      if (!(norm[j] > 0.0)) {
        fit.start = MeanStart::singular;
        return fit;
      }
    }
    for (std::size_t j = 0; j < K; ++j) {
      fit.x_rms[j] = norm[c + P + j] / std::sqrt(static_cast<double>(n));
    }
    std::vector<double> gram(r * r);
    std::vector<double> rhs(r);
    for (std::size_t j = 0; j < r; ++j) {
      for (std::size_t l = 0; l <= j; ++l) {
        double sum = 0.0;
        for (std::uint64_t t = m; t < T; ++t) {
          sum = sum + regressor(j, t) * regressor(l, t);
        }
        gram[j + l * r] = sum / (norm[j] * norm[l]);
        gram[l + j * r] = gram[j + l * r];
      }
      double sum = 0.0;
      for (std::uint64_t t = m; t < T; ++t) {
        sum = sum + regressor(j, t) * y[t];
      }
      rhs[j] = sum / norm[j];
    }
    std::vector<double> factor(r * r);
    bool regular = cholesky(gram.data(), r, factor.data());
    for (std::size_t j = 0; regular && j < r; ++j) {
      regular = factor[j + j * r] * factor[j + j * r] > kCollinearPivot;
    }
    if (!regular) {
      fit.start = MeanStart::singular;
      return fit;
    }
    solve_from_cholesky(factor.data(), r, rhs.data());
    for (std::size_t j = 0; j < r; ++j) {
      fit.theta[j] = rhs[j] / norm[j];
    }
  }
  fit.y_rms = root_mean_square(y + m, n);
  fit.start = MeanStart::fitted;
  return fit;
}

// The residuals at the mean's start values, by lagreg_kernel as the likelihood kernels form
// them; their root mean square, and whether they leave a variance to model.
void start_residuals(const ModelSettings& s, const double* y, std::uint64_t T, const double* x,
                     MeanFit& fit) {
  const MeanTerms terms = mean_terms(s, y, x);
  const std::vector<double> unit(T, 1.0);
  fit.residuals.assign(T, 0.0);
  lagreg_kernel(fit.theta.data(), terms.ar_lags, terms.ma_lags, terms.constant, terms.ar_count,
                terms.ma_count, y, x, static_cast<std::uint64_t>(s.m), T, terms.x_columns,
                unit.data(), fit.residuals.data());
  const auto m = static_cast<std::uint64_t>(s.m);
  const double square = mean_square(fit.residuals.data() + m, T - m);
  constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
  if (!(square >= std::numeric_limits<double>::min() / kEpsilon) ||
      !(square > kExactShare * fit.y_rms * fit.y_rms)) {
    fit.start = MeanStart::exact;
  }
  fit.e_rms = std::sqrt(square);
}

// The bounds of one lag family's coefficients, "ar" or "ma": with one lag, within 1 - 1e-6 (the
// whole stationarity or invertibility condition); with several, the largest lag's within
// 1 - 1e-6 and each other's within the binomial coefficient C(L, lag), L the largest lag, which
// bound the coefficients of a polynomial of degree L whose roots lie outside the unit circle.
void lag_family(Builder& builder, const char* prefix, const std::vector<double>& lags) {
  std::int32_t largest = 0;
  for (double lag : lags) {
    largest = std::max(largest, lag_of(lag));
  }
  for (double lag : lags) {
    const std::int32_t l = lag_of(lag);
    if (l == largest) {
      builder.add(numbered(prefix, l), -1 + kStationarityMargin, "-1 + 1e-6",
                  1 - kStationarityMargin, "1 - 1e-6");
    } else {
      const double reach = binomial(largest, l);
      builder.add(numbered(prefix, l), -reach, number_text(-reach), reach, number_text(reach));
    }
  }
}

// With several lags in a family, its polynomial 1 + sign sum(coefficient z^lag) (sign -1 for
// ar, the stationarity condition; +1 for ma, the invertibility one) at least 1e-6 at z = 1 and
// z = -1, so that no real root reaches the unit circle: -sign sum(coefficient z^lag) <= 1 - 1e-6.
// At z = -1 only where some lag is odd (otherwise it is the condition at 1).
void lag_conditions(Builder& builder, const char* family, const char* condition,
                    const std::vector<double>& lags, std::size_t first, double sign) {
  if (lags.size() < 2) {
    return;
  }
  bool odd = false;
  std::vector<LinearConstraint::Term> at_one;
  std::vector<LinearConstraint::Term> at_minus_one;
  for (std::size_t j = 0; j < lags.size(); ++j) {
    const bool is_odd = lag_of(lags[j]) % 2 != 0;
    odd = odd || is_odd;
    at_one.push_back({first + j, -sign});
    at_minus_one.push_back({first + j, is_odd ? sign : -sign});
  }
  const std::string name = std::string(family) + " " + condition;
  builder.linear(name + " (z = 1)", std::move(at_one), 1 - kStationarityMargin);
  if (odd) {
    builder.linear(name + " (z = -1)", std::move(at_minus_one), 1 - kStationarityMargin);
  }
}

// The mean's block of a plan: its parameters (mu, ar<lag>, x<column>, ma<lag>), their bounds
// and scales (the constant's and the regression coefficients' from the residuals' root mean
// square at the start values), and the constraints of its lag families.
Plan mean_block(const ModelSettings& s, const MeanFit& fit) {
  const MeanSettings& mean = s.mean;
  Plan block;
  Builder builder(block);
  const double sd = fit.e_rms > 0.0 ? fit.e_rms : 1.0;
  const double reach = kMeanReach * fit.y_rms;
  if (mean.constant != 0) {
    builder.add("mu", -reach, "-100 rms(y)", reach, "100 rms(y)", sd);
  }
  lag_family(builder, "ar", mean.ar_lags);
  for (std::uint64_t j = 0; j < mean.x_columns; ++j) {
    const std::string name = numbered("x", static_cast<std::int32_t>(j + 1));
    const double x_rms = fit.x_rms[static_cast<std::size_t>(j)];
    const std::string unit = "100 rms(y)/rms(" + name + ")";
    builder.add(name, -reach / x_rms, "-" + unit, reach / x_rms, unit, sd / x_rms);
  }
  lag_family(builder, "ma", mean.ma_lags);
  const std::size_t c = mean.constant != 0 ? 1 : 0;
  const std::size_t ma_first = c + mean.ar_lags.size() + static_cast<std::size_t>(mean.x_columns);
  lag_conditions(builder, "ar", "stationarity", mean.ar_lags, c, -1.0);
  lag_conditions(builder, "ma", "invertibility", mean.ma_lags, ma_first, 1.0);
  return block;
}

// Whether the mean's start values hold the block's bounds and constraints.
bool mean_start_holds(const Plan& block, const std::vector<double>& theta) {
  for (std::size_t i = 0; i < theta.size(); ++i) {
    if (!(theta[i] >= block.parameters[i].lower && theta[i] <= block.parameters[i].upper)) {
      return false;
    }
  }
  return std::all_of(block.linear.begin(), block.linear.end(),
                     [&](const LinearConstraint& row) { return row.value(theta.data()) <= 0.0; });
}

// Least-squares start values inside the block: the constant and the regression coefficients
// clipped to their bounds, the autoregressive ones (of a series near a unit root, say) halved
// until they hold their bounds and constraints, and 0 if they never do.
void feasible_start(const ModelSettings& s, const Plan& block, MeanFit& fit) {
  const std::size_t first = s.mean.constant != 0 ? 1 : 0;
  const std::size_t P = s.mean.ar_lags.size();
  for (std::size_t i = 0; i < fit.theta.size(); ++i) {
    if (i < first || i >= first + P) {
      fit.theta[i] = std::clamp(fit.theta[i], block.parameters[i].lower, block.parameters[i].upper);
    }
  }
  constexpr int kMostHalvings = 60;
  for (int i = 0; i < kMostHalvings && !mean_start_holds(block, fit.theta); ++i) {
    for (std::size_t j = first; j < first + P; ++j) {
      fit.theta[j] = fit.theta[j] / 2;
    }
  }
  if (!mean_start_holds(block, fit.theta)) {
    std::fill(fit.theta.begin() + static_cast<long>(first),
              fit.theta.begin() + static_cast<long>(first + P), 0.0);
  }
}

// The mean's block before the variance model's plan: the variance model's indices shifted past
// it, and the mean's start values before every candidate.
void prepend_mean(Plan block, const std::vector<double>& start, Plan& plan) {
  const std::size_t offset = block.size();
  const std::size_t k = offset + plan.size();
  for (LinearConstraint& constraint : plan.linear) {
    for (LinearConstraint::Term& term : constraint.terms) {
      term.index += offset;
    }
  }
  std::vector<double> candidates;
  candidates.reserve(k * kCandidates);
  for (std::size_t i = 0; i < kCandidates; ++i) {
    const auto first = plan.candidates.begin() + static_cast<long>(i * plan.size());
    candidates.insert(candidates.end(), start.begin(), start.end());
    candidates.insert(candidates.end(), first, first + static_cast<long>(plan.size()));
  }
  block.parameters.insert(block.parameters.end(), plan.parameters.begin(), plan.parameters.end());
  block.linear.insert(block.linear.end(), plan.linear.begin(), plan.linear.end());
  plan.parameters = std::move(block.parameters);
  plan.linear = std::move(block.linear);
  plan.candidates = std::move(candidates);
  plan.variance_offset = offset;
  plan.mean_start = MeanStart::fitted;
}

}  // namespace

bool is_model(std::int32_t code) { return code >= 0 && code <= 3; }

bool is_presample_rule(std::int32_t code) { return code >= 0 && code <= 2; }

std::int32_t effective_o(const ModelSettings& settings) {
  const bool asymmetric = settings.model == Model::threshvol || settings.model == Model::logvol;
  return asymmetric ? settings.o : 0;
}

std::int32_t largest_order(const ModelSettings& settings) {
  return std::max({settings.p, effective_o(settings), settings.q});
}

bool has_mean(const ModelSettings& s) {
  return s.mean.constant != 0 || !s.mean.ar_lags.empty() || !s.mean.ma_lags.empty() ||
         s.mean.x_columns > 0;
}

std::uint64_t mean_parameters(const ModelSettings& s) {
  return static_cast<std::uint64_t>(s.mean.constant != 0 ? 1 : 0) + s.mean.ar_lags.size() +
         s.mean.x_columns + s.mean.ma_lags.size();
}

MeanTerms mean_terms(const ModelSettings& s, const double* y, const double* x) {
  return {y,
          x,
          s.mean.x_columns,
          s.mean.ar_lags.data(),
          static_cast<std::int32_t>(s.mean.ar_lags.size()),
          s.mean.ma_lags.data(),
          static_cast<std::int32_t>(s.mean.ma_lags.size()),
          s.mean.constant != 0 ? 1 : 0};
}

std::uint64_t parameter_count(const ModelSettings& s) {
  const auto p = static_cast<std::uint64_t>(s.p);
  const auto o = static_cast<std::uint64_t>(effective_o(s));
  const auto q = static_cast<std::uint64_t>(s.q);
  std::uint64_t k = 0;
  switch (s.model) {
    case Model::threshvol:
    case Model::logvol:
      k = 1 + p + o + q;
      break;
    case Model::shiftvol:
      k = p + q + 2;
      break;
    case Model::intvol:
      k = static_cast<std::uint64_t>(s.constant != 0 ? 1 : 0) + p + q - 1;
      break;
  }
  return mean_parameters(s) + k + static_cast<std::uint64_t>(shape_parameter_count(s.distribution));
}

std::uint64_t least_observations(std::uint64_t parameters) {
  // Saturating, as the counts of the short plan call may be up to 2^64 - 1.
  constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
  return parameters > kMost / 10 ? kMost : 10 * parameters;
}

std::string Parameter::lower_name() const { return name + " >= " + lower_text; }

std::string Parameter::upper_name() const { return name + " <= " + upper_text; }

void LinearConstraint::dense(std::size_t k, double* row) const {
  std::fill(row, row + k, 0.0);
  for (const Term& term : terms) {
    row[term.index] = term.coefficient;
  }
}

double LinearConstraint::value(const double* theta) const {
  double sum = 0.0;
  for (const Term& term : terms) {
    sum = sum + term.coefficient * theta[term.index];
  }
  return sum - bound;
}

std::size_t Plan::constraint_count() const {
  return 2 * parameters.size() + linear.size() + (nonlinear == Nonlinear::none ? 0 : 1);
}

std::vector<std::string> Plan::constraint_names() const {
  std::vector<std::string> names;
  names.reserve(constraint_count());
  for (const Parameter& parameter : parameters) {
    names.push_back(parameter.lower_name());
  }
  for (const Parameter& parameter : parameters) {
    names.push_back(parameter.upper_name());
  }
  for (const LinearConstraint& constraint : linear) {
    names.push_back(constraint.name);
  }
  if (nonlinear != Nonlinear::none) {
    names.push_back(nonlinear_name);
  }
  return names;
}

ScaleCheck check_scale(const double* e, std::uint64_t T) {
  constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
  const double square = mean_square(e, T);
  ScaleCheck check;
  check.fits = square >= std::numeric_limits<double>::min() / kEpsilon &&
               square <= kEpsilon * std::numeric_limits<double>::max();
  if (!check.fits) {
    double largest = 0.0;
    for (std::uint64_t t = 0; t < T; ++t) {
      largest = std::max(largest, std::fabs(e[t]));
    }
    double sum = 0.0;
    for (std::uint64_t t = 0; t < T; ++t) {
      const double ratio = e[t] / largest;
      sum = sum + ratio * ratio;
    }
    check.root_mean_square = largest * std::sqrt(sum / static_cast<double>(T));
    check.too_large = square > 1.0;
  }
  return check;
}

double presample_value(const ModelSettings& s, const double* e, std::uint64_t T) {
  if (s.presample_rule == PresampleRule::given) {
    return s.presample_value;
  }
  const double variance =
      s.presample_rule == PresampleRule::ewma ? ewma_square(e, T) : mean_square(e, T);
  return in_units(variance, units_of(s));
}

double presample_variance(const ModelSettings& s, double backcast) {
  switch (units_of(s)) {
    case Units::log_variance:
      return std::exp(backcast);
    case Units::standard_deviation:
      return backcast * backcast;
    case Units::variance:
      break;
  }
  return backcast;
}

namespace {

// The variance model's plan for the residuals e[0..T-1], its parameters from index 0.
Plan variance_plan(const ModelSettings& s, const double* e, std::uint64_t T) {
  Plan plan;
  plan.parameters.reserve(static_cast<std::size_t>(parameter_count(s)));
  // The sample's mean square in the model's units: a standard deviation under power 1, a log
  // variance for logvol; shiftvol's shift is measured in its square root.
  const double variance = mean_square(e, T);
  plan.level = in_units(variance, units_of(s));
  plan.backcast = presample_value(s, e, T);
  switch (s.model) {
    case Model::threshvol:
      threshvol_plan(s, plan);
      break;
    case Model::logvol:
      logvol_plan(s, plan, e, T);
      break;
    case Model::shiftvol:
      shiftvol_plan(s, plan);
      break;
    case Model::intvol:
      intvol_plan(s, plan);
      break;
  }
  add_shape(s, plan);
  return plan;
}

}  // namespace

Plan make_plan(const ModelSettings& s, const double* e, std::uint64_t T, const double* x) {
  if (!has_mean(s)) {
    return variance_plan(s, e, T);
  }
  MeanFit fit = fit_mean(s, e, T, x);
  if (fit.start == MeanStart::fitted) {
    feasible_start(s, mean_block(s, fit), fit);
    start_residuals(s, e, T, x, fit);
  }
  if (fit.start != MeanStart::fitted) {
    Plan plan;
    plan.mean_start = fit.start;
    return plan;
  }
  // The variance model reads the residuals after the m conditioned on: before m they are 0.
  const auto m = static_cast<std::uint64_t>(s.m);
  Plan plan = variance_plan(s, fit.residuals.data() + m, T - m);
  prepend_mean(mean_block(s, fit), fit.theta, plan);
  return plan;
}

Plan plan_outline(const ModelSettings& settings) {
  const double one = 1.0;
  Plan plan = variance_plan(settings, &one, 1);
  if (has_mean(settings)) {
    // The names and constraints do not depend on the data: those of unit scales.
    MeanFit fit;
    fit.theta.assign(static_cast<std::size_t>(mean_parameters(settings)), 0.0);
    fit.x_rms.assign(static_cast<std::size_t>(settings.mean.x_columns), 1.0);
    prepend_mean(mean_block(settings, fit), fit.theta, plan);
  }
  return plan;
}

double nonlinear_value(const Plan& plan, const double* theta, double* gradient) {
  const std::size_t k = plan.size();
  if (gradient != nullptr) {
    std::fill(gradient, gradient + k, 0.0);
  }
  if (plan.nonlinear == Nonlinear::none) {
    return 0.0;
  }
  // (1 + gamma^2) sum(alpha) + sum(beta) - (1 - 1e-6), parameters [omega, alpha, gamma, beta].
  const auto p = static_cast<std::size_t>(plan.p);
  const auto q = static_cast<std::size_t>(plan.q);
  const double* alpha = theta + plan.variance_offset + 1;
  const double gamma = alpha[p];
  const double* beta = alpha + p + 1;
  double alpha_sum = 0.0;
  for (std::size_t i = 0; i < p; ++i) {
    alpha_sum = alpha_sum + alpha[i];
  }
  double beta_sum = 0.0;
  for (std::size_t i = 0; i < q; ++i) {
    beta_sum = beta_sum + beta[i];
  }
  const double factor = 1 + gamma * gamma;
  if (gradient != nullptr) {
    double* g = gradient + plan.variance_offset;
    for (std::size_t i = 0; i < p; ++i) {
      g[1 + i] = factor;
    }
    g[1 + p] = 2 * gamma * alpha_sum;
    for (std::size_t i = 0; i < q; ++i) {
      g[2 + p + i] = 1.0;
    }
  }
  return factor * alpha_sum + beta_sum - (1 - kStationarityMargin);
}

void active_constraints(const Plan& plan, const double* theta, double* flags) {
  const std::size_t k = plan.size();
  const auto flag = [](bool active) { return active ? 1.0 : 0.0; };
  for (std::size_t i = 0; i < k; ++i) {
    const Parameter& parameter = plan.parameters[i];
    const double tolerance = kActiveTolerance * std::fabs(parameter.scale);
    flags[i] = flag(theta[i] - parameter.lower <= tolerance);
    flags[k + i] = flag(parameter.upper - theta[i] <= tolerance);
  }
  std::size_t next = 2 * k;
  for (const LinearConstraint& constraint : plan.linear) {
    flags[next++] = flag(-constraint.value(theta) <= kActiveTolerance);
  }
  if (plan.nonlinear != Nonlinear::none) {
    flags[next] = flag(-nonlinear_value(plan, theta, nullptr) <= kActiveTolerance);
  }
}

StartCheck check_start(const Plan& plan, const double* theta) {
  StartCheck check;
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const Parameter& parameter = plan.parameters[i];
    // Written so that NaN is outside.
    if (!(theta[i] >= parameter.lower && theta[i] <= parameter.upper)) {
      check.verdict = StartCheck::Verdict::outside_bounds;
      check.parameter = i;
      return check;
    }
  }
  bool broken = false;
  for (const LinearConstraint& constraint : plan.linear) {
    broken = broken || !(constraint.value(theta) <= kStartTolerance);
  }
  if (plan.nonlinear != Nonlinear::none) {
    broken = broken || !(nonlinear_value(plan, theta, nullptr) <= kStartTolerance);
  }
  if (broken) {
    check.verdict = StartCheck::Verdict::breaks_constraints;
  }
  return check;
}

}  // namespace volfilter::estimation
