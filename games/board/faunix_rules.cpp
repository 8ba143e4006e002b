#include "faunix_rules.h"

#include <utility>

namespace faunix {

namespace {
// Distinct kinds among n cells from `first`, `step` apart.
int Distinct(const Cells& board, int n, int first, int step) {
  std::array<bool, board::kMaxSize + 1> seen{};
  int count = 0;
  for (int k = 0; k < n; ++k) {
    const int kind = board[first + k * step];
    if (kind < 0 || kind > board::kMaxSize) continue;
    if (!seen[kind]) ++count;
    seen[kind] = true;
  }
  return count;
}
}  // namespace

int RowCount(const Cells& board, int n, int row) { return Distinct(board, n, row * n, 1); }
int ColumnCount(const Cells& board, int n, int column) { return Distinct(board, n, column, n); }

LineCounts CountLines(const Cells& board, int n) {
  LineCounts c;
  for (int i = 0; i < n; ++i) {
    c.rows[i] = RowCount(board, n, i);
    c.columns[i] = ColumnCount(board, n, i);
    c.sum += c.rows[i] + c.columns[i];
  }
  return c;
}

void Swap(Cells& board, int a, int b) { std::swap(board[a], board[b]); }

}  // namespace faunix
