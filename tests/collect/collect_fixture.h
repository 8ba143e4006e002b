#pragma once
// A collecting game's window on the virtual host, with its best-score file in a fresh folder.
#include <QTemporaryDir>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "collect_window.h"
#include "pack_fixture.h"
#include "rt/dispatch.h"

template <class W>
class CollectTest : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
  }
  W& openWindow(std::string_view game) {
    w = &openAs<W>(game);
    takeLog();
    return *w;
  }
  void start() {
    click(w->Command2->face());
    takeLog();
  }
  void setBoard(const collect::Cells& b) {
    w->Board = b;
    rt::dispatch(w, w->redrawState);
  }
  static collect::Cells boardWith(std::initializer_list<std::pair<int, int16_t>> cells) {
    collect::Cells b{};
    for (auto [c, k] : cells) b[c] = k;
    return b;
  }
  static int count(const std::vector<std::string>& log, const std::string& what) {
    return static_cast<int>(std::count(log.begin(), log.end(), what));
  }
  // Mouse input in form pixels at a control's centre.
  void centreOf(rt::Control& c, int& x, int& y) {
    int ox, oy;
    c.clientOrigin(ox, oy);
    x = ox - c.borderWidth() + c.Width() / 2;
    y = oy - c.borderWidth() + c.Height() / 2;
  }
  void press(rt::Control& c) {
    int x, y;
    centreOf(c, x, y);
    w->mouseDown(x, y, 1, 0);
  }
  void moveTo(rt::Control& c) {
    int x, y;
    centreOf(c, x, y);
    w->mouseMove(x, y, 1, 0);
  }
  void release(rt::Control& c) {
    int x, y;
    centreOf(c, x, y);
    w->mouseUp(x, y, 1, 0);
  }
  // Whether something is drawn over the cell's picture and back colour.
  bool drawnOn(int cell) {
    rt::PictureBox& c = w->slika(cell);
    const QImage now = c.Image()->image();
    rt::dispatch(w, [&] { c.Cls(); });
    const bool drawn = now != c.Image()->image();
    return drawn;
  }
  std::set<int> drawnCells() {
    std::set<int> s;
    for (int i = 0; i < collect::kCells; ++i)
      if (drawnOn(i)) s.insert(i);
    return s;
  }
  QTemporaryDir dir_;
  W* w = nullptr;
};
