#pragma once
// A connect game open on the virtual host, with boards the tests lay out.
#include <string>
#include <string_view>

#include "connect_window.h"
#include "pack_fixture.h"
#include "rt/frame.h"

template <class W>
class ConnectTest : public PackTest {
 protected:
  void openWindow(std::string_view game) {
    w = &openAs<W>(game);
    takeLog();
  }
  void setBoard(const connect::Cells& b) {
    w->Board = b;
    w->redrawState();
  }
  void start() { click(w->Command2->face()); }
  std::string caption() const { return frame_.Caption(); }
  static std::string base() { return "Vantix Pack v3.47  by Morvel Vukran - "; }
  // Kind (2 * row + column) mod kinds: each kind 100 / kinds times, no two neighbours equal.
  static connect::Cells quiet(int kinds, int16_t base = 0) {
    connect::Cells b;
    for (int i = 0; i < 100; ++i) b[i] = static_cast<int16_t>((2 * (i / 10) + i % 10) % kinds + base);
    return b;
  }
  W* w = nullptr;
};
