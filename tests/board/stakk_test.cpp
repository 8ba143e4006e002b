// Stakk 3D's window: the oblique view's hit test, both variants between humans and against the
// computer, and the ends of a game.
#include <string>

#include "pack_fixture.h"
#include "stakk.h"

using board::Form17;
using namespace stakk;

class StakkWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openAs<Form17>("Stakk 3D");
  }
  // variant 0 or 1; Brown 0 human, 1 computer; first 0 Green, 1 Brown.
  void start(int variant, int brown, int first) {
    chooseMenu("vrsta", variant);
    chooseMenu("opo", brown);
    chooseMenu("op2", first);
    click(*w->find("Command1"));
  }
  // A point inside the cell's band, halfway between its slanted edges.
  static std::pair<int, int> pointOf(int cell, int v) {
    const int a = cell % 4, b = cell / 4 % 4, c = cell / 16;
    const int r = (46 + 12 * v) * c + 45 * (1 - v);
    const int y = 15 + 12 * b + r + 5;
    const int left = 2 * (59 - y + r) + 30 * a + 30 - 7 * v;
    return {left + 14, y};
  }
  void clickCell(int cell) {
    auto [x, y] = pointOf(cell, w->variant);
    clickAt(*w->Picture1, x, y);
  }
  void setBoard(std::initializer_list<std::pair<int, int16_t>> coins) {
    for (auto [cell, v] : coins) w->Board[cell] = v;
    w->redrawState();
  }
  int coins(int16_t v) { return static_cast<int>(std::count(w->Board.begin(), w->Board.end(), v)); }
  Form17* w = nullptr;
};

TEST_F(StakkWindow, EveryCellIsHitInsideItsTileAndNowhereElse) {
  for (int v : {0, 1}) {
    chooseMenu("vrsta", v);
    const int side = v == 0 ? 3 : 4;
    for (int a = 0; a < side; ++a)
      for (int b = 0; b < side; ++b)
        for (int c = 0; c < side; ++c) {
          auto [x, y] = pointOf(Cell(a, b, c), v);
          EXPECT_EQ(w->HitCell(x, y), Cell(a, b, c)) << v << ": " << a << b << c;
          EXPECT_EQ(w->HitCell(x, y - 5), -1);  // the band's edge is no cell
        }
    EXPECT_EQ(w->HitCell(2, 2), -1);
  }
  EXPECT_EQ(w->Label2->Caption(), "Up to 1");
  chooseMenu("vrsta", 0);
  EXPECT_EQ(w->Label2->Caption(), "Up to 10");
  EXPECT_FALSE(w->Picture1->Enabled());
  EXPECT_TRUE(w->opcije->Enabled());
}

TEST_F(StakkWindow, ComputerOpensInACornerAndAnswersEveryMove) {
  start(1, 1, 1);
  EXPECT_FALSE(w->opcije->Enabled());
  EXPECT_FALSE(w->find("Command1")->Visible());
  ASSERT_EQ(coins(kBrown), 1);
  const int corner = static_cast<int>(std::find(w->Board.begin(), w->Board.end(), kBrown) - w->Board.begin());
  for (int k : {corner % 4, corner / 4 % 4, corner / 16}) EXPECT_TRUE(k == 0 || k == 3) << corner;
  EXPECT_EQ(w->Label1->Caption(), "Green's turn");
  EXPECT_EQ(w->moveCount, 1);

  clickCell(corner);  // occupied: a beep, no move
  EXPECT_EQ(countLog("beep"), 1);
  EXPECT_EQ(coins(kGreen), 0);
  const int free = corner == Cell(0, 0, 0) ? Cell(1, 1, 1) : Cell(0, 0, 0);
  clickCell(free);
  EXPECT_EQ(coins(kGreen), 1);
  EXPECT_EQ(coins(kBrown), 2);
  EXPECT_EQ(w->moveCount, 3);
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(StakkWindow, FourInALineEndsTheGameBeforeTheComputerMoves) {
  start(1, 1, 0);
  setBoard({{Cell(0, 2, 1), kGreen}, {Cell(1, 2, 1), kGreen}, {Cell(2, 2, 1), kGreen},
            {Cell(0, 0, 0), kBrown}, {Cell(1, 0, 0), kBrown}, {Cell(2, 0, 0), kBrown}});
  clickCell(Cell(3, 2, 1));
  EXPECT_EQ(w->Label1->Caption(), " Game over");
  EXPECT_EQ(w->bodovi(0).Caption(), "1");
  EXPECT_EQ(w->bodovi(1).Caption(), "0");
  EXPECT_EQ(coins(kBrown), 3);
  EXPECT_FALSE(w->Picture1->Enabled());
}

TEST_F(StakkWindow, BetweenHumansFourWinsAndADeadBoardIsADraw) {
  start(1, 0, 1);  // Brown, a human, first
  setBoard({{Cell(3, 0, 0), kBrown}, {Cell(2, 1, 1), kBrown}, {Cell(1, 2, 2), kBrown}});
  clickCell(Cell(0, 3, 3));  // a space diagonal
  EXPECT_EQ(w->Label1->Caption(), " Game over");
  EXPECT_EQ(w->bodovi(1).Caption(), "1");

  // Every line already holds both colours: " Nobody won" after the next coin, before the board is full.
  chooseMenu("igrica", game("Stakk 3D"));
  w = dynamic_cast<Form17*>(open());
  ASSERT_NE(w, nullptr);
  start(1, 0, 0);
  const std::string pattern = "GBBGGBGGBGBBBBGBGBBBBBGGBGGGBGBGBGGGBGBBGBBGBGBBGGBBBGGGBBGBGGBB";
  for (int cell = 0; cell < kCells; ++cell) w->Board[cell] = pattern[cell] == 'G' ? kGreen : kBrown;
  w->Board[1] = w->Board[3] = kEmpty;
  w->redrawState();
  clickCell(1);
  EXPECT_EQ(w->Label1->Caption(), " Nobody won");
  EXPECT_FALSE(w->Picture1->Enabled());
  EXPECT_EQ(coins(kEmpty), 1);
}

TEST_F(StakkWindow, ComputerFillingTheLastCellDrawsTheGame) {
  start(1, 1, 0);
  // No four anywhere; (1, 1, 0) is the only Brown coin of its row, so the board is still open
  // when Green has taken (0, 0, 0), and the computer's coin fills it.
  const std::string pattern = "GBBGGBGGBGBBBBGBGBBBBBGGBGGGBGBGBGGGBGBBGBBGBGBBGGBBBGGGBBGBGGBB";
  for (int cell = 0; cell < kCells; ++cell) w->Board[cell] = pattern[cell] == 'G' ? kGreen : kBrown;
  w->Board[Cell(0, 0, 0)] = w->Board[Cell(1, 1, 0)] = kEmpty;
  w->moveCount = 62;
  w->redrawState();
  clickCell(Cell(0, 0, 0));
  EXPECT_EQ(coins(kEmpty), 0);
  EXPECT_EQ(w->Board[Cell(1, 1, 0)], kBrown);
  EXPECT_EQ(w->Label1->Caption(), " Nobody won");
  EXPECT_FALSE(w->Picture1->Enabled());
}

TEST_F(StakkWindow, PointsGameScoresLinesWhitensThemAndEndsAtTen) {
  start(0, 0, 0);
  EXPECT_EQ(w->Label2->Caption(), "Up to 10");
  setBoard({{Cell(0, 0, 0), kGreen}, {Cell(1, 0, 0), kGreen}, {Cell(2, 1, 0), kGreen}, {Cell(2, 2, 0), kGreen}});
  clickCell(Cell(2, 0, 0));  // a row and a column at once
  EXPECT_EQ(w->score[0], 2);
  EXPECT_EQ(w->bodovi(0).Caption(), "2");
  EXPECT_EQ(coins(kWhite), 5);
  EXPECT_EQ(w->Label1->Caption(), "Green's turn");  // and Green moves again
  clickCell(Cell(1, 1, 1));  // whites leave the board first
  EXPECT_EQ(coins(kWhite), 0);
  EXPECT_EQ(coins(kGreen), 1);
  EXPECT_EQ(w->Label1->Caption(), "Brown's turn");

  // Brown is a human here: Brown's line at nine points reaches the limit.
  w->score[1] = 9;
  setBoard({{Cell(0, 0, 2), kBrown}, {Cell(0, 1, 2), kBrown}});
  clickCell(Cell(0, 2, 2));
  EXPECT_EQ(w->Label1->Caption(), " Game over");
  EXPECT_EQ(w->bodovi(1).Caption(), "10");
  EXPECT_FALSE(w->Picture1->Enabled());
}

TEST_F(StakkWindow, PointsComputerAnswersAndKeepsMovingWhileItScores) {
  start(0, 1, 0);
  setBoard({{Cell(0, 0, 2), kBrown}, {Cell(0, 1, 2), kBrown}});
  vt::ScriptedRandom rnd({0.0f, 0.5f,   // completes (0, 2, 2), then its draw of r
                          0.9f, 0.0f});  // nothing to complete or block: r, then the first free cell
  clickCell(Cell(2, 2, 0));
  EXPECT_EQ(w->score[1], 1);
  EXPECT_EQ(w->bodovi(1).Caption(), "1");
  EXPECT_EQ(coins(kBrown), 1);  // its line left the board, its second coin stays
  EXPECT_EQ(w->Board[Cell(0, 0, 0)], kBrown);
  EXPECT_EQ(w->Label1->Caption(), "Green's turn");
  EXPECT_TRUE(w->Picture1->Enabled());
}
