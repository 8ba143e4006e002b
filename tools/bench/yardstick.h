#pragma once
// The yardstick of the figures that are processor time: one fixed piece of work (sorting the
// same 262,144 numbers) timed on this processor in this process. A figure's limit is a number
// of yardsticks, so it holds on a slow machine as on a fast one. The yardstick is the fastest of
// a few runs in the thread's own processor time, which another busy process does not stretch.
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace bench {

// Processor time of the calling thread, in seconds.
inline double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Processor time of the whole process (every thread), in seconds.
inline double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// One yardstick in milliseconds of processor time (about 18 ms on the machine the limits were set on).
inline double YardstickMs() {
  std::vector<uint32_t> numbers(1 << 18);
  std::mt19937 gen(7);
  for (uint32_t& n : numbers) n = static_cast<uint32_t>(gen());
  double best = 1e9;
  volatile uint32_t keep = 0;  // the sort's result is used, so it is not left out
  for (int run = 0; run < 5; ++run) {
    std::vector<uint32_t> v = numbers;
    const double t0 = ThreadCpuSeconds();
    std::sort(v.begin(), v.end());
    best = std::min(best, ThreadCpuSeconds() - t0);
    keep = keep + v[v.size() / 2];
  }
  return best * 1000;
}

}  // namespace bench
