#pragma once
// Equin's rules: a board full of white knights and one black knight. The black knight jumps only
// onto a white knight and eats it; a white knight jumps only onto an empty cell.
#include "solitaire_rules.h"

namespace equin {

using board::Cells;
enum : int16_t { kWhiteKnight = 1, kBlackKnight = 2, kEmpty = 3 };

// Every cell a white knight (-1 outside), then one random cell the black knight.
void Deal(Cells& board, int n, const board::Random& rnd);
// A knight's jump from s to t that the rules allow.
bool Legal(const Cells& board, int n, int s, int t);
// The knight at s lands on t; s becomes empty.
void Jump(Cells& board, int s, int t);
int EmptyCount(const Cells& board, int n);
// Only the black knight is left.
inline bool Won(const Cells& board, int n) { return EmptyCount(board, n) == n * n - 1; }

}  // namespace equin
