#include "flippa.h"

#include <utility>
#include <vector>

#include "pack_fn.h"
#include "rt/dispatch.h"

namespace board {

VPK_GAME_WINDOW(Form24);

namespace {
SolitaireDesign Design() {
  SolitaireDesign d;
  d.name = "Flippa";
  d.defaultSize = 7;
  d.labelTopPt = 60;
  d.mostMoves = 32767;  // a 16-bit count
  return d;
}
}  // namespace

Form24::Form24(const shell::GameEntry& entry) : SolitaireWindow(entry, Design()) {}

void Form24::loadPictures() {
  ikona[1] = picture("cartoon", 0);
  ikona[2] = picture("cartoon", 1);
}

std::string Form24::helpText() const {
  return "  Welcome to Flippa, freeware programmed by Morvel Vukran in 2008. Your goal is to set all the images "
         "the same (ducks or bunnies).\r"
         "If you click on an image some images will be changed to opposite or turned upside down, depending on a "
         "game variant. There are 4 cases. Normal image will be changed to upside down. Image turned upside down "
         "will be changed to opposite normal image. Solution exists.\r"
         " The quality of playing is measured by the moves you make. You can define the dimensions to solve.\r"
         "  Good luck. Have a fun.";
}

void Form24::addGameMenus() {
  uoieufio = &menu("uoieufio", "Variant");
  uoieufio->add("ria", "Cross", 0).setChecked(true);
  uoieufio->add("ria", "Square", 1);
  for (auto& item : uoieufio->items()) item->ClickIndexed = [this](int Index) { ria_Click(Index); };
}

void Form24::exposeGameState() {
  exposeArray("UpsideDown", UpsideDown, {{flippa::kUpsideDown, 0}});
  exposeScalar("FlipVariant", FlipVariant, {{flippa::kCross, flippa::kSquare}});
}

void Form24::ria_Click(int Index) {
  // The win sound pumps messages: a deal then would change the board under the running move.
  if (moveRunning()) return;
  for (const auto& item : uoieufio->items()) item->setChecked(item->Index() == Index);
  FlipVariant = static_cast<int16_t>(Index);
  NewBoard();
}

void Form24::dealGame() {
  // The scramble pumps messages: nothing may start a move or another deal meanwhile.
  std::vector<std::pair<rt::MenuItem*, bool>> menus;
  for (const char* name : {"opcije", "uoieufio", "pomoc"}) {
    rt::MenuItem* m = findMenu(name);
    menus.emplace_back(m, m->Enabled());
    m->setEnabled(false);
  }
  const bool boardOn = Picture1->Enabled(), continueOn = Command2->Enabled();
  Picture1->setEnabled(false);
  Command2->setEnabled(false);

  flippa::Deal(Board, UpsideDown, BoardSize, FlipVariant, rnd(), [] { rt::DoEvents(); });

  for (auto& [m, on] : menus) m->setEnabled(on);
  Picture1->setEnabled(boardOn);
  Command2->setEnabled(continueOn);
}

void Form24::DrawCell(int index) {
  if (index < 0 || index >= cells()) return;
  const int kind = Board[index];
  const rt::PicHandle pic = kind == 1 || kind == 2 ? ikona[kind] : nullptr;
  rt::PictureBox& cell = slika(index);
  cell.setPicture(pic);
  // Upside down: the same picture mirrored top to bottom over it.
  if (pic && UpsideDown[index] == flippa::kUpsideDown) cell.PaintPicture(pic, 0, 32, 32, -32);
}

void Form24::DrawAllCells() {
  for (int r = 0; r < BoardSize; ++r)
    for (int c = 0; c < BoardSize; ++c) DrawCell(r * BoardSize + c);
}

void Form24::slika_MouseDown(int Index, int, int, float, float) {
  if (!boardTakesInput() || Index >= cells()) return;
  BusyScope busy(*this, false);
  flippa::FlipNeighbours(Board, UpsideDown, Index, BoardSize, FlipVariant, [this](int i) { DrawCell(i); });
  CountMove();
}

void Form24::afterWin() {
  for (int i = 0; i < kMaxCells; ++i) {
    if (UpsideDown[i] != flippa::kUpsideDown) continue;
    UpsideDown[i] = 0;
    DrawCell(i);
  }
}

}  // namespace board
