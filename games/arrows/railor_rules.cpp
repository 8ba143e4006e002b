#include "railor_rules.h"

#include "grid.h"

namespace railor {

Cells Deal(int groupSize, const arrows::Draw& draw) {
  Cells kind;
  kind.fill(-1);
  std::vector<int16_t> pieces;
  for (int pass = 0; pass < groupSize; ++pass)
    for (int16_t k = 1; k <= KindCount(groupSize); ++k) pieces.push_back(k);
  arrows::FillProbing(kind, kCells, pieces, draw);
  return kind;
}

std::vector<int> CollectableGroup(const Cells& kind, const Cells& state, int k, int groupSize) {
  if (k < 0 || k >= kCells || state[k] != kPresent) return {};
  const int16_t x = kind[k];
  bool touching = false;
  for (int n : grid::NeighboursInRow(k, kSide, kSide)) touching = touching || kind[n] == x;
  if (!touching) return {};
  Cells member{};
  member[k] = grid::kFlag;
  const int count = 1 + grid::GrowFlagged(member, {.cols = kSide, .rows = kSide, .inRow = true},
                                          [&](int cell) { return kind[cell] == x; });
  if (count != groupSize) return {};
  std::vector<int> members;
  for (int j = 0; j < kCells; ++j)
    if (member[j] == grid::kFlag) members.push_back(j);
  return members;
}

}  // namespace railor
