// Spredo's window: the deal, the player's click and the computer's answer, the end and a new deal.
#include <array>
#include <tuple>

#include "pack_fixture.h"
#include "spredo.h"

using board::form27;
using namespace spredo;

namespace {
constexpr int Sq(int column, int row) { return kSide * column + row; }
}

class SpredoWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openAs<form27>("Spredo");
  }
  void setBoard(const Board& b) {
    w->Board = b;
    w->redrawState();
  }
  void clickSquare(int s) { clickAt(*w->Picture1, 26 * (s / kSide) + 12, 26 * (s % kSide) + 12); }
  bool squaresMatchBoard() {
    for (int s = 0; s < kSquares; ++s) {
      const rt::Shape& k = w->kockica(s);
      const int16_t v = w->Board[s];
      if (k.Tag != std::to_string(v)) return false;
      const rt::Color fill = v == kWhite ? rt::kWhite : v == kBlack ? rt::kBlack : w->Palette[v];
      if (k.FillColor != fill || (k.BorderStyle != 0) != (v >= kWhite)) return false;
    }
    return true;
  }
  form27* w = nullptr;
};

TEST_F(SpredoWindow, DealShowsFourColoursAndOneAnswerHasBeenPlayed) {
  for (int deal = 0; deal < 5; ++deal) {
    for (int s = 0; s < kSquares; ++s) EXPECT_TRUE(w->Board[s] <= 3 || w->Board[s] >= kWhite) << s;
    EXPECT_EQ(w->Board[0], kWhite);
    EXPECT_GE(Count(w->Board, kWhite), 1);
    EXPECT_GE(Count(w->Board, kBlack), 2);  // its corner has four colours around it: one gains
    EXPECT_TRUE(squaresMatchBoard());
    EXPECT_EQ(w->lblMoveCount->Caption(), "You: " + std::to_string(Count(w->Board, kWhite)) +
                                              "   Comp: " + std::to_string(Count(w->Board, kBlack)));
    EXPECT_TRUE(w->Picture1->Enabled());
    chooseMenu("cmbstart");
  }
  EXPECT_EQ(w->Palette[1], rt::RGB(0, 0, 255));
  EXPECT_EQ(w->Palette[5], rt::RGB(255, 0, 0));
}

TEST_F(SpredoWindow, ClickSpreadsThenTheComputerAnswers) {
  Board b;
  b.fill(5);
  b[0] = kWhite;
  b[kSquares - 1] = kBlack;
  b[Sq(1, 0)] = b[Sq(2, 0)] = b[Sq(2, 1)] = 1;  // joins through itself
  b[Sq(13, 12)] = 0;                            // the computer's only gain
  setBoard(b);
  vt::ScriptedRandom rnd({0.99f, 0.99f, 0.99f, 0.99f, 0.99f});  // colours tried 0, 1, ...: 0 gains
  clickSquare(Sq(2, 1));
  EXPECT_EQ(Count(w->Board, kWhite), 4);
  EXPECT_EQ(w->Board[Sq(13, 12)], kBlack);
  EXPECT_EQ(w->lblMoveCount->Caption(), "You: 4   Comp: 2");
  EXPECT_TRUE(squaresMatchBoard());

  // A click on an owned square is ignored: no computer move either.
  const Board now = w->Board;
  clickSquare(Sq(1, 0));
  clickSquare(Sq(13, 13));
  w->Picture1_MouseDown(1, 0, 26 * kSide + 3, 5);  // beyond the last column
  EXPECT_EQ(w->Board, now);
  EXPECT_EQ(rnd.remaining(), 0u);
  EXPECT_EQ(countLog("beep"), 0);
}

TEST_F(SpredoWindow, GameEndsWhenEverySquareIsOwnedAndANewDealReopensIt) {
  // The computer is walled in; the player takes the rest one colour at a time.
  Board b;
  b.fill(kWhite);
  b[kSquares - 1] = kBlack;
  b[Sq(13, 12)] = b[Sq(12, 13)] = kWhite;
  b[Sq(5, 5)] = 3;
  b[Sq(6, 5)] = 1;
  setBoard(b);
  clickSquare(Sq(5, 5));
  EXPECT_TRUE(w->Picture1->Enabled());
  EXPECT_EQ(w->lblMoveCount->Caption(), "You: 194   Comp: 1");
  clickSquare(Sq(6, 5));
  EXPECT_EQ(w->lblMoveCount->Caption(), "You: 195   Comp: 1");
  EXPECT_FALSE(w->Picture1->Enabled());
  chooseMenu("cmbstart");
  EXPECT_TRUE(w->Picture1->Enabled());
  EXPECT_FALSE(AllOwned(w->Board));
}

TEST_F(SpredoWindow, HelpLiesOverTheBoard) {
  chooseMenu("hlp");
  EXPECT_TRUE(w->helpShown());
  EXPECT_TRUE(w->Picture1->Visible());
  // The panel, its text and its button where the window's design puts them (pixels).
  for (auto [name, left, top, width, height] : {std::tuple{"Picture2", 24, 24, 315, 315},
                                                std::tuple{"Label3", 24, 112, 265, 169},
                                                std::tuple{"Command5", 248, 282, 57, 23}}) {
    const rt::Control* c = w->find(name);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_EQ((std::array{c->Left(), c->Top(), c->Width(), c->Height()}), (std::array{left, top, width, height}))
        << name;
  }
  click(*w->find("Command5"));
  EXPECT_FALSE(w->helpShown());
}
