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
inline bool IsDealt(int16_t kind) { return kind >= 0 && kind <= kRevealColumn; }  // a kind the deal makes

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
// Makes the k-th one-way arrow the red one; false (nothing changes) when there is none.
bool PickRedArrow(Board& b, int k);

// All picked cards of one kind.
bool IsMatch(const Board& b, const std::vector<int>& picks);
inline int SetsToFind(int matchSize) { return kCardCount / matchSize; }

// A two-way arrow shows the covered cards of its line face up for a while.
struct Revealed {
  bool row;
  int line;
  std::vector<int> cells;  // the covered cards shown, their numbers hidden
};
Revealed Reveal(Board& b, int cell);
void Cover(Board& b, const Revealed& r);  // their numbers back

// Every number shown exactly on the covered cells (after the board was written from outside).
void ShowNumbersOfCoveredCards(Board& b);

// The pick state: the cards turned up in the current attempt and the sets found. `matchSize`
// (2 or 3 cards an attempt) is passed to every step, as the window reads it from its menu.
struct Game {
  Board board;
  std::array<int16_t, 3> picks{};
  int16_t pickCount = 0;  // 0 .. matchSize - 1 between clicks
  int32_t foundCount = 0;
  bool won = false;
};

// A new board with every card down: no attempt goes on across a deal (the window deals only
// before the first click, when none runs; a pick count written from outside ends here too).
void Redeal(Game& g, int matchSize, const arrows::Draw& draw);

enum class Click {
  Refused,   // a found card, a card already up, a card showing no number, or the attempt is full
  Held,      // an arrow while cards of an attempt are up: nothing but its number hides
  Reveal,    // a two-way arrow with no card up: Reveal its line
  Shift,     // any other arrow with no card up: ShiftLine, then a new red arrow
  CardUp,    // a card turned up, the attempt goes on
  Complete,  // the attempt's last card turned up: Settle it after a look
};
// Every click that is not refused hides the cell's number; a card goes into the picks.
Click ClickCell(Game& g, int cell, int matchSize);

// The cards of the attempt just completed, in the order they were turned up.
std::vector<int> Picked(const Game& g, int matchSize);

enum class Attempt { Found, Won, Missed };
// Cards all of one kind stay up, fixed, and count (the last set wins the game); a miss covers
// them again, after which the red arrow fires (ShiftLine on it, then a new red arrow).
Attempt Settle(Game& g, int matchSize);

}  // namespace recollo
