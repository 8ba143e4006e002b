// The computer's search: promotion, early stop, ties, repetition, fallback and game over,
// mates, the cut-off flag that must not leak from one reply to the next, and moves that
// would leave the computer's king attacked.
#include <random>

#include "gen_mov.h"
#include "recording_host.h"

using namespace chess;
using namespace chess_test;

namespace {

// Number of the root candidate (1..count) that the computer played.
int PlayedCandidate(const ChessEngine& e) {
  const BoardList& list = e.Level1List();
  for (int n = 1; n <= list.Count(); ++n)
    if (list.Entry(n).SamePlaySquares(e.Root())) return n;
  return 0;
}

}  // namespace

TEST(ChessSearch, PromotionMakesAQueenInTheSearchButNotInTheFallback) {
  Game g("7k/8/8/8/4K3/8/p7/8 w");
  EXPECT_EQ(g.Go(), "a2a1q");
  EXPECT_EQ(g.engine.Root()(1, 1), kQueen);
  bool queenCandidate = false;
  for (int n = 1; n <= g.engine.Level1List().Count(); ++n)
    queenCandidate |= g.engine.Level1List().Entry(n)(1, 1) == kQueen;
  EXPECT_TRUE(queenCandidate);

  // The fallback scans column 1 first, so the pawn's step is its first candidate, and with
  // nothing to win it keeps it; the pawn stays a pawn there.
  g.Load("7k/8/8/8/4K3/8/p7/8 w");
  g.engine.FallbackSearch();
  EXPECT_EQ(g.engine.BestBoard()(1, 1), kPawn);
  EXPECT_EQ(g.engine.BestBoard()(1, 2), kEmpty);
  EXPECT_FALSE(g.engine.GameOverFlag());
}

TEST(ChessSearch, WinningMoreThanTwoPointsEndsTheSearchAtThatCandidate) {
  Game pawn("4k3/8/8/3p4/4P3/8/8/4K3 w");
  EXPECT_EQ(pawn.Go(), "d5e4");
  EXPECT_EQ(pawn.host.HighestProgress(), 1);  // the capture is ordered first
  EXPECT_EQ(pawn.engine.ProgressTotal(), 7);

  // Knight for bishop wins exactly 2: every candidate is still searched.
  Game minor("4k3/8/8/3n4/8/4B3/3P4/4K3 w");
  EXPECT_EQ(minor.Go(), "d5e3");
  EXPECT_EQ(minor.host.HighestProgress(), minor.engine.ProgressTotal());
  EXPECT_LT(PlayedCandidate(minor.engine), minor.engine.ProgressTotal());
}

TEST(ChessSearch, TheFirstCandidateInOrderWinsTies) {
  // Bare kings: every king move scores the same and keeps the material, so the exchange
  // sort leaves the generator's order and its first move is played.
  for (bool strong : {false, true}) {
    Game g("4k3/8/8/8/8/8/8/4K3 w", strong);
    EXPECT_EQ(g.Go(), "e8d7");
    EXPECT_EQ(PlayedCandidate(g.engine), 1);
    EXPECT_EQ(g.host.HighestProgress(), g.engine.ProgressTotal());
  }
}

TEST(ChessSearch, ACandidateThatBringsAPlacementBackAThirdTimeIsRefused) {
  // Computer placements A (rook e8) and B (rook e7) alternate on its plies 4..10; at ply 11
  // the human's knight stands on e8, and taking it would bring A a third time.
  const std::string a = "4r1k1/8/8/8/8/8/8/K7 w", b = "6k1/4r3/8/8/8/8/8/K7 w";
  const std::string now = "4N1k1/4r3/8/8/8/8/8/K7 w";
  Game g(a);
  EXPECT_FALSE(g.engine.IsRepetition(Board(a)));  // below ply 10 never
  for (int ply = 1; ply <= 11; ++ply) {
    const int computerPly = ply - ply % 2;
    g.engine.SetRoot(Board(ply == 11 ? now : computerPly % 4 == 0 ? a : b));
    g.engine.RecordPosition();
  }
  ASSERT_EQ(g.engine.MoveCounter(), 11);
  EXPECT_TRUE(g.engine.IsRepetition(Board("4N1k1/8/8/8/8/8/8/K7 w")));  // computer men of A
  const std::string move = g.Go();
  EXPECT_NE(move, "e7e8");
  EXPECT_FALSE(move.empty());

  Game fresh(now);  // the same position without that past takes the knight
  EXPECT_EQ(fresh.Go(), "e7e8");
}

TEST(ChessSearch, GameOverWhenEveryComputerMoveLosesTheKing) {
  for (const char* position : {"7k/6Q1/6K1/8/8/8/8/8 w",   // mated
                               "7k/5Q2/6K1/8/8/8/8/8 w",   // stalemated: no draw exists
                               "8/8/8/7P/8/8/p1K5/k7 w"})  // stalemated; trading kings looked like a win
    for (bool strong : {false, true}) {
      SCOPED_TRACE(std::string(position) + (strong ? " 6 plies" : " 4 plies"));
      Game g(position, strong);
      const EngineBoard before = g.engine.Root();
      EXPECT_EQ(g.Go(), "");
      EXPECT_TRUE(g.engine.GameOverFlag());
      EXPECT_EQ(g.host.log, (std::vector<std::string>{"begin", "msgbox Game over", "show 0", "show 1", "end"}));
      EXPECT_TRUE(g.engine.Root().SamePlaySquares(before));
      EXPECT_EQ(g.engine.MoveCounter(), 1);  // the unchanged position is one more ply
      EXPECT_EQ(g.engine.MoveHistory(1), g.engine.MoveHistory(0));
    }
}

TEST(ChessSearch, MateInOneIsFoundAtBothStrengths) {
  for (bool strong : {false, true}) {
    SCOPED_TRACE(strong ? "6 plies" : "4 plies");
    Game back("r5k1/8/8/8/8/8/5PPP/6K1 w", strong);
    EXPECT_EQ(back.Go(), "a8a1");
    Game white("7k/8/6K1/8/8/8/8/R7 b", strong);  // the computer plays White
    EXPECT_EQ(white.Go(), "a1a8");
    // Mated: every human move is refused.
    for (int from = 0; from < 64; ++from)
      for (int to = 0; to < 64; ++to) ASSERT_FALSE(white.engine.TryHumanMove(from, to)) << from << " " << to;
  }
}

TEST(ChessSearch, ACutoffLeftByOneReplyDoesNotScoreTheNextReply) {
  // Here a cut-off set on the last square of one reply's scan used to end the next reply's
  // scan at once, scoring the candidate -30000 and throwing away the best move.
  Game weak("6k1/r1pn4/4N2B/p2p4/3P1p2/1P2P3/1PP2PPP/RN1QKB1R b");
  EXPECT_EQ(weak.Go(), "e3f4");  // the leak played e6f4
  Game strong("2rk2nr/2p1ppB1/2P4p/1P1N2p1/p7/3P1N1P/1PP1BP2/R2QK2R b", true);
  EXPECT_EQ(strong.Go(), "g7h8");  // takes the rook; the leak played d5e7
}

TEST(ChessSearch, StrengthIsReadForEachSearch) {
  Game g("r1bqkbnr/pppp1ppp/2n5/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w");
  g.engine.ComputerMove();
  const int64_t four = g.engine.MovesExamined();
  g.Load("r1bqkbnr/pppp1ppp/2n5/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w");
  g.host.difficult = true;
  g.engine.ComputerMove();
  EXPECT_GT(g.engine.MovesExamined(), 10 * four);
}

TEST(ChessSearch, CountsBelongToTheLastSearchAndSplitLeavesFromMadePositions) {
  for (bool strong : {false, true}) {
    Game g("r1bqkbnr/pppp1ppp/2n5/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w", strong);
    g.engine.ComputerMove();
    const int64_t moves = g.engine.MovesExamined(), made = g.engine.PositionsMade();
    EXPECT_GT(made, 0);
    EXPECT_GT(moves - made, made);  // the last ply's replies outnumber the positions above them
    g.Load("r1bqkbnr/pppp1ppp/2n5/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w");
    g.engine.ComputerMove();
    EXPECT_EQ(g.engine.MovesExamined(), moves);
    EXPECT_EQ(g.engine.PositionsMade(), made);
  }
}

namespace {

// The human's lone king steps to a random neighbour square the engine accepts (the computer
// then replies inside TryHumanMove). False when no step is accepted.
bool RandomKingStep(ChessEngine& e, std::mt19937& rng) {
  int kc = 0, kr = 0;
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col)
      if (e.Root()(col, row) == kHumanKing) kc = col, kr = row;
  std::vector<int> targets;
  for (int dr = -1; dr <= 1; ++dr)
    for (int dc = -1; dc <= 1; ++dc) {
      const int c = kc + dc, r = kr + dr;
      if ((dc || dr) && c >= 1 && c <= 8 && r >= 1 && r <= 8) targets.push_back(SquareNumber(c, r));
    }
  std::shuffle(targets.begin(), targets.end(), rng);
  for (int to : targets)
    if (e.TryHumanMove(SquareNumber(kc, kr), to)) return true;
  return false;
}

}  // namespace

TEST(ChessSearch, TheComputerNeverLeavesItsKingAttacked) {
  // The search used to trade kings here: the human could not take the king, and every
  // move of the human was refused.
  for (const char* position : {"8/8/8/8/8/3K4/8/3Bk3 b", "1r6/6b1/8/8/8/K7/2k5/8 w", "6b1/8/8/8/K1k5/n7/8/8 w"})
    for (bool strong : {false, true}) {
      SCOPED_TRACE(std::string(position) + (strong ? " 6 plies" : " 4 plies"));
      Game g(position, strong);
      EXPECT_FALSE(g.Go().empty());
      EXPECT_FALSE(g.engine.GameOverFlag());
      EXPECT_FALSE(KingCapturable<Side::Computer>(g.engine.Root()));
      std::mt19937 rng(1);
      EXPECT_TRUE(RandomKingStep(g.engine, rng));  // the game goes on
    }
}

TEST(ChessSearch, RandomLoneKingEndingsNeverLeaveTheComputerKingAttacked) {
  const int32_t men[] = {kQueen, kRook, kBishop, kKnight, kPawn};
  std::mt19937 rng(2026);
  int computerMoves = 0;
  for (int game = 0; game < 300; ++game) {
    EngineBoard b;
    b.FillFrame();
    for (int row = 1; row <= 8; ++row)
      for (int col = 1; col <= 8; ++col) b(col, row) = kEmpty;
    // At most four men on 64 squares: a free square comes up within a few draws.
    auto place = [&](int32_t v) {
      for (int tries = 0; tries < 10'000; ++tries) {
        const int col = static_cast<int>(rng() % 8) + 1, row = static_cast<int>(rng() % 8) + 1;
        if (b(col, row) == kEmpty && (v != kPawn || (row > 1 && row < 8))) {
          b(col, row) = v;
          return;
        }
      }
      FAIL() << "game " << game << ": no free square for " << v;
    };
    ASSERT_NO_FATAL_FAILURE(place(kComputerKing));
    ASSERT_NO_FATAL_FAILURE(place(kHumanKing));
    for (int n = 1 + static_cast<int>(rng() % 2); n > 0; --n) ASSERT_NO_FATAL_FAILURE(place(men[rng() % 5]));
    if (KingCapturable<Side::Human>(b)) continue;  // the human would be in check already

    Game g("", game % 10 == 0);
    g.engine.LoadPosition(b, rng() % 2 == 0);
    const std::string start = PlacementText(b, g.engine.HumanIsWhite());
    g.engine.ComputerMove();
    for (int ply = 0; ply < 6 && !g.engine.GameOverFlag(); ++ply) {
      ASSERT_FALSE(KingCapturable<Side::Computer>(g.engine.Root()))
          << start << " ply " << g.engine.MoveCounter() << ": " << g.Placement();
      ++computerMoves;
      if (!RandomKingStep(g.engine, rng)) break;  // the human is mated or stalemated
    }
  }
  EXPECT_GT(computerMoves, 1000);
}
