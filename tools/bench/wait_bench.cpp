// What timed waits cost on the real host (run it under Xvfb, the frame shown): the processor
// share of long waits and of the short steps the games animate with (5 ms, Lobbo's collapse;
// 50 ms, a falling group), and how late a step ends against its deadline. A wait must sleep,
// not spin, and still end on time. The processor share's limit is in yardsticks (yardstick.h),
// since a slower processor takes longer for the same wake-ups. Lateness is the timer's and the
// scheduler's, not the processor's: its limit is in milliseconds.
#include <algorithm>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>

#include "mdi_form.h"
#include "startup.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/frame.h"
#include "rt/qt_host.h"
#include "yardstick.h"

namespace {

// Processor time a second of waiting may take: 5 % of one core where a yardstick takes 18 ms.
constexpr double kCpuLimitYardsticks = 2.7;
constexpr double kLateLimit = 1.0;  // ms, median lateness of a step's end

struct Series {
  double cpuPercent = 0;
  double medianLateMs = 0;
};

// `count` steps of `ms` as the games draw them: start the stopwatch, draw, wait the step out.
Series steps(rt::QtHost& host, shell::PerformanceTimer& timer, double ms, int count) {
  std::vector<double> late;
  QElapsedTimer wall;
  const double cpu0 = bench::ProcessCpuSeconds();
  wall.start();
  rt::dispatch(nullptr, [&] {
    for (int i = 0; i < count; ++i) {
      shell::TimedStep(ms, nullptr);
      late.push_back(static_cast<double>(host.counterNow() - timer.startCount()) / 1e6 - ms);
    }
  });
  Series s;
  s.cpuPercent = 100 * (bench::ProcessCpuSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9);
  std::sort(late.begin(), late.end());
  s.medianLateMs = late[late.size() / 2];
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  // A yardstick's milliseconds a second, in percent of one core.
  const double cpuLimit = kCpuLimitYardsticks * bench::YardstickMs() / 10;
  QApplication app(argc, argv);
  rt::QtHost host;
  rt::setHost(&host);
  shell::PackFrame pack;
  auto& [frame, mdi] = pack;
  mdi.PerfTimer = std::make_unique<shell::PerformanceTimer>();
  frame.show();
  QCoreApplication::processEvents();

  const Series long1s = steps(host, *mdi.PerfTimer, 1000, 3);
  const Series short5 = steps(host, *mdi.PerfTimer, 5, 400);
  const Series short50 = steps(host, *mdi.PerfTimer, 50, 40);
  std::printf("long waits: 3 of 1000 ms, %.2f%% of one core (limit %.1f%%), ending %.2f ms after the deadline "
              "(median; limit %.0f ms)\n",
              long1s.cpuPercent, cpuLimit, long1s.medianLateMs, kLateLimit);
  std::printf("short waits: 5 ms steps %.1f%% of one core, 50 ms steps %.1f%% of one core (limit %.1f%% on this "
              "processor: %.1f yardsticks a second); a step ends %.2f ms (5 ms) and %.2f ms (50 ms) after its "
              "deadline (median; limit %.0f ms)\n",
              short5.cpuPercent, short50.cpuPercent, cpuLimit, kCpuLimitYardsticks, short5.medianLateMs,
              short50.medianLateMs, kLateLimit);
  bool ok = true;
  for (auto [what, s] : {std::pair{"1000 ms waits", long1s}, {"5 ms steps", short5}, {"50 ms steps", short50}}) {
    if (s.cpuPercent > cpuLimit) {
      std::printf("over the limit: %s use %.1f%% of one core (limit %.1f%% here)\n", what, s.cpuPercent, cpuLimit);
      ok = false;
    }
    if (s.medianLateMs > kLateLimit) {
      std::printf("over the limit: %s end %.2f ms late (limit %.0f ms)\n", what, s.medianLateMs, kLateLimit);
      ok = false;
    }
  }
  std::fflush(stdout);
  std::_Exit(ok ? 0 : 1);
}
