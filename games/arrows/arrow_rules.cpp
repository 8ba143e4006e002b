#include "arrow_rules.h"

namespace arrows {

std::vector<int> LineCells(int n, bool row, int line) {
  std::vector<int> cells(n);
  for (int k = 0; k < n; ++k) cells[k] = row ? line * n + k : k * n + line;
  return cells;
}

void ShiftLine(std::initializer_list<std::span<int16_t>> arrays, int n, Shift dir, int line) {
  if (n < 2 || line < 0 || line >= n) return;
  const std::vector<int> cells = LineCells(n, IsRowShift(dir), line);
  const bool forward = dir == Shift::Left || dir == Shift::Up;  // toward the line's first cell
  for (std::span<int16_t> a : arrays) {
    if (static_cast<int>(a.size()) < n * n) continue;
    if (forward) {
      const int16_t kept = a[cells.front()];
      for (int k = 0; k + 1 < n; ++k) a[cells[k]] = a[cells[k + 1]];
      a[cells.back()] = kept;
    } else {
      const int16_t kept = a[cells.back()];
      for (int k = n - 1; k > 0; --k) a[cells[k]] = a[cells[k - 1]];
      a[cells.front()] = kept;
    }
  }
}

int ProbeFree(int start, int count, const std::function<bool(int cell)>& taken) {
  int cell = start;
  for (int tries = 0; tries < count && taken(cell); ++tries) cell = (cell + 1) % count;
  return cell;
}

void FillProbing(std::span<int16_t> board, int count, const std::vector<int16_t>& pieces, const Draw& draw) {
  for (int16_t piece : pieces) {
    const int cell = ProbeFree(draw(count), count, [&](int c) { return board[c] != -1; });
    if (board[cell] != -1) return;  // full
    board[cell] = piece;
  }
}

}  // namespace arrows
