#include "kippel_rules.h"

#include <cmath>

namespace kippel {

using removal::kSide;

void FlagBomb(Cells& flags, int i) {
  flags[i] = kFlagged;
  const bool left = i % kSide != 0, right = i % kSide != kSide - 1;
  if (i >= 10) flags[i - 10] = kFlagged;
  if (i <= 89) flags[i + 10] = kFlagged;
  if (left) flags[i - 1] = kFlagged;
  if (right) flags[i + 1] = kFlagged;
  if (i >= 11 && left) flags[i - 11] = kFlagged;
  if (i >= 9 && right) flags[i - 9] = kFlagged;
  if (i <= 88 && right) flags[i + 11] = kFlagged;
  if (i <= 90 && left) flags[i + 9] = kFlagged;
}

void FlagRow(Cells& flags, int index) {
  const int r = index / kSide;
  for (int c = 0; c < kSide; ++c) flags[r * kSide + c] = kFlagged;
}

void FlagColumn(Cells& flags, int index) {
  const int c = index % kSide;
  for (int r = 0; r < kSide; ++r) flags[r * kSide + c] = kFlagged;
}

bool HasMatchingNeighbour(const Cells& board, int index) {
  const int16_t k = board[index];
  bool found = false;
  for (int n : grid::NeighboursInRow(index, removal::kSide, removal::kSide)) found = found || Joins(board[n], k);
  return found;
}

int FloodGroup(const Cells& board, Cells& flags, int index) {
  const int16_t k = board[index];
  flags[index] = kFlagged;
  return 1 + grid::GrowFlagged(flags, {}, [&](int cell) { return Joins(board[cell], k); });
}

int GroupScore(int16_t clickedKind) { return clickedKind == kGem ? 50 : 1; }

int16_t RefillKind(const std::function<double()>& rnd) {
  // m is one of 5.0, 5.1, ..., 6.0; only the share of [0, m) beyond 5 gives the joker slot.
  const double m = 5.0 + std::floor(rnd() * 11.0) / 10.0;
  auto k = static_cast<int16_t>(std::floor(rnd() * m));
  if (k == kJoker && std::floor(rnd() * 4.0) == 0)
    k = static_cast<int16_t>(kBomb + static_cast<int>(std::floor(rnd() * 4.0)));
  return k;
}

}  // namespace kippel
