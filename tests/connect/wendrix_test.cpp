// Wendrix on the virtual host: the shared connect window (deal, options, "Continue", the check,
// the caption, both ends) and the black field's moves.
#include "connect_fixture.h"
#include "wendrix.h"

using connect::Cells;
using connect::Form4;
using connect::kTrue;

namespace {
class WendrixWindow : public ConnectTest<Form4> {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    openWindow("Wendrix");
  }
  void setBlack(int cell) {
    w->blackFlag.fill(0);
    w->blackFlag[cell] = kTrue;
    w->redrawState();
  }
  // n = 50: the fifty pictures in rows 0..4 but for cell 49, which is the black field; cell 59
  // below it holds the fiftieth picture.
  Cells nearlyJoined() {
    Cells b{};
    for (int i = 0; i < 50; ++i) b[i] = 1;
    b[49] = 0;
    b[59] = 1;
    return b;
  }
};
}  // namespace

TEST_F(WendrixWindow, NewWindowDealsFiveCopiesAndWaitsForContinue) {
  EXPECT_EQ(caption(), base() + "Wendrix");
  EXPECT_FALSE(w->Picture1->Enabled());
  EXPECT_TRUE(w->Command2->Visible());
  EXPECT_EQ(w->Command2->Caption(), "Continue");
  std::vector<std::string> captions;
  for (rt::MenuItem* item : w->sp) captions.push_back(item->Caption() + (item->Checked() ? "*" : ""));
  EXPECT_EQ(captions, (std::vector<std::string>{"2 (1300$)", "4 (1500$)", "5 (1200$)*", "10 (1000$)",
                                                "20 (750$)", "25 (500$)", "50 (50$)"}));
  int grey = 0, black = 0;
  for (int i = 0; i < 100; ++i) {
    grey += w->Board[i] == 0;
    if (w->blackFlag[i]) {
      ++black;
      EXPECT_EQ(w->Board[i], 0);
      EXPECT_EQ(w->slika(i).BackColor(), 0x000000u);
    }
  }
  EXPECT_EQ(grey, 5);
  EXPECT_EQ(black, 1);
  click(w->slika(0));  // the board takes no clicks before "Continue"
  EXPECT_TRUE(takeLog().empty());

  // Another size deals again; its price is the start money.
  chooseMenu("sp", 3);
  EXPECT_EQ(w->groupSize, 10);
  EXPECT_TRUE(w->sp[3]->Checked());
  EXPECT_FALSE(w->sp[2]->Checked());
  int kinds[10] = {};
  for (int16_t k : w->Board) ++kinds[k];
  for (int k : kinds) EXPECT_EQ(k, 10);
  setBoard(quiet(10));
  setBlack(0);
  start();
  EXPECT_EQ(caption(), base() + "Wendrix            Cash:1000$");
  EXPECT_FALSE(w->Command2->Visible());
  EXPECT_FALSE(w->opcije->Enabled());
  EXPECT_FALSE(w->sp[0]->effectivelyEnabled());
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(WendrixWindow, SlidesAndRecoloursCostOneDollarEach) {
  Cells b = quiet(20);  // grey fields at 0, 68, 76, 84, 92
  setBoard(b);
  setBlack(0);
  start();
  ASSERT_EQ(w->cash, 1200);
  const rt::PicHandle one = w->slika(1).Picture();
  click(w->slika(1));  // right of the black field: slides left into it
  EXPECT_EQ(w->Board[0], b[1]);
  EXPECT_EQ(w->Board[1], 0);
  EXPECT_EQ(w->slika(0).Picture(), one);
  EXPECT_EQ(w->slika(0).BackColor(), 0x808080u);
  EXPECT_EQ(w->slika(1).Picture(), nullptr);
  EXPECT_EQ(w->slika(1).BackColor(), 0x000000u);
  EXPECT_EQ(caption(), base() + "Wendrix            Cash:1199$");

  struct Step { int cell; int32_t cash; int black; };
  for (Step s : {Step{10, 1199, 1},    // touches the black field only diagonally: nothing
                 Step{1, 1199, 1},     // the black field itself: only the check
                 Step{68, 1198, 68},   // a grey field becomes black, the old black turns grey
                 Step{69, 1197, 69},   // the picture beside it slides in
                 Step{70, 1197, 69}})  // row 7's first cell never reaches row 6's last
  {
    click(w->slika(s.cell));
    EXPECT_EQ(w->cash, s.cash) << s.cell;
    EXPECT_TRUE(w->blackFlag[s.black]) << s.cell;
    EXPECT_TRUE(w->Picture1->Enabled());
  }
  EXPECT_EQ(w->slika(1).BackColor(), 0x808080u);
  EXPECT_EQ(countLog("caption " + base() + "Wendrix            Cash:1197$"), 2);
}

TEST_F(WendrixWindow, JoiningTheLastCopyCompletesTheGroupAndWins) {
  chooseMenu("sp", 6);  // n = 50: the target is 50 cells
  setBoard(nearlyJoined());
  setBlack(49);
  start();
  EXPECT_EQ(w->cash, 50);
  EXPECT_EQ(w->completedCells, 0);  // 49 joined copies are no group
  takeLog();
  click(w->slika(59));              // slides up into the black field
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"caption " + base() + "Wendrix            Cash:49$",
                                                 "sound 1", "sound 8"}));
  EXPECT_EQ(w->completedCells, 50);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(w->doneFlag[i] != 0, w->Board[i] == 1) << i;
    if (w->Board[i] == 1) {
      EXPECT_EQ(w->slika(i).Picture(), nullptr);
      EXPECT_EQ(w->slika(i).BackColor(), 0xFFFFFFu);
    }
  }
  EXPECT_FALSE(w->Picture1->Enabled());  // won
  EXPECT_TRUE(w->blackFlag[59]);
  click(w->slika(58));
  EXPECT_EQ(w->cash, 49);
}

TEST_F(WendrixWindow, DoneCellsTravelAndAreNotCountedAgain) {
  chooseMenu("sp", 5);  // n = 25: kind 1 dealt joined in cells 0..24, grey fields 25..49
  Cells b{};
  for (int i = 0; i < 100; ++i) b[i] = i < 25 ? 1 : i < 50 ? 0 : static_cast<int16_t>(2 + (i / 10 + i) % 2);
  setBoard(b);
  setBlack(25);
  start();
  EXPECT_EQ(w->completedCells, 25);  // marked at "Continue", with its sound
  EXPECT_EQ(countLog("sound 1"), 1);
  EXPECT_TRUE(w->Picture1->Enabled());
  takeLog();
  click(w->slika(15));  // a white cell slides into the black field and stays white
  EXPECT_TRUE(w->doneFlag[25]);
  EXPECT_FALSE(w->doneFlag[15]);
  EXPECT_EQ(w->slika(25).BackColor(), 0xFFFFFFu);
  EXPECT_EQ(w->slika(15).BackColor(), 0x000000u);
  click(w->slika(25));  // back again: the group is whole but already counted
  EXPECT_TRUE(w->doneFlag[15]);
  EXPECT_EQ(w->completedCells, 25);
  EXPECT_EQ(countLog("sound 1"), 0);
  EXPECT_EQ(w->cash, 498);
}

TEST_F(WendrixWindow, SpendingTheLastDollarEndsTheGame) {
  setBoard(quiet(20));
  setBlack(0);
  start();
  w->cash = 1;
  click(w->slika(76));  // a recolouring with 1$ left
  EXPECT_EQ(w->cash, 0);
  EXPECT_EQ(caption(), base() + "Wendrix            Cash:0$");
  EXPECT_TRUE(w->blackFlag[76]);
  EXPECT_FALSE(w->Picture1->Enabled());
  click(w->slika(77));
  EXPECT_EQ(w->Board[76], 0);
}

TEST_F(WendrixWindow, AStartThatIsAlreadyWonKeepsTheBoardDisabled) {
  chooseMenu("sp", 6);
  Cells b{};
  for (int i = 0; i < 50; ++i) b[i] = 1;
  setBoard(b);
  setBlack(50);
  start();
  EXPECT_EQ(countLog("sound 8"), 1);
  EXPECT_FALSE(w->Picture1->Enabled());
}

TEST_F(WendrixWindow, HelpCoversTheBoard) {
  chooseMenu("pomoc");
  EXPECT_TRUE(w->Picture2->Visible());
  EXPECT_FALSE(w->Picture1->Visible());
  const std::string& text = w->Label1->Caption();
  EXPECT_EQ(text.rfind("  Welcome to Wendrix, freeware programmed by Morvel Vukran in 2004. Your goal", 0), 0u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3);
  EXPECT_EQ(text.substr(text.size() - 25), "\r  Good luck. Have a fun.");
  click(w->Command1->face());
  EXPECT_FALSE(w->Picture2->Visible());
  EXPECT_TRUE(w->Picture1->Visible());
}
