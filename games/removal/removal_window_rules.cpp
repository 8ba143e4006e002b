#include "removal_window_rules.h"

#include <utility>

namespace removal {

int GrowFlagged(const Cells& board, Cells& flags, const std::function<bool(int16_t kind)>& joins) {
  int added = 0;
  for (bool grew = true; grew;) {
    grew = false;
    for (int i = 0; i < kCells; ++i) {
      if (flags[i] == -1 || !joins(board[i])) continue;
      bool touches = false;
      ForEachNeighbour(i, [&](int n) { touches = touches || flags[n] == -1; });
      if (touches) {
        flags[i] = -1;
        ++added;
        grew = true;
      }
    }
  }
  return added;
}

void FlipVertical(Cells& b) {
  for (int r = 0; r < kSide / 2; ++r)
    for (int c = 0; c < kSide; ++c) std::swap(b[r * kSide + c], b[(kSide - 1 - r) * kSide + c]);
}

void RotateLeft(Cells& b) {
  const Cells old = b;
  for (int r = 0; r < kSide; ++r)
    for (int c = 0; c < kSide; ++c) b[r * kSide + c] = old[c * kSide + (kSide - 1 - r)];
}

void RotateRight(Cells& b) {
  const Cells old = b;
  for (int r = 0; r < kSide; ++r)
    for (int c = 0; c < kSide; ++c) b[r * kSide + c] = old[(kSide - 1 - c) * kSide + r];
}

bool FindFallingColumns(Columns& fallRow, Columns& fallFlag, const std::function<bool(int cell)>& takeGap) {
  bool any = false;
  for (int c = 0; c < kSide; ++c) {
    fallFlag[c] = 0;
    for (int r = fallRow[c]; r >= 0; --r) {
      if (takeGap(r * kSide + c)) {
        fallRow[c] = static_cast<int16_t>(r);
        fallFlag[c] = -1;
        any = true;
        break;
      }
    }
  }
  return any;
}

void FallStep(Cells& board, Cells& flags, const Columns& fallRow, const Columns& fallFlag, int16_t empty,
              const std::function<void(int cell)>& drawn) {
  for (int c = 0; c < kSide; ++c) {
    if (!fallFlag[c]) continue;
    for (int r = fallRow[c]; r >= 1; --r) {
      board[r * kSide + c] = board[(r - 1) * kSide + c];
      flags[r * kSide + c] = flags[(r - 1) * kSide + c];
      if (drawn) drawn(r * kSide + c);
    }
    board[c] = empty;
    flags[c] = 0;
    if (drawn) drawn(c);
  }
}

}  // namespace removal
