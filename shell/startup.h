#pragma once
// Starts the pack: the frame's design values and events, the sound bank, the picture library,
// then the frame's load, which opens a random game.
#include "mdi_form.h"
#include "rt/frame.h"

namespace shell {

// The frame and its form, made the current ones when made (the host is set before). Every program
// holds one: the pack, the driver, the benchmarks, the soak, the real-process probes and the test
// fixture; the soak and the fixture make a new one for each start after a close.
struct PackFrame {
  PackFrame();
  rt::Frame frame;
  MDIForm1 mdi;
};

void StartPack(bool withWindow);

}  // namespace shell
