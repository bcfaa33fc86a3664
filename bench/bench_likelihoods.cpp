// The likelihood kernels at order 1 and both distributions: a value-only call (named
// <model>_nll/<variant>/kernel) beside its budget (baseline: the filter kernel on the same
// data series plus the density's library calls, one logarithm per observation for the normal,
// two for Student's t), and a call with the gradient (<model>_grad/<variant>/kernel) beside the
// value-only call (baseline). The ratio table then shows value / budget and gradient / value.
//
// With a mean (constant, AR(1), ARMA(1,1)): a call with the gradient of the likelihood of returns
// (<model>_mean_grad/<variant>/kernel) beside the model's own call with the gradient on residuals
// (baseline), so that k/base is what the mean costs.
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "kernels.hpp"

namespace volfilter::bench {

namespace {

struct Model {
  std::string name;  // threshvol, logvol, shiftvol, intvol
  std::string variant;
  int p, o, q, type;
  std::vector<double> parameters;  // the model's own; nu is appended for Student's t
  double backcast;
};

struct Inputs {
  Model model;
  Distribution distribution;
  std::vector<double> e, data, asym, parameters, ht, series, lanes, gradient, s1, s2, s3;
  double upper_bound = 1e6;
  double nll = 0.0;

  Inputs(std::uint64_t T, const std::pair<Model, Distribution>& setting)
      : model(setting.first),
        distribution(setting.second),
        e(T),
        data(T),
        asym(T),
        parameters(model.parameters),
        ht(T),
        series(5 * T),
        lanes(4096),
        gradient(8),
        s1(T),
        s2(T),
        s3(T) {
    // Residuals of unit variance with a spread of magnitudes, both signs.
    const std::vector<double> u = uniform(T, -1.7320508, 1.7320508, 7);
    for (std::uint64_t t = 0; t < T; ++t) {
      e[t] = u[t];
      data[t] = model.type == 1 ? std::fabs(u[t]) : u[t] * u[t];
      asym[t] = u[t] < 0 ? data[t] : 0.0;
    }
    if (distribution == Distribution::student_t) {
      parameters.push_back(8.0);
    }
  }

  // The mean: constant, AR lags and MA lags, their parameters before the model's.
  std::vector<double> ar_lags, ma_lags, joint, residuals, joint_gradient, lanes_of_mean;
  MeanTerms terms{};

  void set_mean(const std::vector<double>& mean, std::size_t ar, std::size_t ma) {
    ar_lags.assign(ar, 1.0);
    ma_lags.assign(ma, 1.0);
    joint = mean;
    joint.insert(joint.end(), parameters.begin(), parameters.end());
    residuals.assign(e.size(), 0.0);
    joint_gradient.assign(joint.size(), 0.0);
    lanes_of_mean.assign(4096, 0.0);
    terms = {e.data(),
             nullptr,
             0,
             ar_lags.data(),
             static_cast<std::int32_t>(ar),
             ma_lags.data(),
             static_cast<int>(ma),
             1};
  }

  void mean_likelihood(std::uint64_t T) {
    const LikelihoodResult result{&nll, joint_gradient.data(), nullptr};
    const double* theta = joint.data();
    const int p = model.p;
    const int o = model.o;
    const int q = model.q;
    double* lanes_scratch = lanes_of_mean.data();
    if (model.name == "threshvol") {
      threshvol_mean_nll_kernel(terms, theta, &model.backcast, p, o, q, 1, T, model.type,
                                distribution, ht.data(), residuals.data(), series.data(),
                                lanes_scratch, result);
    } else if (model.name == "logvol") {
      logvol_mean_nll_kernel(terms, theta, &model.backcast, &upper_bound, p, o, q, 1, T,
                             distribution, ht.data(), residuals.data(), series.data(),
                             lanes_scratch, result);
    } else if (model.name == "shiftvol") {
      shiftvol_mean_nll_kernel(terms, theta, &model.backcast, p, q, 1, T, model.type, distribution,
                               ht.data(), residuals.data(), series.data(), lanes_scratch, result);
    } else {
      intvol_mean_nll_kernel(terms, theta, &model.backcast, p, q, 1, T, model.type, 1, distribution,
                             ht.data(), residuals.data(), series.data(), lanes_scratch, result);
    }
  }

  void likelihood(std::uint64_t T, bool with_gradient) {
    const LikelihoodResult result{&nll, with_gradient ? gradient.data() : nullptr, nullptr};
    const double* theta = parameters.data();
    const int p = model.p;
    const int o = model.o;
    const int q = model.q;
    if (model.name == "threshvol") {
      threshvol_nll_kernel(e.data(), theta, &model.backcast, p, o, q, 1, T, model.type,
                           distribution, ht.data(), series.data(), lanes.data(), result);
    } else if (model.name == "logvol") {
      logvol_nll_kernel(e.data(), theta, &model.backcast, &upper_bound, p, o, q, 1, T, distribution,
                        ht.data(), series.data(), lanes.data(), result);
    } else if (model.name == "shiftvol") {
      shiftvol_nll_kernel(e.data(), theta, &model.backcast, p, q, 1, T, model.type, distribution,
                          ht.data(), series.data(), lanes.data(), result);
    } else {
      intvol_nll_kernel(e.data(), theta, &model.backcast, p, q, 1, T, model.type, 1, distribution,
                        ht.data(), series.data(), lanes.data(), result);
    }
  }

  // The filter on data series already formed, then the density's library calls on its
  // variances.
  void budget(std::uint64_t T) {
    const double* theta = parameters.data();
    const int p = model.p;
    const int o = model.o;
    const int q = model.q;
    if (model.name == "threshvol") {
      threshvol_kernel(data.data(), asym.data(), theta, &model.backcast, p, o, q, 1, T, model.type,
                       ht.data());
    } else if (model.name == "logvol") {
      logvol_kernel(e.data(), theta, &model.backcast, &upper_bound, p, o, q, 1, T, ht.data(),
                    s1.data(), s2.data(), s3.data());
    } else if (model.name == "shiftvol") {
      shiftvol_kernel(e.data(), theta, &model.backcast, p, q, 1, T, model.type, ht.data(),
                      s1.data());
    } else {
      intvol_kernel(data.data(), theta, &model.backcast, p, q, 1, T, model.type, 1, ht.data());
    }
    double sum = 0.0;
    if (distribution == Distribution::student_t) {
      for (std::uint64_t t = 1; t < T; ++t) {
        // The arguments the density takes at nu = 8: e^2 / ((nu - 2) h).
        sum = sum + std::log(ht[t]) + std::log1p(e[t] * e[t] / (6.0 * ht[t]));
      }
    } else {
      for (std::uint64_t t = 1; t < T; ++t) {
        sum = sum + std::log(ht[t]);
      }
    }
    nll = sum;
  }
};

}  // namespace

void add_likelihoods() {
  const std::vector<Model> models = {
      {"threshvol", "garch11", 1, 0, 1, 2, {0.05, 0.08, 0.9}, 1.0},
      {"threshvol", "gjr111", 1, 1, 1, 2, {0.05, 0.04, 0.08, 0.85}, 1.0},
      {"threshvol", "power1_111", 1, 1, 1, 1, {0.05, 0.04, 0.08, 0.85}, 0.9},
      {"logvol", "egarch111", 1, 1, 1, 2, {-0.01, 0.15, -0.08, 0.95}, 0.0},
      {"shiftvol", "nagarch11", 1, 0, 1, 0, {0.05, 0.07, 0.5, 0.85}, 1.0},
      {"intvol", "igarch11", 1, 0, 1, 2, {0.02, 0.1}, 1.0},
  };
  for (const Model& model : models) {
    for (const Distribution distribution : {Distribution::normal, Distribution::student_t}) {
      const std::string variant =
          model.variant + (distribution == Distribution::normal ? "_normal" : "_t");
      const auto setting = std::make_pair(model, distribution);
      const auto prepared = [setting](auto run) {
        return [setting, run](std::uint64_t T) {
          auto inputs = std::make_shared<Inputs>(T, setting);
          return std::function<void()>([inputs, run, T] { run(*inputs, T); });
        };
      };
      const auto value = [](Inputs& in, std::uint64_t T) { in.likelihood(T, false); };
      const auto with_gradient = [](Inputs& in, std::uint64_t T) { in.likelihood(T, true); };
      const auto budget = [](Inputs& in, std::uint64_t T) { in.budget(T); };
      for (const std::uint64_t T : {1000U, 10000U, 100000U}) {
        add(model.name + "_nll", variant, "kernel", T, prepared(value));
        add(model.name + "_nll", variant, "baseline", T, prepared(budget));
        add(model.name + "_grad", variant, "kernel", T, prepared(with_gradient));
        add(model.name + "_grad", variant, "baseline", T, prepared(value));
      }
      struct Mean {
        std::string name;
        std::vector<double> parameters;  // constant, AR, MA
        std::size_t ar, ma;
      };
      for (const Mean& mean : {Mean{"constant", {0.01}, 0, 0}, Mean{"ar1", {0.01, 0.1}, 1, 0},
                               Mean{"arma11", {0.01, 0.1, -0.05}, 1, 1}}) {
        const auto joint = [mean](Inputs& in, std::uint64_t T) {
          if (in.joint.empty()) {
            in.set_mean(mean.parameters, mean.ar, mean.ma);
          }
          in.mean_likelihood(T);
        };
        for (const std::uint64_t T : {1000U, 10000U}) {
          add(model.name + "_mean_grad", mean.name + "_" + variant, "kernel", T, prepared(joint));
          add(model.name + "_mean_grad", mean.name + "_" + variant, "baseline", T,
              prepared(with_gradient));
        }
      }
    }
  }
}

}  // namespace volfilter::bench
