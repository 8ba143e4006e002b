#pragma once
// The shared stopwatch: counter readings less the calibrated cost of reading the counter.
#include <cstdint>
#include <optional>

namespace shell {

class PerformanceTimer {
 public:
  PerformanceTimer();  // calibrates
  bool Supported() const;
  void StartTimer();
  void StopTimer();
  // Elapsed time in 1/units seconds; empty when there was no stop reading since the start.
  std::optional<double> TimeElapsed(int32_t units) const;
  // The same in whole counts of the clock: what a loop compares with the count it sleeps to.
  std::optional<int64_t> ElapsedCounts() const;

  int64_t frequency() const { return frequency_; }
  int64_t startCount() const { return start_; }
  int64_t overhead() const { return overhead_; }

 private:
  int64_t frequency_ = 1, start_ = 0, stop_ = 0, overhead_ = 0;
};

}  // namespace shell
