#pragma once
// The board Kippel and Gemmet share: 10 x 10 cells, one flag per cell, one fall row per column.
// The moves on it are the shared grid helpers (grid.h).
#include <array>
#include <cstdint>

#include "grid.h"

namespace removal {

constexpr int kSide = 10;
constexpr int kCells = kSide * kSide;
using Cells = std::array<int16_t, kCells>;  // cell r * 10 + c
using Columns = std::array<int16_t, kSide>;

}  // namespace removal
