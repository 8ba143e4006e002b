#include "equin_rules.h"

#include <algorithm>

namespace equin {

void Deal(Cells& board, int n, const board::Random& rnd) {
  board.fill(-1);
  for (int i = 0; i < n * n; ++i) board[i] = kWhiteKnight;
  board[board::RandomInt(rnd, n * n)] = kBlackKnight;
}

bool Legal(const Cells& board, int n, int s, int t) {
  const int dr = s / n - t / n, dc = s % n - t % n;
  if (dr * dr + dc * dc != 5) return false;
  if (board[s] == kBlackKnight) return board[t] == kWhiteKnight;
  if (board[s] == kWhiteKnight) return board[t] == kEmpty;
  return false;
}

void Jump(Cells& board, int s, int t) {
  board[t] = board[s];
  board[s] = kEmpty;
}

int EmptyCount(const Cells& board, int n) {
  return static_cast<int>(std::count(board.begin(), board.begin() + n * n, kEmpty));
}

}  // namespace equin
