// The likelihood of one series: the model's kernel, called on scratch allocated once for the
// longest series the object serves; with a mean, the model's mean kernel on the returns.
#include <algorithm>

#include "estimation.hpp"

namespace volfilter::estimation {

namespace {

LikelihoodScratch scratch_of(const ModelSettings& s, bool derivatives) {
  switch (s.model) {
    case Model::threshvol:
      return threshvol_nll_scratch(s.p, s.o, s.q, s.type, derivatives);
    case Model::logvol:
      return logvol_nll_scratch(s.p, s.o, s.q, derivatives);
    case Model::shiftvol:
      return shiftvol_nll_scratch(s.p, s.q, derivatives);
    case Model::intvol:
      break;
  }
  return intvol_nll_scratch(s.p, s.q, s.type, s.constant, derivatives);
}

// The mean kernels' scratch reads the lags only.
LikelihoodScratch mean_scratch_of(const ModelSettings& s, bool derivatives) {
  const MeanTerms mean = mean_terms(s, nullptr, nullptr);
  switch (s.model) {
    case Model::threshvol:
      return threshvol_mean_nll_scratch(mean, s.p, s.o, s.q, s.type, derivatives);
    case Model::logvol:
      return logvol_mean_nll_scratch(mean, s.p, s.o, s.q, derivatives);
    case Model::shiftvol:
      return shiftvol_mean_nll_scratch(mean, s.p, s.q, derivatives);
    case Model::intvol:
      break;
  }
  return intvol_mean_nll_scratch(mean, s.p, s.q, s.type, s.constant, derivatives);
}

}  // namespace

Likelihood::Likelihood(const ModelSettings& settings, std::uint64_t T)
    : settings_(settings), capacity_(T), mean_(has_mean(settings)) {
  if (settings_.model != Model::threshvol && settings_.model != Model::logvol) {
    settings_.o = 0;
  }
  const auto scratch = [this](bool derivatives) {
    return mean_ ? mean_scratch_of(settings_, derivatives) : scratch_of(settings_, derivatives);
  };
  const LikelihoodScratch with = scratch(true);
  const LikelihoodScratch without = scratch(false);
  ht_.assign(T, 0.0);
  series_.assign(std::max(with.series_columns, without.series_columns) * T, 0.0);
  lanes_.assign(std::max<std::uint64_t>(with.lane_values, 1), 0.0);
  if (mean_) {
    residuals_.assign(T, 0.0);
  }
}

void Likelihood::bind(const double* e, std::uint64_t T, double backcast, double upper_bound,
                      const double* x) {
  e_ = e;
  T_ = std::min(T, capacity_);
  backcast_ = backcast;
  upper_bound_ = upper_bound;
  x_ = x;
  head_rows_ = 0;
}

const double* Likelihood::residuals() const { return mean_ ? residuals_.data() : e_; }

const double* Likelihood::regressors(std::uint64_t rows) {
  const std::uint64_t k = settings_.mean.x_columns;
  if (rows == T_ || k == 0) {
    return x_;
  }
  if (head_rows_ != rows) {
    head_x_.resize(rows * k);
    for (std::uint64_t j = 0; j < k; ++j) {
      std::copy(x_ + j * T_, x_ + j * T_ + rows, head_x_.begin() + static_cast<long>(j * rows));
    }
    head_rows_ = rows;
  }
  return head_x_.data();
}

double Likelihood::call(const double* theta, std::uint64_t T, double* ht, LikelihoodResult result) {
  const ModelSettings& s = settings_;
  double* series = series_.data();
  double* lanes = lanes_.data();
  if (mean_) {
    const MeanTerms mean = mean_terms(s, e_, regressors(T));
    double* residuals = residuals_.data();
    switch (s.model) {
      case Model::threshvol:
        threshvol_mean_nll_kernel(mean, theta, &backcast_, s.p, s.o, s.q, s.m, T, s.type,
                                  s.distribution, ht, residuals, series, lanes, result);
        break;
      case Model::logvol:
        logvol_mean_nll_kernel(mean, theta, &backcast_, &upper_bound_, s.p, s.o, s.q, s.m, T,
                               s.distribution, ht, residuals, series, lanes, result);
        break;
      case Model::shiftvol:
        shiftvol_mean_nll_kernel(mean, theta, &backcast_, s.p, s.q, s.m, T, s.type, s.distribution,
                                 ht, residuals, series, lanes, result);
        break;
      case Model::intvol:
        intvol_mean_nll_kernel(mean, theta, &backcast_, s.p, s.q, s.m, T, s.type, s.constant,
                               s.distribution, ht, residuals, series, lanes, result);
        break;
    }
    return result.nll[0];
  }
  switch (s.model) {
    case Model::threshvol:
      threshvol_nll_kernel(e_, theta, &backcast_, s.p, s.o, s.q, s.m, T, s.type, s.distribution, ht,
                           series, lanes, result);
      break;
    case Model::logvol:
      logvol_nll_kernel(e_, theta, &backcast_, &upper_bound_, s.p, s.o, s.q, s.m, T, s.distribution,
                        ht, series, lanes, result);
      break;
    case Model::shiftvol:
      shiftvol_nll_kernel(e_, theta, &backcast_, s.p, s.q, s.m, T, s.type, s.distribution, ht,
                          series, lanes, result);
      break;
    case Model::intvol:
      intvol_nll_kernel(e_, theta, &backcast_, s.p, s.q, s.m, T, s.type, s.constant, s.distribution,
                        ht, series, lanes, result);
      break;
  }
  return result.nll[0];
}

double Likelihood::value(const double* theta, std::uint64_t head) {
  const std::uint64_t T = std::min(head, T_);
  if (T < T_) {
    ++counts_.head_values;
  } else {
    ++counts_.full_values;
  }
  double nll = 0.0;
  return call(theta, T, ht_.data(), {&nll, nullptr, nullptr});
}

double Likelihood::gradient(const double* theta, double* gradient) {
  ++counts_.gradients;
  double nll = 0.0;
  return call(theta, T_, ht_.data(), {&nll, gradient, nullptr});
}

double Likelihood::scores(const double* theta, double* gradient, double* scores, double* ht) {
  ++counts_.scores;
  double nll = 0.0;
  return call(theta, T_, ht, {&nll, gradient, scores});
}

}  // namespace volfilter::estimation
