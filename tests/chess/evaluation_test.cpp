// The positional score that orders the root candidates: the phase a search picks and the terms
// of the middle game and the end game, on positions that differ in one man.
#include <cmath>

#include "recording_host.h"

using namespace chess;
using namespace chess_test;

namespace {

// The score of a position in the phase the engine picks for it (the human plays White, no move
// made yet, so the phase follows the human's men alone).
float Score(const std::string& position, int* phase = nullptr) {
  Game g;
  const EngineBoard b = Board(position);
  g.engine.SelectPhase(b);
  g.engine.LocateKings(b);
  if (phase) *phase = g.engine.Phase();
  return g.engine.PositionalScore(b);
}

// The middle game's pull of a piece to the centre.
double Centre(int col, int row) { return 1.0 / (1.0 + std::hypot(4.5 - col, 4.5 - row)); }

}  // namespace

TEST(ChessEvaluation, TheHumansMenChooseMiddleGameOrEndGame) {
  int phase = 0;
  Score("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w", &phase);
  EXPECT_EQ(phase, 5);
  Score("4k3/8/8/8/8/8/PPPPPPPP/4K3 w", &phase);  // nine men, the king among them
  EXPECT_EQ(phase, 5);
  Score("4k3/8/8/8/8/8/1PPPPPPP/4K3 w", &phase);
  EXPECT_EQ(phase, 6);
}

TEST(ChessEvaluation, EachTermMovesTheScoreItsOwnWay) {
  // Each case: two positions that differ in one man, and by how much the first outscores the
  // second (material included).
  struct Case {
    const char* what;
    const char* first;
    const char* second;
    double by;
  };
  const Case cases[] = {
      // Middle game: the computer's king scores its row, so it stays on its back row; the
      // centre term of every piece above a pawn pulls it the other way, less than a row.
      {"king at home rather than a row up", "4k3/pppp1ppp/8/8/8/8/PPPPPPPP/4K3 w",
       "8/ppppkppp/8/8/8/8/PPPPPPPP/4K3 w", 1.0 + Centre(5, 8) - Centre(5, 7)},
      {"king castled beside its rook", "5rk1/pppppppp/8/8/8/8/PPPPPPPP/4K3 w",
       "5r1k/pppppppp/8/8/8/8/PPPPPPPP/4K3 w", 5.0 + Centre(7, 8) - Centre(8, 8)},
      {"knight on f6 rather than f5", "4k3/pppppppp/5n2/8/8/8/PPPPPPPP/4K3 w",
       "4k3/pppppppp/8/5n2/8/8/PPPPPPPP/4K3 w", 1.3 + 1.0 / 3.5 - 1.0 / 2.5 + Centre(6, 6) - Centre(6, 5)},
      // End game: a computer pawn nearer its goal row, a piece nearer the human king.
      {"pawn on row 2 rather than row 4", "4k3/8/8/8/8/8/p7/4K3 w", "4k3/8/8/8/p7/8/8/4K3 w", 1.0 - 0.5},
      {"queen two squares from the human king", "4k3/8/8/8/8/4q3/8/4K3 w", "4k3/8/8/8/8/8/8/4K3 w",
       kQueen + 1.0 / 3},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(Score(c.first) - Score(c.second), c.by, 0.01) << c.what;  // a float near 5000
}
