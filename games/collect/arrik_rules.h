#pragma once
// Arrik's rules: where a click acts, toward the arrow's direction with wrap-around, and whether
// the action may be applied there.
#include "collect_rules.h"

namespace arrik {

enum Direction : int16_t { kDown = 0, kUp = 1, kLeft = 2, kRight = 3 };
enum Action : int16_t { kMove = 0, kSwap = 1 };

// The neighbour of `cell` toward `dir`, wrapping inside its column or row.
int WrapTarget(int cell, int dir);
// A move needs an empty target; a swap acts toward any cell (toward an empty one it moves).
bool ActionAllowed(const collect::Cells& board, int target, int action);
// Exchanges the two cells' values and marks.
void Exchange(collect::Cells& board, collect::Marks& marks, int a, int b);

}  // namespace arrik
