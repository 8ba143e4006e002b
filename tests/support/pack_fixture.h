#pragma once
// A pack on the virtual host: the frame, the frame's state, no window open yet.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "startup.h"
#include "virtual_host.h"

class PackTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs fn as a handler of the frame (as the shell's own events run).
  void inFrame(const std::function<void()>& fn);
  rt::Form* open() const { return rt::frame().activeForm(); }
  // A game's index by its caption, "Gemmet" (fails the test when no game has that caption).
  static int game(std::string_view caption);
  // Opens a game as the shell does (fresh window) and returns its window.
  rt::Form* openGame(int index);
  rt::Form* openGame(std::string_view caption) { return openGame(game(caption)); }
  // The same, as the window's class. A test cannot go on without its window: when the row opens
  // another class (or nothing) the test fails and ends here, and the test program goes on.
  template <class W>
  W& openAs(std::string_view caption) {
    openGame(caption);
    return shownAs<W>(std::string(caption) + " did not open as the expected window");
  }
  // The shown window as class W (after a switch through "Play"); ends the test as openAs does.
  template <class W>
  W& shownAs(const std::string& otherwise = "the shown window is not the expected one") {
    W* w = dynamic_cast<W*>(open());
    if (!w)
      throw std::runtime_error(otherwise + " (" + (open() ? open()->Name() : std::string("none")) + " is shown)");
    return *w;
  }
  // A control of the window by its design name as class C; ends the test as openAs does when
  // the window has no such control or it is of another kind.
  template <class C = rt::Control>
  static C& control(const rt::Form& f, const std::string& name, int index = -1) {
    C* c = dynamic_cast<C*>(f.find(name, index));
    if (!c)
      throw std::runtime_error(f.Name() + " has no such control: " + name +
                               (index >= 0 ? "(" + std::to_string(index) + ")" : ""));
    return *c;
  }
  // Input as a user gives it: through the window's hit testing, at a control's centre (or at
  // x, y pixels inside it).
  void click(rt::Control& c, int button = 1, int shift = 0);
  void clickAt(rt::Control& c, int x, int y, int button = 1, int shift = 0);
  void drag(rt::Control& from, rt::Control& to);
  void chooseMenu(const std::string& name, int index = -1);  // fails the test when disabled
  void key(int code, int shift = 0);                         // down and up, through the frame
  // Names the round of a loop that plays (the game and the round's number): a round that never
  // settles is reported under it, with the input it was giving (each input above names itself).
  void playRound(const std::string& what);
  std::vector<std::string> takeLog() { return vt::vhost().takeLog(); }
  // The first or last entry of a log, "" when it is empty (a test compares, never crashes).
  static std::string first(const std::vector<std::string>& log) { return log.empty() ? "" : log.front(); }
  static std::string last(const std::vector<std::string>& log) { return log.empty() ? "" : log.back(); }
  int countLog(const std::string& entry) const;

  // Named state of the open window (what the driver's dump and set see).
  std::vector<long long> state(const std::string& name) const;
  // Writes a state array from a text picture: tokens separated by blanks and line ends, each a
  // number or a key of `legend`; then redraws the window as the driver does. Every value must be
  // one its entry can hold.
  void setState(const std::string& name, const std::string& picture,
                const std::map<std::string, long long>& legend = {});

  // After the frame was closed: a new frame and frame state, as at a new start (no game open),
  // with the data folder the closed one had. frame_ and mdi_ stay the first ones: the new ones
  // are rt::frame() and shell::frameForm().
  void reopenPack();

  shell::PackFrame pack_;  // made current when made, as in every program of the pack
  rt::Frame& frame_ = pack_.frame;
  shell::MDIForm1& mdi_ = pack_.mdi;

 private:
  void startFrame(shell::MDIForm1& mdi);
  void step(const std::string& input);
  std::string round_;
  std::vector<std::unique_ptr<shell::PackFrame>> laterPacks_;
};

