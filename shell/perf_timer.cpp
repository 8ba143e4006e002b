#include "perf_timer.h"

#include "rt/host.h"
#include "rt/numbers.h"

namespace shell {

PerformanceTimer::PerformanceTimer() {
  frequency_ = rt::host().counterFrequency();
  if (frequency_ <= 0) {
    frequency_ = 1;
  } else {
    int64_t sum = 0;
    for (int i = 0; i < 1000; ++i) {
      int64_t a = rt::host().counterNow();
      int64_t b = rt::host().counterNow();
      sum += b - a;
    }
    overhead_ = rt::CLng(static_cast<double>(sum) / 1000.0);
  }
  start_ = 0;
  stop_ = 0;
}

bool PerformanceTimer::Supported() const { return rt::host().counterFrequency() > 0; }

void PerformanceTimer::StartTimer() {
  start_ = rt::host().counterNow();
  stop_ = 0;
}

void PerformanceTimer::StopTimer() { stop_ = rt::host().counterNow(); }

std::optional<double> PerformanceTimer::TimeElapsed(int32_t units) const {
  const auto counts = ElapsedCounts();
  if (!counts) return std::nullopt;
  return static_cast<double>(*counts) / static_cast<double>(frequency_) * units;
}

std::optional<int64_t> PerformanceTimer::ElapsedCounts() const {
  if (stop_ == 0) return std::nullopt;
  return (stop_ - start_) - overhead_;
}

}  // namespace shell
