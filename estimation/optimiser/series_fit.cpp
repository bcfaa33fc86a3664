#include "series_fit.hpp"

#include <nlopt.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <utility>

namespace volfilter::estimation::detail {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// The start candidates are told apart on the first 2000 modelled observations: on a longer
// series a start needs no more.
constexpr std::uint64_t kCandidateObservations = 2000;

// Stopping rules of each run: a step that changes the objective (the negative log-likelihood
// per observation) by less than 1e-10, or every coordinate by less than 1e-9 of itself; each
// constraint held to 1e-10. Near the maximum the steps in whitened coordinates shrink faster
// than linearly, so the last step's change bounds what is left: over fits of GARCH(1,1) and
// GJR with normal and Student's t innovations the log-likelihood ended within 2e-11 of itself
// of where a rule of 1e-12 ends, at one evaluation less.
constexpr double kObjectiveTolerance = 1e-10;
constexpr double kParameterTolerance = 1e-9;
constexpr double kConstraintTolerance = 1e-10;

// Whitened coordinates need each parameter's part of the scores at the start to be more than
// this far from a combination of the others' (the pivot of the correlation form's Cholesky
// factor, 1 where the scores are uncorrelated).
constexpr double kLeastWhitenedPivot = 1e-6;

// The rounding of a sum of terms whose magnitudes add up to s is within this many times s.
constexpr double kBoundRounding = 8 * DBL_EPSILON;

// A run that met undefined points is begun again from the best point found, at most this
// many times.
constexpr int kMostRestarts = 2;

// The coordinates x that the optimiser moves in: theta = origin + map x, map upper triangular
// (k-by-k, column-major). Whitened, map is R^-1 for the Cholesky factor R of the outer product
// of the scores per observation at the start (R'R = S'S / n), and the origin is the start,
// x = 0 there: the objective's Hessian in x is then near the identity, which is SLSQP's first
// model of it, so that its quasi-Newton steps are close to Newton steps from the first one.
// Otherwise diagonal, as where the outer product is singular: theta = scale * x.
struct Coordinates {
  std::size_t k = 0;
  bool whitened = false;
  const double* origin = nullptr;  // k values (whitened)
  const double* map = nullptr;     // k*k values (whitened)
  const double* scale = nullptr;   // k values (diagonal)

  void theta_of(const double* x, double* theta) const {
    if (!whitened) {
      for (std::size_t i = 0; i < k; ++i) {
        theta[i] = x[i] * scale[i];
      }
      return;
    }
    for (std::size_t i = 0; i < k; ++i) {
      double sum = origin[i];
      for (std::size_t j = i; j < k; ++j) {
        sum = sum + map[i + j * k] * x[j];
      }
      theta[i] = sum;
    }
  }

  // The gradient with respect to x of `weight` times a function of theta with gradient g.
  void gradient_of(const double* g, double weight, double* x_gradient) const {
    if (!whitened) {
      for (std::size_t i = 0; i < k; ++i) {
        x_gradient[i] = g[i] * (weight * scale[i]);
      }
      return;
    }
    for (std::size_t j = 0; j < k; ++j) {
      double sum = 0.0;
      for (std::size_t i = 0; i <= j; ++i) {
        sum = sum + map[i + j * k] * g[i];
      }
      x_gradient[j] = weight * sum;
    }
  }
};

// The objective NLopt minimises: the negative log-likelihood per observation at theta(x), with
// its gradient with respect to x; +Inf where the model is not defined. SLSQP asks for the
// value alone in its line search and then, where it takes the step, for the gradient at the
// same point: so every call forms the gradient and keeps it for that second call. It counts
// evaluations, undefined points and improvements on the best value, and keeps the best point.
struct Objective {
  Likelihood* likelihood;
  const Coordinates* coordinates;
  double weight;
  double* theta;
  double* model_gradient;
  double* best_x;
  double* last_x;  // the point of the last likelihood call, its value and gradient
  double last_value = 0.0;
  bool have_last = false;
  double best_value = kInfinity;
  bool have_best = false;
  std::uint64_t evaluations = 0;
  std::uint64_t undefined = 0;
  std::uint64_t improvements = 0;  // after each run's first evaluation
  std::uint64_t run_evaluations = 0;
};

double objective(unsigned n, const double* x, double* gradient, void* data) {
  Objective& f = *static_cast<Objective*>(data);
  ++f.evaluations;
  ++f.run_evaluations;
  if (!(f.have_last && std::equal(x, x + n, f.last_x))) {
    f.coordinates->theta_of(x, f.theta);
    f.last_value = f.weight * f.likelihood->gradient(f.theta, f.model_gradient);
    std::copy(x, x + n, f.last_x);
    f.have_last = true;
  }
  double value = f.last_value;
  if (gradient != nullptr) {
    f.coordinates->gradient_of(f.model_gradient, f.weight, gradient);
  }
  if (value < f.best_value) {
    f.best_value = value;
    std::copy(x, x + n, f.best_x);
    f.have_best = true;
    // Each accepted step of SLSQP improves on the best value so far: NLopt counts no
    // iterations, so these improvements stand for them.
    if (f.run_evaluations > 1) {
      ++f.improvements;
    }
  } else if (!(value < kInfinity)) {
    value = kInfinity;
    ++f.undefined;
  }
  return value;
}

// The linear inequalities on x, rows . x <= bounds, as one vector constraint: in whitened
// coordinates the bounds on theta as well, which are no longer bounds on x.
struct Rows {
  std::size_t k = 0;
  std::vector<double> rows;  // row-major, k values a row
  std::vector<double> bounds;
  std::vector<double> tolerances;

  void add(const double* row, double bound) {
    rows.insert(rows.end(), row, row + k);
    bounds.push_back(bound);
    tolerances.push_back(kConstraintTolerance);
  }
  [[nodiscard]] std::size_t size() const { return bounds.size(); }
};

void linear_constraints(unsigned m, double* result, unsigned n, const double* x, double* gradient,
                        void* data) {
  const Rows& rows = *static_cast<const Rows*>(data);
  for (unsigned r = 0; r < m; ++r) {
    const double* row = rows.rows.data() + static_cast<std::size_t>(r) * n;
    double sum = 0.0;
    for (unsigned j = 0; j < n; ++j) {
      sum = sum + row[j] * x[j];
    }
    result[r] = sum - rows.bounds[r];
  }
  if (gradient != nullptr) {
    std::copy(rows.rows.begin(), rows.rows.begin() + static_cast<long>(m) * n, gradient);
  }
}

// The plan's nonlinear constraint at theta(x), its gradient with respect to x.
struct MappedNonlinear {
  const Plan* plan;
  const Coordinates* coordinates;
  double* theta;
  double* gradient;
};

double nonlinear_constraint(unsigned /*n*/, const double* x, double* gradient, void* data) {
  const MappedNonlinear& constraint = *static_cast<const MappedNonlinear*>(data);
  constraint.coordinates->theta_of(x, constraint.theta);
  const double value = nonlinear_value(*constraint.plan, constraint.theta, constraint.gradient);
  if (gradient != nullptr) {
    constraint.coordinates->gradient_of(constraint.gradient, 1.0, gradient);
  }
  return value;
}

bool converged_code(int code) {
  return code == NLOPT_SUCCESS || code == NLOPT_FTOL_REACHED || code == NLOPT_XTOL_REACHED;
}

double* or_scratch(double* slot, std::vector<double>& scratch) {
  return slot != nullptr ? slot : scratch.data();
}

// Scratch of `size` values where the caller provides no slot.
std::vector<double> unless(bool provided, std::uint64_t size) {
  return std::vector<double>(provided ? 0 : size);
}

}  // namespace

void mark_series(Status status, const SeriesOutputs& outputs, const FitRequest& request,
                 std::size_t k, std::uint64_t T, std::size_t constraints,
                 const Likelihood::Counts* counts) {
  const auto fill = [](double* slot, std::uint64_t size, double value) {
    if (slot != nullptr) {
      std::fill(slot, slot + size, value);
    }
  };
  fill(outputs.parameters, k, kNotANumber);
  fill(outputs.covariance, k * k, kNotANumber);
  fill(outputs.robust, k * k, kNotANumber);
  fill(outputs.ht, T, kNotANumber);
  fill(outputs.scores, T * k, kNotANumber);
  fill(outputs.active, constraints, 0.0);
  fill(outputs.residuals, T, kNotANumber);
  if (outputs.start != nullptr) {
    if (request.start != nullptr && request.start_count == k) {
      std::copy(request.start, request.start + k, outputs.start);
    } else {
      fill(outputs.start, k, kNotANumber);
    }
  }
  double* summary = outputs.summary;
  std::fill(summary, summary + kSummaryRows, kNotANumber);
  summary[kStatus] = static_cast<double>(status);
  summary[kConverged] = 0.0;
  const Likelihood::Counts none;
  const Likelihood::Counts& made = counts != nullptr ? *counts : none;
  summary[kFullValues] = static_cast<double>(made.full_values);
  summary[kHeadValues] = static_cast<double>(made.head_values);
  summary[kGradients] = static_cast<double>(made.gradients);
  summary[kScores] = static_cast<double>(made.scores);
}

SeriesFit::SeriesFit(const FitRequest& request, std::uint64_t T, const OutputSlots& provided)
    : request_(request),
      T_(T),
      k_(static_cast<std::size_t>(parameter_count(request.settings))),
      constraint_count_(plan_outline(request.settings).constraint_count()),
      likelihood_(request.settings, T),
      covariance_(k_),
      theta_(k_),
      scale_(k_),
      x_(k_),
      best_x_(k_),
      last_x_(k_),
      gradient_(k_),
      origin_(k_),
      map_(k_ * k_),
      outer_(k_ * k_),
      factor_(k_ * k_),
      root_(k_),
      constraint_gradient_(k_),
      parameters_(unless(provided.parameters, k_)),
      covariance_values_(unless(provided.covariance, k_ * k_)),
      robust_(unless(provided.robust, k_ * k_)),
      ht_(unless(provided.ht, T)),
      scores_(unless(provided.scores, T * k_)),
      start_(unless(provided.start, k_)),
      active_(unless(provided.active, constraint_count_)) {}

SeriesOutputs SeriesFit::with_scratch(SeriesOutputs outputs) {
  outputs.parameters = or_scratch(outputs.parameters, parameters_);
  outputs.covariance = or_scratch(outputs.covariance, covariance_values_);
  outputs.robust = or_scratch(outputs.robust, robust_);
  outputs.ht = or_scratch(outputs.ht, ht_);
  outputs.scores = or_scratch(outputs.scores, scores_);
  outputs.start = or_scratch(outputs.start, start_);
  outputs.active = or_scratch(outputs.active, active_);
  return outputs;
}

void SeriesFit::mark(Status status, SeriesOutputs outputs) {
  mark_series(status, outputs, request_, k_, T_, constraint_count_, &likelihood_.counts());
}

bool SeriesFit::choose_start(const Plan& plan, SeriesOutputs outputs) {
  const std::size_t k = k_;
  double* summary = outputs.summary;
  if (request_.start != nullptr && request_.start_count > 0) {
    const StartCheck check = check_start(plan, request_.start);
    if (check.verdict != StartCheck::Verdict::inside) {
      const bool outside = check.verdict == StartCheck::Verdict::outside_bounds;
      mark(outside ? Status::start_outside : Status::start_breaks, outputs);
      if (outside) {
        const Parameter& parameter = plan.parameters[check.parameter];
        summary[kDetail] = static_cast<double>(check.parameter + 1);
        summary[kDetail + 1] = parameter.lower;
        summary[kDetail + 2] = parameter.upper;
      }
      return false;
    }
    if (!(likelihood_.value(request_.start, T_) < kInfinity)) {
      mark(Status::start_undefined, outputs);
      return false;
    }
    std::copy(request_.start, request_.start + k, outputs.start);
    return true;
  }
  // The candidate with the lowest value on the head of the series; the first of equals.
  const std::uint64_t head =
      std::min(T_, static_cast<std::uint64_t>(request_.settings.m) + kCandidateObservations);
  double best = kInfinity;
  std::size_t chosen = kCandidates;
  for (std::size_t i = 0; i < kCandidates; ++i) {
    const double value = likelihood_.value(plan.candidates.data() + i * k, head);
    if (value < best) {
      best = value;
      chosen = i;
    }
  }
  if (chosen == kCandidates) {
    mark(Status::no_start, outputs);
    return false;
  }
  const double* candidate = plan.candidates.data() + chosen * k;
  std::copy(candidate, candidate + k, outputs.start);
  return true;
}

bool SeriesFit::whiten(const double* start, double* scores, double* ht) {
  const std::size_t k = k_;
  const double weight =
      1.0 / static_cast<double>(T_ - static_cast<std::uint64_t>(request_.settings.m));
  start_value_ = weight * likelihood_.scores(start, gradient_.data(), scores, ht);
  if (!(start_value_ < kInfinity)) {
    return false;
  }
  // B = S'S / n, then its correlation form C = D^-1/2 B D^-1/2 (D its diagonal), whose
  // Cholesky factor tells whether a parameter is all but a combination of the others at the
  // start (the factor's diagonal near zero): there whitening would let one step run far
  // along a direction the start knows nothing of, and the scales serve better.
  for (std::size_t i = 0; i < k; ++i) {
    for (std::size_t j = 0; j <= i; ++j) {
      double sum = 0.0;
      const double* a = scores + i * T_;
      const double* b = scores + j * T_;
      for (std::uint64_t t = 0; t < T_; ++t) {
        sum = sum + a[t] * b[t];
      }
      outer_[i + j * k] = weight * sum;
      outer_[j + i * k] = weight * sum;
    }
  }
  for (std::size_t i = 0; i < k; ++i) {
    const double diagonal = outer_[i + i * k];
    if (!(diagonal > 0.0 && diagonal < kInfinity)) {
      return false;
    }
    root_[i] = std::sqrt(diagonal);
  }
  for (std::size_t i = 0; i < k; ++i) {
    for (std::size_t j = 0; j < k; ++j) {
      outer_[i + j * k] = outer_[i + j * k] / (root_[i] * root_[j]);
    }
  }
  if (!cholesky(outer_.data(), k, factor_.data())) {
    return false;
  }
  for (std::size_t i = 0; i < k; ++i) {
    if (!(factor_[i + i * k] > kLeastWhitenedPivot)) {
      return false;
    }
  }
  // R = R_C D^1/2, and map = R^-1 = D^-1/2 R_C^-1: column c of R_C^-1 by back substitution.
  std::fill(map_.begin(), map_.end(), 0.0);
  for (std::size_t c = 0; c < k; ++c) {
    for (std::size_t i = c + 1; i-- > 0;) {
      double value = i == c ? 1.0 : 0.0;
      for (std::size_t l = i + 1; l <= c; ++l) {
        value = value - factor_[i + l * k] * map_[l + c * k];
      }
      map_[i + c * k] = value / factor_[i + i * k];
    }
  }
  for (std::size_t c = 0; c < k; ++c) {
    for (std::size_t i = 0; i <= c; ++i) {
      map_[i + c * k] = map_[i + c * k] / root_[i];
    }
  }
  std::copy(start, start + k, origin_.begin());
  return std::all_of(map_.begin(), map_.end(), [](double value) { return std::isfinite(value); });
}

SeriesFit::Run SeriesFit::optimise(const Plan& plan, bool whitened, double* x, double* summary) {
  const std::size_t k = k_;
  const auto n = static_cast<unsigned>(k);
  const double weight =
      1.0 / static_cast<double>(T_ - static_cast<std::uint64_t>(request_.settings.m));
  Coordinates coordinates;
  coordinates.k = k;
  coordinates.whitened = whitened;
  coordinates.origin = origin_.data();
  coordinates.map = map_.data();
  coordinates.scale = scale_.data();

  // Diagonal: the bounds on theta / scale; whitened, each bound a row of the map:
  // lower_i <= origin_i + map_i. x <= upper_i.
  std::vector<double> lower(k, -kInfinity);
  std::vector<double> upper(k, kInfinity);
  Rows rows;
  rows.k = k;
  std::vector<double> row(k);
  for (std::size_t i = 0; i < k; ++i) {
    const Parameter& parameter = plan.parameters[i];
    if (!whitened) {
      lower[i] = parameter.lower / scale_[i];
      upper[i] = parameter.upper / scale_[i];
      continue;
    }
    for (std::size_t j = 0; j < k; ++j) {
      row[j] = j >= i ? map_[i + j * k] : 0.0;
    }
    rows.add(row.data(), parameter.upper - origin_[i]);
    for (double& value : row) {
      value = -value;
    }
    rows.add(row.data(), origin_[i] - parameter.lower);
  }
  // A linear constraint a . theta <= b is (a map) . x <= b - a . origin, or with the scales
  // (a * scale) . x <= b.
  for (const LinearConstraint& constraint : plan.linear) {
    std::fill(row.begin(), row.end(), 0.0);
    double bound = constraint.bound;
    for (const LinearConstraint::Term& term : constraint.terms) {
      if (!whitened) {
        row[term.index] = term.coefficient * scale_[term.index];
        continue;
      }
      bound = bound - term.coefficient * origin_[term.index];
      for (std::size_t j = term.index; j < k; ++j) {
        row[j] = row[j] + term.coefficient * map_[term.index + j * k];
      }
    }
    rows.add(row.data(), bound);
  }
  MappedNonlinear nonlinear{&plan, &coordinates, theta_.data(), constraint_gradient_.data()};
  Objective f{&likelihood_,     &coordinates,   weight,        theta_.data(),
              gradient_.data(), best_x_.data(), last_x_.data()};
  if (whitened) {
    // The objective and its gradient at the start, x = 0, are those of the scores' call.
    std::fill(last_x_.begin(), last_x_.end(), 0.0);
    f.last_value = start_value_;
    f.have_last = true;
  }

  Run run;
  int restarts = 0;
  while (true) {
    const std::uint64_t undefined_before = f.undefined;
    f.run_evaluations = 0;
    nlopt_opt opt = nlopt_create(NLOPT_LD_SLSQP, n);
    if (opt == nullptr) {
      run.code = NLOPT_OUT_OF_MEMORY;
      run.converged = false;
      break;
    }
    nlopt_set_min_objective(opt, objective, &f);
    if (!whitened) {
      nlopt_set_lower_bounds(opt, lower.data());
      nlopt_set_upper_bounds(opt, upper.data());
    }
    if (rows.size() > 0) {
      nlopt_add_inequality_mconstraint(opt, static_cast<unsigned>(rows.size()), linear_constraints,
                                       &rows, rows.tolerances.data());
    }
    if (plan.nonlinear != Nonlinear::none) {
      nlopt_add_inequality_constraint(opt, nonlinear_constraint, &nonlinear, kConstraintTolerance);
    }
    nlopt_set_ftol_abs(opt, kObjectiveTolerance);
    nlopt_set_xtol_rel(opt, kParameterTolerance);
    nlopt_set_maxeval(opt, request_.max_evaluations);
    double value = 0.0;
    run.code = static_cast<int>(nlopt_optimize(opt, x, &value));
    run.converged = converged_code(run.code);
    nlopt_destroy(opt);
    // The account of a run that met undefined points is not to be trusted: NLopt takes +Inf as
    // a failed step, but may then end with a success code at a point that is not the optimum.
    if (f.undefined == undefined_before || restarts == kMostRestarts || !f.have_best) {
      break;
    }
    ++restarts;
    std::copy(best_x_.begin(), best_x_.end(), x);
  }
  summary[kCode] = run.code;
  summary[kEvaluations] = static_cast<double>(f.evaluations);
  summary[kIterations] = static_cast<double>(f.improvements);
  summary[kRestarts] = restarts;
  // The estimates: theta(x). Whitened, the rows hold the bounds only to the rounding of
  // origin + map x, so a value within that rounding of its bound, or beyond it, is put on it.
  coordinates.theta_of(x, theta_.data());
  for (std::size_t i = 0; i < k; ++i) {
    const Parameter& parameter = plan.parameters[i];
    double rounding = 0.0;
    if (whitened) {
      double size = std::fabs(origin_[i]);
      for (std::size_t j = i; j < k; ++j) {
        size = size + std::fabs(map_[i + j * k] * x[j]);
      }
      rounding = kBoundRounding * size;
    }
    double value = theta_[i];
    if (value - parameter.lower <= rounding) {
      value = parameter.lower;
    } else if (parameter.upper - value <= rounding) {
      value = parameter.upper;
    }
    x[i] = value;
  }
  return run;
}

void SeriesFit::fit(const double* e, SeriesOutputs outputs) {
  outputs = with_scratch(outputs);
  likelihood_.reset_counts();
  const ModelSettings& s = request_.settings;
  const std::size_t k = k_;
  double* summary = outputs.summary;
  for (std::uint64_t t = 0; t < T_; ++t) {
    if (!std::isfinite(e[t])) {
      mark(Status::non_finite, outputs);
      summary[kDetail] = static_cast<double>(t + 1);
      summary[kDetail + 1] = e[t];
      return;
    }
  }
  if (std::all_of(e, e + T_, [&](double value) { return value == e[0]; })) {
    mark(Status::constant, outputs);
    summary[kDetail] = e[0];
    return;
  }
  const ScaleCheck scale = check_scale(e, T_);
  if (!scale.fits) {
    mark(Status::bad_scale, outputs);
    summary[kDetail] = scale.root_mean_square;
    summary[kDetail + 1] = scale.too_large ? 1.0 : 0.0;
    return;
  }
  const Plan plan = make_plan(s, e, T_, request_.x);
  if (plan.mean_start == MeanStart::singular || plan.mean_start == MeanStart::exact) {
    mark(plan.mean_start == MeanStart::singular ? Status::mean_singular : Status::mean_exact,
         outputs);
    return;
  }
  likelihood_.bind(e, T_, plan.backcast, plan.upper_bound, request_.x);
  if (!choose_start(plan, outputs)) {
    summary[kBackcast] = plan.backcast;
    return;
  }
  // The optimiser moves in whitened coordinates from the start, or where the scores at the
  // start do not allow them, on each parameter divided by its scale (omega by its start
  // value, so that its steps are of the size of the others').
  const bool whitened = whiten(outputs.start, outputs.scores, outputs.ht);
  for (std::size_t i = 0; i < k; ++i) {
    const Parameter& parameter = plan.parameters[i];
    scale_[i] = parameter.scale_by_start ? outputs.start[i] : parameter.scale;
    x_[i] = whitened ? 0.0 : outputs.start[i] / scale_[i];
  }
  const Run run = optimise(plan, whitened, x_.data(), summary);
  double* theta = outputs.parameters;
  std::copy(x_.begin(), x_.end(), theta);
  const double nll = likelihood_.scores(theta, nullptr, outputs.scores, outputs.ht);
  if (outputs.residuals != nullptr) {
    std::copy(likelihood_.residuals(), likelihood_.residuals() + T_, outputs.residuals);
  }
  covariance_.compute(likelihood_, plan, theta, outputs.scores, T_, outputs.covariance,
                      outputs.robust);
  const double presample = presample_variance(s, plan.backcast);
  std::fill(outputs.ht, outputs.ht + s.m, presample);
  active_constraints(plan, theta, outputs.active);

  summary[kStatus] = static_cast<double>(Status::fitted);
  summary[kNll] = nll;
  summary[kConverged] = run.converged && nll < kInfinity ? 1.0 : 0.0;
  summary[kBackcast] = plan.backcast;
  summary[kUpperBound] = s.model == Model::logvol ? plan.upper_bound : kNotANumber;
  for (std::size_t i = 0; i < 3; ++i) {
    summary[kDetail + i] = kNotANumber;
  }
  const Likelihood::Counts& counts = likelihood_.counts();
  summary[kFullValues] = static_cast<double>(counts.full_values);
  summary[kHeadValues] = static_cast<double>(counts.head_values);
  summary[kGradients] = static_cast<double>(counts.gradients);
  summary[kScores] = static_cast<double>(counts.scores);
}

}  // namespace volfilter::estimation::detail
