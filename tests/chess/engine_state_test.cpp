// Start position, frame, history and navigation.
#include "recording_host.h"

using namespace chess;
using namespace chess_test;

namespace {

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

bool FrameIntact(const EngineBoard& b) {
  for (int i = 0; i < kSquares; ++i) {
    const bool play = ColOf(i) >= 1 && ColOf(i) <= 8 && RowOf(i) >= 1 && RowOf(i) <= 8;
    if (!play && b.v[i] != kFrame) return false;
  }
  return true;
}

}  // namespace

TEST(ChessStart, BothOrientationsGiveTheStartPositionFromTheHumansSide) {
  for (bool white : {true, false}) {
    SCOPED_TRACE(white ? "human White" : "human Black");
    RecordingHost host;
    ChessEngine e(host);
    e.InitEngine(white);
    EXPECT_EQ(PlacementText(e.Root(), white), kStart);
    EXPECT_EQ(ChessEngine::MaterialSum(e.Root()), 5000.0f);
    // Kings on their e-files: column 5 for a White human, 4 (mirrored) for a Black one.
    const int kingCol = white ? 5 : 4;
    EXPECT_EQ(e.Root()(kingCol, 8), kComputerKing);
    EXPECT_EQ(e.Root()(kingCol, 1), kHumanKing);
    EXPECT_EQ(e.Root()(9 - kingCol, 1), -kQueen);
    EXPECT_TRUE(FrameIntact(e.Root()));
    EXPECT_EQ(e.Root()(-1, 0), kFrame);  // a knight jump from (1, 1)
    EXPECT_EQ(e.MoveCounter(), 0);
    EXPECT_EQ(e.ShownPly(), 0);
    EXPECT_EQ(e.LastPly(), 0);
    EXPECT_EQ(e.HistoryLength(), 1);
    EXPECT_EQ(e.MoveHistory(0), e.Root());
    EXPECT_EQ(host.progress, std::vector<int>{0});
    EXPECT_TRUE(host.log.empty());  // FixPromotions(2) shows nothing
  }
}

TEST(ChessStart, NewGameForgetsThePreviousGame) {
  Game g;
  g.engine.InitEngine(true);
  ASSERT_TRUE(g.Human("e2e4"));
  ASSERT_EQ(g.engine.MoveCounter(), 2);
  g.engine.InitEngine(false);
  g.engine.ComputerMove();  // the computer opens as White
  EXPECT_EQ(g.engine.MoveCounter(), 1);
  EXPECT_EQ(g.engine.LastPly(), 1);
  EXPECT_EQ(g.engine.HistoryLength(), 2);
  EXPECT_EQ(g.engine.HumanCastledFlag(), 0);
}

TEST(ChessHistory, EveryPlyIsRecordedAndShown) {
  Game g;
  g.engine.InitEngine(true);
  g.host.Clear();
  ASSERT_TRUE(g.Human("e2e4"));
  // The human's ply, then the computer's: each recorded and shown in full; the computer's
  // move is first handed over on its own (mode 0).
  EXPECT_EQ(g.host.log, (std::vector<std::string>{"show 1", "begin", "show 0", "show 1", "end"}));
  EXPECT_EQ(g.engine.MoveCounter(), 2);
  EXPECT_EQ(g.engine.ShownPly(), 2);
  EXPECT_EQ(g.engine.LastPly(), 2);
  EXPECT_EQ(g.engine.MoveHistory(1)(5, 4), -kPawn);
  EXPECT_EQ(g.engine.MoveHistory(1)(5, 2), kEmpty);
  EXPECT_EQ(g.engine.MoveHistory(2), g.engine.Root());
  EXPECT_TRUE(FrameIntact(g.engine.MoveHistory(2)));
}

TEST(ChessHistory, SteppingBackRestoresAPlyAndTheNextMoveOverwritesTheRest) {
  Game g;
  g.engine.InitEngine(true);
  ASSERT_TRUE(g.Human("e2e4"));
  ASSERT_TRUE(g.Human("d2d4"));
  ASSERT_EQ(g.engine.LastPly(), 4);

  g.engine.SetShownPly(2);
  g.engine.RestorePosition();
  EXPECT_EQ(g.engine.MoveCounter(), 2);
  EXPECT_EQ(g.engine.Root(), g.engine.MoveHistory(2));

  g.engine.SetShownPly(99);  // outside the record: ignored
  EXPECT_EQ(g.engine.ShownPly(), 2);

  ASSERT_TRUE(g.Human("g1f3"));
  EXPECT_EQ(g.engine.MoveCounter(), 4);
  EXPECT_EQ(g.engine.LastPly(), 4);
  EXPECT_EQ(g.engine.HistoryLength(), 5);
  EXPECT_EQ(g.engine.MoveHistory(3)(6, 3), -kKnight);
  EXPECT_EQ(g.engine.MoveHistory(3)(4, 2), -kPawn);  // d2 back home in this line
}

TEST(ChessHistory, AGameLongerThanThreeHundredPliesKeepsGoing) {
  Game g("7k/8/8/8/8/8/8/K7 w");
  for (int i = 0; i < 320; ++i) g.engine.RecordPosition();
  EXPECT_EQ(g.engine.MoveCounter(), 320);
  EXPECT_EQ(g.engine.HistoryLength(), 321);
  EXPECT_EQ(g.engine.MoveHistory(320), g.engine.Root());
}
