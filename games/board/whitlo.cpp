#include "whitlo.h"

#include "pack_fn.h"
#include "rt/host.h"

namespace board {

VPK_GAME_WINDOW(Form22);

namespace {
constexpr int kCross = 50;
}  // namespace

namespace {
SolitaireDesign Design() {
  SolitaireDesign d;
  d.name = "Whitlo";
  d.defaultSize = 10;
  return d;
}
}  // namespace

Form22::Form22(const shell::GameEntry& entry) : SolitaireWindow(entry, Design()) {}

void Form22::loadPictures() {
  for (int i = 0; i < 5; ++i) {
    ikona[1 + i] = picture("cartoon", i);
    ikona[6 + i] = picture("creatures", i);
  }
  ikona[kCross] = picture("Brenx.ikona", 51);
}

std::string Form22::helpText() const {
  return "  Welcome to Whitlo, freeware programmed by Morvel Vukran in 2007. Your goal is to clean all the "
         "images, populating the white fields.\r"
         "In the beginning, click on a targeted image (marked with red cross). An image will become a white "
         "field. Then click on image with targeted type that touches any white field or targeted image. That "
         "image will also become white field, and the other target will be choosed. If you choose or was forced "
         "to choose targeted image, a random image will be restored.\r"
         " The quality of playing is measured by the moves you make. You can define the dimensions to solve.\r"
         "  Good luck. Have a fun.";
}

void Form22::exposeGameState() {
  // Only cells of the board laid out turn white.
  exposeArray("WhiteCells", WhiteCells, [this](size_t i) {
    return i < static_cast<size_t>(cells()) ? rt::Spans{{whitlo::kWhite, 0}} : rt::Spans{{0, 0}};
  });
  exposeScalar("TargetCell", TargetCell, [this] { return rt::Spans{{0, cells() - 1}, {kNoCell, kNoCell}}; });
}

void Form22::dealGame() { whitlo::Deal(Board, WhiteCells, TargetCell, BoardSize, rnd()); }

void Form22::DrawCell(int index) {
  if (index < 0 || index >= cells()) return;
  rt::PictureBox& cell = slika(index);
  if (WhiteCells[index] == whitlo::kWhite) {
    cell.setPicture(nullptr);
    return;
  }
  const int kind = Board[index];
  cell.setPicture(kind >= 1 && kind < kCross ? ikona[kind] : nullptr);
  if (index == TargetCell) cell.PaintPicture(ikona[kCross], 0, 0);
}

void Form22::redrawAll() { DrawAllCells(); }

void Form22::DrawAllCells() {
  for (int r = 0; r < BoardSize; ++r)
    for (int c = 0; c < BoardSize; ++c) DrawCell(r * BoardSize + c);
}

void Form22::NewTarget() {
  TargetCell = whitlo::ChooseTarget(WhiteCells, BoardSize, rnd());
  DrawCell(TargetCell);
}

void Form22::slika_MouseDown(int Index, int, int, float, float) {
  if (!boardTakesInput() || Index >= cells()) return;
  if (WhiteCells[Index] == whitlo::kWhite) {
    rt::host().beep();
    return;
  }
  BusyScope busy(*this, false);
  const whitlo::Click click = whitlo::Play(Board, WhiteCells, TargetCell, Index, BoardSize, rnd());
  if (click.oldTarget >= 0) DrawCell(click.oldTarget);
  if (click.whitened) {
    DrawCell(Index);
    shell::PlaySoundNo(1);
  }
  if (click.restored >= 0) DrawCell(click.restored);
  CountMove();
  if (!won_ && TargetCell == kNoCell) NewTarget();
}

}  // namespace board
