#include "quadrin_rules.h"

namespace quadrin {

using connect::Draw;

Turn TurnFor(SquareColour colour, int button) {
  if ((button == 1 && colour == SquareColour::Black) || colour == SquareColour::Blue) return Turn::Left;
  if ((button == 2 && colour == SquareColour::Black) || colour == SquareColour::Red) return Turn::Right;
  return Turn::None;
}

void TurnGroup(Cells& board, Cells& done, int c, Turn turn) {
  if (turn == Turn::None || c < 0 || c + kSide + 1 >= kCells) return;
  // Where each of the four places takes its cell from: c, c + 1, c + 11, c + 10 around the
  // corner, so a left turn takes from the next place and a right turn from the previous one.
  const int ring[4] = {c, c + 1, c + kSide + 1, c + kSide};
  for (Cells* layer : {&board, &done}) {
    Cells& b = *layer;
    const int16_t was[4] = {b[ring[0]], b[ring[1]], b[ring[2]], b[ring[3]]};
    for (int p = 0; p < 4; ++p) b[ring[p]] = was[(p + (turn == Turn::Left ? 1 : 3)) % 4];
  }
}

SquareColours DrawSquareColours(bool allBlack, const connect::Random& rnd) {
  SquareColours colour;
  colour.fill(SquareColour::Black);
  if (allBlack) return colour;
  auto blackSquare = [&] {
    int s;
    do s = Draw(rnd, kSquares);
    while (colour[s] != SquareColour::Black);
    return s;
  };
  for (int pair = 0; pair < (kSquares - 1) / 2; ++pair) {
    colour[blackSquare()] = SquareColour::Blue;
    colour[blackSquare()] = SquareColour::Red;
  }
  const int last = blackSquare();
  colour[last] = Draw(rnd, 2) == 0 ? SquareColour::Blue : SquareColour::Red;
  return colour;
}

}  // namespace quadrin
