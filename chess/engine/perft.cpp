#include "perft.h"

#include "gen_mov.h"

namespace chess {

namespace {

template <Side S>
uint64_t Count(const EngineBoard& b, int depth) {
  uint64_t leaves = 0;
  EngineBoard child = b;
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col)
      GenMoves<S>(b, col, row, [&](int to, int from) {
        child.CopyPlayFrom(b);
        child.v[to] = child.v[from];
        child.v[from] = kEmpty;
        const int p = PromotionSquare<S>(to);
        constexpr int32_t s = S == Side::Computer ? 1 : -1;
        if (child.v[p] == s * kPawn) child.v[p] = s * kQueen;
        if (KingCapturable<S>(child)) return;
        leaves += depth <= 1 ? 1 : Count<Other(S)>(child, depth - 1);
      });
  return leaves;
}

}  // namespace

uint64_t Perft(const EngineBoard& board, int depth) {
  if (depth <= 0) return 1;
  EngineBoard b = board;
  for (int i = 0; i < kSquares; ++i)
    if (ColOf(i) < 1 || ColOf(i) > 8 || RowOf(i) < 1 || RowOf(i) > 8) b.v[i] = kFrame;
  return Count<Side::Computer>(b, depth);
}

}  // namespace chess
