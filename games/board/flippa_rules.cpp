#include "flippa_rules.h"

namespace flippa {

void FlipCell(Cells& board, Cells& upside, int i) {
  if (upside[i] == 0) {
    upside[i] = kUpsideDown;
  } else {
    board[i] = static_cast<int16_t>(3 - board[i]);
    upside[i] = 0;
  }
}

std::vector<int> FlipTargets(int i, int n, int variant) {
  std::vector<int> out;
  const bool right = i % n != n - 1, left = i % n != 0, below = i < (n - 1) * n, above = i > n - 1;
  if (right) out.push_back(i + 1);
  if (left) out.push_back(i - 1);
  if (below) out.push_back(i + n);
  if (above) out.push_back(i - n);
  if (variant == kSquare) {
    if (above && left) out.push_back(i - n - 1);
    if (above && right) out.push_back(i - n + 1);
    if (below && left) out.push_back(i + n - 1);
    if (below && right) out.push_back(i + n + 1);
  }
  return out;
}

void FlipNeighbours(Cells& board, Cells& upside, int i, int n, int variant, const std::function<void(int)>& stepped) {
  for (int t : FlipTargets(i, n, variant)) {
    FlipCell(board, upside, t);
    if (stepped) stepped(t);
  }
}

void Deal(Cells& board, Cells& upside, int n, int variant, const board::Random& rnd,
          const std::function<void()>& afterClick) {
  board.fill(-1);
  for (int i = 0; i < n * n; ++i) board[i] = 1;
  const int clicks = (n - 1) * (n - 1) * (n - 1) + 1;
  for (int k = 0; k < clicks; ++k) {
    FlipNeighbours(board, upside, board::RandomInt(rnd, n * n), n, variant);
    if (afterClick) afterClick();
  }
}

bool Solved(const Cells& board, int n) {
  for (int i = 1; i < n * n; ++i)
    if (board[i] != board[0]) return false;
  return true;
}

}  // namespace flippa
