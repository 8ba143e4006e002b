#pragma once
// Recollo's rules: a memory game on a 10 x 10 board of covered cards and arrows. One-way arrows
// shift their row or column (cards carry their numbers along), two-way arrows reveal theirs,
// and the red arrow fires after every miss.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "arrow_rules.h"

namespace recollo {

constexpr int kSide = 10, kCells = 100;
using Cells = std::array<int16_t, kCells>;

// Kinds: 0..44 cards; one-way arrows 45 left, 46 right, 47 up, 48 down; two-way 49 row, 50 column.
constexpr int16_t kArrowLeft = 45, kArrowRight = 46, kArrowUp = 47, kArrowDown = 48;
constexpr int16_t kRevealRow = 49, kRevealColumn = 50;
constexpr int16_t kFixed = -1;  // arrows and found cards
constexpr int kCardCount = 90;

inline bool IsCard(int16_t kind) { return kind >= 0 && kind < kArrowLeft; }
inline bool IsOneWay(int16_t kind) { return kind >= kArrowLeft && kind <= kArrowDown; }

// Everything that moves with a cell when its line shifts.
struct Board {
  Cells kind{}, fixed{};
  Cells number{};       // the number on the card's back (row * 10 + column at the deal)
  Cells numberShown{};  // -1 while the number label is visible
  int redArrow = -1;
};

// Arrows (two rounds of 45..48, then 49, then 50), then matchSize rounds of the cards
// 0 .. 90 / matchSize - 1, each on a random free cell; numbers shown on every card.
Board Deal(int matchSize, const arrows::Draw& draw);

// The line and direction the one-way arrow on `cell` shifts; nothing for any other kind.
struct LineShift {
  arrows::Shift dir;
  int line;
};
std::optional<LineShift> ArrowShift(const Board& b, int cell);
// Shifts that line with wrap-around; the red arrow's cell follows its arrow.
std::optional<LineShift> ShiftLine(Board& b, int cell);

// The k-th (1..8) one-way arrow in index order.
int NthOneWayArrow(const Board& b, int k);

// All picked cards of one kind.
bool IsMatch(const Board& b, const std::vector<int>& picks);
inline int SetsToFind(int matchSize) { return kCardCount / matchSize; }

}  // namespace recollo
