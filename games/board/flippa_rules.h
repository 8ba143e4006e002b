#pragma once
// Flippa's rules: every cell shows one of two pictures, upright or upside down; a click steps the
// clicked cell's neighbours (four, or eight in "Square") through a cycle of four looks.
#include <functional>
#include <vector>

#include "solitaire_rules.h"

namespace flippa {

using board::Cells;
constexpr int16_t kUpsideDown = -1;
enum Variant : int16_t { kCross = 0, kSquare = 1 };

// One step of the look: (1, upright) -> (1, upside down) -> (2, upright) -> (2, upside down) -> ...
void FlipCell(Cells& board, Cells& upside, int i);
// The neighbours a click on i steps, in the order they step: right, left, below, above, then in
// "Square" the diagonals above left, above right, below left, below right.
std::vector<int> FlipTargets(int i, int n, int variant);
// Steps every neighbour of i; `stepped` is told each cell after its step.
void FlipNeighbours(Cells& board, Cells& upside, int i, int n, int variant,
                    const std::function<void(int)>& stepped = {});

// Kind 1 on every cell (-1 outside), then (n - 1)^3 + 1 random clicks with the variant; `afterClick`
// runs after each. The orientation flags are kept as they are.
void Deal(Cells& board, Cells& upside, int n, int variant, const board::Random& rnd,
          const std::function<void()>& afterClick = {});

// Every cell shows the same picture, whatever its orientation.
bool Solved(const Cells& board, int n);

}  // namespace flippa
