#include "solitaire_rules.h"

#include <cmath>

#include "grid.h"

namespace board {

int RandomInt(const Random& rnd, int k) {
  const int r = static_cast<int>(std::floor(rnd() * k));
  return r < 0 ? 0 : (r >= k ? k - 1 : r);
}

int ProbeFree(std::span<const int16_t> board, int n, int16_t freeCode, int r) {
  const int cells = n * n;
  for (int step = 0; step < cells; ++step) {
    const int c = (r + step) % cells;
    if (board[c] == freeCode) return c;
  }
  return -1;
}

int PlaceRandomFree(std::span<const int16_t> board, int n, int16_t freeCode, const Random& rnd) {
  return ProbeFree(board, n, freeCode, RandomInt(rnd, n * n));
}

void DealKinds(Cells& board, int n, const Random& rnd) {
  board.fill(-1);
  for (int copy = 1; copy <= n; ++copy)
    for (int16_t kind = 1; kind <= n; ++kind) board[PlaceRandomFree(board, n, -1, rnd)] = kind;
}

std::vector<int> Neighbours(int i, int n) { return grid::NeighboursInRow(i, n, n); }

}  // namespace board
