#pragma once
// Input that Qt's reader thread of the X connection has not handed on yet (reader_hold.cpp).
#include <xcb/xcb.h>

#include <cstddef>
#include <cstdint>

namespace readerhold {

// From the next button release at (x, y) on the screen on, the input events read after it wait
// in the reader.
void arm(uint8_t xinputOpcode, int x, int y);
size_t held();
// They go on, in their order, and nothing more waits.
void release();

}  // namespace readerhold
