// Measures what a timed wait costs the processor on the real host: a wait must sleep, not spin.
#include <sys/resource.h>

#include <cstdio>

#include <QApplication>
#include <QElapsedTimer>

#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/frame.h"
#include "rt/qt_host.h"

static double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec / 1e6;
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  rt::QtHost host;
  rt::setHost(&host);
  rt::Frame frame;
  rt::setFrame(&frame);
  shell::MDIForm1 mdi;
  shell::setFrameForm(&mdi);
  mdi.PerfTimer = std::make_unique<shell::PerformanceTimer>();
  const int waits = argc > 1 ? std::atoi(argv[1]) : 3;
  double worst = 0, cpuTotal = 0, wallTotal = 0;
  for (int i = 0; i < waits; ++i) {
    QElapsedTimer wall;
    double cpu0 = cpuSeconds();
    wall.start();
    rt::dispatch(nullptr, [&] {
      mdi.PerfTimer->StartTimer();
      shell::WaitMs(1000);
    });
    double w = wall.nsecsElapsed() / 1e9, c = cpuSeconds() - cpu0;
    std::printf("wait 1000 ms: took %.1f ms, processor %.2f%%\n", w * 1000, 100 * c / w);
    worst = std::max(worst, 100 * c / w);
    cpuTotal += c;
    wallTotal += w;
  }
  std::printf("waits: %d, processor use %.2f%% of one core (worst %.2f%%)\n", waits, 100 * cpuTotal / wallTotal, worst);
  return worst < 5.0 ? 0 : 1;
}
