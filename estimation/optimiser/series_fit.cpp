#include "series_fit.hpp"

#include <nlopt.h>

#include <algorithm>
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
// per observation) by less than 1e-12, or every scaled parameter by less than 1e-9 of itself;
// each constraint held to 1e-10.
constexpr double kObjectiveTolerance = 1e-12;
constexpr double kParameterTolerance = 1e-9;
constexpr double kConstraintTolerance = 1e-10;

// A run that met undefined points is begun again from the best point found, at most this
// many times.
constexpr int kMostRestarts = 2;

// The objective NLopt minimises: the negative log-likelihood per observation at the scaled
// parameters x (theta = x * scale), with its gradient with respect to x; +Inf where the model
// is not defined. It counts evaluations, undefined points and improvements on the best value,
// and keeps the best point.
struct Objective {
  Likelihood* likelihood;
  std::uint64_t T;
  double weight;
  const double* scale;
  const double* gradient_scale;
  double* theta;
  double* model_gradient;
  double* best_x;
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
  for (unsigned i = 0; i < n; ++i) {
    f.theta[i] = x[i] * f.scale[i];
  }
  double value = 0.0;
  if (gradient != nullptr) {
    value = f.likelihood->gradient(f.theta, f.model_gradient);
    for (unsigned i = 0; i < n; ++i) {
      gradient[i] = f.model_gradient[i] * f.gradient_scale[i];
    }
  } else {
    value = f.likelihood->value(f.theta, f.T);
  }
  value = f.weight * value;
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

// One linear inequality on the scaled parameters: each term's coefficient times its scale.
struct ScaledRow {
  std::vector<LinearConstraint::Term> terms;
  double bound;
};

double linear_constraint(unsigned n, const double* x, double* gradient, void* data) {
  const ScaledRow& constraint = *static_cast<const ScaledRow*>(data);
  double sum = 0.0;
  for (const LinearConstraint::Term& term : constraint.terms) {
    sum = sum + x[term.index] * term.coefficient;
  }
  if (gradient != nullptr) {
    std::fill(gradient, gradient + n, 0.0);
    for (const LinearConstraint::Term& term : constraint.terms) {
      gradient[term.index] = term.coefficient;
    }
  }
  return sum - constraint.bound;
}

// The plan's nonlinear constraint at theta = x * scale, its gradient with respect to x.
struct ScaledNonlinear {
  const Plan* plan;
  const double* scale;
  double* theta;
  double* gradient;
};

double nonlinear_constraint(unsigned n, const double* x, double* gradient, void* data) {
  const ScaledNonlinear& constraint = *static_cast<const ScaledNonlinear*>(data);
  for (unsigned i = 0; i < n; ++i) {
    constraint.theta[i] = x[i] * constraint.scale[i];
  }
  const double value = nonlinear_value(*constraint.plan, constraint.theta, constraint.gradient);
  if (gradient != nullptr) {
    for (unsigned i = 0; i < n; ++i) {
      gradient[i] = constraint.gradient[i] * constraint.scale[i];
    }
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
      k_(static_cast<std::size_t>(parameter_count(request.specification))),
      constraint_count_(plan_outline(request.specification).constraint_count()),
      likelihood_(request.specification, T),
      covariance_(k_),
      theta_(k_),
      scale_(k_),
      gradient_scale_(k_),
      x_(k_),
      best_x_(k_),
      gradient_(k_),
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
      std::min(T_, static_cast<std::uint64_t>(request_.specification.m) + kCandidateObservations);
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

SeriesFit::Run SeriesFit::optimise(const Plan& plan, double* x, double* summary) {
  const std::size_t k = k_;
  const auto n = static_cast<unsigned>(k);
  const double weight =
      1.0 / static_cast<double>(T_ - static_cast<std::uint64_t>(request_.specification.m));
  for (std::size_t i = 0; i < k; ++i) {
    gradient_scale_[i] = weight * scale_[i];
  }
  std::vector<double> lower(k);
  std::vector<double> upper(k);
  for (std::size_t i = 0; i < k; ++i) {
    lower[i] = plan.parameters[i].lower / scale_[i];
    upper[i] = plan.parameters[i].upper / scale_[i];
  }
  std::vector<ScaledRow> rows;
  rows.reserve(plan.linear.size());
  for (const LinearConstraint& constraint : plan.linear) {
    ScaledRow row{constraint.terms, constraint.bound};
    for (LinearConstraint::Term& term : row.terms) {
      term.coefficient = term.coefficient * scale_[term.index];
    }
    rows.push_back(std::move(row));
  }
  ScaledNonlinear nonlinear{&plan, scale_.data(), theta_.data(), constraint_gradient_.data()};
  Objective f{&likelihood_,
              T_,
              weight,
              scale_.data(),
              gradient_scale_.data(),
              theta_.data(),
              gradient_.data(),
              best_x_.data()};

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
    nlopt_set_lower_bounds(opt, lower.data());
    nlopt_set_upper_bounds(opt, upper.data());
    for (ScaledRow& row : rows) {
      nlopt_add_inequality_constraint(opt, linear_constraint, &row, kConstraintTolerance);
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
  return run;
}

void SeriesFit::fit(const double* e, SeriesOutputs outputs) {
  outputs = with_scratch(outputs);
  likelihood_.reset_counts();
  const Specification& s = request_.specification;
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
  // The optimiser sees each parameter divided by its scale (omega by its start value, so that
  // its steps are of the size of the others').
  for (std::size_t i = 0; i < k; ++i) {
    const Parameter& parameter = plan.parameters[i];
    scale_[i] = parameter.scale_by_start ? outputs.start[i] : parameter.scale;
    x_[i] = outputs.start[i] / scale_[i];
  }
  const Run run = optimise(plan, x_.data(), summary);
  double* theta = outputs.parameters;
  for (std::size_t i = 0; i < k; ++i) {
    theta[i] = x_[i] * scale_[i];
  }
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
