#include "estimation_frame.hpp"

#include <algorithm>

namespace volfilter::gateway {

void check_estimation_counts(int nlhs, int nrhs, int required_inputs, const char* input_message,
                             int most_outputs, const char* output_message) {
  if (nrhs != required_inputs) {
    refuse(input_message);
  }
  if (nlhs > most_outputs) {
    refuse(output_message);
  }
}

estimation::Specification read_model(const mxArray* const prhs[], const ModelPositions& at) {
  estimation::Specification s;
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

estimation::Specification read_model_scalars(const mxArray* const prhs[]) {
  estimation::Specification s = read_model(prhs, kSharedModelPositions);
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
                        estimation::Specification& s) {
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
