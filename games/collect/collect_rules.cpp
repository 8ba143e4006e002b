#include "collect_rules.h"

#include <algorithm>
#include <cmath>

#include "grid.h"

namespace collect {

int UniformInt(const Draw& rnd, int k) {
  const int v = static_cast<int>(std::floor(rnd() * k));
  return std::clamp(v, 0, k - 1);
}

int EmptyCount(const Cells& board) {
  return static_cast<int>(std::count(board.begin(), board.end(), kEmpty));
}

std::vector<NewImage> PlaceNewImages(Cells& board, int perStep, int kinds, const Draw& rnd) {
  std::vector<NewImage> placed;
  const int count = std::min(perStep, EmptyCount(board));
  for (int k = 0; k < count; ++k) {
    int cell;
    do {
      cell = UniformInt(rnd, kCells);
    } while (board[cell] != kEmpty);
    const auto kind = static_cast<int16_t>(UniformInt(rnd, kinds) + 1);
    board[cell] = kind;
    placed.push_back({cell, kind});
  }
  return placed;
}

std::vector<std::vector<int>> FindGroups(const Cells& board, int minSize, const TypeOf& typeOf) {
  auto type = [&](int cell) { return typeOf ? typeOf(board[cell]) : board[cell]; };
  std::vector<std::vector<int>> groups;
  std::array<bool, kCells> seen{};
  for (int s = 0; s < kCells; ++s) {
    if (seen[s] || board[s] == kEmpty || type(s) == 0) continue;
    const int t = type(s);
    std::vector<int> group{s};
    seen[s] = true;
    for (size_t i = 0; i < group.size(); ++i)
      for (int n : grid::NeighboursInRow(group[i], kSide, kSide))
        if (!seen[n] && board[n] != kEmpty && type(n) == t) {
          seen[n] = true;
          group.push_back(n);
        }
    if (static_cast<int>(group.size()) < minSize) continue;
    std::sort(group.begin(), group.end());
    groups.push_back(std::move(group));
  }
  return groups;
}

Marks HelperMarks(const Cells& board, int mode, int cell) {
  Marks m{};
  const int row = cell / kSide, column = cell % kSide;
  switch (mode) {
    case kBomb:
      for (int c : grid::Block3x3(cell, kSide, kSide)) m[c] = true;
      break;
    case kRowLadder:
      for (int c = 0; c < kSide; ++c) m[row * kSide + c] = true;
      break;
    case kColumnLadder:
      for (int r = 0; r < kSide; ++r) m[r * kSide + column] = true;
      break;
    case kHeart:
      for (int c = 0; c < kCells; ++c) m[c] = board[c] == board[cell];
      break;
    default:
      break;
  }
  return m;
}

bool CanBuy(const Prices& prices, int mode, int32_t cash) {
  return mode >= kBomb && mode <= kHeart && prices[mode - 1] <= cash;
}

int32_t NextPrice(int mode, int32_t price, int perStep) {
  if (mode == kHeart) return price < kHeartPriceCap ? price * 2 : price;
  return price + perStep;
}

}  // namespace collect
