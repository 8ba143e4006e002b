#include "rookwell.h"

#include <utility>

#include "pack_fn.h"
#include "rt/color.h"

namespace collect {

using namespace rookwell;

VPK_GAME_WINDOW(Form28);

namespace {
const Design kRookwell{.hiscoreGame = "Rookwell",
                       .sizes = {7, 10, 15, 20, 25, 30, 50},
                       .defaultSize = 0,
                       .skills = {"Easy (2 new image)", "Medium (3 new images)", "Hard (4 new images)"},
                       .perStepBase = 2,
                       .dragVariant = true,
                       .fixedKinds = kKinds,
                       .mirrorWidth = 38,
                       .mirrorHeight = 36,
                       .panelTop = 77,
                       .heightPx = 372};
constexpr rt::Color kLight = rt::RGB(224, 224, 224);
constexpr rt::Color kDark = rt::RGB(128, 128, 128);
constexpr int kSprite = 32;
}  // namespace

Form28::Form28(const shell::GameEntry& entry) : CollectWindow(entry, kRookwell) {}

std::string Form28::helpText() const {
  return "  Welcome to Rookwell, freeware programmed by Morvel Vukran in 2009.\r"
         "Your goal is to connect all the same chess pieces of the same type (e.g. white or black queens) "
         "attached horizontally or vertically.\r"
         "You move chess pieces similar to a real chess. For example, bishop can jump diagonally over other "
         "pieces unlike a real chess. There are no pawns. You can eat the pieces with opposite color.\r"
         "   Every time you move a piece to an empty field the new images are generated. You can use helpful "
         "objects such as a bomb, ladders and a heart thus decreasing your amount of money. The quality of "
         "playing is measured by the images collected. You can define the number of pieces to collect.\r"
         "  Good luck. Have a fun.";
}

shell::GameWindow::HelpPanelLayout Form28::helpLayout() const {
  HelpPanelLayout l = CollectWindow::helpLayout();
  l.font = rt::Font{"Tahoma", 8.25, false, false, false};
  return l;
}

void Form28::loadPictures() {
  pieceType[0] = kNoPiece;
  for (int k = 1; k <= kKinds; ++k) pieceType[k] = static_cast<int16_t>(PieceTypeOf(static_cast<int16_t>(k)));

  // Each sprite is cut from the strip through buffek; buffek then keeps the mask strip.
  figure = &add<rt::PictureBox>("figure");
  figure->setBorderStyle(0);
  figure->setVisible(false);
  figure->setPicture(picture("Rookwell.figure"));
  buffek = &add<rt::PictureBox>("buffek");
  buffek->setBorderStyle(0);
  buffek->setVisible(false);
  buffek->Move(0, 0, kSprite, kSprite);
  for (int k = 1; k <= kKinds; ++k) {
    const SpriteCell s = SpriteOf(static_cast<int16_t>(k));
    buffek->Cls();
    buffek->PaintPicture(figure->Picture(), 0, 0, kSprite, kSprite, s.column * kSprite, s.row * kSprite, kSprite,
                         kSprite);
    ikona[k] = buffek->Image();
  }
  buffek->setPicture(picture("CtrlPanel.m_ppic"));
}

void Form28::layOutExtras() {
  Picture7 = &add<rt::PictureBox>("Picture7");
  Picture7->setBorderStyle(0);
  Picture7->Move(rightColumn_ + 1, 8, 158, 63);
  Picture7->setPicture(ownPicture("Picture7"));
}

void Form28::bindCell(rt::PictureBox& cell, int index) {
  cell.DragOver = [this, index](rt::Control* source, float, float, int state) { slika_DragOver(index, source, state); };
  cell.DragDrop = [this, index](rt::Control* source, float, float) { slika_DragDrop(index, source); };
}

// Every redraw tidies the cells and ends a drag.
void Form28::exposeExtras() { exposeReadOnly("dragSource", dragSource); }

void Form28::ComposePiece(rt::PictureBox& cell, int kind) {
  if (kind < 1 || kind > kKinds) return;
  const SpriteCell s = SpriteOf(static_cast<int16_t>(kind));
  cell.setPicture(nullptr);
  // The mask whitens the piece's outline over the cell's colour; the sprite is then AND-ed in,
  // its white surround leaving the colour as it was.
  cell.PaintPicture(buffek->Picture(), 0, 0, kSprite, kSprite, s.column * kSprite, s.row * kSprite, kSprite, kSprite,
                    rt::SRCPAINT);
  cell.PaintPicture(ikona[kind], 0, 0, kSprite, kSprite, 0, 0, kSprite, kSprite, rt::SRCAND);
  cell.Refresh();
  cell.setPicture(cell.Image());
}

void Form28::refreshEmptyCell(int cell) { slika(cell).Cls(); }

void Form28::RefreshCells() {
  removeMark.fill(false);
  for (int c = 0; c < kCells; ++c) {
    rt::PictureBox& cell = slika(c);
    const rt::Color back = LightCell(c) ? kLight : kDark;
    if (cell.BackColor() != back) cell.setBackColor(back);
    if (cell.Width() != 36 || cell.Height() != 36) cell.Move(cell.Left(), cell.Top(), 36, 36);
    if (Board[c] != kEmpty) {
      ComposePiece(cell, Board[c]);
      cell.setDragMode(1);
    } else {
      cell.setDragMode(0);
      cell.setPicture(nullptr);
    }
  }
  dragSource = kNoSource;
  RedrawBoard();
}

void Form28::slika_DragOver(int Index, rt::Control* Source, int State) {
  forgetStaleSource(Source);
  if (Board[Index] != kEmpty && State == rt::kDragEnter && dragSource == kNoSource)
    dragSource = static_cast<int16_t>(Index);
  else if (Board[Index] != kEmpty)
    RedrawBoard();
}

void Form28::slika_DragDrop(int Index, rt::Control* Source) {
  if (!dropReachesMove(Index, Source)) return;
  BusyScope busy(*this);
  const int s = dragSource, t = Index;
  if (!LegalMove(Board, s, t)) {
    dragSource = kNoSource;
    shell::PlaySoundNo(10);
    return;
  }
  const bool captured = Board[t] != kEmpty;
  Board[t] = Board[s];
  std::swap(removeMark[s], removeMark[t]);
  slika(s).setPicture(nullptr);
  slika(s).setDragMode(0);
  slika(t).setDragMode(1);
  Board[s] = kEmpty;
  ComposePiece(slika(t), Board[t]);
  dragSource = kNoSource;
  RedrawBoard();
  CheckGroups();
  // After a capture no new pieces come, unless the board was left empty.
  if (!captured || boardEmpty()) GenerateImages();
}

}  // namespace collect
