#pragma once
// Gen_Mov: the moves of one piece, handed one by one to a receiver.
// Pseudo-legal: a move may leave the mover's king attacked. No castling, no en passant.
// The order in which moves are handed over is part of the engine's behaviour (it decides
// ties in the search), so it must not change.
#include "engine_board.h"

namespace chess {

enum class Side { Computer, Human };

constexpr Side Other(Side s) { return s == Side::Computer ? Side::Human : Side::Computer; }

// Board offset of a (dcol, drow) step.
constexpr int Step(int dcol, int drow) { return drow * kStride + dcol; }

namespace gen_detail {

template <Side S>
constexpr bool StepTarget(int32_t t) {
  if constexpr (S == Side::Computer)
    return t <= 0;  // empty or a human piece; the frame and own pieces are positive
  else
    return t >= 0 && t != kFrame;
}

template <Side S>
constexpr bool PawnCaptureTarget(int32_t t) {
  if constexpr (S == Side::Computer)
    return t < 0;
  else
    return t > 0 && t != kFrame;
}

}  // namespace gen_detail

// Slide routine: walk from `from` by `d` until the frame, a capture or an own piece.
// recv(to, from) receives board indices.
template <Side S, class Recv>
inline void Slide(const EngineBoard& b, int from, int d, Recv& recv) {
  for (int to = from + d;; to += d) {
    const int32_t t = b.v[to];
    if (t == kFrame) return;
    if (t == kEmpty) {
      recv(to, from);
      continue;
    }
    if constexpr (S == Side::Computer) {
      if (t < 0) recv(to, from);
    } else {
      if (t > 0) recv(to, from);
    }
    return;
  }
}

// Generator: every move of the piece of side S on (col, row), in the fixed order.
// A square that holds no piece of S yields nothing.
template <Side S, class Recv>
inline void GenMoves(const EngineBoard& b, int col, int row, Recv&& recv) {
  using namespace gen_detail;
  constexpr int32_t s = S == Side::Computer ? 1 : -1;
  constexpr int32_t king = S == Side::Computer ? kComputerKing : kHumanKing;
  const int from = Sq(col, row);
  const int32_t v = b.v[from];

  auto step = [&](int d) {
    if (StepTarget<S>(b.v[from + d])) recv(from + d, from);
  };

  if (v == s * kQueen) {
    Slide<S>(b, from, Step(1, 1), recv);
    Slide<S>(b, from, Step(1, -1), recv);
    Slide<S>(b, from, Step(-1, 1), recv);
    Slide<S>(b, from, Step(-1, -1), recv);
    Slide<S>(b, from, Step(0, 1), recv);
    Slide<S>(b, from, Step(0, -1), recv);
    Slide<S>(b, from, Step(1, 0), recv);
    Slide<S>(b, from, Step(-1, 0), recv);
  } else if (v == king) {
    step(Step(1, 1));
    step(Step(-1, 1));
    step(Step(-1, -1));
    step(Step(1, -1));
    step(Step(0, -1));
    step(Step(0, 1));
    step(Step(-1, 0));
    step(Step(1, 0));
  } else if (v == s * kRook) {
    Slide<S>(b, from, Step(0, 1), recv);
    Slide<S>(b, from, Step(0, -1), recv);
    Slide<S>(b, from, Step(1, 0), recv);
    Slide<S>(b, from, Step(-1, 0), recv);
  } else if (v == s * kPawn) {
    // Computer pawns move down the board from row 7, human pawns up from row 2.
    constexpr int fwd = S == Side::Computer ? Step(0, -1) : Step(0, 1);
    constexpr int homeRow = S == Side::Computer ? 7 : 2;
    if (row == homeRow && b.v[from + fwd] == kEmpty && b.v[from + 2 * fwd] == kEmpty)
      recv(from + 2 * fwd, from);
    if (b.v[from + fwd] == kEmpty) recv(from + fwd, from);
    if (PawnCaptureTarget<S>(b.v[from + fwd + 1])) recv(from + fwd + 1, from);
    if (PawnCaptureTarget<S>(b.v[from + fwd - 1])) recv(from + fwd - 1, from);
  } else if (v == s * kKnight) {
    step(Step(2, 1));
    step(Step(2, -1));
    step(Step(-2, -1));
    step(Step(-2, 1));
    step(Step(1, 2));
    step(Step(-1, 2));
    step(Step(1, -2));
    step(Step(-1, -2));
  } else if (v == s * kBishop) {
    Slide<S>(b, from, Step(1, 1), recv);
    Slide<S>(b, from, Step(1, -1), recv);
    Slide<S>(b, from, Step(-1, 1), recv);
    Slide<S>(b, from, Step(-1, -1), recv);
  }
}

// Square on which a move to `to` promotes: row 1 of its column for the computer, row 8 for
// the human.
template <Side S>
constexpr int PromotionSquare(int to) {
  return Sq(ColOf(to), S == Side::Computer ? 1 : 8);
}

// True when a pawn of side S could capture on (col, row) if an opposing piece stood there.
template <Side S>
inline bool PawnCovers(const EngineBoard& b, int col, int row) {
  if constexpr (S == Side::Computer)
    return b(col - 1, row + 1) == kPawn || b(col + 1, row + 1) == kPawn;
  else
    return b(col - 1, row - 1) == -kPawn || b(col + 1, row - 1) == -kPawn;
}

// True when the other side's generator has a move onto the king of side S (or S has no king).
template <Side S>
bool KingCapturable(const EngineBoard& b) {
  constexpr int32_t king = S == Side::Computer ? kComputerKing : kHumanKing;
  int kingSq = -1;
  for (int row = 1; row <= 8 && kingSq < 0; ++row)
    for (int col = 1; col <= 8; ++col)
      if (b(col, row) == king) kingSq = Sq(col, row);
  if (kingSq < 0) return true;
  bool hit = false;
  for (int row = 1; row <= 8 && !hit; ++row)
    for (int col = 1; col <= 8 && !hit; ++col)
      GenMoves<Other(S)>(b, col, row, [&](int to, int) { hit |= to == kingSq; });
  return hit;
}

}  // namespace chess
