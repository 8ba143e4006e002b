#include "grid.h"

#include <algorithm>
#include <utility>

namespace grid {

std::vector<int> NeighboursInRow(int cell, int cols, int rows) {
  std::vector<int> out;
  const int r = Row(cell, cols), c = Column(cell, cols);
  if (r > 0) out.push_back(cell - cols);
  if (r < rows - 1) out.push_back(cell + cols);
  if (c > 0) out.push_back(cell - 1);
  if (c < cols - 1) out.push_back(cell + 1);
  return out;
}

bool AdjacentInRow(int a, int b, int cols, int rows) {
  for (int n : NeighboursInRow(a, cols, rows))
    if (n == b) return true;
  return false;
}

std::vector<int> NeighboursByIndex(int cell, int cols, int cells) {
  std::vector<int> out;
  for (int n : {cell - cols, cell + cols, cell - 1, cell + 1})
    if (n >= 0 && n < cells) out.push_back(n);
  return out;
}

bool AdjacentByIndex(int a, int b, int cols, int cells) {
  if (a < 0 || a >= cells || b < 0 || b >= cells) return false;
  const int d = a > b ? a - b : b - a;
  return d == 1 || d == cols;
}

std::vector<int> Block3x3(int cell, int cols, int rows) {
  std::vector<int> out;
  const int row = Row(cell, cols), column = Column(cell, cols);
  for (int dr = -1; dr <= 1; ++dr)
    for (int dc = -1; dc <= 1; ++dc)
      if (OnBoard(row + dr, column + dc, cols, rows)) out.push_back(Index(row + dr, column + dc, cols));
  return out;
}

void FlipVertical(Cells b, int side) {
  for (int r = 0; r < side / 2; ++r)
    for (int c = 0; c < side; ++c) std::swap(b[Index(r, c, side)], b[Index(side - 1 - r, c, side)]);
}

void FlipHorizontal(Cells b, int side) {
  for (int r = 0; r < side; ++r)
    for (int c = 0; c < side / 2; ++c) std::swap(b[Index(r, c, side)], b[Index(r, side - 1 - c, side)]);
}

void RotateLeft(Cells b, int side) {
  const std::vector<int16_t> old(b.begin(), b.end());
  for (int r = 0; r < side; ++r)
    for (int c = 0; c < side; ++c) b[Index(r, c, side)] = old[Index(c, side - 1 - r, side)];
}

void RotateRight(Cells b, int side) {
  const std::vector<int16_t> old(b.begin(), b.end());
  for (int r = 0; r < side; ++r)
    for (int c = 0; c < side; ++c) b[Index(r, c, side)] = old[Index(side - 1 - c, r, side)];
}

int GrowFlagged(std::span<int16_t> flags, const Growth& g, const std::function<bool(int cell)>& joins,
                const std::function<void(int cell)>& added) {
  const int cells = g.cols * g.rows;
  int count = 0;
  for (bool grew = true; grew;) {
    grew = false;
    for (int i = 0; i < cells; ++i) {
      if (flags[i] == kFlag || !joins(i)) continue;
      const std::vector<int> around = g.inRow ? NeighboursInRow(i, g.cols, g.rows) : NeighboursByIndex(i, g.cols, cells);
      for (int n : around) {
        if (flags[n] != kFlag || (g.linkJoins && !joins(n))) continue;
        flags[i] = kFlag;
        ++count;
        grew = true;
        if (added) added(i);
        break;
      }
    }
  }
  return count;
}

bool FindFallingColumns(std::span<int16_t> fallRow, std::span<int16_t> fallFlag, int cols, int rows,
                        const std::function<bool(int cell)>& isGap) {
  bool any = false;
  for (int c = 0; c < cols; ++c) {
    fallFlag[c] = 0;
    for (int r = std::clamp<int>(fallRow[c], 0, rows - 1); r >= 0; --r) {
      if (isGap(Index(r, c, cols))) {
        fallRow[c] = static_cast<int16_t>(r);
        fallFlag[c] = -1;
        any = true;
        break;
      }
    }
  }
  return any;
}

void FallStep(Cells board, std::span<int16_t> flags, std::span<const int16_t> fallRow,
              std::span<const int16_t> fallFlag, int cols, int16_t empty, const std::function<void(int cell)>& drawn) {
  for (int c = 0; c < cols; ++c) {
    if (!fallFlag[c]) continue;
    const int rows = static_cast<int>(board.size()) / cols;
    for (int r = std::clamp<int>(fallRow[c], 0, rows - 1); r >= 1; --r) {
      board[Index(r, c, cols)] = board[Index(r - 1, c, cols)];
      if (!flags.empty()) flags[Index(r, c, cols)] = flags[Index(r - 1, c, cols)];
      if (drawn) drawn(Index(r, c, cols));
    }
    board[c] = empty;
    if (!flags.empty()) flags[c] = 0;
    if (drawn) drawn(c);
  }
}

bool BottomEmpty(ConstCells b, int column, int cols, int rows, int16_t empty) {
  return b[Index(rows - 1, column, cols)] == empty;
}

bool FilledColumnRightOf(ConstCells b, int column, int cols, int rows, int16_t empty) {
  for (int d = column + 1; d < cols; ++d)
    if (!BottomEmpty(b, d, cols, rows, empty)) return true;
  return false;
}

std::vector<int> ShiftColumnsLeft(Cells b, int column, int cols, int rows, int16_t empty) {
  std::vector<int> changed;
  for (int c = column; c < cols - 1; ++c)
    for (int r = rows - 1; r >= 0; --r) {
      b[Index(r, c, cols)] = b[Index(r, c + 1, cols)];
      changed.push_back(Index(r, c, cols));
    }
  for (int r = rows - 1; r >= 0; --r) {
    b[Index(r, cols - 1, cols)] = empty;
    changed.push_back(Index(r, cols - 1, cols));
  }
  return changed;
}

}  // namespace grid
