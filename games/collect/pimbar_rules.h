#pragma once
// Pimbar's rules: the distances over empty cells from the dragged image and the path traced
// back from a target, with the arrow each cell of the path shows.
#include <vector>

#include "collect_rules.h"

namespace pimbar {

constexpr int16_t kUnreachable = 255;
using Distances = std::array<int16_t, collect::kCells>;

// Steps from `source` through empty cells (orthogonal, never across an edge); 255 where no
// such path exists. The source itself is 0.
Distances PathDistances(const collect::Cells& board, int source);

// Arrow pictures by the direction of travel they show.
enum Arrow : int { kArrowDown = 0, kArrowUp = 1, kArrowLeft = 2, kArrowRight = 3 };
struct PathCell {
  int cell;
  int arrow;
};
// The cells strictly between the source and `target` on the path traced back from the target
// (neighbours tried up, down, left, right), from the target's side toward the source, each
// with the arrow pointing to the next cell toward the target. Empty for an unreachable target
// or one next to the source.
std::vector<PathCell> TracePath(const Distances& dist, int target);

}  // namespace pimbar
