#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <utility>

#include "kernels.hpp"

// The moving-average terms make the residuals a recursion: step t waits for the residuals
// of its MA lags, so the time per step is the latency of that chain, a product and the
// subtractions after it. Everything else in a step depends on data alone and can run
// ahead, provided it sits in the same loop as the chain: work in a separate pass would
// queue behind the waiting chain instead of filling its idle slots.
//
// Small models (at most two autoregressive lags, two regressors, and MA lags 1 or 1 and
// 2) get a loop of their own with every coefficient, lag and the two latest residuals in
// registers; the latest residuals are not read back from what was just stored, which would
// put the store-forwarding latency into the chain. Other models run in chunks: the data
// terms of a chunk first, family by family so that they vectorise, then the MA recursion
// over the chunk. Either way nothing moves: every step subtracts the constant, the
// autoregressive terms, the regressors and the MA terms, each family in list order, one
// rounded product at a time.

namespace volfilter {

namespace {

// Observations per chunk of the general loop: the data terms of a chunk stay in the
// first-level cache until the recursion reads them.
constexpr std::uint64_t kChunk = 256;

struct Model {
  const double* parameters;
  const double* ar_lags;
  const double* ar_coefficients;
  const double* x_coefficients;
  const double* ma_lags;
  const double* ma_coefficients;
  std::int32_t constant;
  std::int32_t ar_count;
  std::int32_t ma_count;
  const double* y;
  const double* x;
  std::uint64_t T;
  std::uint64_t x_columns;
  const double* sigma;
};

// residuals[t] = y[t] - const - sum_j y[t - ar_lag_j] ar_j - sum_j x_j[t] beta_j
// for t in [begin, end), subtracted in that order.
void subtract_data_terms(const Model& model, std::uint64_t begin, std::uint64_t end,
                         double* residuals) {
  const double* y = model.y;
  for (std::uint64_t t = begin; t < end; ++t) {
    residuals[t] = y[t];
  }
  if (model.constant != 0) {
    const double constant = model.parameters[0];
    for (std::uint64_t t = begin; t < end; ++t) {
      residuals[t] = residuals[t] - constant;
    }
  }
  for (std::int32_t j = 0; j < model.ar_count; ++j) {
    const auto lag = static_cast<std::int32_t>(model.ar_lags[j]);
    const double coefficient = model.ar_coefficients[j];
    const auto back = static_cast<std::uint64_t>(lag);
    for (std::uint64_t t = begin; t < end; ++t) {
      residuals[t] = residuals[t] - y[t - back] * coefficient;
    }
  }
  // Regressor column j starts at j * T, whatever the regressor array's own row count.
  for (std::uint64_t j = 0; j < model.x_columns; ++j) {
    const double coefficient = model.x_coefficients[j];
    const double* column = model.x + j * model.T;
    for (std::uint64_t t = begin; t < end; ++t) {
      residuals[t] = residuals[t] - coefficient * column[t];
    }
  }
}

// The small models: P autoregressive lags, K regressors, Q MA terms of lags 1 .. Q. The
// latest unscaled residuals live in registers, so the output array is free to take the
// scaled residuals: scaling never feeds back. Each residual is divided by its scale and
// stored kScaleDelay steps after it was formed. A division at once would compete with the
// next steps for the floating-point units just when the chain's product wants them; a few
// steps later its operands have long been ready and it fills an idle slot. The values
// stored are the same either way.
constexpr std::size_t kScaleDelay = 4;

template <int P, int K, int Q>
void run_short(const Model& model, std::uint64_t m, double* residuals) {
  const bool has_constant = model.constant != 0;
  const double constant = has_constant ? model.parameters[0] : 0.0;
  // The autoregressive lags as distances back from t (lags lie in 1 .. m, so t - lag >= 0).
  const double* y = model.y;
  const std::uint64_t lag1 =
      P >= 1 ? static_cast<std::uint64_t>(static_cast<std::int32_t>(model.ar_lags[0])) : 0;
  const std::uint64_t lag2 =
      P >= 2 ? static_cast<std::uint64_t>(static_cast<std::int32_t>(model.ar_lags[1])) : 0;
  const double phi1 = P >= 1 ? model.ar_coefficients[0] : 0.0;
  const double phi2 = P >= 2 ? model.ar_coefficients[1] : 0.0;
  // Regressor column j starts at j * T, whatever the regressor array's own row count.
  // Only columns that exist are located: without regressors x may be null.
  const double* x1 = model.x;
  const double* x2 = K >= 2 ? model.x + model.T : model.x;
  const double beta1 = K >= 1 ? model.x_coefficients[0] : 0.0;
  const double beta2 = K >= 2 ? model.x_coefficients[1] : 0.0;
  const double psi1 = Q >= 1 ? model.ma_coefficients[0] : 0.0;
  const double psi2 = Q >= 2 ? model.ma_coefficients[1] : 0.0;
  const double* sigma = model.sigma;
  // recent[k]: the unscaled residual of step t - 1 - k; below m the zeros of the fill.
  std::array<double, kScaleDelay> recent{};
  const auto step = [&](std::uint64_t t) {
    double r = y[t];
    if (has_constant) {
      r = r - constant;
    }
    if constexpr (P >= 1) {
      r = r - y[t - lag1] * phi1;
    }
    if constexpr (P >= 2) {
      r = r - y[t - lag2] * phi2;
    }
    if constexpr (K >= 1) {
      r = r - beta1 * x1[t];
    }
    if constexpr (K >= 2) {
      r = r - beta2 * x2[t];
    }
    if constexpr (Q >= 1) {
      r = r - recent[0] * psi1;
    }
    if constexpr (Q >= 2) {
      r = r - recent[1] * psi2;
    }
    for (std::size_t k = kScaleDelay - 1; k > 0; --k) {
      recent[k] = recent[k - 1];
    }
    recent[0] = r;
  };
  const std::uint64_t T = model.T;
  std::uint64_t t = m;
  for (; t < T && t - m < kScaleDelay; ++t) {
    step(t);
  }
  for (; t < T; ++t) {
    // recent[kScaleDelay - 1] is the residual of step t - kScaleDelay here.
    residuals[t - kScaleDelay] = recent[kScaleDelay - 1] / sigma[t - kScaleDelay];
    step(t);
  }
  // The last steps, fewer than kScaleDelay when T - m is.
  const std::uint64_t left = std::min<std::uint64_t>(kScaleDelay, T - m);
  for (std::uint64_t k = 0; k < left; ++k) {
    residuals[T - 1 - k] = recent[k] / sigma[T - 1 - k];
  }
}

// Any model, a chunk at a time: the data terms of the chunk, then the MA recursion over
// it, lag-1 terms taking the latest residual from a register.
//
// Up to kListedOrder MA terms with lags up to kRingSize, their count is a template
// argument, so that the loop over them unrolls with every lag and coefficient in a
// register, and the unscaled residuals of the last kRingSize observations are kept in a
// ring on the stack, which frees the output array to take each scaled residual at once.
// Other models keep the unscaled residuals in the output array, where the older lags read
// them, and scale them in a last pass.
constexpr int kListedOrder = 8;
constexpr std::size_t kRingSize = 16;  // a power of two

template <int Q>
void run_listed(const Model& model, std::uint64_t m, double* residuals) {
  constexpr auto kListed = static_cast<std::size_t>(std::max(Q, 1));
  std::array<std::int32_t, kListed> lag{};
  std::array<double, kListed> coefficient{};
  for (std::size_t j = 0; j < static_cast<std::size_t>(Q); ++j) {
    lag[j] = static_cast<std::int32_t>(model.ma_lags[j]);
    coefficient[j] = model.ma_coefficients[j];
  }
  // ring[i % kRingSize]: the unscaled residual of observation i; zero below m.
  std::array<double, kRingSize> ring{};
  constexpr std::uint64_t kMask = kRingSize - 1;
  double latest = 0.0;
  for (std::uint64_t begin = m; begin < model.T; begin += kChunk) {
    const std::uint64_t end = std::min(begin + kChunk, model.T);
    subtract_data_terms(model, begin, end, residuals);
    for (std::uint64_t t = begin; t < end; ++t) {
      double r = residuals[t];
      for (std::size_t j = 0; j < static_cast<std::size_t>(Q); ++j) {
        const auto l = static_cast<std::uint64_t>(lag[j]);
        const double lagged = l == 1 ? latest : ring[(t - l) & kMask];
        r = r - lagged * coefficient[j];
      }
      residuals[t] = r / model.sigma[t];
      ring[t & kMask] = r;
      latest = r;
    }
  }
}

void run_unlisted(const Model& model, std::uint64_t m, double* residuals) {
  double latest = 0.0;
  for (std::uint64_t begin = m; begin < model.T; begin += kChunk) {
    const std::uint64_t end = std::min(begin + kChunk, model.T);
    subtract_data_terms(model, begin, end, residuals);
    for (std::uint64_t t = begin; t < end; ++t) {
      const auto now = static_cast<std::ptrdiff_t>(t);
      double r = residuals[t];
      for (std::int32_t j = 0; j < model.ma_count; ++j) {
        const auto l = static_cast<std::int32_t>(model.ma_lags[j]);
        const double lagged = l == 1 ? latest : residuals[now - l];
        r = r - lagged * model.ma_coefficients[j];
      }
      residuals[t] = r;
      latest = r;
    }
  }
  // Scaling comes after the whole recursion, so it never feeds back into the MA terms.
  for (std::uint64_t t = m; t < model.T; ++t) {
    residuals[t] = residuals[t] / model.sigma[t];
  }
}

template <std::size_t... Index>
constexpr std::array<void (*)(const Model&, std::uint64_t, double*), sizeof...(Index)> listed_runs(
    std::index_sequence<Index...> /*unused*/) {
  return {&run_listed<static_cast<int>(Index)>...};
}

constexpr auto kListedRuns = listed_runs(std::make_index_sequence<kListedOrder + 1>());

void run_any(const Model& model, std::uint64_t m, double* residuals) {
  const std::int32_t Q = std::max(model.ma_count, 0);
  bool listed = Q <= kListedOrder;
  for (std::int32_t j = 0; listed && j < Q; ++j) {
    const auto l = static_cast<std::int32_t>(model.ma_lags[j]);
    listed = l >= 1 && static_cast<std::size_t>(l) <= kRingSize;
  }
  if (listed) {
    kListedRuns[static_cast<std::size_t>(Q)](model, m, residuals);
  } else {
    run_unlisted(model, m, residuals);
  }
}

using Run = void (*)(const Model&, std::uint64_t, double*);

constexpr int kShortOrder = 2;
constexpr std::size_t kShortCount = kShortOrder + 1;

// Table index (P * 3 + K) * 3 + Q.
template <std::size_t... Index>
constexpr std::array<Run, sizeof...(Index)> short_runs(std::index_sequence<Index...> /*unused*/) {
  return {&run_short<static_cast<int>(Index / kShortCount / kShortCount),
                     static_cast<int>(Index / kShortCount % kShortCount),
                     static_cast<int>(Index % kShortCount)>...};
}

constexpr auto kShortRuns =
    short_runs(std::make_index_sequence<kShortCount * kShortCount * kShortCount>());

// The loop for the model: its own for a small model, else the chunked one.
Run pick_run(const Model& model) {
  const std::int32_t Q = std::max(model.ma_count, 0);
  bool short_model =
      model.ar_count <= kShortOrder && model.x_columns <= kShortOrder && Q <= kShortOrder;
  // The short loops take MA lags 1, 2, ... in that order.
  for (std::int32_t j = 0; short_model && j < Q; ++j) {
    short_model = static_cast<std::int32_t>(model.ma_lags[j]) == j + 1;
  }
  if (!short_model) {
    return &run_any;
  }
  const std::size_t index =
      (static_cast<std::size_t>(std::max(model.ar_count, 0)) * kShortCount + model.x_columns) *
          kShortCount +
      static_cast<std::size_t>(Q);
  return kShortRuns[index];
}

}  // namespace

void lagreg_kernel(const double* parameters, const double* ar_lags, const double* ma_lags,
                   std::int32_t constant, std::int32_t ar_count, std::int32_t ma_count,
                   const double* y, const double* x, std::uint64_t m, std::uint64_t T,
                   std::uint64_t x_columns, const double* sigma, double* residuals) {
  // Observations before m get no residual; the moving-average terms read these zeros.
  if (m > 0) {
    std::memset(residuals, 0, static_cast<std::size_t>(m) * sizeof(double));
  }
  if (m >= T) {
    return;
  }
  // The flag is the offset of the first autoregressive coefficient: 0 or 1.
  const double* ar_coefficients = parameters + constant;
  const double* x_coefficients = ar_coefficients + (ar_count > 0 ? ar_count : 0);
  const double* ma_coefficients = x_coefficients + x_columns;
  const Model model{parameters,
                    ar_lags,
                    ar_coefficients,
                    x_coefficients,
                    ma_lags,
                    ma_coefficients,
                    constant,
                    ar_count,
                    ma_count,
                    y,
                    x,
                    T,
                    x_columns,
                    sigma};
  pick_run(model)(model, m, residuals);
}

}  // namespace volfilter
