// Equin's window: the deal, legal and refused jumps, the drag protocol and the end.
#include <algorithm>

#include "board_text.h"
#include "equin.h"
#include "solitaire_fixture.h"

using board::Form26;
using board::kNoCell;

namespace {
class EquinTest : public SolitaireTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openSolitaire<Form26>("Equin");
  }
  void setBoard(const std::string& text) {
    w->Board = boardtest::Parse(text);
    redraw(*w);
  }
  int black() const {
    return static_cast<int>(std::find(w->Board.begin(), w->Board.end(), equin::kBlackKnight) - w->Board.begin());
  }
  Form26* w = nullptr;
};
}  // namespace

TEST_F(EquinTest, FreshBoardAndTheFirstJumps) {
  EXPECT_EQ(std::count(w->Board.begin(), w->Board.end(), equin::kWhiteKnight), 63);
  EXPECT_EQ(std::count(w->Board.begin(), w->Board.end(), equin::kBlackKnight), 1);
  EXPECT_EQ(w->MoveCount, 0);
  EXPECT_EQ(w->Picture1->Left(), 56);
  EXPECT_EQ(w->Picture1->Width(), 275);
  chooseMenu("sp", 6);
  EXPECT_EQ(w->Picture1->Left(), 22);
  EXPECT_EQ(w->Picture1->Width(), 343);
  EXPECT_EQ(last(takeLog()), "caption " + base() + "Equin          Moves:0");
  start(*w);
  const int b = black(), r = b / 10, c = b % 10;
  const int white = b == 0 ? 1 : 0;
  drag(w->slika(white), w->slika(white + 12 < 100 ? white + 12 : white - 12));  // no empty cell yet
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 10"}));
  EXPECT_TRUE(w->Picture1->Enabled());
  const int t = (r < 8 ? r + 2 : r - 2) * 10 + (c < 9 ? c + 1 : c - 1);
  drag(w->slika(b), w->slika(t));
  EXPECT_EQ(w->Board[t], equin::kBlackKnight);
  EXPECT_EQ(w->Board[b], equin::kEmpty);
  EXPECT_EQ(w->slika(b).Picture(), nullptr);
  EXPECT_EQ(w->slika(b).DragMode(), 0);
  EXPECT_EQ(w->slika(t).DragMode(), 1);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"caption " + base() + "Equin          Moves:1"}));
  drag(w->slika(b), w->slika(t));  // an empty cell cannot be picked up
  drag(w->slika(t), w->slika(t));  // a knight dropped on its own cell
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(w->MoveCount, 1);
}

TEST_F(EquinTest, RefusedJumpsSoundTenAndChangeNothing) {
  chooseMenu("sp", 0);
  start(*w);
  setBoard("2 1 1 3  1 1 3 1  1 3 1 1  3 1 1 1");
  const board::Cells before = w->Board;
  for (auto [s, t] : {std::pair{0, 9}, {0, 1}, {4, 10}, {1, 12}}) drag(w->slika(s), w->slika(t));
  EXPECT_EQ(w->Board, before);
  EXPECT_EQ(countLog("sound 10"), 4);
  EXPECT_EQ(w->MoveCount, 0);
  EXPECT_EQ(w->SourceCell, kNoCell);
}

TEST_F(EquinTest, EatingTheLastWhiteKnightWins) {
  chooseMenu("sp", 0);
  start(*w);
  setBoard("3 3 3 3  3 1 3 3  3 3 3 3  3 3 2 3");
  dragOff(*w, 14);  // released outside the window: forgotten
  drag(w->slika(14), w->slika(5));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"caption " + base() + "Equin          Moves:1", "sound 8",
                                                 "wait 2000"}));
  EXPECT_FALSE(w->Picture1->Enabled());
  EXPECT_EQ(w->Board[5], equin::kBlackKnight);
}
