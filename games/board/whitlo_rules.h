#pragma once
// Whitlo's rules: n kinds, n of each, on an n x n board; cells turn white from a moving target.
#include "solitaire_rules.h"

namespace whitlo {

using board::Cells;
constexpr int16_t kWhite = -1;  // WhiteCells entry of a cleared cell

// Kinds 1..n, n of each (board::DealKinds); no cell white, no target.
void Deal(Cells& board, Cells& white, int16_t& target, int n, const board::Random& rnd);
// A random cell that shows its picture (draws until one is found); kNoCell when none does.
int16_t ChooseTarget(const Cells& white, int n, const board::Random& rnd);
bool AllWhite(const Cells& white, int n);

// What a click on a cell that is not white changed.
struct Click {
  bool whitened = false;   // the clicked cell turned white
  int16_t oldTarget = -1;  // a target that lost its cross (a match on another cell)
  int16_t restored = -1;   // a white cell that got its picture back
};
// The clicked cell i is not white. Whitens the target, or a cell of the target's kind that
// touches a white cell; whitening the target while it touches no white cell gives a random other
// white cell its picture back. The target becomes kNoCell whenever a cell turned white.
Click Play(const Cells& board, Cells& white, int16_t& target, int i, int n, const board::Random& rnd);

}  // namespace whitlo
