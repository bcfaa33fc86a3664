// The estimation core: what a fit of a variance model needs beyond its likelihood kernel,
// with no host. The plan of a model (the names of its parameters, their bounds, the
// constraints that keep every variance positive and the recursion stationary, the scales an
// optimiser sees, the candidate start values, the pre-sample value), the likelihood kernels
// called on reused scratch, and the standard errors at the estimates. With NLopt, the whole
// fit of one series or of every column of a panel across threads (estimation/optimiser).
//
// Unlike the kernels the core allocates (std::vector, std::string); it throws nothing but
// std::bad_alloc, which its callers catch. A model's rules have their one source here: the
// host's language asks the plan module for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kernels.hpp"

namespace volfilter::estimation {

// The four variance models, by the code the modules take.
enum class Model : std::int32_t { threshvol = 0, logvol = 1, shiftvol = 2, intvol = 3 };
bool is_model(std::int32_t code);

// How the pre-sample value is taken from the series: the exponentially weighted mean of the
// squared residuals from the start of the sample, their plain mean, or a value given.
enum class PresampleRule : std::int32_t { ewma = 0, mean = 1, given = 2 };
bool is_presample_rule(std::int32_t code);

// The mean of returns y fitted with the variance, as lagreg_kernel takes it: a constant,
// autoregressive terms at listed lags, x_columns regressors (shared by every series of a
// panel) and moving-average terms at listed lags. Without any term (the default) the series
// is taken as residuals and the variance model's own likelihood kernel fits it, as before.
struct MeanSettings {
  std::int32_t constant = 0;
  std::vector<double> ar_lags;  // whole numbers from 1 to m, distinct
  std::vector<double> ma_lags;
  std::uint64_t x_columns = 0;
};

// A model to fit, as the modules' inputs give it. Orders that a model does not have (o of
// shiftvol and intvol) are ignored; type is read as the kernels read it (threshvol and intvol:
// 1 the standard-deviation form, anything else the variance form; shiftvol: 1 a constant
// shift, anything else a shift scaled by the standard deviation); constant only for intvol.
struct ModelSettings {
  Model model = Model::threshvol;
  std::int32_t p = 1;
  std::int32_t o = 1;
  std::int32_t q = 1;
  std::int32_t type = 2;
  std::int32_t constant = 1;
  Distribution distribution = Distribution::normal;
  std::int32_t m = 1;  // observations conditioned on
  PresampleRule presample_rule = PresampleRule::ewma;
  double presample_value = 0.0;  // in the model's units, for PresampleRule::given
  bool upper_bound_given = false;
  double upper_bound = 0.0;  // logvol's ceiling when given
  MeanSettings mean;
};

// The asymmetric order o where the model has that family (threshvol, logvol), else 0; the
// largest lag order of the model.
std::int32_t effective_o(const ModelSettings& settings);
std::int32_t largest_order(const ModelSettings& settings);

// Whether the model settings have a mean term, and the mean's parameters (constant + lags +
// regressors).
bool has_mean(const ModelSettings& settings);
std::uint64_t mean_parameters(const ModelSettings& settings);

// The mean of returns y (T values) with regressors x (T-by-x_columns, row stride T), as the
// mean likelihood kernels take it.
MeanTerms mean_terms(const ModelSettings& settings, const double* y, const double* x);

// k: the mean's parameters, the model's and the distribution's shape parameters.
std::uint64_t parameter_count(const ModelSettings& settings);

// A fit needs this many modelled observations at least: ten per parameter (at most 2^64 - 1).
std::uint64_t least_observations(std::uint64_t parameters);

// The number of start candidates of every model: news 0.03, 0.08 or 0.15 by persistence
// 0.85, 0.95 or 0.99.
inline constexpr std::size_t kCandidates = 9;

// A constraint g(theta) <= 0 counts as active at theta when -g is within this of zero, in the
// units the optimiser sees (each parameter divided by its scale): a bound within 1e-6 scales
// of the parameter, a linear or the nonlinear constraint within 1e-6 of its limit.
inline constexpr double kActiveTolerance = 1e-6;

// A start value breaks a constraint when it is exceeded by more than this.
inline constexpr double kStartTolerance = 1e-12;

struct Parameter {
  std::string name;
  double lower = 0.0;
  double upper = 0.0;
  std::string lower_text;  // the bound as the constraint's name gives it: "0", "1e-8 level"
  std::string upper_text;
  double scale = 1.0;           // what the optimiser divides the parameter by
  bool scale_by_start = false;  // the fit divides by the start value instead

  [[nodiscard]] std::string lower_name() const;  // e.g. "alpha1 >= 0"
  [[nodiscard]] std::string upper_name() const;  // e.g. "beta1 <= 1"
};

// sum of coefficient * theta[index] over the terms <= bound.
struct LinearConstraint {
  struct Term {
    std::size_t index;
    double coefficient;
  };
  std::string name;
  std::vector<Term> terms;
  double bound = 0.0;

  // The row as k dense values.
  void dense(std::size_t k, double* row) const;
  // row . theta - bound, at most 0 where it holds.
  [[nodiscard]] double value(const double* theta) const;
};

// The nonlinear constraints a model can have.
enum class Nonlinear {
  none,
  // shiftvol with a shift scaled by the standard deviation:
  // (1 + gamma^2) sum(alpha) + sum(beta) <= 1 - 1e-6.
  scaled_shift_stationarity,
};

// How the least-squares fit of a mean that gives the start values went: fitted, singular (its
// regressors collinear on the sample, or fewer modelled observations than its parameters),
// or exact (it leaves no residual variance to model).
enum class MeanStart { none, fitted, singular, exact };

// What a fit of one series gives the optimiser. Parameters in the order
// [mean block; variance block; shape], the variance block starting at variance_offset (the
// mean's parameters, 0 without a mean): the mean block is prepended to the variance model's
// plan by shifting its indices.
struct Plan {
  std::vector<Parameter> parameters;
  std::vector<LinearConstraint> linear;
  Nonlinear nonlinear = Nonlinear::none;
  std::string nonlinear_name;
  std::int32_t p = 0;  // the orders the nonlinear constraint reads
  std::int32_t q = 0;
  std::size_t variance_offset = 0;
  std::vector<double> candidates;  // k-by-kCandidates, column-major
  double level = 0.0;              // the mean square in the model's units
  double backcast = 0.0;           // the pre-sample value in the model's units
  double upper_bound = 0.0;        // logvol's ceiling (0 for the others)
  MeanStart mean_start = MeanStart::none;

  [[nodiscard]] std::size_t size() const { return parameters.size(); }
  // Bounds, lower then upper, the linear constraints, then the nonlinear one.
  [[nodiscard]] std::size_t constraint_count() const;
  [[nodiscard]] std::vector<std::string> constraint_names() const;
};

// The plan of `settings` for the residuals e[0..T-1] (T > 0); with a mean, for the returns
// y = e with the regressors x (T-by-x_columns, row stride T). The mean's start values are its
// least-squares fit over the modelled observations (the moving-average coefficients 0), and the
// level, the pre-sample value and logvol's ceiling come from the residuals at those start values
// after the m conditioned on. Where that fit is singular or exact, plan.mean_start says so and
// the plan has nothing else.
Plan make_plan(const ModelSettings& settings, const double* e, std::uint64_t T,
               const double* x = nullptr);

// Whether the squares of the series fit a double with room to spare: a fit forms their mean,
// variances of that size and their squares and products, so the mean square must lie within
// [realmin/eps, eps*realmax], about 1e-292 to 4e292 (a root mean square of 1e-146 to 2e146).
// Outside, the squares overflow or sink into the subnormal numbers and the likelihood is not
// defined, or defined only to a few digits. The series' values are finite.
struct ScaleCheck {
  bool fits = true;
  double root_mean_square = 0.0;  // formed without overflow or underflow
  bool too_large = false;
};
ScaleCheck check_scale(const double* e, std::uint64_t T);

// The pre-sample value of the series by the settings' rule, in the model's units.
double presample_value(const ModelSettings& settings, const double* e, std::uint64_t T);

// The pre-sample value as a variance: the exponential of logvol's log variance, the square of
// a standard deviation of the power-1 forms, else the value itself.
double presample_variance(const ModelSettings& settings, double backcast);

// The nonlinear constraint's value g(theta) (at most 0 where it holds) and its gradient
// (plan.size() values; may be null). 0 and a zero gradient without one.
double nonlinear_value(const Plan& plan, const double* theta, double* gradient);

// Flags (1 or 0), in the order of constraint_names, of the constraints active at theta.
void active_constraints(const Plan& plan, const double* theta, double* flags);

// Where a start value fails the plan, if anywhere.
struct StartCheck {
  enum class Verdict { inside, outside_bounds, breaks_constraints };
  Verdict verdict = Verdict::inside;
  std::size_t parameter = 0;  // the first parameter outside its bounds
};
StartCheck check_start(const Plan& plan, const double* theta);

// ---------------------------------------------------------------------------------------
// The likelihood of one series, its kernel called directly on scratch allocated once: the
// variance model's own kernel on residuals, or with a mean its mean kernel on returns.

class Likelihood {
 public:
  // Scratch for series of up to T values, with derivatives.
  Likelihood(const ModelSettings& settings, std::uint64_t T);

  // The series and its pre-sample value and ceiling (logvol), for the calls that follow; with
  // a mean, the returns and their regressors x (T-by-x_columns, row stride T).
  void bind(const double* e, std::uint64_t T, double backcast, double upper_bound,
            const double* x = nullptr);

  // nll at theta over the first `head` observations (at most T); value only.
  double value(const double* theta, std::uint64_t head);
  // nll and its gradient (k values) over the whole series.
  double gradient(const double* theta, double* gradient);
  // nll, the gradient (may be null), the scores (T-by-k) and the variances (T values, the
  // kernel's: the pre-sample entries as the filter leaves them).
  double scores(const double* theta, double* gradient, double* scores, double* ht);

  struct Counts {
    std::uint64_t full_values = 0;  // value only, whole series
    std::uint64_t head_values = 0;  // value only, a head shorter than the series
    std::uint64_t gradients = 0;
    std::uint64_t scores = 0;
  };
  [[nodiscard]] const Counts& counts() const { return counts_; }
  void reset_counts() { counts_ = Counts{}; }

  // The residuals of the last call over the whole series: with a mean, the mean kernel's; the
  // series itself without.
  [[nodiscard]] const double* residuals() const;

 private:
  double call(const double* theta, std::uint64_t T, double* ht, LikelihoodResult result);
  // The regressors of the first `rows` observations with row stride `rows`, as the mean
  // kernel reads them on a head of the series.
  const double* regressors(std::uint64_t rows);

  ModelSettings settings_;
  std::uint64_t capacity_ = 0;
  std::vector<double> ht_;
  std::vector<double> series_;
  std::vector<double> lanes_;
  const double* e_ = nullptr;
  std::uint64_t T_ = 0;
  double backcast_ = 0.0;
  double upper_bound_ = 0.0;
  Counts counts_;
  bool mean_ = false;
  std::vector<double> residuals_;
  const double* x_ = nullptr;
  std::vector<double> head_x_;  // the regressors' head, for value() on a head
  std::uint64_t head_rows_ = 0;
};

// ---------------------------------------------------------------------------------------
// Standard errors at the estimates.
//
// The Hessian of the total negative log-likelihood: column i the central difference of the
// exact gradient over a step of eps^(1/3) max(|theta_i|, scale_i / 10), one-sided next to a
// bound or where a side is not defined, symmetrised. The classical covariance is its inverse
// (through its Cholesky factor, symmetrised), the robust one the sandwich
// H^-1 (S'S) H^-1 with S the T-by-k scores. Both are NaN where the Hessian is not positive
// definite or not finite.

class Covariance {
 public:
  explicit Covariance(std::size_t k);
  // Returns whether both were formed; writes k*k values to each.
  bool compute(Likelihood& likelihood, const Plan& plan, const double* theta, const double* scores,
               std::uint64_t T, double* classical, double* robust);

 private:
  std::size_t k_;
  std::vector<double> point_, up_, down_, here_, hessian_, factor_, inverse_, outer_;
};

// The upper Cholesky factor R (R'R = A) of the k-by-k symmetric A, column-major; false when A
// is not positive definite. Then A x = b from R, x overwriting b (k values), and the inverse
// of A from R.
bool cholesky(const double* a, std::size_t k, double* factor);
void solve_from_cholesky(const double* factor, std::size_t k, double* x);
void inverse_from_cholesky(const double* factor, std::size_t k, double* inverse);

// ---------------------------------------------------------------------------------------
// Fits, by NLopt's SLSQP: defined in the optimiser library (estimation/optimiser), which is
// built where NLopt's library is found.

// What became of one series.
enum class Status : std::int32_t {
  fitted = 0,                // the optimiser ran (converged or not: see the summary)
  non_finite = 1,            // a value is NaN or infinite (detail: its 1-based index, value)
  constant = 2,              // every value is the same (detail: the value)
  too_few_observations = 3,  // fewer modelled observations than least_observations (detail)
  no_parameters = 4,         // the model has no parameter to estimate
  start_length = 5,          // the start values are not k (detail: k)
  start_outside = 6,         // a start value is outside its bounds (detail: index, bounds)
  start_breaks = 7,          // the start values break a constraint
  start_undefined = 8,       // the likelihood is not defined at the start values
  no_start = 9,              // not defined at any of the default start values
  out_of_memory = 10,        // no memory for the fit
  too_many_parameters = 11,  // more than kMostParameters (detail: the limit)
  bad_scale = 12,            // squares that do not fit a double (detail: the root mean
                             // square, 1 where it is too large and 0 where too small)
  mean_singular = 13,        // the least-squares fit of the mean is singular on the series
  mean_exact = 14,           // the mean fits the series exactly: no variance is left
};

// The most parameters a fit takes: the optimiser's work grows with the cube of their number
// and the standard errors' with its square times the sample, so that beyond this a call
// would not end in any useful time.
inline constexpr std::uint64_t kMostParameters = 1000;

// The rows of the summary of one series (0-based).
enum SummaryRow : std::size_t {
  kStatus,
  kNll,                       // negative log-likelihood at the estimates
  kConverged,                 // 1 when NLopt's code is 1, 3 or 4 and nll is finite
  kCode,                      // NLopt's return code of the last run
  kEvaluations,               // objective evaluations of the optimiser's runs
  kIterations,                // improvements on the best value after each run's first evaluation
  kRestarts,                  // runs begun again from the best point after undefined points
  kBackcast,                  // the pre-sample value in the model's units
  kUpperBound,                // logvol's ceiling (NaN for the others)
  kDetail,                    // three values that say more about a status (NaN where unused)
  kFullValues = kDetail + 3,  // likelihood evaluations by kind: value only of the series,
  kHeadValues,                // value only of its head (start candidates),
  kGradients,                 // with the gradient, and with the scores
  kScores,
  kSummaryRows,
};

// What a fit takes beyond the series.
struct FitRequest {
  ModelSettings settings;
  const double* start = nullptr;  // start values (start_count of them), or none for the default
  std::size_t start_count = 0;
  const double* x = nullptr;  // the mean's regressors, T-by-x_columns, shared by every series
  std::int32_t max_evaluations = 1000;  // each optimiser run's limit
};

// Where the results of the N series of a panel go, column after column: k estimates, k*k
// classical and k*k robust covariance values, T variances (the pre-sample rows the pre-sample
// value as a variance), T*k scores, kSummaryRows summary values, k start values, one flag
// per constraint of the plan and T residuals at the estimates (the series itself without a
// mean). Any may be null except the summary.
struct PanelOutputs {
  double* parameters = nullptr;
  double* covariance = nullptr;
  double* robust = nullptr;
  double* ht = nullptr;
  double* scores = nullptr;
  double* summary = nullptr;
  double* start = nullptr;
  double* active = nullptr;
  double* residuals = nullptr;
};

// Which slots of PanelOutputs a caller will provide; the fit keeps scratch for the others.
struct OutputSlots {
  bool parameters = false;
  bool covariance = false;
  bool robust = false;
  bool ht = false;
  bool scores = false;
  bool start = false;
  bool active = false;
  bool residuals = false;
};

// The names of the parameters and of the constraints of the settings' plan (they do
// not depend on the data).
Plan plan_outline(const ModelSettings& settings);

namespace detail {
class SeriesFit;
}

// The fit of every column of a T-by-N panel, each column alone, on up to `threads` threads:
// each column's results are those of fitting it alone, whatever the number of threads.
class PanelFit {
 public:
  // Allocates the calling thread's scratch, so that a fit without memory is known before any
  // output exists (throws std::bad_alloc; nothing else).
  PanelFit(const FitRequest& request, std::uint64_t T, OutputSlots slots);
  ~PanelFit();
  PanelFit(const PanelFit&) = delete;
  PanelFit& operator=(const PanelFit&) = delete;

  [[nodiscard]] std::size_t parameters() const { return k_; }
  [[nodiscard]] std::size_t constraints() const { return constraints_; }
  // The plan's names (of a series of ones: its bounds mean nothing).
  [[nodiscard]] const Plan& outline() const { return outline_; }

  // Fits the columns of E (column-major) into `outputs`, which provides the slots promised,
  // on at most `threads` threads, N and four a logical core. Throws nothing: a column without
  // memory reports Status::out_of_memory; a worker thread that cannot be started or has no
  // memory for its scratch leaves its columns to the others.
  void run(const double* E, std::uint64_t N, std::uint32_t threads, const PanelOutputs& outputs);

 private:
  FitRequest request_;
  std::uint64_t T_;
  OutputSlots slots_;
  Plan outline_;
  std::size_t k_ = 0;
  std::size_t constraints_ = 0;
  Status common_ = Status::fitted;  // what is wrong for every column alike
  double common_detail_ = 0.0;
  std::unique_ptr<detail::SeriesFit> own_;
};

}  // namespace volfilter::estimation
