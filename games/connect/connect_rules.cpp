#include "connect_rules.h"

#include <algorithm>

namespace connect {

int Draw(const Random& rnd, int k) {
  const int v = static_cast<int>(rnd() * k);
  return std::clamp(v, 0, k - 1);
}

void Deal(Board board, int n, int16_t base, const Random& rnd) {
  const int cells = static_cast<int>(board.size());
  std::fill(board.begin(), board.end(), int16_t{-1});
  for (int copy = 1; copy <= n; ++copy) {
    for (int kind = 0; kind < cells / n; ++kind) {
      int p = Draw(rnd, cells);
      while (board[p] != -1) p = (p + 1) % cells;
      board[p] = static_cast<int16_t>(kind + base);
    }
  }
}

int NthOfKind(ConstBoard board, int16_t kind, int r) {
  for (int i = 0; i < static_cast<int>(board.size()); ++i)
    if (board[i] == kind && --r == 0) return i;
  return -1;
}

bool HasEqualNeighbour(ConstBoard board, int cell, Shape s) {
  for (int j : grid::NeighboursInRow(cell, s.cols, s.rows))
    if (board[j] == board[cell]) return true;
  return false;
}

int FloodGroup(ConstBoard board, int cell, Shape s, std::span<int16_t> marks) {
  std::fill(marks.begin(), marks.end(), int16_t{0});
  marks[cell] = grid::kFlag;
  const int16_t kind = board[cell];
  return 1 + grid::GrowFlagged(marks, {.cols = s.cols, .rows = s.rows, .inRow = true},
                               [&](int j) { return board[j] == kind; });
}

std::vector<std::vector<int>> CompletedGroups(ConstBoard board, ConstBoard done, int n, Shape s, int skipKind) {
  std::vector<int16_t> isDone(done.begin(), done.end());
  std::vector<int16_t> marks(board.size());
  std::vector<std::vector<int>> groups;
  for (int i = 0; i < s.cells(); ++i) {
    if (isDone[i] != 0 || board[i] == skipKind || !HasEqualNeighbour(board, i, s)) continue;
    if (FloodGroup(board, i, s, marks) != n) continue;
    std::vector<int>& g = groups.emplace_back();
    for (int j = 0; j < s.cells(); ++j) {
      if (marks[j] != grid::kFlag) continue;
      g.push_back(j);
      isDone[j] = kTrue;
    }
  }
  return groups;
}

int32_t Pay(int32_t cash, int32_t cost) {
  if (cash <= 0) return cash;
  return std::max<int32_t>(0, cash - cost);
}

namespace {
template <class... A>
void SwapCells(int a, int b, A&... arrays) {
  (std::swap(arrays[a], arrays[b]), ...);
}
}  // namespace

std::vector<int> Slide(Cells& board, Cells& done, Cells& black, int i) {
  std::vector<int> moved;
  if (black[i] == 0 && board[i] == 0) return moved;
  const int row = i / kSide, col = i % kSide;
  const int tries[4] = {col != 9 ? i + 1 : -1, col != 0 ? i - 1 : -1, row != 0 ? i - kSide : -1,
                        row != 9 ? i + kSide : -1};
  for (int j : tries) {
    if (j < 0 || black[j] == 0 || board[j] != 0) continue;
    SwapCells(i, j, board, done, black);
    moved.push_back(j);
  }
  return moved;
}

std::vector<int> MakeBlack(Cells& black, int i) {
  std::vector<int> greyed;
  for (int j = 0; j < kCells; ++j) {
    if (black[j] == 0) continue;
    black[j] = 0;
    greyed.push_back(j);
  }
  black[i] = kTrue;
  return greyed;
}

bool DropOnGrey(Cells& board, Cells& done, int s, int i) {
  if (board[i] != 0 || s == i) return false;
  board[i] = board[s];
  std::swap(done[s], done[i]);
  board[s] = 0;
  return true;
}

bool IsBorderCell(int i) {
  const int r = i / kSide, c = i % kSide;
  return r == 0 || r == kSide - 1 || c == 0 || c == kSide - 1;
}

void TurnRing(Cells& board, Cells& done, int i, bool clockwise) {
  for (Cells* a : {&board, &done}) {
    std::array<int16_t, 8> ring;
    for (int k = 0; k < 8; ++k) ring[k] = (*a)[i + kRing[k]];
    for (int k = 0; k < 8; ++k) (*a)[i + kRing[(k + (clockwise ? 1 : 7)) % 8]] = ring[k];
  }
}

bool ChooseTarget(ConstBoard board, ConstBoard done, int n, int16_t& target, int16_t& marked, const Random& rnd) {
  const int kinds = n > 0 ? static_cast<int>(board.size()) / n : 0;
  // The draws end only when some kind has a cell among its first n that is not done.
  bool open = false;
  for (int k = 0; k < kinds && !open; ++k)
    for (int r = 1; r <= n && !open; ++r) {
      const int cell = NthOfKind(board, static_cast<int16_t>(k), r);
      open = cell >= 0 && done[cell] == 0;
    }
  if (!open || kinds < 2) return false;
  for (;;) {
    int k;
    do k = Draw(rnd, kinds);
    while (k == target);
    target = static_cast<int16_t>(k);
    const int cell = NthOfKind(board, target, Draw(rnd, n) + 1);
    if (cell < 0) continue;  // a board that does not hold n copies: try another kind
    if (done[cell] != 0) continue;
    marked = static_cast<int16_t>(cell);
    return true;
  }
}

}  // namespace connect
