#include <algorithm>
#include <cmath>
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

Units units_of(const Specification& s) {
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

  void add(std::string name, double lower, const char* lower_text, double upper,
           const char* upper_text, double scale = 1.0, bool scale_by_start = false) {
    Parameter parameter;
    parameter.name = std::move(name);
    parameter.lower = lower;
    parameter.upper = upper;
    parameter.lower_text = lower_text;
    parameter.upper_text = upper_text;
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

void threshvol_plan(const Specification& s, Plan& plan) {
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

void logvol_plan(const Specification& s, Plan& plan, const double* e, std::uint64_t T) {
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

void shiftvol_plan(const Specification& s, Plan& plan) {
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

void intvol_plan(const Specification& s, Plan& plan) {
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
void add_shape(const Specification& s, Plan& plan) {
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

}  // namespace

bool is_model(std::int32_t code) { return code >= 0 && code <= 3; }

bool is_presample_rule(std::int32_t code) { return code >= 0 && code <= 2; }

std::int32_t effective_o(const Specification& specification) {
  const bool asymmetric =
      specification.model == Model::threshvol || specification.model == Model::logvol;
  return asymmetric ? specification.o : 0;
}

std::int32_t largest_order(const Specification& specification) {
  return std::max({specification.p, effective_o(specification), specification.q});
}

std::uint64_t parameter_count(const Specification& s) {
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
  return k + static_cast<std::uint64_t>(shape_parameter_count(s.distribution));
}

std::uint64_t least_observations(std::uint64_t parameters) { return 10 * parameters; }

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

double presample_value(const Specification& s, const double* e, std::uint64_t T) {
  if (s.presample_rule == PresampleRule::given) {
    return s.presample_value;
  }
  const double variance =
      s.presample_rule == PresampleRule::ewma ? ewma_square(e, T) : mean_square(e, T);
  return in_units(variance, units_of(s));
}

double presample_variance(const Specification& s, double backcast) {
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

Plan make_plan(const Specification& s, const double* e, std::uint64_t T) {
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
