// Each piece's moves, in the generator's fixed order, and marking mode.
#include "gen_mov.h"
#include "recording_host.h"

using namespace chess;
using namespace chess_test;

namespace {

EngineBoard Empty() {
  EngineBoard b;
  b.FillFrame();
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col) b(col, row) = kEmpty;
  return b;
}

struct Sq2 {
  int col, row;
  bool operator==(const Sq2&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Sq2& s) { return os << "(" << s.col << "," << s.row << ")"; }

template <Side S>
std::vector<Sq2> Targets(const EngineBoard& b, int col, int row) {
  std::vector<Sq2> out;
  GenMoves<S>(b, col, row, [&](int to, int from) {
    EXPECT_EQ(from, Sq(col, row));
    out.push_back({ColOf(to), RowOf(to)});
  });
  return out;
}

}  // namespace

TEST(ChessGenerator, RookSlidesUpDownRightLeftAndStopsAtPieces) {
  EngineBoard b = Empty();
  b(1, 1) = kRook;
  EXPECT_EQ(Targets<Side::Computer>(b, 1, 1),
            (std::vector<Sq2>{{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}, {1, 8},
                              {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}}));
  b(1, 4) = -kKnight;  // capture ends the slide
  EXPECT_EQ(Targets<Side::Computer>(b, 1, 1)[2], (Sq2{1, 4}));
  EXPECT_EQ(Targets<Side::Computer>(b, 1, 1)[3], (Sq2{2, 1}));
  b(1, 4) = kKnight;  // own piece ends it before
  EXPECT_EQ(Targets<Side::Computer>(b, 1, 1)[1], (Sq2{1, 3}));
  EXPECT_EQ(Targets<Side::Computer>(b, 1, 1)[2], (Sq2{2, 1}));
}

TEST(ChessGenerator, QueenBishopKnightAndKingOrders) {
  EngineBoard b = Empty();
  b(4, 4) = kQueen;
  b(6, 6) = -kPawn;  // ends the first diagonal with a capture
  b(3, 5) = kPawn;   // blocks (-1, 1) at once
  const std::vector<Sq2> queen = Targets<Side::Computer>(b, 4, 4);
  EXPECT_EQ(std::vector<Sq2>(queen.begin(), queen.begin() + 8),
            (std::vector<Sq2>{{5, 5}, {6, 6}, {5, 3}, {6, 2}, {7, 1}, {3, 3}, {2, 2}, {1, 1}}));
  EXPECT_EQ(queen.size(), 2u + 3u + 0u + 3u + 4u + 3u + 4u + 3u);

  EngineBoard n = Empty();
  n(4, 4) = -kKnight;
  EXPECT_EQ(Targets<Side::Human>(n, 4, 4),
            (std::vector<Sq2>{{6, 5}, {6, 3}, {2, 3}, {2, 5}, {5, 6}, {3, 6}, {5, 2}, {3, 2}}));
  EXPECT_EQ(Targets<Side::Computer>(n, 4, 4), std::vector<Sq2>{});  // not the computer's piece

  EngineBoard k = Empty();
  k(1, 1) = kComputerKing;
  EXPECT_EQ(Targets<Side::Computer>(k, 1, 1), (std::vector<Sq2>{{2, 2}, {1, 2}, {2, 1}}));
  k(8, 8) = kHumanKing;
  k(7, 8) = kPawn;  // the human king may take it
  EXPECT_EQ(Targets<Side::Human>(k, 8, 8), (std::vector<Sq2>{{7, 7}, {8, 7}, {7, 8}}));

  EngineBoard bi = Empty();
  bi(1, 8) = -kBishop;
  EXPECT_EQ(Targets<Side::Human>(bi, 1, 8),
            (std::vector<Sq2>{{2, 7}, {3, 6}, {4, 5}, {5, 4}, {6, 3}, {7, 2}, {8, 1}}));
}

TEST(ChessGenerator, PawnsStepCaptureAndNeverTakeTheFrame) {
  EngineBoard b = Empty();
  b(4, 7) = kPawn;
  b(3, 6) = -kKnight;
  b(5, 6) = -kBishop;
  // Double step, single step, capture to col + 1, then col - 1.
  EXPECT_EQ(Targets<Side::Computer>(b, 4, 7), (std::vector<Sq2>{{4, 5}, {4, 6}, {5, 6}, {3, 6}}));
  b(4, 5) = -kPawn;  // double step blocked
  EXPECT_EQ(Targets<Side::Computer>(b, 4, 7), (std::vector<Sq2>{{4, 6}, {5, 6}, {3, 6}}));
  b(4, 6) = kKnight;  // no forward move at all
  EXPECT_EQ(Targets<Side::Computer>(b, 4, 7), (std::vector<Sq2>{{5, 6}, {3, 6}}));

  EngineBoard h = Empty();
  h(1, 5) = -kPawn;
  h(2, 6) = kRook;
  EXPECT_EQ(Targets<Side::Human>(h, 1, 5), (std::vector<Sq2>{{1, 6}, {2, 6}}));  // (0, 6) is frame
  h(1, 2) = -kPawn;
  EXPECT_EQ(Targets<Side::Human>(h, 1, 2), (std::vector<Sq2>{{1, 4}, {1, 3}}));
  h(2, 3) = -kPawn;  // own piece on the capture square
  EXPECT_EQ(Targets<Side::Human>(h, 1, 2), (std::vector<Sq2>{{1, 4}, {1, 3}}));
}

TEST(ChessGenerator, MarkingModeOnlyFillsTheMaps) {
  RecordingHost host;
  ChessEngine e(host);
  EngineBoard b = Empty();
  b(5, 8) = kComputerKing;
  b(4, 7) = kPawn;    // diagonals (3, 6) and (5, 6) empty: not marked
  b(1, 8) = kRook;
  b(1, 5) = -kKnight;  // the rook's slide ends here; (1, 4) is never marked
  b(5, 1) = kHumanKing;
  const EngineBoard before = b;

  e.ClearAttackMaps();
  e.SetMarkingMode(true);
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col) e.GenMovesFallbackComputer(b, col, row);
  const EngineBoard& map = e.ComputerAttackMap();
  EXPECT_EQ(map(4, 6), 1);
  EXPECT_EQ(map(4, 5), 1);
  EXPECT_EQ(map(3, 6), 0);
  EXPECT_EQ(map(5, 6), 0);
  EXPECT_EQ(map(1, 5), 1);
  EXPECT_EQ(map(1, 4), 0);
  EXPECT_EQ(map(4, 8), 1);
  EXPECT_EQ(map(5, 1), 0);
  EXPECT_EQ(b, before);
  EXPECT_EQ(e.Root(), e.MoveHistory(0));  // no board of the engine moved either
  EXPECT_TRUE(host.log.empty());

  e.GenMovesFallbackHuman(b, 1, 5);
  EXPECT_EQ(e.HumanReachMap()(2, 7), 1);
  EXPECT_EQ(e.HumanReachMap()(1, 8), 0);  // knights do not move straight
}
