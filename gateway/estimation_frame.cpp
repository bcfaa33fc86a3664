#include "estimation_frame.hpp"

#include <algorithm>
#include <exception>

namespace volfilter::gateway {

void check_estimation_counts(int nlhs, int nrhs, int required_inputs, int with_mean_inputs,
                             const char* input_message, int most_outputs,
                             const char* output_message) {
  if (nrhs != required_inputs && nrhs != with_mean_inputs) {
    refuse(input_message);
  }
  if (nlhs > most_outputs) {
    refuse(output_message);
  }
}

estimation::ModelSettings read_model(const mxArray* const prhs[], const ModelPositions& at) {
  estimation::ModelSettings s;
  const std::int32_t model = order_value(prhs[at.model], "model");
  if (!estimation::is_model(model)) {
    refuse("Input model must be 0 (threshvol), 1 (logvol), 2 (shiftvol) or 3 (intvol).");
  }
  s.model = static_cast<estimation::Model>(model);
  s.p = lag_order(prhs[at.p], "p");
  s.o = lag_order(prhs[at.o], "o");
  s.q = lag_order(prhs[at.q], "q");
  if (s.model == estimation::Model::intvol) {
    // The integrated model's last lag coefficient is implied: it has at least one.
    require(s.q >= 1, "Input q must be at least 1.");
  }
  s.type = order_value(prhs[at.type], "type");
  s.constant = order_value(prhs[at.constant], "constant");
  require(s.constant == 0 || s.constant == 1, "Input constant must be 0 or 1.");
  s.distribution = distribution_value(prhs[at.distribution]);
  return s;
}

estimation::ModelSettings read_model_scalars(const mxArray* const prhs[]) {
  estimation::ModelSettings s = read_model(prhs, kSharedModelPositions);
  s.m = lag_order(prhs[kPresampleM], "m");
  const std::int32_t rule = order_value(prhs[kBackcastRule], "backcast_rule");
  if (!estimation::is_presample_rule(rule)) {
    refuse("Input backcast_rule must be 0 (ewma), 1 (mean) or 2 (the value given).");
  }
  s.presample_rule = static_cast<estimation::PresampleRule>(rule);
  return s;
}

ModelArrays read_model_arrays(const mxArray* const prhs[], const char* series_name) {
  ModelArrays arrays{};
  arrays.series = data_of(prhs[kSeries], series_name);
  arrays.backcast = data_of(prhs[kBackcast], "backcast");
  arrays.upper_bound = data_of(prhs[kUpperBound], "upper_bound");
  return arrays;
}

void check_model_inputs(const mxArray* const prhs[], const ModelArrays& arrays, std::uint64_t T,
                        estimation::ModelSettings& s) {
  if (static_cast<std::uint64_t>(s.m) > T) {
    refuse("Input m must not exceed T.");
  }
  require(s.m >= estimation::largest_order(s),
          "Input m must be at least the largest of p, o and q.");
  if (s.presample_rule == estimation::PresampleRule::given) {
    require_elements(prhs[kBackcast], "backcast", 1);
    s.presample_value = arrays.backcast[0];
  }
  s.upper_bound_given = elements_of(prhs[kUpperBound]) > 0;
  if (s.upper_bound_given) {
    s.upper_bound = arrays.upper_bound[0];
  }
}

MeanInputs read_mean_scalar(const mxArray* const prhs[], bool given, int first) {
  MeanInputs mean;
  mean.given = given;
  if (given) {
    mean.at = {kSeries, first + kMeanX, first + kMeanArLags, first + kMeanMaLags};
    mean.constant = mean_constant(prhs[first + kMeanConstant], "mean_constant");
  }
  return mean;
}

void read_mean_arrays(const mxArray* const prhs[], MeanInputs& mean) {
  if (mean.given) {
    mean.arrays = mean_arrays(prhs, mean.at);
  }
}

namespace {

// Refuses a lag list that holds a lag twice: the two coefficients could not be told apart.
void require_distinct(const double* lags, std::int32_t count, const char* name) {
  for (std::int32_t j = 1; j < count; ++j) {
    for (std::int32_t i = 0; i < j; ++i) {
      if (lags[i] == lags[j]) {
        refuse_with("Input %s must not hold a lag twice.", name);
      }
    }
  }
}

}  // namespace

void check_mean_inputs(const mxArray* const prhs[], const MeanInputs& mean, std::uint64_t T,
                       estimation::ModelSettings& s) {
  if (!mean.given) {
    return;
  }
  const MeanTerms terms = mean_terms(prhs, mean.arrays, T, mean.constant, s.m, mean.at);
  const std::uint64_t k = mean_parameter_count(terms);
  if (k > estimation::kMostParameters) {
    refuse_with("The mean has %llu parameters, more than the %llu a fit takes.",
                static_cast<unsigned long long>(k),
                static_cast<unsigned long long>(estimation::kMostParameters));
  }
  require_distinct(terms.ar_lags, terms.ar_count, "ar_lags");
  require_distinct(terms.ma_lags, terms.ma_count, "ma_lags");
  bool copied = true;
  try {
    s.mean.ar_lags.assign(terms.ar_lags, terms.ar_lags + terms.ar_count);
    s.mean.ma_lags.assign(terms.ma_lags, terms.ma_lags + terms.ma_count);
  } catch (const std::exception&) {
    copied = false;
  }
  if (!copied) {
    s.mean = estimation::MeanSettings{};
    refuse("Not enough memory for the mean's lags.");
  }
  s.mean.constant = terms.constant;
  s.mean.x_columns = terms.x_columns;
}

std::uint64_t name_width(const std::vector<std::string>& names) {
  std::uint64_t width = 0;
  for (const std::string& name : names) {
    width = std::max<std::uint64_t>(width, name.size());
  }
  return width;
}

void write_names(const std::vector<std::string>& names, std::uint64_t width, double* codes) {
  const std::uint64_t rows = names.size();
  for (std::uint64_t r = 0; r < rows; ++r) {
    const std::string& name = names[r];
    for (std::uint64_t c = 0; c < width; ++c) {
      const char character = c < name.size() ? name[c] : ' ';
      codes[r + c * rows] = static_cast<double>(static_cast<unsigned char>(character));
    }
  }
}

std::vector<std::string> parameter_names(const estimation::Plan& plan) {
  std::vector<std::string> names;
  names.reserve(plan.size());
  for (const estimation::Parameter& parameter : plan.parameters) {
    names.push_back(parameter.name);
  }
  return names;
}

}  // namespace volfilter::gateway
