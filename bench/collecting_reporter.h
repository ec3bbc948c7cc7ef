// A console reporter that also keeps each benchmark's times per iteration, so
// that the program can print its summary of ratios and goals after the table.
#ifndef VANTREL_BENCH_COLLECTING_REPORTER_H_
#define VANTREL_BENCH_COLLECTING_REPORTER_H_

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::bench {

enum class Clock {
  kCpu,   // the process's processor time, user and system
  kWall,  // real time, which also counts waits and other processes' turns
};

class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  using ConsoleReporter::ConsoleReporter;

  void ReportRuns(const std::vector<Run>& runs) override;

  // Median seconds per iteration on `clock` over the repetitions of the
  // benchmark registered as `name`; nothing when it did not run or failed.
  std::optional<double> seconds(const std::string& name, Clock clock) const;

 private:
  struct Times {
    std::vector<double> cpu;
    std::vector<double> wall;
  };
  std::map<std::string, Times> repetitions_;  // by benchmark name
  std::map<std::string, Times> medians_;      // reported medians, by name
};

}  // namespace vantrel::bench

#endif  // VANTREL_BENCH_COLLECTING_REPORTER_H_
