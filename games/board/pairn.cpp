#include "pairn.h"

#include "pack_fn.h"

namespace board {

VPK_GAME_WINDOW(Form29);

namespace {
const char* const kPieceCaptions[] = {"King", "Queen", "Rook", "Bishop", "Knight", "Mixture"};
}  // namespace

Form29::Form29(const shell::GameEntry& entry)
    : SolitaireWindow(entry, DragGameDesign("Pairn", 8, 59, kDealShowsName)) {}

void Form29::loadPictures() {
  figure_ = picture("Rookwell.figure");
  mask_ = picture("CtrlPanel.m_ppic");
}

std::string Form29::helpText() const {
  return "  Welcome to Pairn, freeware programmed by Morvel Vukran in 2009.\r"
         " Your goal is to empty all the fields (or to left the one, depending on dimensions) with less moves by "
         "matching the chess pieces with opposite color. When they match, they disappear both. You can move the "
         "chess pieces similar to a real chess, to an empty field or to match an opposite color piece. For "
         "example, bishop can jump diagonally over other pieces unlike a real chess. Try getting the pieces "
         "closer, if needed, to the opposite color pieces. You can define the dimensions to solve.\r"
         "  Good luck. Have a fun.";
}

void Form29::addGameMenus() {
  edededed = &opcije->add("edededed", "Chess piece for playing");
  for (int i = 0; i < 6; ++i) {
    rt::MenuItem& item = edededed->add("cpt", kPieceCaptions[i], i);
    item.setChecked(i + 1 == PieceKind);
    item.ClickIndexed = [this](int Index) { cpt_Click(Index); };
  }
}

void Form29::cpt_Click(int Index) {
  for (const auto& item : edededed->items()) item->setChecked(item->Index() == Index);
  PieceKind = static_cast<int16_t>(Index + 1);
  NewBoard();
}

rt::Color Form29::cellBack(int row, int column) const {
  return (row + column) % 2 == 0 ? rt::RGB(224, 224, 224) : rt::RGB(128, 128, 128);
}

void Form29::DrawPieceCell(rt::PictureBox& cell, int code) {
  const int col = code < 6 ? 6 - code : 11 - code, row = code < 6 ? 0 : 1;
  cell.setPicture(nullptr);
  cell.PaintPicture(mask_, 0, 0, 32, 32, 32 * col, 32 * row, 32, 32, rt::SRCPAINT);
  cell.PaintPicture(figure_, 0, 0, 32, 32, 32 * col, 32 * row, 32, 32, rt::SRCAND);
}

void Form29::drawCell(int i) {
  const int code = Board[i];
  if (pairn::IsWhite(static_cast<int16_t>(code)) || pairn::IsBlack(static_cast<int16_t>(code))) {
    DrawPieceCell(slika(i), code);
    setCellDragMode(i, true);
  } else {
    slika(i).setPicture(nullptr);
    setCellDragMode(i, false);
  }
}

void Form29::drawDealtCells() {
  for (int i = 0; i < cells(); ++i) drawCell(i);
}

void Form29::dropMove(int source, int target) {
  if (!pairn::Legal(Board, BoardSize, source, target)) {
    shell::PlaySoundNo(10);
    return;
  }
  BusyScope busy(*this, false);
  const bool paired = pairn::Move(Board, source, target);
  drawCell(source);
  drawCell(target);
  if (paired) shell::PlaySoundNo(1);
  CountMove();
}

}  // namespace board
