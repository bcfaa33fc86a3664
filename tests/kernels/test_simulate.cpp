// The simulation kernels: each path is its model's filter continued (the filter run on the
// history and the path's residuals gives the path's variances bit for bit), every path has
// the same bits in any block of lanes and on either instruction set, and nothing is written
// where there are no steps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "kernels.hpp"

namespace {

using volfilter::SimulationLanes;

enum class Model { threshvol, logvol, shiftvol, intvol };

struct Case {
  std::string label;
  Model model;
  int p, o, q, type;
  std::vector<double> parameters;
  double backcast;
  int m;
  double upper_bound = 1e6;
  int has_constant = 1;
};

// Orders 1 (the lanes' registers) and others (their rings), every type, and the log-variance
// bounds: the floor, a finite ceiling and an exponential that overflows into it.
const std::vector<Case>& cases() {
  static const std::vector<Case> table{
      {"GARCH(1,1)", Model::threshvol, 1, 0, 1, 2, {0.05, 0.1, 0.85}, 1.2, 1},
      {"GJR(1,1,1)", Model::threshvol, 1, 1, 1, 2, {0.05, 0.05, 0.1, 0.8}, 0.9, 1},
      {"threshold power 1", Model::threshvol, 1, 1, 1, 1, {0.05, 0.06, 0.05, 0.85}, 0.9, 1},
      {"threshold orders 2 1 2",
       Model::threshvol,
       2,
       1,
       2,
       2,
       {0.1, 0.05, 0.04, 0.06, 0.5, 0.3},
       1.1,
       3},
      {"threshold orders 0 2 3, power 1",
       Model::threshvol,
       0,
       2,
       3,
       1,
       {0.02, 0.04, 0.03, 0.4, 0.3, 0.2},
       1.0,
       3},
      {"threshold no lags", Model::threshvol, 0, 0, 0, 2, {0.7}, 1.0, 0},
      {"EGARCH(1,1,1)", Model::logvol, 1, 1, 1, 0, {0.02, 0.1, -0.06, 0.95}, -0.1, 1},
      {"EGARCH(1,0,1)", Model::logvol, 1, 0, 1, 0, {-0.01, 0.15, 0.9}, 0.05, 1},
      {"log-variance orders 2 1 3",
       Model::logvol,
       2,
       1,
       3,
       0,
       {0.01, 0.1, 0.05, -0.05, 0.5, 0.2, 0.1},
       0.0,
       3},
      {"log-variance floor", Model::logvol, 0, 0, 1, 0, {-20, 0.5}, 0.0, 1},
      {"log-variance ceiling", Model::logvol, 1, 1, 1, 0, {1.5, 0.3, 0.1, 0.5}, 0.0, 1, 3.0},
      {"log-variance overflow", Model::logvol, 0, 1, 0, 0, {800, 0.1}, 0.0, 1, 50.0},
      {"constant shift (1,1)", Model::shiftvol, 1, 0, 1, 1, {0.05, 0.08, 0.3, 0.85}, 1.0, 1},
      {"scaled shift (1,1)", Model::shiftvol, 1, 0, 1, 0, {0.05, 0.07, 0.5, 0.8}, 1.1, 1},
      {"scaled shift orders 2 2",
       Model::shiftvol,
       2,
       0,
       2,
       0,
       {0.05, 0.05, 0.03, 0.4, 0.5, 0.3},
       0.8,
       2},
      {"constant shift orders 3 1",
       Model::shiftvol,
       3,
       0,
       1,
       1,
       {0.1, 0.03, 0.03, 0.02, -0.2, 0.8},
       1.0,
       3},
      {"IGARCH(1,1)", Model::intvol, 1, 0, 1, 2, {0.02, 0.1}, 1.0, 1},
      {"integrated power 1", Model::intvol, 1, 0, 1, 1, {0.02, 0.12}, 1.0, 1},
      {"integrated orders 2 3, no constant",
       Model::intvol,
       2,
       0,
       3,
       2,
       {0.05, 0.04, 0.5, 0.2},
       1.0,
       3,
       1e6,
       0},
      {"integrated orders 0 2, power 1", Model::intvol, 0, 0, 2, 1, {0.01, 0.6}, 0.9, 2},
  };
  return table;
}

struct Paths {
  std::vector<double> e, ht;
};

volfilter::SimulationScratch scratch_of(const Case& c) {
  switch (c.model) {
    case Model::threshvol:
      return volfilter::threshvol_simulate_scratch(c.p, c.o, c.q);
    case Model::logvol:
      return volfilter::logvol_simulate_scratch(c.p, c.o, c.q);
    case Model::shiftvol:
      return volfilter::shiftvol_simulate_scratch(c.p, c.q);
    case Model::intvol:
      break;
  }
  return volfilter::intvol_simulate_scratch(c.p, c.q);
}

// N paths of T steps from z, after `history` (rows values; one column, or N).
Paths simulate(const Case& c, const std::vector<double>& z, std::uint64_t T, std::uint64_t N,
               const std::vector<double>& history, std::uint64_t rows, SimulationLanes lanes) {
  Paths out{std::vector<double>(T * N, NAN), std::vector<double>(T * N, NAN)};
  const volfilter::SimulationScratch need = scratch_of(c);
  std::vector<double> series(need.series_columns * rows + 1);
  std::vector<double> ring(need.lane_values + 1);
  const volfilter::SimulationPaths paths{z.data(), T, N, out.e.data(), out.ht.data()};
  const volfilter::SimulationHistory past{history.data(), rows,
                                          rows == 0 ? 1 : history.size() / rows};
  const double* theta = c.parameters.data();
  switch (c.model) {
    case Model::threshvol:
      volfilter::threshvol_simulate_kernel(paths, past, theta, &c.backcast, c.p, c.o, c.q, c.m,
                                           c.type, series.data(), ring.data(), lanes);
      break;
    case Model::logvol:
      volfilter::logvol_simulate_kernel(paths, past, theta, &c.backcast, &c.upper_bound, c.p, c.o,
                                        c.q, c.m, series.data(), ring.data(), lanes);
      break;
    case Model::shiftvol:
      volfilter::shiftvol_simulate_kernel(paths, past, theta, &c.backcast, c.p, c.q, c.m, c.type,
                                          series.data(), ring.data(), lanes);
      break;
    case Model::intvol:
      volfilter::intvol_simulate_kernel(paths, past, theta, &c.backcast, c.p, c.q, c.m, c.type,
                                        c.has_constant, series.data(), ring.data(), lanes);
      break;
  }
  return out;
}

// The model's filter on the residuals e, its data formed as the likelihoods form them.
std::vector<double> filter(const Case& c, const std::vector<double>& e) {
  const std::uint64_t T = e.size();
  std::vector<double> ht(T), data(T), asym(T), s1(T), s2(T), s3(T);
  for (std::uint64_t t = 0; t < T; ++t) {
    data[t] = c.type == 1 ? std::fabs(e[t]) : e[t] * e[t];
    asym[t] = e[t] < 0.0 ? data[t] : 0.0;
  }
  const double* theta = c.parameters.data();
  switch (c.model) {
    case Model::threshvol:
      volfilter::threshvol_kernel(data.data(), asym.data(), theta, &c.backcast, c.p, c.o, c.q, c.m,
                                  T, c.type, ht.data());
      break;
    case Model::logvol:
      volfilter::logvol_kernel(e.data(), theta, &c.backcast, &c.upper_bound, c.p, c.o, c.q, c.m, T,
                               ht.data(), s1.data(), s2.data(), s3.data());
      break;
    case Model::shiftvol:
      volfilter::shiftvol_kernel(e.data(), theta, &c.backcast, c.p, c.q, c.m, T, c.type, ht.data(),
                                 s1.data());
      break;
    case Model::intvol:
      volfilter::intvol_kernel(data.data(), theta, &c.backcast, c.p, c.q, c.m, T, c.type,
                               c.has_constant, ht.data());
      break;
  }
  return ht;
}

std::vector<double> normal_draws(std::size_t count, unsigned seed, double scale = 1.0) {
  std::mt19937_64 generator(seed);
  std::normal_distribution<double> draw;
  std::vector<double> values(count);
  for (double& value : values) {
    value = scale * draw(generator);
  }
  return values;
}

bool same_bits(const double* a, const double* b, std::size_t count) {
  return std::memcmp(a, b, count * sizeof(double)) == 0;
}

std::vector<SimulationLanes> instruction_sets() {
  std::vector<SimulationLanes> sets{SimulationLanes::baseline};
  if (volfilter::simulation_lanes_available(SimulationLanes::avx2)) {
    sets.push_back(SimulationLanes::avx2);
  }
  return sets;
}

constexpr std::uint64_t kRows = 40;
constexpr std::uint64_t kSteps = 53;  // three full tiles and a part
constexpr std::uint64_t kPaths = 37;  // two full blocks of lanes and a part

TEST(SimulationIsTheFilterContinued, EveryPathEveryModelOrderAndType) {
  for (const Case& c : cases()) {
    const std::vector<double> history = normal_draws(kRows, 1);
    const std::vector<double> z = normal_draws(kSteps * kPaths, 2);
    for (const SimulationLanes lanes : instruction_sets()) {
      const Paths paths = simulate(c, z, kSteps, kPaths, history, kRows, lanes);
      for (std::uint64_t j = 0; j < kPaths; ++j) {
        std::vector<double> series = history;
        series.insert(series.end(), paths.e.begin() + static_cast<std::ptrdiff_t>(j * kSteps),
                      paths.e.begin() + static_cast<std::ptrdiff_t>((j + 1) * kSteps));
        const std::vector<double> ht = filter(c, series);
        ASSERT_TRUE(same_bits(ht.data() + kRows, paths.ht.data() + j * kSteps, kSteps))
            << c.label << ", path " << j << ", lanes " << static_cast<int>(lanes);
        for (std::uint64_t t = 0; t < kSteps; ++t) {
          const std::uint64_t i = j * kSteps + t;
          ASSERT_EQ(paths.e[i], std::sqrt(paths.ht[i]) * z[i]) << c.label << ", step " << t;
        }
      }
    }
  }
}

TEST(SimulationLanes, EachPathAsAloneWhateverItsBlockOrHistory) {
  for (const Case& c : cases()) {
    const std::vector<double> history = normal_draws(kRows, 3);
    const std::vector<double> z = normal_draws(kSteps * kPaths, 4);
    // One history for each path: the shared one, rescaled path by path.
    std::vector<double> own(kRows * kPaths);
    for (std::uint64_t j = 0; j < kPaths; ++j) {
      for (std::uint64_t t = 0; t < kRows; ++t) {
        own[j * kRows + t] = history[t] * (0.5 + 0.03 * static_cast<double>(j));
      }
    }
    for (const SimulationLanes lanes : instruction_sets()) {
      const Paths together = simulate(c, z, kSteps, kPaths, history, kRows, lanes);
      const Paths each_own = simulate(c, z, kSteps, kPaths, own, kRows, lanes);
      for (std::uint64_t j = 0; j < kPaths; ++j) {
        const std::vector<double> zj(z.begin() + static_cast<std::ptrdiff_t>(j * kSteps),
                                     z.begin() + static_cast<std::ptrdiff_t>((j + 1) * kSteps));
        const Paths alone = simulate(c, zj, kSteps, 1, history, kRows, SimulationLanes::baseline);
        EXPECT_TRUE(same_bits(alone.ht.data(), together.ht.data() + j * kSteps, kSteps) &&
                    same_bits(alone.e.data(), together.e.data() + j * kSteps, kSteps))
            << c.label << ", path " << j;
        const std::vector<double> hj(own.begin() + static_cast<std::ptrdiff_t>(j * kRows),
                                     own.begin() + static_cast<std::ptrdiff_t>((j + 1) * kRows));
        const Paths own_alone = simulate(c, zj, kSteps, 1, hj, kRows, SimulationLanes::baseline);
        EXPECT_TRUE(same_bits(own_alone.ht.data(), each_own.ht.data() + j * kSteps, kSteps))
            << c.label << ", own history, path " << j;
      }
    }
  }
}

TEST(SimulationWorkedExample, TheFirstStepReadsTheLastHistoryValues) {
  // GARCH(1,1) after the history e = (4, 2.5) with m = 1 and backcast 8: the filter's
  // variance of the second observation is 0.5 + 0.5 * 16 + 0.25 * 8 = 10.5, the first
  // simulated step 0.5 + 0.5 * 6.25 + 0.25 * 10.5 = 6.25, whose residual is 2.5 z = 5, and
  // the second step 0.5 + 0.5 * 25 + 0.25 * 6.25 = 14.5625. The data lag read one place
  // back gives 11.125 first; the pre-sample variance for the last one, 5.625.
  const Case garch{"GARCH(1,1)", Model::threshvol, 1, 0, 1, 2, {0.5, 0.5, 0.25}, 8.0, 1};
  const Paths paths = simulate(garch, {2.0, 0.0}, 2, 1, {4.0, 2.5}, 2, SimulationLanes::automatic);
  EXPECT_EQ(paths.ht, (std::vector<double>{6.25, 14.5625}));
  EXPECT_EQ(paths.e, (std::vector<double>{5.0, 0.0}));
}

TEST(SimulationEdges, NoStepsWriteNothingAndNoHistoryNeedsNoLags) {
  for (const Case& c : cases()) {
    const std::vector<double> history = normal_draws(kRows, 5);
    for (const auto& [T, N] : {std::pair<std::uint64_t, std::uint64_t>{0, 5}, {7, 0}}) {
      const Paths paths = simulate(c, std::vector<double>(T * N + 1, 1.0), T, N, history, kRows,
                                   SimulationLanes::automatic);
      EXPECT_EQ(paths.ht.size(), 0U) << c.label;
    }
  }
  // No history at all: orders 0 and m = 0, every step the constant's (threshold model).
  const Case constant{"no lags", Model::threshvol, 0, 0, 0, 2, {0.7}, 1.0, 0};
  const Paths paths = simulate(constant, {1.0, -2.0, 0.5}, 3, 1, {}, 0, SimulationLanes::automatic);
  EXPECT_EQ(paths.ht, (std::vector<double>{0.7, 0.7, 0.7}));
}

TEST(SimulationEdges, HistoryOfPresampleOnly) {
  // m equal to the history's rows: the first step reads the pre-sample values themselves.
  for (const Case& c : cases()) {
    Case at_m = c;
    const auto rows = static_cast<std::uint64_t>(std::max(c.m, 1));
    at_m.m = static_cast<int>(rows);
    const std::vector<double> history = normal_draws(rows, 6);
    const std::vector<double> z = normal_draws(9 * 3, 7);
    const Paths paths = simulate(at_m, z, 9, 3, history, rows, SimulationLanes::automatic);
    std::vector<double> series = history;
    series.insert(series.end(), paths.e.begin(), paths.e.begin() + 9);
    EXPECT_TRUE(same_bits(filter(at_m, series).data() + rows, paths.ht.data(), 9)) << c.label;
  }
}

}  // namespace
