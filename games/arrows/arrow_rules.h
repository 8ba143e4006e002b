#pragma once
// What the arrow-shift games share: the one-cell shift of a row or column with wrap-around and
// the random fill that probes forward to the next free cell. Boards are n x n, row-major.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace arrows {

enum class Shift : int16_t { Left, Right, Up, Down };

inline bool IsRowShift(Shift s) { return s == Shift::Left || s == Shift::Right; }

// The cells of row or column `line` of an n x n board, in board order.
std::vector<int> LineCells(int n, bool row, int line);

// Rotates the line by one cell: left and up move every cell to the previous place and the first
// to the last; right and down the other way round. Every array given moves the same way.
void ShiftLine(std::initializer_list<std::span<int16_t>> arrays, int n, Shift dir, int line);
inline void ShiftLine(std::span<int16_t> cells, int n, Shift dir, int line) { ShiftLine({cells}, n, dir, line); }

// A uniform random integer 0..k-1.
using Draw = std::function<int(int k)>;

// From `start`, the first cell (cyclically over 0..count-1) that `taken` does not reject.
int ProbeFree(int start, int count, const std::function<bool(int cell)>& taken);

// Puts each piece, in order, on a random free cell (-1) of board[0..count-1], probing forward.
void FillProbing(std::span<int16_t> board, int count, const std::vector<int16_t>& pieces, const Draw& draw);

}  // namespace arrows
