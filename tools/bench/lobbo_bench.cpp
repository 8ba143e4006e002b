// Measures Lobbo's fall on the real host (run it under Xvfb): the processor use while a piece
// falls (it must sleep between ticks, not spin) and the time a row takes against its formula.
// The processor share's limit is in yardsticks (yardstick.h): a slower processor takes longer to
// draw the same frames. A row's time follows the stopwatch, so it is held to the formula itself.
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include "lobbo.h"
#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/frame.h"
#include "rt/qt_host.h"
#include "startup.h"
#include "yardstick.h"

namespace {

// Processor time a second of falling may take (it draws frames): 10 % of one core where a
// yardstick takes 18 ms.
constexpr double kCpuLimitYardsticks = 5.5;
constexpr double kRowLimit = 5.0;  // percent off the row time of the formula

falling::Form23* openLobbo() {
  rt::dispatch(nullptr, [] { shell::OpenGame(static_cast<int16_t>(shell::GameIndexOf("Lobbo"))); });
  return dynamic_cast<falling::Form23*>(rt::frame().activeForm());
}

// Starts a game at `level` and ends it by choosing "Play" > Lobbo after `ms`; `during` runs
// inside the fall (from a timer) to measure.
void play(int level, int ms, const std::function<void(falling::Form23*)>& during) {
  falling::Form23* w = openLobbo();
  if (!w) return;
  w->startLevel = static_cast<int16_t>(level);
  QTimer::singleShot(0, [w, during] { during(w); });
  // A precise timer: a coarse one may fire 5 % late, after the first piece has landed.
  QTimer::singleShot(ms, Qt::PreciseTimer, [w] { rt::dispatch(w, [w] { w->igrica_Click(27); }); });
  auto keep = shell::HoldWindow(w);
  rt::dispatch(w, [w] { w->Command1_Click(); });
}

// Processor share while the first piece falls, from 100 ms after the start to `ms`.
double fallCpu(int level, int ms) {
  double cpu0 = 0, cpu = 0;
  QElapsedTimer wall;
  play(level, ms + 150, [&](falling::Form23*) {
    QTimer::singleShot(100, Qt::PreciseTimer, [&] {
      cpu0 = bench::ProcessCpuSeconds();
      wall.start();
    });
    QTimer::singleShot(ms, Qt::PreciseTimer,
                       [&] { cpu = (bench::ProcessCpuSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9); });
  });
  return 100 * cpu;
}

// Notes the time of every paint of the pack's windows: what the player sees move.
class PaintClock : public QObject {
 public:
  std::function<void()> painted;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && painted) painted();
    return QObject::eventFilter(o, e);
  }
};

// Mean time per row of the first piece as painted, from the first row change shown to the last.
double rowMs(int level, PaintClock& clock) {
  const int fallMs = 13 * 32 * (24 - level) / 4;  // the whole well, in whole milliseconds
  std::vector<std::pair<double, int>> seen;
  QElapsedTimer wall;
  play(level, fallMs - 20, [&](falling::Form23* w) {
    wall.start();
    clock.painted = [&, w] {
      // Rows of the first piece only: a next piece starts above it again.
      if (seen.empty() || w->fall.pieceY > seen.back().second) seen.push_back({wall.nsecsElapsed() / 1e6, w->fall.pieceY});
    };
  });
  clock.painted = nullptr;
  if (seen.size() < 4) return 0;
  const auto& a = seen[1];  // the first change shown
  const auto& b = seen.back();
  return (b.first - a.first) / (b.second - a.second);
}

}  // namespace

int main(int argc, char** argv) {
  // A yardstick's milliseconds a second, in percent of one core.
  const double cpuLimit = kCpuLimitYardsticks * bench::YardstickMs() / 10;
  QApplication app(argc, argv);
  rt::QtHost host;
  rt::setHost(&host);
  shell::PackFrame pack;
  shell::StartPack(true);
  PaintClock clock;
  app.installEventFilter(&clock);

  bool ok = true;
  for (auto [level, ms] : {std::pair{1, 2200}, {10, 1300}, {20, 380}}) {
    const double cpu = fallCpu(level, ms);
    std::printf("level %2d: processor %.1f%% of one core while a piece falls (%d ms; limit %.1f%% on this processor: "
                "%.1f yardsticks a second)\n",
                level, cpu, ms - 100, cpuLimit, kCpuLimitYardsticks);
    if (cpu > cpuLimit) {
      std::printf("over the limit: level %d falls at %.1f%% of one core (limit %.1f%% here)\n", level, cpu, cpuLimit);
      ok = false;
    }
  }
  for (int level : {1, 10, 20}) {
    const double formula = 32 * (24 - level) * 0.25, row = rowMs(level, clock);
    const double off = 100 * (row - formula) / formula;
    std::printf("level %2d: one row %.2f ms, formula %.2f ms (%+.2f%%; limit %.0f%% either way)\n", level, row,
                formula, off, kRowLimit);
    if (!(std::abs(off) <= kRowLimit)) {
      std::printf("over the limit: level %d row off its formula by %+.2f%% (limit %.0f%%)\n", level, off, kRowLimit);
      ok = false;
    }
  }
  rt::frame().close();
  std::fflush(stdout);
  std::_Exit(ok ? 0 : 1);
}
