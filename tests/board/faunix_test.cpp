// Faunix's window: the count labels, the drag protocol, the swap and the end of a game.
#include <algorithm>

#include "board_text.h"
#include "faunix.h"
#include "solitaire_fixture.h"

using board::Form6;
using board::kNoCell;

namespace {
class FaunixTest : public SolitaireTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openSolitaire<Form6>("Faunix");
  }
  void setBoard(const std::string& text) {
    w->Board = boardtest::Parse(text);
    redraw(*w);
  }
  std::string counts() {
    std::string s;
    for (int i = 0; i < w->BoardSize; ++i) s += w->hlab(i).Caption();
    s += "/";
    for (int i = 0; i < w->BoardSize; ++i) s += w->vlab(i).Caption();
    return s;
  }
  Form6* w = nullptr;
};
}  // namespace

TEST_F(FaunixTest, DealShowsCountsAndAZeroCount) {
  EXPECT_EQ(w->BoardSize, 7);
  EXPECT_EQ(w->MoveCount, 0);
  for (int kind = 1; kind <= 7; ++kind) EXPECT_EQ(std::count(w->Board.begin(), w->Board.end(), kind), 7);
  EXPECT_FALSE(w->Picture1->Enabled());
  chooseMenu("sp", 6);
  EXPECT_EQ(last(takeLog()), "caption " + base() + "Faunix          Moves:0");
  EXPECT_EQ(w->Picture1->Left(), 13);
  EXPECT_EQ(w->Picture1->Top(), 13);
  EXPECT_EQ(w->Picture1->Width(), 368);
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(w->hlab(i).Visible());
    EXPECT_TRUE(w->vlab(i).Visible());
    EXPECT_EQ(w->hlab(i).Left(), 341);
    EXPECT_EQ(w->vlab(i).Top(), 347);
    const int shown = std::stoi(w->hlab(i).Caption());
    EXPECT_EQ(w->hlab(i).ForeColor(), shown == 10 ? rt::kRed : rt::kBlack);
  }
  chooseMenu("sp", 0);
  EXPECT_EQ(w->Picture1->Left(), 115);
  EXPECT_EQ(w->Picture1->Width(), 164);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(w->hlab(i).Visible(), i < 4);
  start(*w);
  EXPECT_TRUE(w->Picture1->Enabled());
  EXPECT_FALSE(w->findMenu("opcije")->Enabled());
  EXPECT_EQ(w->MoveCount, 0);
  EXPECT_TRUE(takeLog().empty());  // "Continue" leaves the caption to the deal
}

TEST_F(FaunixTest, DragsSwapAndCountEveryDrop) {
  chooseMenu("sp", 0);
  start(*w);
  setBoard("1 1 3 4  2 3 4 1  3 4 1 2  4 2 2 3");
  EXPECT_EQ(counts(), "3443/4444");
  drag(w->slika(1), w->slika(13));  // column 1 gets its 1 and row 3 its 1
  EXPECT_EQ(w->Board[1], 2);
  EXPECT_EQ(w->Board[13], 1);
  EXPECT_EQ(w->slika(13).Picture(), w->slika(0).Picture());
  EXPECT_EQ(counts(), "4444/4444");
  EXPECT_EQ(w->hlab(0).ForeColor(), rt::kRed);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"caption " + base() + "Faunix          Moves:1", "sound 8",
                                                 "wait 2000"}));
  EXPECT_FALSE(w->Picture1->Enabled());
  drag(w->slika(0), w->slika(5));  // the won board takes no drags
  EXPECT_EQ(w->Board[0], 1);
  EXPECT_EQ(w->MoveCount, 1);
}

TEST_F(FaunixTest, ADropOnItselfOrOffTheBoardMovesNothing) {
  start(*w);
  const board::Cells before = w->Board;
  drag(w->slika(3), w->slika(3));
  EXPECT_EQ(w->SourceCell, kNoCell);
  EXPECT_EQ(w->MoveCount, 0);
  dragOff(*w, 3);  // released outside the window: the next drag moves what it picks up
  drag(w->slika(10), w->slika(11));
  EXPECT_EQ(w->Board[10], before[11]);
  EXPECT_EQ(w->Board[11], before[10]);
  EXPECT_EQ(w->Board[3], before[3]);
  drag(w->slika(10), w->hlab(0));  // a count label is no target
  drag(w->slika(0), w->slika(1));
  EXPECT_EQ(w->Board[1], before[0]);
  EXPECT_EQ(w->Board[10], before[11]);
  EXPECT_EQ(w->MoveCount, 2);
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(FaunixTest, AWrittenDragSourceIsACellOfTheBoardOrNone) {
  chooseMenu("sp", 0);
  start(*w);
  const rt::StateVar& source = w->state().at("SourceCell");
  for (long long off : {150, -3, 16, 254}) EXPECT_FALSE(source.fits(0, off)) << off;
  setState("SourceCell", "15");
  EXPECT_EQ(w->SourceCell, 15);
  setState("SourceCell", std::to_string(kNoCell));
  EXPECT_EQ(w->SourceCell, kNoCell);
}
