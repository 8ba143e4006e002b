#include "equin.h"

#include "pack_fn.h"

namespace board {

VPK_GAME_WINDOW(Form26);

Form26::Form26(const shell::GameEntry& entry)
    : SolitaireWindow(entry, DragGameDesign("Equin", 8, 67, kDealCountsOnce)) {}

void Form26::loadPictures() {
  konj[equin::kWhiteKnight] = ownPicture("konj1");
  konj[equin::kBlackKnight] = ownPicture("konj2");
}

std::string Form26::helpText() const {
  return "  Welcome to Equin, freeware programmed by Morvel Vukran in 2009.\r"
         " Your goal is to empty all the fields with less moves by eating the white knights with a black knight. "
         "You can move a black knight and the white knights like in a real chess. Black knight can eat the white "
         "knight. You can move white knight only to an empty field, try getting it closer to your black knight so "
         "it can eat it. You can define the dimensions to solve.\r"
         "  Good luck. Have a fun.";
}

void Form26::placeBoard() { placeByWidth(); }

void Form26::drawCell(int i) {
  const int code = Board[i];
  slika.show(i, code == equin::kWhiteKnight || code == equin::kBlackKnight ? konj[code] : nullptr);
  setCellDragMode(i, code != equin::kEmpty);
}

void Form26::drawDealtCells() {
  for (int i = 0; i < cells(); ++i) drawCell(i);
}

void Form26::dropMove(int source, int target) {
  if (!equin::Legal(Board, BoardSize, source, target)) {
    shell::PlaySoundNo(10);
    return;
  }
  BusyScope busy(*this, false);
  equin::Jump(Board, source, target);
  drawCell(target);
  drawCell(source);
  CountMove();
}

}  // namespace board
