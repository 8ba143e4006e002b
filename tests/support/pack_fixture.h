#pragma once
// A pack on the virtual host: the frame, the frame's state, no window open yet.
#include <gtest/gtest.h>

#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "virtual_host.h"

class PackTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs fn as a handler of the frame (as the shell's own events run).
  void inFrame(const std::function<void()>& fn);
  rt::Form* open() const { return rt::frame().activeForm(); }
  // Opens a game as the shell does (fresh window) and returns its window.
  rt::Form* openGame(int index);
  // Input as a user gives it: through the window's hit testing, at a control's centre (or at
  // x, y pixels inside it).
  void click(rt::Control& c, int button = 1, int shift = 0);
  void clickAt(rt::Control& c, int x, int y, int button = 1, int shift = 0);
  void drag(rt::Control& from, rt::Control& to);
  void chooseMenu(const std::string& name, int index = -1);  // fails the test when disabled
  std::vector<std::string> takeLog() { return vt::vhost().takeLog(); }
  int countLog(const std::string& entry) const;

  rt::Frame frame_;
  shell::MDIForm1 mdi_;
};
