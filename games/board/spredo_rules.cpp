#include "spredo_rules.h"

#include <numeric>

namespace spredo {

int Neighbours(int square, std::array<int, 4>& out) {
  const int a = square / kSide, b = square % kSide;
  int n = 0;
  if (a > 0) out[n++] = square - kSide;
  if (a < kSide - 1) out[n++] = square + kSide;
  if (b < kSide - 1) out[n++] = square + 1;
  if (b > 0) out[n++] = square - 1;
  return n;
}

int16_t Deal(Board& board, const Random& rnd) {
  for (auto& square : board) square = static_cast<int16_t>(static_cast<int>(rnd() * kDealtColours));
  const int16_t first = board[0];
  board[0] = kWhite;
  board[kSquares - 1] = kBlack;
  return first;
}

int Spread(Board& board, int16_t colour, int16_t own, const std::function<void(int)>& joined) {
  int total = 0;
  bool changed = true;
  // Sweeps in square order; a square that joins spreads further later in the same sweep.
  while (changed) {
    changed = false;
    for (int i = 0; i < kSquares; ++i) {
      if (board[i] != own) continue;
      std::array<int, 4> near{};
      const int n = Neighbours(i, near);
      for (int k = 0; k < n; ++k) {
        if (board[near[k]] != colour) continue;
        board[near[k]] = own;
        changed = true;
        ++total;
        if (joined) joined(near[k]);
      }
    }
  }
  return total;
}

int PickComputerColour(Board& board, const Random& rnd, const std::function<void(int)>& joined) {
  std::array<int16_t, kColours> order{};
  std::iota(order.begin(), order.end(), int16_t{0});
  for (int i = kColours - 1; i > 0; --i) {
    const int j = static_cast<int>(rnd() * (i + 1));
    std::swap(order[i], order[j]);
  }
  for (int16_t c : order)
    if (Spread(board, c, kBlack, joined) > 0) return c;
  return -1;
}

int Count(const Board& board, int16_t owner) {
  int n = 0;
  for (int16_t s : board) n += s == owner;
  return n;
}

bool AllOwned(const Board& board) {
  for (int16_t s : board)
    if (s != kWhite && s != kBlack) return false;
  return true;
}

}  // namespace spredo
