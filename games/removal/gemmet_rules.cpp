#include "gemmet_rules.h"

#include <cmath>

namespace gemmet {

int KindCount(int few, int skill) {
  static constexpr int kBase[] = {23, 10, 8, 6};  // few = 2, 3, 4, 5
  if (few < 2) few = 2;
  if (few > 5) few = 5;
  return kBase[few - 2] + 2 * skill;
}

int HiscoreLine(int skill, int few) { return skill * 4 + (few - 2); }

bool IsSwapNeighbour(int s, int index) {
  return index == s - 10 || index == s + 10 || index == s - 1 || index == s + 1;
}

int MeasureGroup(const Cells& board, Cells& flags, int cell) {
  flags.fill(0);
  const int16_t k = board[cell];
  if (k == kRemoving) return 0;
  bool neighbour = false;
  for (int n : grid::NeighboursInRow(cell, removal::kSide, removal::kSide)) neighbour = neighbour || board[n] == k;
  if (!neighbour) return 0;
  flags[cell] = kFlagged;
  return 1 + grid::GrowFlagged(flags, {}, [&](int c) { return board[c] == k; });
}

void MarkGroupRemoved(Cells& board, const Cells& flags) {
  for (int i = 0; i < removal::kCells; ++i)
    if (flags[i] == kFlagged) board[i] = kRemoving;
}

int16_t RefillKind(double u, int n) { return static_cast<int16_t>(1 + static_cast<int>(std::floor(u * n))); }

}  // namespace gemmet

