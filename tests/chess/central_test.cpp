// The human's moves, castling of both sides and promotion by the menu.
#include "recording_host.h"

using namespace chess;
using namespace chess_test;

namespace {

int CastlingCandidates(const ChessEngine& e, int kingCol) {
  int n = 0;
  for (int i = 1; i <= e.Level1List().Count(); ++i) {
    const EngineBoard& b = e.Level1List().Entry(i);
    // Castling is the only candidate that moves two computer men.
    int changed = 0;
    for (int col = 1; col <= 8; ++col) changed += b(col, 8) != e.MoveHistory(e.MoveCounter() - 1)(col, 8);
    if (changed >= 3 && b(kingCol, 8) == kComputerKing) ++n;
  }
  return n;
}

}  // namespace

TEST(ChessHumanMove, RefusalsChangeNothing) {
  struct Case {
    const char* why;
    const char* position;
    const char* move;
  };
  const Case cases[] = {
      {"empty origin", "4k3/8/8/8/8/8/8/4K3 w", "d2d4"},
      {"computer's piece", "4k3/3p4/8/8/8/8/8/4K3 w", "d7d5"},
      {"out of reach", "4k3/8/8/8/8/8/8/1N2K3 w", "b1b3"},
      {"pinned piece", "4r1k1/8/8/8/8/8/4B3/4K3 w", "e2d3"},
      {"king in front of a pawn", "4k3/8/8/8/8/3p4/8/4K3 w", "e1e2"},
      {"king stays in check", "4k3/8/8/8/8/8/7P/r3K3 w", "h2h3"},
      {"taking the computer king", "4k3/8/8/8/Q7/8/8/4K3 w", "a4e8"},
      {"human as Black: pinned", "4k3/4r3/8/8/8/8/4R3/4K3 b", "e7d7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    Game g(c.position);
    const EngineBoard before = g.engine.Root();
    EXPECT_FALSE(g.Human(c.move));
    EXPECT_EQ(g.engine.Root(), before);
    EXPECT_EQ(g.engine.MoveCounter(), 0);
    EXPECT_TRUE(g.host.log.empty());
  }
  Game g("4k3/8/8/8/8/8/8/4K3 w");
  EXPECT_FALSE(g.engine.TryHumanMove(-1, 60));
  EXPECT_FALSE(g.engine.TryHumanMove(60, 64));
}

TEST(ChessHumanMove, AcceptedMoveIsRecordedAndAnswered) {
  Game g("4k3/8/8/8/8/8/4P3/4K3 w");
  EXPECT_TRUE(g.Human("e2e4"));
  EXPECT_EQ(g.engine.MoveCounter(), 2);
  EXPECT_EQ(g.engine.MoveHistory(1)(5, 4), -kPawn);
  EXPECT_FALSE(g.engine.MoveHistory(2) == g.engine.MoveHistory(1));
}

TEST(ChessHumanMove, APawnOnTheLastRowBecomesTheMenusPiece) {
  Game g("4k3/P7/8/8/8/8/8/4K3 w");
  g.host.promotionItem = 0;  // Knight
  EXPECT_TRUE(g.Human("a7a8"));
  EXPECT_EQ(g.engine.MoveHistory(1)(1, 8), -kKnight);
}

TEST(ChessCastling, HumanCastlesOnBothSidesInBothOrientations) {
  struct Case {
    const char* position;
    const char* move;
    const char* after;  // the human's back rank afterwards
  };
  const Case cases[] = {
      {"r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w", "e1g1", "R4RK1"},
      {"r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w", "e1c1", "2KR3R"},
      {"r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R b", "e8g8", "r4rk1"},
      {"r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R b", "e8c8", "2kr3r"},
      // Only a pawn's diagonal covers b1, which the king does not cross.
      {"4k3/8/8/8/8/8/p7/R3K3 w", "e1c1", "2KR4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.position) + " " + c.move);
    Game g(c.position);
    EXPECT_TRUE(g.Human(c.move));
    EXPECT_EQ(g.engine.HumanCastledFlag(), 1);
    const std::string placement = PlacementText(g.engine.MoveHistory(1), g.engine.HumanIsWhite());
    const std::string rank = g.engine.HumanIsWhite() ? placement.substr(placement.rfind('/') + 1)
                                                     : placement.substr(0, placement.find('/'));
    EXPECT_EQ(rank, c.after);
    EXPECT_EQ(g.engine.MoveCounter(), 2);  // the castling and the computer's answer
  }
}

TEST(ChessCastling, HumanCastlingIsRefusedOnMarkedOrPawnCoveredSquares) {
  const char* cases[] = {
      "4k2r/8/8/8/8/8/8/4K2R w",   // the rook's square h1 is marked
      "4k3/8/8/8/8/8/3PPPPP/R3K1NR w",  // g1 occupied
      "4k3/8/8/8/8/8/4p3/4K2R w",   // f1 covered by a pawn: the king would cross it
      "4k3/8/8/8/8/8/7p/4K2R w",    // g1 covered by a pawn: the king would land on it
      "4k3/8/8/8/8/8/5p2/4K2R w",   // the king itself attacked by a pawn
  };
  for (const char* position : cases) {
    SCOPED_TRACE(position);
    Game g(position);
    const EngineBoard before = g.engine.Root();
    EXPECT_FALSE(g.Human("e1g1"));
    EXPECT_EQ(g.engine.Root(), before);
    EXPECT_EQ(g.engine.HumanCastledFlag(), 0);
  }
}

TEST(ChessCastling, AKingThatMovedAwayAndBackMayCastle) {
  Game g("4k3/pppppppp/8/8/8/8/8/4K2R w");
  ASSERT_TRUE(g.Human("e1f1"));
  ASSERT_TRUE(g.Human("f1e1"));
  EXPECT_TRUE(g.Human("e1g1"));
  EXPECT_EQ(g.engine.MoveHistory(5)(7, 1), kHumanKing);
  EXPECT_EQ(g.engine.MoveHistory(5)(6, 1), -kRook);
}

TEST(ChessCastling, ComputerAddsAtMostOneCastlingAndNeverIntoAPawnsReach) {
  {
    Game g("r3k2r/8/8/8/8/8/8/4K3 w");  // both sides free: only kingside is a candidate
    g.engine.ComputerMove();
    EXPECT_EQ(CastlingCandidates(g.engine, 7), 1);
    EXPECT_EQ(CastlingCandidates(g.engine, 3), 0);
  }
  {
    Game g("r3k2r/8/8/8/8/8/8/4KR2 w");  // f8 reachable by the human: no castling at all
    g.engine.ComputerMove();
    EXPECT_EQ(CastlingCandidates(g.engine, 7), 0);
    EXPECT_EQ(CastlingCandidates(g.engine, 3), 0);
  }
  {
    Game g("r3k2r/4P3/8/8/8/8/8/4K3 w");  // the e7 pawn's diagonal covers f8
    g.engine.ComputerMove();
    EXPECT_EQ(CastlingCandidates(g.engine, 7), 0);
    EXPECT_EQ(CastlingCandidates(g.engine, 3), 0);
  }
  {
    // Computer White: the case towards column 8 (the long castling, king to c1) comes first.
    Game g("4k3/8/8/8/8/8/8/R3K2R b");
    g.engine.ComputerMove();
    EXPECT_EQ(CastlingCandidates(g.engine, 6), 1);
    EXPECT_EQ(CastlingCandidates(g.engine, 2), 0);
  }
}
