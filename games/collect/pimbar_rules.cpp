#include "pimbar_rules.h"

#include "grid.h"

namespace pimbar {

using collect::kCells;
using collect::kSide;

Distances PathDistances(const collect::Cells& board, int source) {
  Distances dist;
  dist.fill(kUnreachable);
  if (source < 0 || source >= kCells) return dist;
  dist[source] = 0;
  for (int level = 0;; ++level) {
    bool assigned = false;
    for (int i = 0; i < kCells; ++i) {
      if (dist[i] != level) continue;
      for (int n : grid::NeighboursInRow(i, kSide, kSide))
        if (board[n] == collect::kEmpty && dist[n] == kUnreachable) {
          dist[n] = static_cast<int16_t>(level + 1);
          assigned = true;
        }
    }
    if (!assigned) break;
  }
  return dist;
}

std::vector<PathCell> TracePath(const Distances& dist, int target) {
  std::vector<PathCell> path;
  if (target < 0 || target >= kCells || dist[target] == kUnreachable) return path;
  int current = target;
  for (int d = dist[target] - 1; d >= 1; --d) {
    int next = -1;
    for (int n : grid::NeighboursInRow(current, kSide, kSide))
      if (dist[n] == d) {
        next = n;
        break;
      }
    if (next < 0) break;
    // The arrow points from `next` to `current`, the cell the trace came from.
    int arrow = kArrowRight;
    if (next == current - kSide) arrow = kArrowDown;
    else if (next == current + kSide) arrow = kArrowUp;
    else if (next == current - 1) arrow = kArrowRight;
    else arrow = kArrowLeft;
    path.push_back({next, arrow});
    current = next;
  }
  return path;
}

}  // namespace pimbar
