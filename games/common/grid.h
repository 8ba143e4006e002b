#pragma once
// Grid helpers every game family uses: cell indexes, the two orthogonal neighbour tests, whole
// board turns and flips, group growth, the column fall and the closing of empty columns.
// Boards are one-dimensional (cell = row * cols + column, row 0 at the top); any contiguous
// container of int16_t works (std::array, std::vector) through std::span. No Qt here.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace grid {

using Cells = std::span<int16_t>;
using ConstCells = std::span<const int16_t>;

constexpr int Index(int row, int column, int cols) { return row * cols + column; }
constexpr int Row(int cell, int cols) { return cell / cols; }
constexpr int Column(int cell, int cols) { return cell % cols; }
constexpr bool OnBoard(int row, int column, int cols, int rows) {
  return row >= 0 && row < rows && column >= 0 && column < cols;
}

// Orthogonal neighbours bounded by the row: a row's last cell and the next row's first are not
// neighbours. Order: above, below, left, right.
std::vector<int> NeighboursInRow(int cell, int cols, int rows);
bool AdjacentInRow(int a, int b, int cols, int rows);
// Neighbours by index only (cell +- 1, cell +- cols, kept inside 0..cells-1): the last cell of a
// row and the first of the next count as neighbours. Some games keep this on purpose.
std::vector<int> NeighboursByIndex(int cell, int cols, int cells);
bool AdjacentByIndex(int a, int b, int cols, int cells);
// The cells around `cell` (eight at most) and the cell itself, bounded by the board.
std::vector<int> Block3x3(int cell, int cols, int rows);

// Whole-board transforms of a square side x side board.
void FlipVertical(Cells b, int side);    // rows mirrored top to bottom
void FlipHorizontal(Cells b, int side);  // columns mirrored left to right
void RotateLeft(Cells b, int side);      // new (r, c) = old (c, side - 1 - r)
void RotateRight(Cells b, int side);     // new (r, c) = old (side - 1 - c, r)

// Group growth on a flags board (kFlag marks a member). Passes over ascending indexes, each pass
// seeing the flags set earlier in it, until a pass adds nothing. A cell joins when `joins(cell)`
// and a neighbour (by `inRow` bounded by the row, or by index) is flagged and, when `linkJoins`
// is set, that neighbour also `joins`. `added` is told every cell in the order it joins.
// Returns the number of cells added.
constexpr int16_t kFlag = -1;
struct Growth {
  int cols = 10, rows = 10;
  bool inRow = true;
  bool linkJoins = false;
};
int GrowFlagged(std::span<int16_t> flags, const Growth& g, const std::function<bool(int cell)>& joins,
                const std::function<void(int cell)>& added = {});

// Column fall. For every column, from fallRow[c] upwards, the lowest cell `isGap` accepts (it may
// change the cell); sets fallRow[c] there and fallFlag[c] = -1 for a column that falls now, 0
// otherwise. False when no column falls.
bool FindFallingColumns(std::span<int16_t> fallRow, std::span<int16_t> fallFlag, int cols, int rows,
                        const std::function<bool(int cell)>& isGap);
// One step: in every falling column the cells above its gap move down one row (each cell with
// its flag when flags is not empty); the top cell becomes `empty` with flag 0. `drawn` is told
// every changed cell in the order of change.
void FallStep(Cells board, std::span<int16_t> flags, std::span<const int16_t> fallRow,
              std::span<const int16_t> fallFlag, int cols, int16_t empty,
              const std::function<void(int cell)>& drawn = {});

// Closing of empty columns (bottom cell empty = column empty).
bool BottomEmpty(ConstCells b, int column, int cols, int rows, int16_t empty);
bool FilledColumnRightOf(ConstCells b, int column, int cols, int rows, int16_t empty);
// Columns column+1.. move one to the left; the last column empties. Returns the changed cells.
std::vector<int> ShiftColumnsLeft(Cells b, int column, int cols, int rows, int16_t empty);

}  // namespace grid
