#pragma once
// A player at the X server of the test: real pointer and key events made with the XTEST
// extension, and the pack's probe process (vpk-input-probe) asked about what it shows.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace xin {

struct Point {
  int x = 0, y = 0;
};

class Player {
 public:
  Player();
  ~Player();
  bool ok() const;

  void moveTo(Point p);
  void press(int button = 1);
  void release(int button = 1);
  void click(Point p, int button = 1);
  void drag(Point from, Point to, int steps = 4);
  void keyDown(uint32_t keysym);
  void keyUp(uint32_t keysym);
  void key(uint32_t keysym);
  void sync();  // the server has made every event asked for so far

 private:
  uint8_t keycode(uint32_t keysym);
  void fake(uint8_t type, uint8_t detail, int16_t x = 0, int16_t y = 0);
  xcb_connection_t* c_;
  xcb_window_t root_ = 0;
  std::map<uint32_t, uint8_t> codes_;
};

// What the probe's `state` says.
struct State {
  std::string window;
  int clip = 0, held = 0, handlers = 0, input = 0, inputInClip = 0, popup = 0, menus = 0;
  bool idle() const { return clip == 0 && held == 0 && handlers == 0; }
};

class Probe {
 public:
  Probe(const std::string& game, unsigned seed);
  ~Probe();
  bool ready() const { return ready_; }

  std::string ask(const std::string& command);
  void pause(bool stop);  // the pack's process stopped (SIGSTOP) or going on (SIGCONT)
  State state();
  std::vector<std::string> log();  // "sound10@Form1", "beep@Form1", "caption@Form12" ...
  std::vector<long long> values(const std::string& command);  // the numbers of `get`/`snap`
  long long value(const std::string& name);
  Point control(const std::string& name, int index = -1);
  Point form(int x, int y);  // a point of the open window, in its pixels
  Point bar(const std::string& caption);
  Point item(const std::string& caption);

  // How long a wait below gives the probe: only a state that never comes should outlast it, not
  // a clip (2.91 s at most) and the work around it on a slow machine.
  static constexpr int kPatienceMs = 20000;
  // Asks `state` until `done` holds or `ms` have passed; the last state either way.
  State waitFor(const std::function<bool(const State&)>& done, int ms = kPatienceMs);
  // Asks for the named state until it is `v` or `ms` have passed; the last value either way.
  long long waitForValue(const std::string& name, long long v, int ms = kPatienceMs);
  // Asks `command` until the answer is `want` or `ms` have passed; the last answer either way.
  std::string waitForAnswer(const std::string& command, const std::string& want, int ms = kPatienceMs);

 private:
  Point point(const std::string& answer, const std::string& what);
  template <class T, class Ask, class Done>
  T poll(Ask ask, Done done, int ms);
  QTemporaryDir home_;
  QProcess p_;
  bool ready_ = false;
};

}  // namespace xin
