#pragma once
// Glimbo's rules: 46 pairs of pictures and 8 inner arrows on a 10 x 10 board; touching pairs
// vanish, every arrow wears out after a chosen number of uses.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "arrow_rules.h"

namespace glimbo {

constexpr int kSide = 10, kCells = 100;
using Cells = std::array<int16_t, kCells>;
using Counters = std::array<int16_t, kSide>;

// Kinds: 0..45 pictures; 46..49 inner arrows down, left, up, right; 50..53 the same, black.
constexpr int16_t kPictureKinds = 46;
constexpr int16_t kArrowDown = 46, kArrowLeft = 47, kArrowUp = 48, kArrowRight = 49;
constexpr int16_t kBlackOffset = 4;
constexpr int kPictures = 92;
constexpr int16_t kDefaultUseLimit = 6;

inline bool IsArrow(int16_t kind) { return kind >= kPictureKinds; }

// Kinds 0..49, then again 0..49, each on a random free cell.
Cells Deal(const arrows::Draw& draw);

// Whether a cell shows its picture: a picture until removed, an arrow while it has uses left.
bool ShowsPicture(int16_t kind, int16_t uses, int16_t useLimit);

// The pictures that touch an equal one (rows and columns do not wrap), in index order.
std::vector<int> TouchingPairs(const Cells& kind, const Cells& uses);

// A click on an inner arrow: counts the use, turns it black before its last use and returns
// the shift it makes; nothing for a picture or a used-up arrow.
struct LineShift {
  arrows::Shift dir;
  int line;  // row for left and right, column for up and down
};
std::optional<LineShift> UseInnerArrow(Cells& kind, Cells& uses, int cell, int16_t useLimit);

// After one use an edge arrow shows its black picture (one use left) or is gone.
enum class EdgeLook { Normal, Black, Hidden };
EdgeLook EdgeArrowLook(int uses, int16_t useLimit);

// Every arrow use of the game: inner uses (the use counts less the removed pictures) and edge uses.
int MoveCount(const Cells& uses, const std::array<Counters, 4>& edgeUses, int removedCount);

}  // namespace glimbo
