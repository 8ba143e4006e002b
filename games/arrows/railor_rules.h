#pragma once
// Railor's rules: 100 / N kinds with N copies each fill the 10 x 10 board; a kind is collected
// as soon as all its N copies form one group joined horizontally or vertically.
#include <array>
#include <cstdint>
#include <vector>

#include "arrow_rules.h"

namespace railor {

constexpr int kSide = 10, kCells = 100;
using Cells = std::array<int16_t, kCells>;

constexpr std::array<int16_t, 7> kGroupSizes = {2, 4, 5, 10, 20, 25, 50};  // the "Images to collect" items
constexpr int kDefaultItem = 5;                                          // 25
constexpr int16_t kPresent = 0, kCollected = -1;

inline int KindCount(int groupSize) { return kCells / groupSize; }

// Kinds 1..K, N passes of them in ascending order, each on a random free cell: a full board.
Cells Deal(int groupSize, const arrows::Draw& draw);

// The group of cell k when it is collectable now: k present, a neighbour of its kind, and all
// groupSize copies of the kind joined to it. Members in index order; empty otherwise.
std::vector<int> CollectableGroup(const Cells& kind, const Cells& state, int k, int groupSize);

}  // namespace railor
