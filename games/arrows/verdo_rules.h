#pragma once
// Verdo's rules: squares and red crosses on an n x n board (n 4..10, packed row by row); the
// arrows move the squares only, and the game is won when every cross is under a square.
#include <array>
#include <cstdint>

#include "arrow_rules.h"

namespace verdo {

constexpr int kMaxCells = 100;
using Cells = std::array<int16_t, kMaxCells>;

constexpr int kMinSize = 4, kMaxSize = 10, kDefaultSize = 7;
constexpr int16_t kSquare = 1, kNoSquare = -1;
constexpr int16_t kCross = 1, kNoCross = 0;
enum Skill { kEasy = 0, kMedium = 1, kHard = 2 };

// Squares (and crosses) of a deal: n² / 8, / 5 or / 3, rounded down.
int TargetCount(int size, int skill);

struct Deal {
  Cells square, cross;
};
// n² draws place the squares (probing past squares), then n² draws the crosses (probing past
// squares and crosses); draws go on after the last piece is placed.
Deal DealBoard(int size, int targetCount, const arrows::Draw& draw);

// Cells of the n x n board holding both a cross and a square.
int CoveredCrosses(const Cells& square, const Cells& cross, int size);

enum class Look { BlueSquare, GreenSquare, Cross, Empty };
Look CellLook(int16_t square, int16_t cross);

}  // namespace verdo
