#include "klevo_rules.h"

#include "removal_window_rules.h"

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

std::vector<int> Neighbours(int i) {
  std::vector<int> out;
  const int column = i % kSide;
  if (i >= kSide) out.push_back(i - kSide);
  if (i + kSide <= kCells - 1) out.push_back(i + kSide);
  if (column > 0) out.push_back(i - 1);
  if (column < kSide - 1) out.push_back(i + 1);
  return out;
}

std::vector<int> BlastCells(int i) {
  std::vector<int> out;
  const int row = i / kSide, column = i % kSide;
  for (int dr = -1; dr <= 1; ++dr)
    for (int dc = -1; dc <= 1; ++dc) {
      const int r = row + dr, c = column + dc;
      if (r >= 0 && r < kSide && c >= 0 && c < kSide) out.push_back(at(r, c));
    }
  return out;
}

bool CanRemove(const Board& b, int i) {
  const int16_t k = b[i];
  if (k == kEmpty) return false;
  for (int n : Neighbours(i))
    if (b[n] == k || b[n] == kWild) return true;
  return false;
}

std::vector<int> FlagGroup(const Board& b, Marks& m, int i, const std::function<void(int)>& onFlag) {
  const int16_t k = b[i];
  auto joins = [&](int cell) { return b[cell] == k || b[cell] == kWild; };
  std::vector<int> order;
  m[i] = kMarked;
  order.push_back(i);
  if (onFlag) onFlag(i);
  for (bool more = true; more;) {
    more = false;
    for (int cell = 0; cell < kCells; ++cell) {
      if (m[cell] == kMarked || !joins(cell)) continue;
      for (int n : Neighbours(cell)) {
        if (joins(n) && m[n] == kMarked) {
          m[cell] = kMarked;
          order.push_back(cell);
          more = true;
          if (onFlag) onFlag(cell);
          break;
        }
      }
    }
  }
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
    if (m[cell] == kMarked) {
      b[cell] = kEmpty;
      changed.push_back(cell);
    }
  return changed;
}

bool FindFalling(const Marks& m, ColumnRows& fallStartRow, ColumnRows& columnFalling) {
  bool any = false;
  for (int c = 0; c < kSide; ++c) {
    columnFalling[c] = 0;
    for (int r = std::clamp<int>(fallStartRow[c], 0, kSide - 1); r >= 0; --r) {
      if (m[at(r, c)] == kMarked) {
        fallStartRow[c] = static_cast<int16_t>(r);
        columnFalling[c] = -1;
        any = true;
        break;
      }
    }
  }
  return any;
}

std::vector<int> FallStep(Board& b, Marks& m, const ColumnRows& fallStartRow, const ColumnRows& columnFalling) {
  std::vector<int> changed;
  for (int c = 0; c < kSide; ++c) {
    if (!columnFalling[c]) continue;
    for (int r = std::clamp<int>(fallStartRow[c], 0, kSide - 1); r >= 1; --r) {
      b[at(r, c)] = b[at(r - 1, c)];
      m[at(r, c)] = m[at(r - 1, c)];
      changed.push_back(at(r, c));
    }
    b[at(0, c)] = kEmpty;
    m[at(0, c)] = 0;
    changed.push_back(at(0, c));
  }
  return changed;
}

bool BottomEmpty(const Board& b, int column) { return b[at(kSide - 1, column)] == kEmpty; }

bool FilledColumnRightOf(const Board& b, int column) {
  for (int d = column + 1; d < kSide; ++d)
    if (!BottomEmpty(b, d)) return true;
  return false;
}

std::vector<int> ShiftColumnsLeft(Board& b, int column) {
  std::vector<int> changed;
  for (int c = column; c < kSide - 1; ++c)
    for (int r = kSide - 1; r >= 0; --r) {
      b[at(r, c)] = b[at(r, c + 1)];
      changed.push_back(at(r, c));
    }
  for (int r = kSide - 1; r >= 0; --r) {
    b[at(r, kSide - 1)] = kEmpty;
    changed.push_back(at(r, kSide - 1));
  }
  return changed;
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
    case kTurnRight: removal::RotateRight(b); break;
    case kTurnLeft: removal::RotateLeft(b); break;
    case kTurnHalf:
      removal::RotateRight(b);
      removal::RotateRight(b);
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
