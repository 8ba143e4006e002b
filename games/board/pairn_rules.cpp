#include "pairn_rules.h"

#include <algorithm>
#include <cstdlib>

namespace pairn {

void Deal(Cells& board, int n, int pieceKind, const board::Random& rnd) {
  board.fill(kEmpty);
  const int cells = n * n;
  const bool firstWhite = board::RandomInt(rnd, 2) == 1;
  for (int k = 1; k <= cells; ++k) {
    const int c = board::PlaceRandomFree(board, n, kEmpty, rnd);
    const bool white = k <= cells / 2 ? firstWhite : !firstWhite;
    const int kind = pieceKind >= kKing && pieceKind <= kKnight ? pieceKind : board::RandomInt(rnd, 5) + 1;
    board[c] = static_cast<int16_t>(white ? kind : kind + 5);
    if (n % 2 == 0 && k == cells) board[c] = kEmpty;
  }
  if (n % 2 == 1) {
    // The second half has the extra piece: one of its cells is emptied.
    auto larger = firstWhite ? IsBlack : IsWhite;
    int r = board::RandomInt(rnd, cells);
    while (!larger(board[r])) r = (r + 1) % cells;
    board[r] = kEmpty;
  }
}

bool Legal(const Cells& board, int n, int s, int t) {
  const int16_t from = board[s];
  if (from == kEmpty) return false;
  const int dr = s / n - t / n, dc = s % n - t % n;
  bool step = false;
  switch (Kind(from)) {
    case kKnight: step = dr * dr + dc * dc == 5; break;
    case kKing: step = std::abs(dr) <= 1 && std::abs(dc) <= 1; break;
    case kRook: step = dr == 0 || dc == 0; break;
    case kBishop: step = std::abs(dr) == std::abs(dc); break;
    case kQueen: step = dr == 0 || dc == 0 || std::abs(dr) == std::abs(dc); break;
    default: break;
  }
  if (!step) return false;
  const int16_t to = board[t];
  return !(to != kEmpty && IsWhite(to) == IsWhite(from));
}

bool Move(Cells& board, int s, int t) {
  const bool capture = board[t] != kEmpty;
  board[t] = capture ? static_cast<int16_t>(kEmpty) : board[s];
  board[s] = kEmpty;
  return capture;
}

int EmptyCount(const Cells& board, int n) {
  return static_cast<int>(std::count(board.begin(), board.begin() + n * n, kEmpty));
}

}  // namespace pairn
