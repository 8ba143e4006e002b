// The chess window's display board: position text, engine values and squares, move codes.
#include <gtest/gtest.h>

#include "chess_engine.h"
#include "display_board.h"
#include "position_text.h"

using namespace chessui;

namespace {
const char* const kStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

std::vector<int> Row(const DisplayBoard& b, int row) {
  std::vector<int> out;
  for (int col = 1; col <= 8; ++col) out.push_back(b(col, row));
  return out;
}

DisplayBoard FromText(const std::string& placement) {
  DisplayBoard b;
  ReadFen(placement, b);
  return b;
}
}  // namespace

TEST(DisplayBoard, ReadFenOfTheStartAndOfShortTexts) {
  DisplayBoard b;
  ReadFen(kStartFen, b);
  EXPECT_EQ(Row(b, 1), (std::vector<int>{10, 8, 9, 11, 12, 9, 8, 10}));
  EXPECT_EQ(Row(b, 2), std::vector<int>(8, 7));
  for (int row = 3; row <= 6; ++row) EXPECT_EQ(Row(b, row), std::vector<int>(8, 0));
  EXPECT_EQ(Row(b, 7), std::vector<int>(8, 1));
  EXPECT_EQ(Row(b, 8), (std::vector<int>{4, 2, 3, 5, 6, 3, 2, 4}));

  // A text that stops short leaves the rest; without its 64th square the castling field
  // is read as pieces.
  DisplayBoard partial = b;
  ReadFen("8/8 w KQkq", partial);
  EXPECT_EQ(Row(partial, 1), std::vector<int>(8, 0));
  EXPECT_EQ(Row(partial, 2), std::vector<int>(8, 0));
  EXPECT_EQ(Row(partial, 3), (std::vector<int>{6, 5, 12, 11, 0, 0, 0, 0}));
  EXPECT_EQ(Row(partial, 8), Row(b, 8));
  // Codes 13 to 16 and skipped characters.
  DisplayBoard odd;
  ReadFen("Vv9Dd0x", odd);
  EXPECT_EQ(Row(odd, 1), (std::vector<int>{13, 14, 15, 16, 0, 0, 0, 0}));
}

TEST(DisplayBoard, EngineValuesTakeTheColourOfTheirSide) {
  // The human's men are White when the human plays White, Black otherwise.
  const int32_t values[12] = {-10, -30, -32, -50, -90, chess::kHumanKing, 10, 30, 32, 50, 90, chess::kComputerKing};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(CodeOfEngineValue(values[i], true), i + 1) << values[i];
    EXPECT_EQ(CodeOfEngineValue(values[i], false), (i + 6) % 12 + 1) << values[i];
  }
  EXPECT_EQ(CodeOfEngineValue(0, true), 0);
  EXPECT_EQ(CodeOfEngineValue(chess::kFrame, true), -1);
  EXPECT_EQ(CodeOfEngineValue(77, false), -1);

  // Both start positions show as the start text, each with White at rank 1.
  for (bool white : {true, false}) {
    chess::EngineBoard start;
    bool humanIsWhite = white;
    std::string error;
    ASSERT_TRUE(chess::ParsePosition(std::string("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR ") + (white ? "w" : "b"),
                                     start, humanIsWhite, error));
    EXPECT_EQ(DisplayFromEngine(start, white), FromText(kStartFen)) << white;
  }
}

TEST(DisplayBoard, SquareNumbersAgreeWithTheEngine) {
  for (bool white : {true, false})
    for (int c = 1; c <= 8; ++c)
      for (int r = 1; r <= 8; ++r) {
        int x, y;
        EngineToDisplay(c, r, white, x, y);
        EXPECT_EQ(HumanSquareNumber(x, y, white), chess::SquareNumber(c, r)) << c << "," << r << " " << white;
        int c2, r2;
        EngineToDisplay(x, y, white, c2, r2);
        EXPECT_EQ(c2 * 10 + r2, c * 10 + r);
      }
  // a8 is 0 and e1 60 for White; h1 is 0 and e8 59 for Black.
  EXPECT_EQ(HumanSquareNumber(1, 1, true), 0);
  EXPECT_EQ(HumanSquareNumber(5, 8, true), 60);
  EXPECT_EQ(HumanSquareNumber(8, 8, false), 0);
  EXPECT_EQ(HumanSquareNumber(5, 1, false), 59);
}

TEST(DisplayBoard, MoveCodes) {
  const DisplayBoard start = FromText(kStartFen);
  EXPECT_EQ(MoveCode(start, start), 0);
  EXPECT_EQ(MoveCode(start, FromText("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR")), 5254);
  // A capture, castling as the king's move, promotions with the new piece's kind.
  EXPECT_EQ(MoveCode(FromText("8/8/8/3p4/4P3/8/8/8"), FromText("8/8/8/3P4/8/8/8/8")), 5445);
  EXPECT_EQ(MoveCode(FromText("8/8/8/8/8/8/8/4K2R"), FromText("8/8/8/8/8/8/8/5RK1")), 5171);
  EXPECT_EQ(MoveCode(FromText("r3k3/8/8/8/8/8/8/8"), FromText("2kr4/8/8/8/8/8/8/8")), 5838);
  EXPECT_EQ(MoveCode(FromText("8/P7/8/8/8/8/8/8"), FromText("N7/8/8/8/8/8/8/8")), 17182);
  EXPECT_EQ(MoveCode(FromText("8/8/8/8/8/8/1p6/8"), FromText("8/8/8/8/8/8/8/1q6")), 22215);
}
