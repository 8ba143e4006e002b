#pragma once
// Faunix's rules: n kinds, n of each, swapped until every row and every column holds n
// different kinds (a Latin square).
#include <array>

#include "solitaire_rules.h"

namespace faunix {

using board::Cells;

// Kinds 1..n, n of each, in random cells; -1 outside the n x n cells.
inline void Deal(Cells& board, int n, const board::Random& rnd) { board::DealKinds(board, n, rnd); }

// How many different kinds a row (a column) holds.
int RowCount(const Cells& board, int n, int row);
int ColumnCount(const Cells& board, int n, int column);

struct LineCounts {
  std::array<int, board::kMaxSize> rows{}, columns{};
  int sum = 0;  // of all 2n counts
};
LineCounts CountLines(const Cells& board, int n);
// Every row and every column holds n kinds.
inline bool Complete(const LineCounts& c, int n) { return c.sum == 2 * n * n; }

void Swap(Cells& board, int a, int b);

}  // namespace faunix
