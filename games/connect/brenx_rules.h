#pragma once
// Brenx's rules on a plain board: the blocking kinds, the legality of a move, the groups of at
// least n equal pictures that are collected, and the refill of the emptied cells.
#include <array>
#include <cstdint>
#include <vector>

#include "connect_rules.h"

namespace brenx {

using connect::Cells;
using connect::kCells;
using connect::kSide;
using connect::Random;
constexpr int16_t kEmpty = 0;
constexpr int16_t kNoCell = connect::kNone;
constexpr int16_t kFlagged = connect::kTrue;
constexpr int kMaxKinds = 25;
using KindFlags = std::array<int16_t, kMaxKinds + 1>;  // blocking flag per kind 0..25

// Per group size (4, 5 or 10): kinds on the board, blocking kinds among them, start cash.
constexpr int KindCount(int n) { return kCells / n; }
constexpr int BlockingCount(int n) { return n == 4 ? 4 : n == 5 ? 3 : 1; }
constexpr int StartCash(int n) { return n == 4 ? 20 : n == 5 ? 30 : 50; }

inline bool IsBlocking(const KindFlags& blocking, int16_t kind) {
  return kind > 0 && kind <= kMaxKinds && blocking[kind] != 0;
}

// Clears every flag and sets BlockingCount(n) different kinds of 1..KindCount(n).
// `rnd` gives uniform numbers in [0, 1).
void ChooseBlockingKinds(KindFlags& blocking, int n, const Random& rnd);

// Why a left press on `target` may not move the selected picture there; shift is the modifier
// state (any modifier lets a move go onto a blocking picture or swap two equal pictures).
enum class MoveCheck { Ok, SelectionBlocking, TargetBlocking, NoSelection, NotNeighbour, SameKind };
MoveCheck CheckMove(const Cells& board, const KindFlags& blocking, int selected, int target, int shift);

// The group that cell i starts when the collection scan reaches it: its cells in index order
// when it holds at least n equal, non-blocking pictures joined horizontally or vertically,
// otherwise empty. Cells already collected in this scan (flag set) start nothing.
std::vector<int> CollectableGroup(const Cells& board, const KindFlags& blocking, const Cells& collected, int i, int n);

// One new picture of a refill: where it went and which kind it got.
struct NewCell {
  int16_t cell, kind;
};
// Fills every empty cell: a random position is drawn until it hits an empty cell, then a random
// kind of 1..KindCount(n) (blocking kinds included). Returns the new cells in the order of filling.
std::vector<NewCell> RefillEmpty(Cells& board, int n, const Random& rnd);

}  // namespace brenx
