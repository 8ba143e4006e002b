// The generator against the rules of chess: move-tree sizes of positions in which en
// passant, castling and underpromotion play no part.
#include "perft.h"
#include "recording_host.h"

using namespace chess;
using namespace chess_test;

TEST(ChessPerft, StartPositionMatchesChessInBothOrientations) {
  for (const char* position : {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w",
                               "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b"}) {
    SCOPED_TRACE(position);
    const EngineBoard b = Board(position);
    EXPECT_EQ(Perft(b, 1), 20u);
    EXPECT_EQ(Perft(b, 3), 8902u);
    EXPECT_EQ(Perft(b, 4), 197281u);
  }
}

TEST(ChessPerft, MirroredMiddlegameCountsAgree) {
  // The same position with the colours and the side to move swapped: the counts are equal
  // whichever orientation and side the engine works with.
  const EngineBoard a = Board("r1bq1rk1/ppp2ppp/2np1n2/2b1p3/2B1P3/2NP1N2/PPP2PPP/R1BQ1RK1 w");
  const EngineBoard b = Board("r1bq1rk1/ppp2ppp/2np1n2/2b1p3/2B1P3/2NP1N2/PPP2PPP/R1BQ1RK1 b");
  EXPECT_EQ(Perft(a, 3), Perft(b, 3));
  EXPECT_EQ(Perft(a, 1), 37u);  // Black to move; castling is not generated
}
