#include "verdo_rules.h"

#include <cmath>

namespace verdo {

int TargetCount(int size, int skill) {
  static constexpr double kDivisor[] = {8.0, 5.0, 3.0};
  if (skill < kEasy || skill > kHard) skill = kMedium;
  return static_cast<int>(std::floor(size * size / kDivisor[skill]));
}

Deal DealBoard(int size, int targetCount, const arrows::Draw& draw) {
  Deal d;
  d.square.fill(kNoSquare);
  d.cross.fill(kNoCross);
  const int cells = size * size;
  int placed = 0;
  for (int pass = 0; pass < cells; ++pass) {
    const int cell = arrows::ProbeFree(draw(cells), cells, [&](int c) { return d.square[c] == kSquare; });
    if (placed < targetCount && d.square[cell] != kSquare) {
      d.square[cell] = kSquare;
      ++placed;
    }
  }
  placed = 0;
  for (int pass = 0; pass < cells; ++pass) {
    const int cell = arrows::ProbeFree(draw(cells), cells,
                                       [&](int c) { return d.square[c] == kSquare || d.cross[c] == kCross; });
    if (placed < targetCount && d.square[cell] != kSquare && d.cross[cell] != kCross) {
      d.cross[cell] = kCross;
      ++placed;
    }
  }
  return d;
}

int CoveredCrosses(const Cells& square, const Cells& cross, int size) {
  int count = 0;
  for (int i = 0; i < size * size; ++i) count += square[i] == kSquare && cross[i] == kCross;
  return count;
}

Look CellLook(int16_t square, int16_t cross) {
  if (square == kSquare) return cross == kCross ? Look::GreenSquare : Look::BlueSquare;
  return cross == kCross ? Look::Cross : Look::Empty;
}

}  // namespace verdo
