#pragma once
// The collecting games' shared rules on plain boards: the new images of a step, the groups that
// are collected, the cells a helpful object hits, the shop's prices and the best-score line.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace collect {

constexpr int kSide = 10;
constexpr int kCells = kSide * kSide;
constexpr int16_t kEmpty = 0;
constexpr int kSizeCount = 7;  // the group sizes a game offers
constexpr int kMaxGroupSize = 50;

using Cells = std::array<int16_t, kCells>;
using Marks = std::array<bool, kCells>;
using Sizes = std::array<int16_t, kSizeCount>;
// Cash and score are kept per group size (indexed by the size itself).
using PerSize = std::array<int32_t, kMaxGroupSize + 1>;

// Helpful objects, by the mode a purchase sets.
enum HelperMode : int16_t { kNoHelper = 0, kBomb = 1, kRowLadder = 2, kColumnLadder = 3, kHeart = 4 };
using Prices = std::array<int32_t, 4>;  // bomb, row ladder, column ladder, heart
constexpr Prices kNewGamePrices = {0, 0, 0, 5};
constexpr int32_t kHeartPriceCap = 2560;

// A uniform integer 0..k-1 from a draw in [0, 1).
using Draw = std::function<double()>;
int UniformInt(const Draw& rnd, int k);

int EmptyCount(const Cells& board);

// One step's new images: min(perStep, empty cells) of them; for each, cells are drawn until an
// empty one comes up, then its kind 1..kinds (draws alternate: cell, kind, cell, kind). The
// board is changed; the placed cells and kinds are returned in order.
struct NewImage {
  int cell;
  int16_t kind;
};
std::vector<NewImage> PlaceNewImages(Cells& board, int perStep, int kinds, const Draw& rnd);

// The groups a check collects: connected cells (orthogonal, never across an edge) of one type,
// at least `minSize` of them, each listed in ascending order, groups in the order of their
// lowest cell. `typeOf` maps a cell's value to what is compared (identity when empty).
using TypeOf = std::function<int(int16_t)>;
std::vector<std::vector<int>> FindGroups(const Cells& board, int minSize, const TypeOf& typeOf = {});

// The cells a helpful object marks when aimed at `cell`.
Marks HelperMarks(const Cells& board, int mode, int cell);

// A purchase: whether the cash covers the price, and the price that follows it.
bool CanBuy(const Prices& prices, int mode, int32_t cash);
int32_t NextPrice(int mode, int32_t price, int perStep);

// The best-score line (0-based) of a skill and the position of the group size in the menu.
constexpr int HiscoreLine(int skill, int sizeIndex) { return skill * kSizeCount + sizeIndex; }

}  // namespace collect
