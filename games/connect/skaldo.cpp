#include "skaldo.h"

#include "pack_fn.h"

namespace connect {

VPK_GAME_WINDOW(Form5);

namespace {
ConnectDesign SkaldoDesign() {
  ConnectDesign d;
  d.name = "Skaldo";
  d.cash = {300, 500, 200, 100, 75, 50, 25};
  d.defaultSize = 5;
  d.whitenEachGroup = false;  // the whole board is redrawn after the check's scan
  d.placeHelp(10, 65, 220, 165, 191, 216);
  d.help.font = {"Tahoma", 6.75, false, false, false};  // the largest that keeps the text above "OK"
  d.helpText =
      "  Welcome to Skaldo, freeware programmed by Morvel Vukran in 2004. Your goal is to connect all the same "
      "images attached horizontally or vertically.\r"
      "You can drag and drop any non grey field and swap it with grey field.\r"
      "   Every time you move an image you lose 1$, and when you move a white field you lose 10$. If you lose all "
      "the money the game is over. The quality of playing is measured by the remaining money. You can define the "
      "number of the same images.\r"
      "  Good luck. Have a fun.";
  return d;
}
}  // namespace

Form5::Form5(const shell::GameEntry& entry) : ConnectWindow(entry, SkaldoDesign(), 364, 396) {}

void Form5::bindCell(rt::PictureBox& cell, int index) {
  cell.DragOver = [this, index](rt::Control* source, float x, float y, int state) {
    slika_DragOver(index, source, x, y, state);
  };
  cell.DragDrop = [this, index](rt::Control* source, float x, float y) { slika_DragDrop(index, source, x, y); };
}

void Form5::exposeGameState() {
  exposeScalar("dragSource", dragSource, {{0, kCells - 1}, {kNone, kNone}});
}

void Form5::bindBoard() {
  // A drop beside the cells ends the drag without a move: the source is forgotten.
  Form_DragDrop = [this](rt::Control*, float, float) { dragSource = kNone; };
  Picture1->DragDrop = [this](rt::Control*, float, float) { dragSource = kNone; };
}

void Form5::NewBoard() {
  dragSource = kNone;
  ConnectWindow::NewBoard();
}

void Form5::afterDeal() {
  for (int i = 0; i < kCells; ++i) setDragMode(i);
}

void Form5::setDragMode(int i) {
  const int mode = Board[i] != 0 ? 1 : 0;
  if (slika(i).DragMode() != mode) slika(i).setDragMode(mode);
}

void Form5::DrawCell(int i) {
  slika.show(i, kindPicture(Board[i]));
  if (slika(i).BackColor() != kGrey && !doneFlag[i]) slika(i).setBackColor(kGrey);
  if (doneFlag[i]) {
    slika.show(i, nullptr);
    if (slika(i).BackColor() != kWhite) slika(i).setBackColor(kWhite);
  }
  setDragMode(i);
}

void Form5::DrawRow(int start) {
  for (int c = start; c < start + kSide; ++c) DrawCell(c);
}

void Form5::RedrawAllCells() {
  for (int start = 0; start < kCells; start += kSide) DrawRow(start);
}

void Form5::slika_DragOver(int Index, rt::Control* Source, float /*X*/, float /*Y*/, int State) {
  if (State != rt::kDragEnter || Board[Index] <= 0) return;
  // A drag enters its own cell first: that cell is the source, whatever an earlier drag that
  // ended without a drop left behind.
  if (dragSource == kNone || Source == &slika(Index)) dragSource = static_cast<int16_t>(Index);
}

void Form5::slika_DragDrop(int Index, rt::Control* Source, float /*X*/, float /*Y*/) {
  if (dragSource == kNone) return;
  if (!boardTakesInput()) {
    dragSource = kNone;
    return;
  }
  BusyScope busy(*this, false);
  const int s = dragSource;
  if (Source == &slika(s) && DropOnGrey(Board, doneFlag, s, Index)) {
    slika(s).setPicture(nullptr);
    slika(s).setDragMode(0);
    slika(Index).setDragMode(1);
    cash = Pay(cash, SkaldoCost(doneFlag[Index] != 0));
  }
  dragSource = kNone;
  RedrawAllCells();
  CheckConnected();
}

}  // namespace connect
