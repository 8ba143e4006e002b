#include "random_play.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <thread>

#include "game_window.h"
#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/keys.h"
#include "rt/random.h"
#include "virtual_host.h"

namespace vt {

namespace {

void collectMenus(const rt::MenuItem& m, std::vector<const rt::MenuItem*>& out) {
  if (m.items().empty()) {
    if (m.effectivelyEnabled() && !m.isSeparator() && m.Name() != "igrica" && m.Name() != "hpg")
      out.push_back(&m);
    return;
  }
  for (auto& c : m.items()) collectMenus(*c, out);
}

// Chooses game `to` from the "Play" list of whatever window is shown when this runs.
void playFromShownWindow(int to) {
  rt::Form* f = rt::frame().activeForm();
  if (!f) return;
  if (rt::MenuItem* item = f->findMenu("igrica", to); item && item->effectivelyEnabled())
    rt::dispatch(f, [item] { item->fireClick(); });
}

void pressAt(rt::Control& c, int px, int py, int button) {
  int ox, oy;
  c.clientOrigin(ox, oy);
  const int x = ox - c.borderWidth() + px, y = oy - c.borderWidth() + py;
  rt::Form* f = c.form();
  f->mouseDown(x, y, button, 0);
  if (f->isLoaded()) f->mouseUp(x, y, button, 0);
}

void dragBetween(rt::Control& from, rt::Control& to) {
  int x1, y1, x2, y2;
  from.clientOrigin(x1, y1);
  to.clientOrigin(x2, y2);
  x1 += from.clientWidth() / 2;
  y1 += from.clientHeight() / 2;
  x2 += to.clientWidth() / 2;
  y2 += to.clientHeight() / 2;
  rt::Form* f = from.form();
  f->mouseDown(x1, y1, 1, 0);
  if (f->isLoaded()) f->mouseMove(x2, y2, 1, 0);
  if (f->isLoaded()) f->mouseUp(x2, y2, 1, 0);
}

}  // namespace

// Watches the running step from a thread of its own: a step that runs past the limit in real
// time is reported and the program ends (the loop cannot be left from outside).
struct RandomPlayer::Watch {
  using Clock = std::chrono::steady_clock;
  explicit Watch(double seconds)
      : limit(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds))),
        thread([this] { run(); }) {}
  ~Watch() {
    {
      std::lock_guard lock(m);
      done = true;
    }
    cv.notify_all();
    thread.join();
  }
  void begin(std::string what) {
    std::lock_guard lock(m);
    step = std::move(what);
    since = Clock::now();
    running = true;
  }
  void end() {
    std::lock_guard lock(m);
    running = false;
  }
  void run() {
    std::unique_lock lock(m);
    while (!done) {
      cv.wait_for(lock, limit / 10);
      if (done || !running || Clock::now() - since < limit) continue;
      std::printf("%s has run for %.0f s of real time and never ended\n", step.c_str(),
                  std::chrono::duration<double>(limit).count());
      std::fflush(stdout);
      std::_Exit(3);
    }
  }

  const Clock::duration limit;
  std::mutex m;
  std::condition_variable cv;
  std::string step;
  Clock::time_point since;
  bool running = false, done = false;
  std::thread thread;  // last: starts when everything it reads is in place
};

RandomPlayer::RandomPlayer(uint32_t seed, std::vector<int> games, std::function<void()> reopenPack,
                           double stepSeconds)
    : watch_(std::make_unique<Watch>(stepSeconds)),
      pick_(seed),
      seed_(seed),
      games_(std::move(games)),
      reopen_(std::move(reopenPack)) {}

RandomPlayer::~RandomPlayer() = default;

void RandomPlayer::step() {
  const long n = steps_++;
  rt::Form* f = rt::frame().activeForm();
  if (!f) return;
  const int game = shell::frameForm().CurrentGame;
  std::ostringstream what;
  what << "random play step " << n << " on "
       << (game >= 0 && game < shell::kGameCount ? shell::GameRegistry[game].caption : f->Name().c_str())
       << " (player seed " << seed_;
  if (auto fixed = rt::FixedSeed()) what << ", pack seed " << *fixed;
  what << ")";
  vhost().beginStep(what.str());
  watch_->begin(what.str());
  struct End {
    Watch& w;
    ~End() { w.end(); }
  } end{*watch_};
  act();
}

void RandomPlayer::act() {
  rt::Form* f = rt::frame().activeForm();
  auto keep = shell::HoldWindow(f);  // input may switch games; the window lives until we are done
  std::vector<rt::Control*> shown;
  for (rt::Control* c : f->controls())
    if (c->effectivelyVisible() && c->Width() > 0 && c->Height() > 0) shown.push_back(c);
  const int what = static_cast<int>(pick_() % 1000);
  // Now and then something arrives in the middle of whatever the step waits for.
  if (what % 37 == 0 && !games_.empty()) {
    const int to = games_[pick_() % games_.size()];
    vhost().after(static_cast<double>(pick_() % 1500), [to] { playFromShownWindow(to); });
    ++switches;
  } else if (what % 211 == 0) {
    vhost().after(static_cast<double>(pick_() % 1500), [] { rt::frame().close(); });
  } else if (what % 29 == 0) {
    // A menu choice of whatever window is shown then (options, help, skill ...).
    const unsigned choice = pick_();
    vhost().after(static_cast<double>(pick_() % 1500), [choice] {
      rt::Form* shownNow = rt::frame().activeForm();
      if (!shownNow) return;
      std::vector<const rt::MenuItem*> items;
      for (auto& m : shownNow->menus()) collectMenus(*m, items);
      if (items.empty()) return;
      auto* m = const_cast<rt::MenuItem*>(items[choice % items.size()]);
      rt::dispatch(shownNow, [m] { m->fireClick(); });
    });
  }
  if (what < 700 && !shown.empty()) {
    rt::Control* c = shown[pick_() % shown.size()];
    const int x = static_cast<int>(pick_() % c->Width()), y = static_cast<int>(pick_() % c->Height());
    pressAt(*c, x, y, pick_() % 8 == 0 ? 2 : 1);
  } else if (what < 800 && shown.size() > 1) {
    rt::Control* a = shown[pick_() % shown.size()];
    rt::Control* b = shown[pick_() % shown.size()];
    dragBetween(*a, *b);
  } else if (what < 900) {
    std::vector<const rt::MenuItem*> items;
    for (auto& m : f->menus()) collectMenus(*m, items);
    if (!items.empty()) {
      auto* m = const_cast<rt::MenuItem*>(items[pick_() % items.size()]);
      rt::dispatch(f, [m] { m->fireClick(); });
    }
  } else if (what < 950) {
    static const int keys[] = {37, 38, 39, 40, 'B', 'F', 'S', 'E', 'M', '1', '4', '6', 8, 13, 32};
    const int code = keys[pick_() % std::size(keys)];
    rt::frame().clientKey(0, code, 0, rt::KeyAscii(code, 0));
    if (pick_() % 2) rt::frame().clientKey(1, code, 0, 0);
  } else if (what < 990) {
    vhost().advanceMs(static_cast<double>(pick_() % 2000));
  } else if (!games_.empty()) {
    // "Play" on the open game, or another one, in the middle of everything.
    playFromShownWindow(pick_() % 2 ? shell::frameForm().CurrentGame : games_[pick_() % games_.size()]);
    ++switches;
  }
  keep.reset();
  if (rt::frame().closed()) {
    ++closes;
    reopen_();
  }
  vhost().takeLog();
}

std::string RandomPlayer::check() const {
  rt::Form* now = rt::frame().activeForm();
  if (!now) return "no window is open";
  const int current = shell::frameForm().CurrentGame;
  if (current < 0 || current >= shell::kGameCount) return "the frame's game is " + std::to_string(current);
  if (now != shell::GameInstance(current).get()) return "the shown window is not the frame's game";
  auto* w = dynamic_cast<shell::GameWindow*>(now);
  if (!w) return "the shown window is no game window";
  if (w->gameIndex() != current || now->Name() != shell::GameRegistry[current].window)
    return std::string("window ") + now->Name() + " under game " + std::to_string(current);
  if (rt::dispatchDepth() != 0) return "a handler is still on the stack";
  if (rt::frame().Caption().rfind(shell::frameForm().BaseCaption, 0) != 0) return "caption " + rt::frame().Caption();
  if (w->busyDepth() != 0) return std::string(now->Name()) + " is still busy";
  if (now->MousePointer() == rt::kHourglass) return std::string(now->Name()) + " shows the busy pointer with no move running";
  return {};
}

}  // namespace vt
