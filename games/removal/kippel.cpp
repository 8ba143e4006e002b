#include "kippel.h"

#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/random.h"

namespace removal {

using namespace kippel;

VPK_GAME_WINDOW(Form9);

Form9::Form9(const shell::GameEntry& entry) : RemovalWindow(entry, "Kippel", kEmpty) {}

void Form9::loadKindPictures() {
  for (int k = 0; k <= kJoker; ++k) Uzorak[k] = picture("cartoon", k);
  Uzorak[kEmpty] = ownPicture("blank");
}

std::string Form9::helpText() const {
  return "  Welcome to Kippel,\r"
         " Your goal is to remove at least the three same images. Keep your helpful jokers. The ladders and a "
         "bomb will sometime help you. Earn extra points by connecting the gems, 50 points per the gems. You "
         "can freely rotate and use flipping in any time. The more images you have the better player you "
         "are.\r"
         "  Good luck. Have a fun.";
}

void Form9::bindCell(rt::PictureBox& cell, int index) {
  cell.Click = [this, index] { Element_Click(index); };
}

rt::PicHandle Form9::pictureOf(int16_t code) const {
  return code >= 0 && code < static_cast<int>(Uzorak.size()) ? Uzorak[code] : nullptr;
}

void Form9::exposeGameState() { exposeArray("removeFlag", removeFlag, {{kFlagged, 0}}); }

void Form9::Element_Click(int Index) {
  if (Board[Index] == kEmpty) return;
  BusyScope busy(*this);
  removeFlag.fill(0);
  const int16_t k = Board[Index];

  if (IsHelper(k)) {
    int16_t effect = kLadderHit;
    int16_t sound = 3;
    if (k == kBomb) {
      FlagBomb(removeFlag, Index);
      effect = kBombHit;
      sound = 2;
    } else if (k == kHorizontalLadder) {
      FlagRow(removeFlag, Index);
    } else {
      FlagColumn(removeFlag, Index);
    }
    for (int i = 0; i < removal::kCells; ++i)
      if (removeFlag[i] == kFlagged && Board[i] != kEmpty) Element(i).setPicture(Uzorak[effect]);
    shell::PlaySoundNo(sound);
    ClearMarked();
    FallAndRefill();
    return;
  }

  if (!HasMatchingNeighbour(Board, Index) || FloodGroup(Board, removeFlag, Index) < 3) {
    shell::PlaySoundNo(10);
    return;
  }
  for (int i = 0; i < removal::kCells; ++i) {
    if (removeFlag[i] != kFlagged) continue;
    Element(i).setPicture(Uzorak[kRemoved]);
    rt::DoEvents();
  }
  score += GroupScore(k);
  shell::PlaySoundNo(1);
  showScore();
  ClearMarked();
  FallAndRefill();
}

void Form9::ClearMarked() {
  for (int i = 0; i < removal::kCells; ++i) {
    if (removeFlag[i] != kFlagged) continue;
    Board[i] = kEmpty;
    DrawCell(i);
  }
}

void Form9::afterTransformRedraw() {
  for (int i = 0; i < removal::kCells; ++i)
    if (Board[i] == kEmpty) removeFlag[i] = kFlagged;
}

void Form9::RefillBoard() {
  for (int i = 0; i < removal::kCells; ++i) {
    if (Board[i] == kEmpty) Board[i] = RefillKind(rt::Rnd);
    DrawCell(i);
  }
  Podloga->setEnabled(true);
}

}  // namespace removal
