#pragma once
// Starts the pack: the frame's design values and events, the sound bank, the picture library,
// then the frame's load, which opens a random game.
#include "mdi_form.h"
#include "rt/frame.h"

namespace shell {

// The frame and its form for the whole run, made the current ones (the host is set before).
// The pack, the driver, the benchmarks and the real-process tests each hold one.
struct PackFrame {
  PackFrame();
  rt::Frame frame;
  MDIForm1 mdi;
};

void StartPack(bool withWindow);

}  // namespace shell
