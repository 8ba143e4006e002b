#pragma once
// A pack on the virtual host: the frame, the frame's state, no window open yet.
#include <gtest/gtest.h>

#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/frame.h"
#include "virtual_host.h"

class PackTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs fn as a handler of the frame (as the shell's own events run).
  void inFrame(const std::function<void()>& fn);
  rt::Form* open() const { return rt::frame().activeForm(); }

  rt::Frame frame_;
  shell::MDIForm1 mdi_;
};
