#pragma once
// Gemmet's rules on a plain board: options, neighbours, group measure and the refill draw.
#include "removal_window_rules.h"

namespace gemmet {

using removal::Cells;
using removal::kFlagged;

// Gemmet's codes differ from the family's: pictures are 1..50, so an empty cell is 0.
constexpr int16_t kNoPicture = 0;
constexpr int16_t kRemoving = 255;   // a cell whose picture belongs to a removed group
constexpr int16_t kNoSelection = 255;

// How many picture kinds are dealt for a least group size (2..5) and a skill (0..2).
int KindCount(int few, int skill);
// The line of the best-score file that holds a combination of the options.
int HiscoreLine(int skill, int few);

// Whether `index` is one of selected - 10, + 10, - 1, + 1. The test is on the index alone, so the
// last cell of a row and the first cell of the next row count as neighbours.
bool IsSwapNeighbour(int selected, int index);

// Flags and counts the group of equal codes connected to `cell` (flags are cleared first); 0
// when no neighbour holds the same code. A cell already marked for removal is never measured
// again: it counts 0, so no picture is paid twice.
int MeasureGroup(const Cells& board, Cells& flags, int cell);
// Gives every flagged cell the removal code.
void MarkGroupRemoved(Cells& board, const Cells& flags);

// A swap is undone when the first picture touches no equal picture and the second made no group.
inline bool SwapBack(int c1, int c2, int few) { return c1 < 2 && c2 < few; }

// The kind of a refilled cell from one uniform number u in [0, 1): 1..n.
int16_t RefillKind(double u, int n);

}  // namespace gemmet
