// Every column of a panel, one unit of work each, across threads. A worker takes the next
// column that no one has taken, fits it on its own scratch and writes only that column's
// slots; nothing is shared between columns but the inputs, so no result depends on which
// worker fits a column or on how many there are. No worker calls the host.
#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "series_fit.hpp"

namespace volfilter::estimation {

namespace {

// The slots of column j.
detail::SeriesOutputs column_outputs(const PanelOutputs& outputs, std::uint64_t j, std::size_t k,
                                     std::uint64_t T, std::size_t constraints) {
  const auto at = [j](double* slot, std::uint64_t size) {
    return slot != nullptr ? slot + j * size : nullptr;
  };
  return {
      at(outputs.parameters, k), at(outputs.covariance, k * k),   at(outputs.robust, k * k),
      at(outputs.ht, T),         at(outputs.scores, T * k),       at(outputs.summary, kSummaryRows),
      at(outputs.start, k),      at(outputs.active, constraints), at(outputs.residuals, T)};
}

// Threads beyond a few a logical core make nothing faster, but each holds its scratch.
constexpr std::uint32_t kThreadsPerCore = 4;

// Takes columns until none is left. Nothing escapes a worker: a column that fails for want of
// memory (the only failure the core knows) is marked so and the worker goes on.
void work(detail::SeriesFit& fit, std::atomic<std::uint64_t>& next, const double* E,
          std::uint64_t T, std::uint64_t N, const PanelOutputs& outputs, std::size_t k,
          std::size_t constraints) {
  for (std::uint64_t j = next.fetch_add(1); j < N; j = next.fetch_add(1)) {
    const detail::SeriesOutputs slots = column_outputs(outputs, j, k, T, constraints);
    try {
      fit.fit(E + j * T, slots);
    } catch (...) {
      fit.mark(Status::out_of_memory, slots);
    }
  }
}

}  // namespace

PanelFit::PanelFit(const FitRequest& request, std::uint64_t T, OutputSlots slots)
    : request_(request), T_(T), slots_(slots) {
  const ModelSettings& s = request_.settings;
  const std::uint64_t k = parameter_count(s);
  const auto m = static_cast<std::uint64_t>(s.m);
  const std::uint64_t modelled = T > m ? T - m : 0;
  if (k == 0) {
    common_ = Status::no_parameters;
  } else if (k > kMostParameters) {
    common_ = Status::too_many_parameters;
    common_detail_ = static_cast<double>(kMostParameters);
  } else if (modelled < least_observations(k)) {
    common_ = Status::too_few_observations;
    common_detail_ = static_cast<double>(least_observations(k));
  } else if (request_.start != nullptr && request_.start_count != 0 && request_.start_count != k) {
    common_ = Status::start_length;
    common_detail_ = static_cast<double>(k);
  }
  outline_ = plan_outline(s);
  k_ = outline_.size();
  constraints_ = outline_.constraint_count();
  if (common_ == Status::fitted) {
    own_ = std::make_unique<detail::SeriesFit>(request_, T_, slots_);
  }
}

PanelFit::~PanelFit() = default;

void PanelFit::run(const double* E, std::uint64_t N, std::uint32_t threads,
                   const PanelOutputs& outputs) {
  const std::size_t k = k_;
  const std::size_t constraints = constraints_;
  const std::uint64_t T = T_;
  if (own_ == nullptr) {
    for (std::uint64_t j = 0; j < N; ++j) {
      const detail::SeriesOutputs slots = column_outputs(outputs, j, k, T, constraints);
      detail::mark_series(common_, slots, request_, k, T, constraints, nullptr);
      slots.summary[kDetail] = common_detail_;
    }
    return;
  }
  const std::uint64_t cores = std::max(1U, std::thread::hardware_concurrency());
  const std::uint64_t most = std::min<std::uint64_t>(N, kThreadsPerCore * cores);
  const auto workers = static_cast<std::uint32_t>(
      std::max<std::uint64_t>(1, std::min<std::uint64_t>(threads, most)));
  std::atomic<std::uint64_t> next{0};
  std::vector<std::thread> pool;
  for (std::uint32_t w = 1; w < workers; ++w) {
    try {
      pool.emplace_back([this, &next, E, T, N, &outputs, k, constraints] {
        std::unique_ptr<detail::SeriesFit> fit;
        try {
          fit = std::make_unique<detail::SeriesFit>(request_, T, slots_);
        } catch (...) {
          return;
        }
        work(*fit, next, E, T, N, outputs, k, constraints);
      });
    } catch (const std::exception&) {
      break;  // no more threads to be had (or no room to keep them): the others do the work
    }
  }
  work(*own_, next, E, T, N, outputs, k, constraints);
  for (std::thread& thread : pool) {
    thread.join();
  }
}

}  // namespace volfilter::estimation
