#include "klevo_rules.h"

#include "grid.h"

#include <algorithm>
#include <cmath>

namespace klevo {

namespace {
int at(int row, int column) { return row * kSide + column; }
}  // namespace

int16_t DealKind(float u1, float u2) {
  // Both products are taken in single precision, so u1 just below 0.8 never lets the wild in.
  const float spread = u1 * 5.0f / 4.0f;
  const int n = static_cast<int>(std::floor(spread)) + 5;
  const float pick = u2 * static_cast<float>(n);
  return static_cast<int16_t>(std::clamp(static_cast<int>(std::floor(pick)), 0, n - 1));
}

std::vector<int> Neighbours(int i) { return grid::NeighboursInRow(i, kSide, kSide); }

std::vector<int> BlastCells(int i) { return grid::Block3x3(i, kSide, kSide); }

bool CanRemove(const Board& b, int i) {
  const int16_t k = b[i];
  if (k == kEmpty) return false;
  for (int n : Neighbours(i))
    if (b[n] == k || b[n] == kJoker) return true;
  return false;
}

std::vector<int> FlagGroup(const Board& b, Marks& m, int i, const std::function<void(int)>& onFlag) {
  const int16_t k = b[i];
  auto joins = [&](int cell) { return b[cell] == k || b[cell] == kJoker; };
  std::vector<int> order{i};
  m[i] = kFlagged;
  if (onFlag) onFlag(i);
  grid::GrowFlagged(m, {.linkJoins = true}, joins, [&](int cell) {
    order.push_back(cell);
    if (onFlag) onFlag(cell);
  });
  return order;
}

std::vector<int> HelperCells(const Board& b, int mode, int i) {
  std::vector<int> out;
  switch (mode) {
    case kBomb:
      return BlastCells(i);
    case kRowLadder:
      for (int c = 0; c < kSide; ++c) out.push_back(at(i / kSide, c));
      break;
    case kColumnLadder:
      for (int r = 0; r < kSide; ++r) out.push_back(at(r, i % kSide));
      break;
    case kHeart:
      for (int cell = 0; cell < kCells; ++cell)
        if (b[cell] == b[i]) out.push_back(cell);
      break;
    default:
      break;
  }
  return out;
}

std::vector<int> ClearMarked(Board& b, const Marks& m) {
  std::vector<int> changed;
  for (int cell = 0; cell < kCells; ++cell)
    if (m[cell] == kFlagged) {
      b[cell] = kEmpty;
      changed.push_back(cell);
    }
  return changed;
}

bool FindFalling(const Marks& m, ColumnRows& fallStartRow, ColumnRows& columnFalling) {
  return grid::FindFallingColumns(fallStartRow, columnFalling, kSide, kSide, [&](int cell) { return m[cell] == kFlagged; });
}

std::vector<int> FallStep(Board& b, Marks& m, const ColumnRows& fallStartRow, const ColumnRows& columnFalling) {
  std::vector<int> changed;
  grid::FallStep(b, m, fallStartRow, columnFalling, kSide, kEmpty, [&](int cell) { changed.push_back(cell); });
  return changed;
}

bool BottomEmpty(const Board& b, int column) { return grid::BottomEmpty(b, column, kSide, kSide, kEmpty); }

bool FilledColumnRightOf(const Board& b, int column) {
  return grid::FilledColumnRightOf(b, column, kSide, kSide, kEmpty);
}

std::vector<int> ShiftColumnsLeft(Board& b, int column) {
  return grid::ShiftColumnsLeft(b, column, kSide, kSide, kEmpty);
}

int32_t RaisedPrice(int item, int32_t price, int32_t level) {
  if (item == kShopHeart) return price < kHeartPriceCap ? price * 2 : price;
  return price + level;
}

int32_t TurnPrice(int skill) { return 8 + skill; }

bool LevelDownAllowed(int32_t level, int32_t money) { return level != 1 && money >= 1; }

void LevelDown(int32_t& level, int32_t& money, Prices& prices) {
  level -= 1;
  money = money / 2;  // never negative: Int and truncation agree
  for (int item : {kShopBomb, kShopRowLadder, kShopColumnLadder}) prices[item] += level;
  if (prices[kShopHeart] < kHeartPriceCap) prices[kShopHeart] *= 2;
}

void TurnBoard(Board& b, int mode) {
  switch (mode) {
    case kTurnRight: grid::RotateRight(b, kSide); break;
    case kTurnLeft: grid::RotateLeft(b, kSide); break;
    case kTurnHalf:
      grid::RotateRight(b, kSide);
      grid::RotateRight(b, kSide);
      break;
    default: break;
  }
}

std::vector<double> TurnAngles(int mode) {
  switch (mode) {
    case kTurnRight: return {10, 30, 50, 70, 90};
    case kTurnLeft: return {350, 330, 310, 290, 270};
    case kTurnHalf: return {15, 45, 75, 105, 135, 165};
    default: return {};
  }
}

int RandomImageColumn(const Board& b, int start) {
  int c = ((start % kSide) + kSide) % kSide;
  for (int tries = 0; tries < kSide; ++tries) {
    if (b[at(0, c)] == kEmpty) return c;
    c = (c + 1) % kSide;
  }
  return -1;
}

std::vector<int> CellsUnderTop(const Board& b, int column) {
  std::vector<int> out;
  for (int r = 1; r < kSide && b[at(r, column)] == kEmpty; ++r) out.push_back(at(r, column));
  return out;
}

std::string SkillLetter(int skill) {
  switch (skill) {
    case 0: return "E";
    case 2: return "M";
    case 4: return "H";
    default: return "";
  }
}

int SkillLine(int skill) { return skill == 4 ? 2 : skill == 2 ? 1 : 0; }

int16_t NextTheme(int16_t theme, bool cyclical) {
  if (cyclical) ++theme;
  return theme > 9 ? 0 : theme;
}

}  // namespace klevo
