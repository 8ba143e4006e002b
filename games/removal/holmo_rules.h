#pragma once
// Holmo's rules on a plain 10 x 10 board: the deal, which clicks are accepted, the end of a run
// of upside-down pictures and the prices of the lifebelt. No Qt here; the window (holmo.cpp)
// flips, draws and sounds.
#include <array>
#include <cstdint>
#include <vector>

#include "removal_window_rules.h"

namespace holmo {

// The family's board, codes and flag; kEmpty also stands for "no current kind".
using removal::kCells;
using removal::kEmpty;
using removal::kFlagged;
using removal::kJoker;
using removal::kRemoved;
using removal::kSide;
// Cell row * 10 + column; the spare cell 100 stands for "no clicked cell" and is never filled.
constexpr int kNoCell = kCells;
using Board = std::array<int16_t, kCells + 1>;
using Flags = std::array<int16_t, kCells>;  // kFlagged or 0

// Cell codes beyond the family's: 15..18 picture kinds beside 0..4, 9 the lifebelt's effect
// picture, 20 the picture of "no current kind".
enum : int16_t { kLifebeltHit = 9, kNoKind = 20 };

// A cell of a new board from a draw 0..9: 0..5 stand, 6..9 become 15..18.
int16_t DealKind(int draw);

// A click is accepted with no run going or in the row or the column of the last accepted click.
bool Accepts(int16_t currentKind, int lastRow, int lastCol, int cell);

// What a click on cell c (or kNoCell when the portholes are removed) does to the run of
// `currentKind`: whether the run ends, the run's upside-down pictures that go (two or more of its
// kind and jokers) and the other upside-down pictures that turn back (all but c).
struct RunCheck {
  bool ends = false;
  std::vector<int> removed;
  std::vector<int> turnedBack;
};
RunCheck CheckRun(const Board& b, const Flags& flipped, int16_t currentKind, int c);

int RemainingPictures(const Board& b);
int SkillFactor(int skill);                      // 1, 2, 3 for skill 0, 2, 4
int32_t PricePerPicture(int skillFactor, int clearBonus);
int32_t LifebeltPrice(int remaining, int skillFactor, int clearBonus);

}  // namespace holmo
