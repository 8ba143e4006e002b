// Stands between Qt's reader of the X connection and libxcb in the probe: the probe defines the
// two calls that reader makes, so they come before libxcb's own (the probe exports them). Once
// armed, the input after a button release at a given place on the screen waits in the reader,
// from its first event that is no release (one release comes twice: from the device and from the
// pointer it drives) until the test lets it go. The pack goes on meanwhile, and its round trips
// still read the connection, as on a busy machine where the reader thread does not run: what the
// X server sent before the pack changed its windows is read after the change.
#include "reader_hold.h"

#include <dlfcn.h>
#include <xcb/xinput.h>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace {

using Call = xcb_generic_event_t* (*)(xcb_connection_t*);

Call real(const char* name) { return reinterpret_cast<Call>(dlsym(RTLD_NEXT, name)); }

enum class Stage { kOff, kArmed, kAfterRelease, kHolding };

std::mutex g_m;
std::condition_variable g_go;
Stage g_stage = Stage::kOff;
uint8_t g_xinput = 0;  // the major opcode of the input extension
int g_x = 0, g_y = 0;  // where the release is made
std::deque<xcb_generic_event_t*> g_held;

uint16_t xiType(const xcb_generic_event_t* e) {
  if ((e->response_type & 0x7f) != XCB_GE_GENERIC) return 0;
  const auto* g = reinterpret_cast<const xcb_ge_generic_event_t*>(e);
  return g->extension == g_xinput ? g->event_type : 0;
}

bool isInput(const xcb_generic_event_t* e) {
  const uint8_t t = e->response_type & 0x7f;
  const uint16_t xi = xiType(e);
  return (t >= XCB_KEY_PRESS && t <= XCB_MOTION_NOTIFY) || (xi >= XCB_INPUT_KEY_PRESS && xi <= XCB_INPUT_MOTION);
}

bool isRelease(const xcb_generic_event_t* e) {
  return (e->response_type & 0x7f) == XCB_BUTTON_RELEASE || xiType(e) == XCB_INPUT_BUTTON_RELEASE;
}

bool isReleaseThere(const xcb_generic_event_t* e) {
  if ((e->response_type & 0x7f) == XCB_BUTTON_RELEASE) {
    const auto* r = reinterpret_cast<const xcb_button_release_event_t*>(e);
    return r->root_x == g_x && r->root_y == g_y;
  }
  if (xiType(e) != XCB_INPUT_BUTTON_RELEASE) return false;
  const auto* r = reinterpret_cast<const xcb_input_button_release_event_t*>(e);
  return (r->root_x >> 16) == g_x && (r->root_y >> 16) == g_y;
}

// What the reader gets of an event that libxcb handed out: the event, or null when it is held.
xcb_generic_event_t* pass(xcb_generic_event_t* e) {
  std::lock_guard lk(g_m);
  if (g_stage == Stage::kArmed && isReleaseThere(e)) {
    g_stage = Stage::kAfterRelease;
  } else if (g_stage == Stage::kAfterRelease && isInput(e) && !isRelease(e)) {
    g_stage = Stage::kHolding;
  }
  if (g_stage != Stage::kHolding) return e;
  g_held.push_back(e);
  return nullptr;
}

xcb_generic_event_t* takeHeld() {
  if (g_held.empty()) return nullptr;
  xcb_generic_event_t* e = g_held.front();
  g_held.pop_front();
  return e;
}

}  // namespace

extern "C" xcb_generic_event_t* xcb_wait_for_event(xcb_connection_t* c) {
  static const Call next = real("xcb_wait_for_event");
  for (;;) {
    {
      std::unique_lock lk(g_m);
      g_go.wait(lk, [] { return g_stage != Stage::kHolding; });
      if (xcb_generic_event_t* e = takeHeld()) return e;
    }
    xcb_generic_event_t* e = next(c);
    if (!e) return e;  // the connection broke
    if ((e = pass(e))) return e;
  }
}

extern "C" xcb_generic_event_t* xcb_poll_for_queued_event(xcb_connection_t* c) {
  static const Call next = real("xcb_poll_for_queued_event");
  {
    std::lock_guard lk(g_m);
    if (g_stage == Stage::kHolding) return nullptr;
    if (xcb_generic_event_t* e = takeHeld()) return e;
  }
  xcb_generic_event_t* e = next(c);
  return e ? pass(e) : e;
}

namespace readerhold {

void arm(uint8_t xinputOpcode, int x, int y) {
  std::lock_guard lk(g_m);
  g_xinput = xinputOpcode;
  g_x = x;
  g_y = y;
  g_stage = Stage::kArmed;
}

size_t held() {
  std::lock_guard lk(g_m);
  return g_held.size();
}

void release() {
  {
    std::lock_guard lk(g_m);
    g_stage = Stage::kOff;
  }
  g_go.notify_all();
}

}  // namespace readerhold
