#pragma once
// Board moves shared by the Kippel and Gemmet windows: the three whole-board transforms and the
// column fall after a removal. Plain functions on plain boards.
#include <array>
#include <cstdint>
#include <functional>

namespace removal {

constexpr int kSide = 10;
constexpr int kCells = kSide * kSide;
using Cells = std::array<int16_t, kCells>;    // cell r * 10 + c
using Columns = std::array<int16_t, kSide>;

// Orthogonal neighbours that lie on the board.
inline bool HasAbove(int cell) { return cell >= kSide; }
inline bool HasBelow(int cell) { return cell <= kCells - kSide - 1; }
inline bool HasLeft(int cell) { return cell % kSide != 0; }
inline bool HasRight(int cell) { return cell % kSide != kSide - 1; }
template <class F>
void ForEachNeighbour(int cell, F&& f) {
  if (HasAbove(cell)) f(cell - kSide);
  if (HasBelow(cell)) f(cell + kSide);
  if (HasLeft(cell)) f(cell - 1);
  if (HasRight(cell)) f(cell + 1);
}

// Flags (-1) every cell that `joins` accepts and that touches a flagged cell, again and again
// until no more cells join; returns how many cells it flagged.
int GrowFlagged(const Cells& board, Cells& flags, const std::function<bool(int16_t kind)>& joins);

void FlipVertical(Cells& b);  // rows mirrored top to bottom
void RotateLeft(Cells& b);    // new (r, c) = old (c, 9 - r)
void RotateRight(Cells& b);   // new (r, c) = old (9 - c, r)

// Finds, in every column from fallRow upwards, the lowest gap; `takeGap` accepts a cell as a gap
// (and may change it). Sets fallRow and fallFlag (-1 for a column that falls now). False when
// no column falls.
bool FindFallingColumns(Columns& fallRow, Columns& fallFlag, const std::function<bool(int cell)>& takeGap);

// One step of the fall: in every falling column the cells above its gap move down one row, each
// cell with its flag; the top cell becomes `empty` with its flag cleared. `drawn` is told every
// cell that changed, in the order they change.
void FallStep(Cells& board, Cells& flags, const Columns& fallRow, const Columns& fallFlag, int16_t empty,
              const std::function<void(int cell)>& drawn);

}  // namespace removal
