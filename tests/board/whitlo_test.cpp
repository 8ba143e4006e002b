// The grid solitaire window through Whitlo: layout per size, "Continue", help, moves and the end.
#include <algorithm>

#include "solitaire_fixture.h"
#include "whitlo.h"

using board::Form22;
using board::kNoCell;

namespace {
class WhitloTest : public SolitaireTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openSolitaire<Form22>("Whitlo");
  }
  int whiteCount() const {
    return static_cast<int>(std::count(w->WhiteCells.begin(), w->WhiteCells.end(), -1));
  }
  Form22* w = nullptr;
};
}  // namespace

TEST_F(WhitloTest, EverySizeLaysOutItsCellsAndDealsItsKinds) {
  for (int item : {0, 6, 3}) {
    chooseMenu("sp", item);
    const int n = item + 4;
    EXPECT_EQ(w->BoardSize, n);
    EXPECT_EQ(w->Picture1->Width(), 34 * n + 3);
    EXPECT_EQ(w->Picture1->Height(), 34 * n + 3);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(w->slika(i).Visible(), i < n * n) << n << " " << i;
    const int last = n * n - 1;
    EXPECT_EQ(w->slika(last).Left(), 34 * (n - 1) - 1);
    EXPECT_EQ(w->slika(last).Top(), 34 * (n - 1) - 1);
    for (int kind = 1; kind <= n; ++kind) EXPECT_EQ(std::count(w->Board.begin(), w->Board.end(), kind), n);
    EXPECT_NE(w->TargetCell, kNoCell);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(w->findMenu("sp", i)->Checked(), i == item);
    EXPECT_FALSE(w->Picture1->Enabled());
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"caption " + base() + "Whitlo"}));
  }
  // The board sits inside the window at every size.
  for (int item = 0; item < 7; ++item) {
    chooseMenu("sp", item);
    EXPECT_GE(w->Picture1->Left(), 0);
    EXPECT_LE(w->Picture1->Left() + w->Picture1->Width(), w->pixelWidth());
    EXPECT_LE(w->Picture1->Top() + w->Picture1->Height(), w->pixelHeight());
  }
}

TEST_F(WhitloTest, ContinueLocksTheOptionsAndStartsTheCount) {
  EXPECT_TRUE(w->Command2->Visible());
  start(*w);
  EXPECT_FALSE(w->Command2->Visible());
  EXPECT_FALSE(w->findMenu("opcije")->Enabled());
  EXPECT_FALSE(w->findMenu("nu")->Enabled());
  EXPECT_TRUE(w->Picture1->Enabled());
  EXPECT_EQ(rt::frame().Caption(), base() + "Whitlo            Moves:0");
}

TEST_F(WhitloTest, HelpCoversTheBoardAndADealClosesIt) {
  chooseMenu("pomoc");
  EXPECT_FALSE(w->Picture1->Visible());
  EXPECT_TRUE(w->find("Picture2")->Visible());
  chooseMenu("sp", 1);  // a deal closes the panel
  EXPECT_TRUE(w->Picture1->Visible());
  EXPECT_FALSE(w->find("Picture2")->Visible());
  start(*w);
  chooseMenu("pomoc");
  click(*w->find("Command1"));
  EXPECT_TRUE(w->Picture1->Visible());
  EXPECT_TRUE(w->Picture1->Enabled());
  EXPECT_EQ(w->find("Label1")->captionText().substr(0, 27), "  Welcome to Whitlo, freewa");
}

TEST_F(WhitloTest, MovesWhitenCountAndMoveTheTarget) {
  start(*w);
  const int first = w->TargetCell;
  ASSERT_NE(first, kNoCell);
  click(w->slika(first));
  EXPECT_EQ(w->WhiteCells[first], -1);
  EXPECT_EQ(w->slika(first).Picture(), nullptr);
  EXPECT_EQ(w->MoveCount, 1);
  ASSERT_NE(w->TargetCell, kNoCell);
  EXPECT_EQ(w->WhiteCells[w->TargetCell], 0);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "caption " + base() + "Whitlo            Moves:1"}));
  EXPECT_TRUE(w->Picture1->Enabled());

  // A white cell beeps and counts nothing; a cell that changes nothing still counts.
  click(w->slika(first));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"beep"}));
  int other = 0;
  while (other < 100 &&
         (other == w->TargetCell || w->WhiteCells[other] == -1 || w->Board[other] == w->Board[w->TargetCell]))
    ++other;
  ASSERT_LT(other, 100) << "no cell of another kind";
  click(w->slika(other), 2);
  EXPECT_EQ(w->MoveCount, 2);
  EXPECT_EQ(whiteCount(), 1);
  EXPECT_EQ(countLog("sound 1"), 0);
}

TEST_F(WhitloTest, TheCrossIsDrawnOnTheTargetOnly) {
  // Where the cross lies, the target shows red over its picture; any other cell shows its picture.
  auto crossed = [&](int i) {
    const rt::Surface bare(w->slika(i).Picture()->image());
    return w->slika(i).surface().pixel(15, 15) != bare.pixel(15, 15);
  };
  const int t = w->TargetCell;
  EXPECT_TRUE(crossed(t));
  for (int i = 0; i < 100; ++i)
    if (i != t) {
      ASSERT_FALSE(crossed(i)) << i;
    }
  start(*w);
  click(w->slika(t));
  EXPECT_TRUE(crossed(w->TargetCell));
}

TEST_F(WhitloTest, TheLastWhiteningWinsAndTheBoardStaysClosed) {
  chooseMenu("sp", 0);
  start(*w);
  w->WhiteCells.fill(0);
  for (int i = 0; i < 16; ++i) w->WhiteCells[i] = i == 6 ? 0 : -1;
  w->TargetCell = 6;
  redraw(*w);
  click(w->slika(6));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "caption " + base() + "Whitlo            Moves:1",
                                                 "sound 8"}));
  EXPECT_EQ(w->TargetCell, kNoCell);
  EXPECT_FALSE(w->Picture1->Enabled());
  click(w->slika(6));
  click(w->slika(3));
  EXPECT_EQ(w->MoveCount, 1);
  EXPECT_EQ(rt::frame().Caption(), base() + "Whitlo            Moves:1");
}

TEST_F(WhitloTest, WrittenStateStaysOnTheDealtBoard) {
  chooseMenu("sp", 0);
  start(*w);
  // The size is the one the cells are laid out for: only the menu deals another.
  EXPECT_FALSE(w->state().at("BoardSize").set);
  // A target is a cell of the 4 x 4 board or none; a kind is one of its four, beyond it none.
  const rt::StateVar& target = w->state().at("TargetCell");
  for (long long off : {300, -5, 16, 50, 254, 256}) EXPECT_FALSE(target.fits(0, off)) << off;
  const rt::StateVar& board = w->state().at("Board");
  EXPECT_TRUE(board.fits(15, 4));
  EXPECT_FALSE(board.fits(15, 5));
  EXPECT_FALSE(board.fits(15, -1));
  EXPECT_TRUE(board.fits(16, -1));
  EXPECT_FALSE(board.fits(16, 1));
  // What fits sticks through the redraw; with no target the next click draws one on the board.
  setState("TargetCell", "15");
  EXPECT_EQ(w->TargetCell, 15);
  setState("TargetCell", std::to_string(kNoCell));
  int cell = 0;
  while (cell < 16 && w->WhiteCells[cell] == -1) ++cell;
  ASSERT_LT(cell, 16) << "no cell left to click";
  const int moves = w->MoveCount;
  click(w->slika(cell));  // changes nothing, counts, and draws a target again
  EXPECT_EQ(w->MoveCount, moves + 1);
  ASSERT_NE(w->TargetCell, kNoCell);
  EXPECT_LT(w->TargetCell, 16);
  EXPECT_TRUE(w->Picture1->Enabled());
}
