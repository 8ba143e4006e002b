#include "bench_probe.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "pack_fn.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/frame_window.h"

namespace bench {

long ResidentKb() {
  long kb = 0;
  if (FILE* st = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, st))
      if (std::strncmp(line, "VmRSS:", 6) == 0) kb = std::atol(line + 6);
    std::fclose(st);
  }
  return kb;
}

namespace {

void quit() {
  std::fflush(stdout);
  QTimer::singleShot(0, [] { std::_Exit(0); });
}

QString plain(QString text) {
  text = text.section('\t', 0, 0);
  return text.remove('&');
}

bool isGameCaption(const QString& text) {
  for (const shell::GameEntry& e : shell::GameRegistry)
    if (plain(text).toStdString() == e.caption) return true;
  return false;
}

// The "Play" list of the menu bar as the player sees it: the menu that holds all thirty games.
QMenu* playMenu(QMenuBar* bar) {
  std::function<QMenu*(const QList<QAction*>&)> search = [&](const QList<QAction*>& actions) -> QMenu* {
    for (QAction* a : actions) {
      QMenu* m = a->menu();
      if (!m) continue;
      int games = 0;
      for (QAction* item : m->actions())
        if (isGameCaption(item->text())) ++games;
      if (games == shell::kGameCount) return m;
      if (QMenu* inner = search(m->actions())) return inner;
    }
    return nullptr;
  };
  return bar ? search(bar->actions()) : nullptr;
}

// Chooses games from the "Play" menu, each as a player's click on its item does, and reads the
// resident memory as the system counts it.
class SwitchProbe : public QObject {
 public:
  SwitchProbe(rt::Frame& frame, int switches) : frame_(frame), switches_(switches) {}

  void begin() {
    settleThen([this] {
      std::printf("rss-kb start %ld\n", ResidentKb());
      std::fflush(stdout);
      choose();
    });
  }

 private:
  static constexpr int kGapMs = 2;         // between a choice and its check: paints go on
  static constexpr int kSettleMs = 300;    // idle before a reading: deferred deletes and paints
  static constexpr int kPatienceMs = 5000;

  int gameOfStep(int n) const {
    return n < shell::kGameCount ? n : ((n - shell::kGameCount + 1) * 7) % shell::kGameCount;
  }

  void settleThen(std::function<void()> then) { QTimer::singleShot(kSettleMs, this, std::move(then)); }

  void choose() {
    const int game = gameOfStep(step_);
    QLayout* layout = frame_.window()->layout();  // the bar the frame shows now (an old one may linger)
    QMenu* menu = playMenu(layout ? qobject_cast<QMenuBar*>(layout->menuBar()) : nullptr);
    QAction* item = nullptr;
    if (menu)
      for (QAction* a : menu->actions())
        if (plain(a->text()).toStdString() == shell::GameRegistry[game].caption) item = a;
    if (!item || !item->isEnabled()) {
      retry([this] { choose(); });  // the menu bar is rebuilt after a switch
      return;
    }
    item->trigger();
    QTimer::singleShot(kGapMs, this, [this, game] { confirm(game); });
  }

  void confirm(int game) {
    rt::Form* shown = frame_.activeForm();
    if (!shown || shown->Name() != shell::GameRegistry[game].window) {
      retry([this, game] { confirm(game); });
      return;
    }
    next();
  }

  void retry(std::function<void()> again) {
    waited_ += kGapMs;
    if (waited_ > kPatienceMs) {
      ++missed_;
      next();
      return;
    }
    QTimer::singleShot(kGapMs, this, std::move(again));
  }

  void next() {
    ++step_;
    waited_ = 0;
    const int switched = step_ - shell::kGameCount;
    if (switched == switches_) {
      settleThen([this] {
        std::printf("rss-kb switched %ld\n", ResidentKb());
        std::printf("switches %d missed %d\n", switches_, missed_);
        quit();
      });
    } else if (switched == 0) {
      settleThen([this] {
        std::printf("rss-kb thirty %ld\n", ResidentKb());
        std::fflush(stdout);
        choose();
      });
    } else {
      choose();
    }
  }

  rt::Frame& frame_;
  const int switches_;
  int step_ = 0;
  int missed_ = 0;
  int waited_ = 0;
};

}  // namespace

bool InstallBenchProbe(rt::Frame& frame, const QElapsedTimer& sinceStart) {
  if (std::getenv("VPK_STARTUP_PROBE")) {
    frame.firstGamePaint = [&sinceStart] {
      std::printf("first-paint-ms %.1f\n", sinceStart.nsecsElapsed() / 1e6);
      std::printf("rss-kb %ld\n", ResidentKb());
      quit();
    };
    return true;
  }
  if (const char* n = std::getenv("VPK_SWITCH_PROBE")) {
    auto* probe = new SwitchProbe(frame, std::max(0, std::atoi(n)));
    frame.firstGamePaint = [probe] { probe->begin(); };
    return true;
  }
  return false;
}

}  // namespace bench
