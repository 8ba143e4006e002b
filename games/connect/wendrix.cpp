#include "wendrix.h"

#include "pack_fn.h"
#include "rt/random.h"

namespace connect {

VPK_GAME_WINDOW(Form4);

namespace {
ConnectDesign WendrixDesign() {
  ConnectDesign d;
  d.name = "Wendrix";
  d.cash = {1300, 1500, 1200, 1000, 750, 500, 50};
  d.defaultSize = 5;
  d.placeHelp(10, 55, 220, 165, 191, 216);
  d.help.font = {"Tahoma", 6.75, false, false, false};  // the largest that keeps the text above "OK"
  d.helpText =
      "  Welcome to Wendrix, freeware programmed by Morvel Vukran in 2004. Your goal is to connect all the same "
      "images attached horizontally or vertically.\r"
      "You can move a black field by pressing the images around it. If the field is grey mouse button turns it to "
      "the black field.\r"
      "   Every time you move the field or change its color you lose 1$. If you lose all the money the game is "
      "over. The quality of playing is measured by the remaining money. You can define the number of the same "
      "images.\r"
      "  Good luck. Have a fun.";
  return d;
}
}  // namespace

Form4::Form4(const shell::GameEntry& entry) : ConnectWindow(entry, WendrixDesign(), 364, 396) {}

void Form4::bindCell(rt::PictureBox& cell, int index) {
  cell.MouseDown = [this, index](int button, int shift, float x, float y) { slika_MouseDown(index, button, shift, x, y); };
}

void Form4::exposeGameState() { exposeCells("blackFlag", blackFlag, flagValues); }

void Form4::clearFlags() {
  ConnectWindow::clearFlags();
  blackFlag.fill(0);
}

void Form4::afterDeal() {
  const int r = rt::RandomInt(groupSize) + 1;
  const int cell = NthOfKind(Board, 0, r);
  if (cell >= 0) blackFlag[cell] = kTrue;
}

void Form4::DrawCell(int i) {
  slika.show(i, kindPicture(Board[i]));
  if (doneFlag[i]) {
    slika.show(i, nullptr);
    if (slika(i).BackColor() != kWhite) slika(i).setBackColor(kWhite);
    return;
  }
  const rt::Color back = blackFlag[i] ? kBlackColour : kGrey;
  if (slika(i).BackColor() != back) slika(i).setBackColor(back);
}

void Form4::slika_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
  if (!boardTakesInput()) return;
  BusyScope busy(*this, false);
  if (blackFlag[Index] || Board[Index] != 0) {
    for (int j : Slide(Board, doneFlag, blackFlag, Index)) {
      cash = Pay(cash, 1);
      DrawCell(Index);
      DrawCell(j);
    }
  } else {
    for (int j : MakeBlack(blackFlag, Index)) DrawCell(j);
    cash = Pay(cash, 1);
    DrawCell(Index);
  }
  CheckConnected();
}

}  // namespace connect
