#include "brenx_rules.h"

#include <algorithm>

#include "grid.h"

namespace brenx {

using connect::Draw;

void ChooseBlockingKinds(KindFlags& blocking, int n, const Random& rnd) {
  blocking.fill(0);
  for (int b = 0; b < BlockingCount(n); ++b) {
    int k;
    do k = Draw(rnd, KindCount(n)) + 1;
    while (blocking[k] != 0);
    blocking[k] = kFlagged;
  }
}

MoveCheck CheckMove(const Cells& board, const KindFlags& blocking, int selected, int target, int shift) {
  const bool hasSelection = selected >= 0 && selected < kCells;
  if (hasSelection && IsBlocking(blocking, board[selected])) return MoveCheck::SelectionBlocking;
  if (IsBlocking(blocking, board[target]) && shift == 0) return MoveCheck::TargetBlocking;
  if (!hasSelection) return MoveCheck::NoSelection;
  // By index only: a row's last cell and the next row's first are neighbours for a move.
  if (!grid::AdjacentByIndex(selected, target, kSide, kCells)) return MoveCheck::NotNeighbour;
  if (board[target] == board[selected] && shift == 0) return MoveCheck::SameKind;
  return MoveCheck::Ok;
}

std::vector<int> CollectableGroup(const Cells& board, const KindFlags& blocking, const Cells& collected, int i, int n) {
  const int16_t k = board[i];
  if (collected[i] != 0 || k == kEmpty || IsBlocking(blocking, k)) return {};
  bool joined = false;
  for (int nb : grid::NeighboursInRow(i, kSide, kSide)) joined = joined || board[nb] == k;
  if (!joined) return {};
  Cells marks{};
  marks[i] = grid::kFlag;
  grid::GrowFlagged(marks, {}, [&](int j) { return board[j] == k; });
  std::vector<int> cells;
  for (int j = 0; j < kCells; ++j)
    if (marks[j] == grid::kFlag) cells.push_back(j);
  if (static_cast<int>(cells.size()) < n) return {};
  return cells;
}

std::vector<NewCell> RefillEmpty(Cells& board, int n, const Random& rnd) {
  std::vector<NewCell> added;
  const auto empties = std::count(board.begin(), board.end(), kEmpty);
  for (long e = 0; e < empties; ++e) {
    int p;
    do p = Draw(rnd, kCells);
    while (board[p] != kEmpty);
    board[p] = static_cast<int16_t>(Draw(rnd, KindCount(n)) + 1);
    added.push_back({static_cast<int16_t>(p), board[p]});
  }
  return added;
}

}  // namespace brenx
