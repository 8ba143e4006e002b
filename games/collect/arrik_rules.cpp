#include "arrik_rules.h"

#include <utility>

namespace arrik {

using collect::kCells;
using collect::kSide;

int WrapTarget(int cell, int dir) {
  switch (dir) {
    case kDown:
      return cell + kSide > kCells - 1 ? cell + kSide - kCells : cell + kSide;
    case kUp:
      return cell - kSide < 0 ? cell - kSide + kCells : cell - kSide;
    case kLeft:
      return cell % kSide == 0 ? cell + kSide - 1 : cell - 1;
    default:
      return cell % kSide == kSide - 1 ? cell - (kSide - 1) : cell + 1;
  }
}

bool ActionAllowed(const collect::Cells& board, int target, int action) {
  return action == kSwap || board[target] == collect::kEmpty;
}

void Exchange(collect::Cells& board, collect::Marks& marks, int a, int b) {
  std::swap(board[a], board[b]);
  std::swap(marks[a], marks[b]);
}

}  // namespace arrik
