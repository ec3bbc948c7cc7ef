#include "bench/collecting_reporter.h"

#include <algorithm>

namespace vantrel::bench {

namespace {

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

void CollectingReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    // With --benchmark_report_aggregates_only only the aggregates arrive;
    // their median then stands for the repetitions. Otherwise the median is
    // taken over the repetitions themselves.
    const bool is_repetition = run.run_type == Run::RT_Iteration;
    const bool is_median =
        run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    if ((!is_repetition && !is_median) || run.error_occurred ||
        run.iterations <= 0) {
      continue;
    }
    const auto iterations = static_cast<double>(run.iterations);
    Times& times = is_repetition ? repetitions_[run.run_name.function_name]
                                 : medians_[run.run_name.function_name];
    times.cpu.push_back(run.cpu_accumulated_time / iterations);
    times.wall.push_back(run.real_accumulated_time / iterations);
  }
  ConsoleReporter::ReportRuns(runs);
}

std::optional<double> CollectingReporter::seconds(const std::string& name,
                                                  Clock clock) const {
  for (const auto* source : {&repetitions_, &medians_}) {
    const auto found = source->find(name);
    if (found == source->end()) continue;
    const std::vector<double>& values =
        clock == Clock::kCpu ? found->second.cpu : found->second.wall;
    if (!values.empty()) return median(values);
  }
  return std::nullopt;
}

}  // namespace vantrel::bench
