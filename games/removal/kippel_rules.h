#pragma once
// Kippel's rules on a plain board: helpers, the group at a clicked cell and the refill draw.
#include <functional>

#include "removal_window_rules.h"

namespace kippel {

// The family's board, codes and flag.
using removal::Cells;
using removal::kBombHit;
using removal::kEmpty;
using removal::kFlagged;
using removal::kJoker;
using removal::kLadderHit;
using removal::kRemoved;

// Kinds beyond the family's codes: the helpers and the gem.
enum : int16_t {
  kBomb = 11,
  kHorizontalLadder = 12,
  kVerticalLadder = 13,
  kGem = 14,
};

inline bool IsHelper(int16_t kind) { return kind == kBomb || kind == kHorizontalLadder || kind == kVerticalLadder; }

// The cells a helper clears are flagged (flags are not cleared first).
void FlagBomb(Cells& flags, int index);    // the bomb and its neighbours on the board, diagonals too
void FlagRow(Cells& flags, int index);     // the ten cells of the row of index
void FlagColumn(Cells& flags, int index);  // the ten cells of the column of index

// A cell joins a group of `clicked` when it holds that kind or a joker; so a clicked joker groups
// only with jokers.
inline bool Joins(int16_t kind, int16_t clicked) { return kind == clicked || kind == kJoker; }
bool HasMatchingNeighbour(const Cells& board, int index);
// Flags the connected group at index (flags must be clear) and returns its size.
int FloodGroup(const Cells& board, Cells& flags, int index);
// What a removed group is worth: one, or fifty when a gem was clicked, whatever its size.
int GroupScore(int16_t clickedKind);

// The kind of a refilled cell. `rnd` gives uniform numbers in [0, 1); two are taken, four when
// the second one lands on the joker slot.
int16_t RefillKind(const std::function<double()>& rnd);

}  // namespace kippel
