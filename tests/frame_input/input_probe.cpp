// vpk-input-probe GAME SEED: the pack's frame on the real host under X, its random generator fixed
// to SEED, opened on GAME (a caption of the "Play" list) as a player opens it. It prints "ready"
// once the game shows, then answers one line on stdout for every command line on stdin:
//   state               window=NAME clip=N held=N handlers=N input=N inputInClip=N popup=0|1 menus=0|1
//                       (clip: the sound playing, 0 for none; held: input waiting for replay;
//                       input: window-level presses and releases of keys and buttons that came
//                       from the X server, inputInClip: those of them that came during a clip;
//                       menus: the menu bar is yet to be built for the menus the window has now)
//   log                 the sounds, beeps and caption changes so far, in order, each with the
//                       window open then: sound10@Form1 beep@Form1 caption@Form12 ...
//   snap I NAME         the named state NAME of that window as it stood at event I of the log
//   get NAME            the named state NAME of the open window now
//   control NAME [I]    the screen position of a control's centre: "at X Y"
//   form X Y            the screen position of a point of the open window (pixels)
//   bar CAPTION         the screen position of an item of the menu bar
//   item CAPTION        the screen position of an item of the popup menu that is open
//   shown CAPTION       that item as the popup shows it: "shown enabled=0|1 checked=0|1"
//   popup               the caption of the menu that is open: "popup Options", or "none"
//   menu NAME [I]       a menu item of the open window as the window holds it:
//                       "menu enabled=0|1 checked=0|1"
//   input               the presses of buttons and keys that reached the frame's client area
//                       (after any hold), a button at its place in the open window's pixels, a key
//                       with its key code, each with the pack's shift mask (1 Shift, 2 Ctrl, 4 Alt):
//                       "input down:X,Y,SHIFT key:CODE,SHIFT ..."
//   choose NAME [I]     chooses a menu item of the open window (setting up a game, not under test)
//   stop                the pack's clock stands still until `run`: its waits and falls wait too
//   run                 the clock goes on from where it stood
//   keep                the next clip goes on, silent, past its end until `end`
//   end                 ends the clip kept
//   xhold X Y           from the next button release at X Y on the screen on, the input events
//                       the X server sends wait in the pack's reader of the connection
//                       (reader_hold.cpp), as the popup menu open now goes its way
//   xheld               "xheld N gone" or "xheld N there": the events waiting there, and
//                       whether that popup menu and its window are gone
//   xgo                 lets them go on, in their order
// (stop and keep let the test make input in a wait or a clip however slow the machine is: what
// the input must meet does not end before the test says so.)
// Every sound still takes its length on the null output when no sound server answers. The end of
// its input closes the frame, as the user's close does. The frame sits away from the screen's
// corner (there is no window manager to place it), so that a place in it and the same place on
// the screen differ.
#include <unistd.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include "long_clip.h"
#include "mdi_form.h"
#include "pack_fn.h"
#include "reader_hold.h"
#include "rt/control.h"
#include "rt/dispatch.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/frame_window.h"
#include "rt/numbers.h"
#include "rt/qt_host.h"
#include "rt/random.h"
#include "rt/stray_input.h"
#include "startup.h"

namespace {

struct Event {
  std::string what;    // "sound10", "beep", "caption"
  std::string window;  // the window open then
  std::map<std::string, std::vector<long long>> state;
};

rt::Form* openWindow() { return rt::frame().activeForm(); }

std::map<std::string, std::vector<long long>> stateOf(const rt::Form* f) {
  std::map<std::string, std::vector<long long>> out;
  if (f)
    for (const auto& [name, var] : f->state()) out[name] = var.get();
  return out;
}

// The real host, with a record of what it plays, and a clock and clips the test can hold.
class RecordingHost : public rt::QtHost {
 public:
  int64_t counterNow() override { return (stoppedAt_ ? stoppedAt_ : rt::QtHost::counterNow()) - lost_; }
  void playClip(const rt::SoundClip& clip) override {
    record("sound" + std::to_string(clip.number));
    const int outer = std::exchange(clip_, clip.number);
    if (std::exchange(keepNext_, false) && clip.pcm) {
      // The same clip with silence after it, long past any step of a test.
      keeping_ = true;
      rt::QtHost::playClip(support::Lengthened(clip, clip.seconds + kKeptSeconds));
      keeping_ = false;
    } else {
      rt::QtHost::playClip(clip);
    }
    clip_ = outer;
  }
  void stopClock() {
    if (!stoppedAt_) stoppedAt_ = rt::QtHost::counterNow();  // never 0
  }
  void runClock() {
    if (stoppedAt_) lost_ += rt::QtHost::counterNow() - std::exchange(stoppedAt_, 0);
  }
  void keepNextClip() { keepNext_ = true; }
  void endKeptClip() {
    if (keeping_) stopSound();
  }
  void beep() override {
    record("beep");
    rt::QtHost::beep();
  }
  void note(const std::string& kind, const std::string& text) override {
    if (kind == "caption") record("caption");
  }
  int clip() const { return clip_; }
  std::vector<Event> events;

 private:
  void record(std::string what) {
    const rt::Form* f = openWindow();
    events.push_back({std::move(what), f ? f->Name() : "-", stateOf(f)});
  }
  static constexpr int kKeptSeconds = 60;
  int clip_ = 0;
  int64_t stoppedAt_ = 0, lost_ = 0;  // the real count when the clock stopped; the time it stood
  bool keepNext_ = false, keeping_ = false;
};

RecordingHost* g_host = nullptr;

// Counts the input that reaches a window from the window system before anything filters it.
class ProbeApp : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* e) override {
    if (e->spontaneous() && receiver->isWindowType()) {
      switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
          ++input;
          if (g_host && g_host->clip()) ++inputInClip;
          break;
        default:
          break;
      }
    }
    return QApplication::notify(receiver, e);
  }
  int input = 0, inputInClip = 0;
};

// The presses that reach the client area, as its widget gets them.
class ClientInput : public QObject {
 public:
  std::string record;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonPress) {
      const auto* m = static_cast<QMouseEvent*>(e);
      const rt::Form* f = openWindow();
      const QPoint p = m->position().toPoint() - (f ? QPoint(rt::twi(f->Left), rt::twi(f->Top)) : QPoint());
      add("down:" + std::to_string(p.x()) + "," + std::to_string(p.y()) + "," +
          std::to_string(rt::toShift(m->modifiers())));
    } else if (e->type() == QEvent::KeyPress) {
      const auto* k = static_cast<QKeyEvent*>(e);
      add("key:" + std::to_string(rt::toKeyCode(k->key(), k->modifiers() & Qt::KeypadModifier)) + "," +
          std::to_string(rt::toShift(k->modifiers())));
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  void add(const std::string& what) {
    record += ' ';
    record += what;
  }
};

QString plain(QString text) { return text.section('\t', 0, 0).remove('&'); }

QAction* actionNamed(const QList<QAction*>& actions, const std::string& caption) {
  for (QAction* a : actions)
    if (plain(a->text()).toStdString() == caption) return a;
  return nullptr;
}

QMenuBar* menuBar() {
  QLayout* layout = rt::frame().window()->layout();
  return layout ? qobject_cast<QMenuBar*>(layout->menuBar()) : nullptr;
}

QMenu* openPopup() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

std::string marks(bool enabled, bool checked) {
  return std::string(" enabled=") + (enabled ? "1" : "0") + " checked=" + (checked ? "1" : "0");
}

std::string at(QPoint p) { return "at " + std::to_string(p.x()) + " " + std::to_string(p.y()); }

// A point of a window in its own pixels, on the screen. The frame's client area is the widget
// the frame hands its focus to.
std::string onScreen(const rt::Form& f, int x, int y) {
  const QPoint client(rt::twi(f.Left) + x, rt::twi(f.Top) + y);
  return at(rt::frame().window()->focusProxy()->mapToGlobal(client));
}

std::string join(const std::vector<long long>& v) {
  std::string out;
  for (long long x : v) {
    out += ' ';
    out += std::to_string(x);
  }
  return out;
}

class Commands {
 public:
  Commands(ProbeApp& app, ClientInput& client) : app_(app), client_(client) {}

  std::string answer(const std::string& line) {
    std::istringstream in(line);
    std::string cmd, name;
    in >> cmd;
    rt::Form* f = openWindow();
    if (cmd == "state") {
      std::ostringstream out;
      out << "window=" << (f ? f->Name() : "-") << " clip=" << g_host->clip() << " held=" << g_host->inputWaiting()
          << " handlers=" << rt::dispatchDepth() << " input=" << app_.input << " inputInClip=" << app_.inputInClip
          << " popup=" << (QApplication::activePopupWidget() ? 1 : 0)
          << " menus=" << (rt::frame().window()->menusPending() ? 1 : 0);
      return out.str();
    }
    if (cmd == "log") {
      std::string out = "log";
      for (const Event& e : g_host->events) out += " " + e.what + "@" + e.window;
      return out;
    }
    if (cmd == "snap") {
      size_t i = 0;
      in >> i >> name;
      if (i >= g_host->events.size() || !g_host->events[i].state.count(name)) return "none";
      return "snap" + join(g_host->events[i].state.at(name));
    }
    if (cmd == "get") {
      in >> name;
      if (!f || !f->state().count(name)) return "none";
      return "value" + join(f->state().at(name).get());
    }
    if (cmd == "control") {
      int index = -1;
      in >> name >> index;
      const rt::Control* c = f ? f->find(name, index) : nullptr;
      if (!c) return "none";
      int x, y;
      c->clientOrigin(x, y);
      return onScreen(*f, x - c->borderWidth() + c->Width() / 2, y - c->borderWidth() + c->Height() / 2);
    }
    if (cmd == "form") {
      int x = 0, y = 0;
      in >> x >> y;
      return f ? onScreen(*f, x, y) : "none";
    }
    if (cmd == "bar" || cmd == "item") {
      std::getline(in >> std::ws, name);
      if (cmd == "bar") {
        QMenuBar* bar = menuBar();
        QAction* a = bar ? actionNamed(bar->actions(), name) : nullptr;
        return a ? at(bar->mapToGlobal(bar->actionGeometry(a).center())) : "none";
      }
      QMenu* popup = openPopup();
      QAction* a = popup ? actionNamed(popup->actions(), name) : nullptr;
      return a ? at(popup->mapToGlobal(popup->actionGeometry(a).center())) : "none";
    }
    if (cmd == "shown") {
      std::getline(in >> std::ws, name);
      QMenu* popup = openPopup();
      const QAction* a = popup ? actionNamed(popup->actions(), name) : nullptr;
      return a ? "shown" + marks(a->isEnabled(), a->isChecked()) : "none";
    }
    if (cmd == "popup") {
      QMenu* popup = openPopup();
      return popup ? "popup " + plain(popup->title()).toStdString() : "none";
    }
    if (cmd == "menu") {
      int index = -1;
      in >> name >> index;
      const rt::MenuItem* item = f ? f->findMenu(name, index) : nullptr;
      return item ? "menu" + marks(item->Enabled(), item->Checked()) : "none";
    }
    if (cmd == "input") return "input" + client_.record;
    if (cmd == "choose") {
      int index = -1;
      in >> name >> index;
      rt::MenuItem* item = f ? f->findMenu(name, index) : nullptr;
      if (!item || !item->effectivelyEnabled()) return "none";
      rt::dispatch(f, [item] { item->fireClick(); });
      return "ok";
    }
    if (cmd == "stop" || cmd == "run" || cmd == "keep" || cmd == "end") {
      if (cmd == "stop") g_host->stopClock();
      if (cmd == "run") g_host->runClock();
      if (cmd == "keep") g_host->keepNextClip();
      if (cmd == "end") g_host->endKeptClip();
      return "ok";
    }
    if (cmd == "xhold") {
      int x = 0, y = 0;
      in >> x >> y;
      holdFor_ = openPopup();
      readerhold::arm(rt::inputExtensionOpcode(), x, y);
      return "ok";
    }
    if (cmd == "xheld")
      return "xheld " + std::to_string(readerhold::held()) + (holdFor_ ? " there" : " gone");
    if (cmd == "xgo") {
      readerhold::release();
      return "ok";
    }
    return "unknown";
  }

 private:
  QPointer<QMenu> holdFor_;
  ProbeApp& app_;
  ClientInput& client_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vpk-input-probe GAME SEED\n");
    return 2;
  }
  const std::string game = argv[1];
  ProbeApp app(argc, argv);
  RecordingHost host;
  g_host = &host;
  rt::setHost(&host);
  rt::FixSeed(static_cast<uint32_t>(std::stoul(argv[2])));
  shell::PackFrame pack;
  auto& [frame, mdi] = pack;

  int index = -1;
  for (const shell::GameEntry& e : shell::GameRegistry)
    if (game == e.caption) index = e.index;
  if (index < 0) {
    std::fprintf(stderr, "no game %s\n", game.c_str());
    return 2;
  }

  ClientInput client;
  Commands commands(app, client);
  std::string pending;
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char buf[4096];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
      input.setEnabled(false);
      readerhold::release();  // Qt's end waits for its reader
      frame.close();  // the test has gone: as the user's close, whatever runs
      return;
    }
    pending.append(buf, static_cast<size_t>(n));
    for (size_t eol; (eol = pending.find('\n')) != std::string::npos;) {
      const std::string line = pending.substr(0, eol);
      pending.erase(0, eol + 1);
      std::printf("%s\n", commands.answer(line).c_str());
      std::fflush(stdout);
    }
  });
  input.setEnabled(false);

  // The game is opened from the "Play" list of the first one once that shows; "ready" follows the
  // first paint of the chosen game, and a pass of the loop for what that paint left posted.
  auto ready = [&] {
    QTimer::singleShot(0, [&] {
      std::printf("ready\n");
      std::fflush(stdout);
      input.setEnabled(true);
    });
  };
  frame.firstGamePaint = [&] {
    QTimer::singleShot(0, [&] {
      rt::Form* first = frame.activeForm();
      rt::MenuItem* item = first ? first->findMenu("igrica", index) : nullptr;
      if (!item || first->Name() == shell::GameRegistry[index].window) {
        ready();
        return;
      }
      frame.firstGamePaint = ready;
      auto keep = shell::HoldWindow(first);
      rt::dispatch(first, [item] { item->fireClick(); });
    });
  };
  // Placed before the window is made, so the X server maps it there.
  frame.window()->move(97, 53);
  frame.window()->focusProxy()->installEventFilter(&client);
  shell::StartPack(true);
  return app.exec();
}
