#include "tumo_rules.h"

#include "grid.h"

namespace tumo {

int16_t NextKind(int draw) { return static_cast<int16_t>(draw > 5 ? draw + 9 : draw); }

int PortholeDraws(int skill) { return skill == 4 ? 3 : skill == 2 ? 4 : 5; }

Portholes OpenPortholes(int skill, const std::function<int(int)>& draw) {
  Portholes p;
  for (int n = PortholeDraws(skill); n > 0; --n) {
    p.top[draw(kSide)] = true;
    p.right[draw(kSide)] = true;
  }
  return p;
}

DropPath PathOf(const Board& b, bool fromTop, int index) {
  DropPath path;
  const int entry = fromTop ? index : index * kSide + kSide - 1;
  if (b[entry] != kEmpty) return path;
  path.entry = entry;
  const int stride = fromTop ? kSide : -1;
  int at = entry;
  for (int n = 1; n < kSide; ++n) {
    const int next = at + stride;
    if (b[next] != kEmpty) {
      path.blocking = next;
      break;
    }
    path.steps.push_back(next);
    at = next;
  }
  path.landing = at;
  return path;
}

int MarkLandingGroup(const Board& b, Marks& m, int c, const std::function<void(int)>& marked) {
  const int16_t kind = b[c];
  auto joins = [&](int cell) { return b[cell] == kind || b[cell] == kJoker; };
  bool matches = false;
  for (int n : grid::NeighboursInRow(c, kSide, kSide)) matches = matches || joins(n);
  if (!matches) return 0;
  m[c] = kFlagged;
  if (marked) marked(c);
  return 1 + grid::GrowFlagged(m, {.cols = kSide, .rows = kSide, .inRow = true, .linkJoins = true}, joins, marked);
}

std::vector<int> HelperCells(const Board& b, int mode, int c) {
  std::vector<int> cells;
  const int row = c / kSide, column = c % kSide;
  switch (mode) {
    case kBomb:
      return grid::Block3x3(c, kSide, kSide);
    case kRowLadder:
      for (int i = 0; i < kSide; ++i) cells.push_back(row * kSide + i);
      break;
    case kColumnLadder:
      for (int i = 0; i < kSide; ++i) cells.push_back(i * kSide + column);
      break;
    case kHeart:
      for (int i = 0; i < kCells; ++i)
        if (b[i] == b[c]) cells.push_back(i);
      break;
    default:
      break;
  }
  return cells;
}

int16_t HelperEffect(int mode) {
  switch (mode) {
    case kBomb: return kBombHit;
    case kHeart: return kHeartHit;
    default: return kLadderHit;
  }
}

int16_t HelperSound(int mode) {
  switch (mode) {
    case kBomb: return 2;
    case kHeart: return 5;
    default: return 3;
  }
}

int32_t PriceStep(int skill) { return skill / 2 + 1; }

int32_t RaisedPrice(int item, int32_t price, int32_t step) {
  if (item == 3) return price < kHeartCap ? price * 2 : price;
  return price + step;
}

void TurnBoard(Board& b, int turn) {
  switch (turn) {
    case kFlipVertical: grid::FlipVertical(b, kSide); break;
    case kFlipHorizontal: grid::FlipHorizontal(b, kSide); break;
    case kRotateLeft: grid::RotateLeft(b, kSide); break;
    case kRotateRight: grid::RotateRight(b, kSide); break;
    default: break;
  }
}

}  // namespace tumo
