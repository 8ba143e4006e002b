#pragma once
// The grid solitaire windows on the virtual host.
#include <string>
#include <string_view>

#include "pack_fixture.h"
#include "rt/dispatch.h"
#include "rt/random.h"
#include "solitaire_window.h"

class SolitaireTest : public PackTest {
 protected:
  template <class W>
  W& openSolitaire(std::string_view game) {
    rt::FixSeed(7);
    W& w = openAs<W>(game);
    takeLog();
    return w;
  }
  static std::string base() { return "Vantix Pack v3.47  by Morvel Vukran - "; }
  void redraw(rt::Form& w) { rt::dispatch(&w, w.redrawState); }
  void start(board::SolitaireWindow& w) {
    click(*w.Command2);
    takeLog();
  }
  // A press on a cell that ends outside every control of the window.
  void dragOff(board::SolitaireWindow& w, int cell) {
    int x = 0, y = 0;
    w.slika(cell).clientOrigin(x, y);
    w.mouseDown(x + 5, y + 5, 1, 0);
    w.mouseMove(w.pixelWidth() + 40, 5, 1, 0);
    w.mouseUp(w.pixelWidth() + 40, 5, 1, 0);
  }
};
