#pragma once
// What the removal games share on their plain boards: 10 x 10 cells, the cell codes that mean the
// same in every game but Gemmet, the flag of a cell to be removed and one fall row per column.
// The moves on such a board are the shared grid helpers (grid.h).
#include <array>
#include <cstdint>

#include "grid.h"

namespace removal {

constexpr int kSide = 10;
constexpr int kCells = kSide * kSide;
using Cells = std::array<int16_t, kCells>;  // cell r * 10 + c, row 0 at the top
using Columns = std::array<int16_t, kSide>;

// Cell codes of Klevo, Tumo, Holmo and Kippel: 0..4 the ordinary pictures, then these. The
// effects are only painted on a cell for a moment; no cell holds them. Gemmet counts its
// pictures from 1 and has codes of its own (gemmet_rules.h).
constexpr int16_t kJoker = 5;  // joins a group of any kind
constexpr int16_t kEmpty = 6;
constexpr int16_t kBombHit = 7;    // effect: a cell a bomb clears
constexpr int16_t kRemoved = 8;    // effect: a cell of a removed group
constexpr int16_t kLadderHit = 10;  // effect: a cell a ladder clears

// A cell's flag: set when the cell goes, 0 otherwise (the grid helpers' flag).
constexpr int16_t kFlagged = grid::kFlag;

}  // namespace removal
