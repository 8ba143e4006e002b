// Twirno on the virtual host: the ring turns, their costs by skill, border clicks, the pause
// after each completed group and the win at 100 cells.
#include "connect_fixture.h"
#include "twirno.h"

using connect::Cells;
using connect::Form16;
using connect::kTrue;

namespace {
class TwirnoWindow : public ConnectTest<Form16> {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    openWindow("Twirno");
  }
  // n = 4: every kind a 2 x 2 block, so every group is complete.
  static Cells blocks() {
    Cells b;
    for (int i = 0; i < 100; ++i) b[i] = static_cast<int16_t>((i / 20) * 5 + (i % 10) / 2 + 1);
    return b;
  }
};
}  // namespace

TEST_F(TwirnoWindow, OptionsAndSkillAreChosenBeforeContinue) {
  std::vector<std::string> captions;
  for (rt::MenuItem* item : w->sp) captions.push_back(item->Caption() + (item->Checked() ? "*" : ""));
  EXPECT_EQ(captions, (std::vector<std::string>{"2 (1000$)", "4 (1000$)*", "5 (1000$)", "10 (1000$)",
                                                "20 (1000$)", "25 (1000$)", "50 (1000$)"}));
  captions.clear();
  for (rt::MenuItem* item : w->vjestina) captions.push_back(item->Caption() + (item->Checked() ? "*" : ""));
  EXPECT_EQ(captions, (std::vector<std::string>{"Easy (you lose 2$)", "Medium (you lose 3$)*", "Hard (you lose 4$)"}));
  for (int16_t k : w->Board) EXPECT_TRUE(k >= 1 && k <= 25) << k;
  chooseMenu("vjestina", 2);
  EXPECT_EQ(w->skill, 2);
  EXPECT_TRUE(w->vjestina[2]->Checked());
  EXPECT_FALSE(w->vjestina[1]->Checked());
  chooseMenu("sp", 0);  // n = 2: fifty kinds, each with its own picture
  for (int i = 0; i < 100; ++i) {
    EXPECT_TRUE(w->Board[i] >= 1 && w->Board[i] <= 50);
    EXPECT_EQ(w->slika(i).Picture(), w->ikona[w->Board[i] - 1]);
  }
  EXPECT_EQ(w->ikona[49]->ref().text(), "transport(4)");
  setBoard(quiet(50, 1));
  start();
  EXPECT_EQ(caption(), base() + "Twirno            Cash:1000$");
  EXPECT_FALSE(w->ki->effectivelyEnabled());
  EXPECT_FALSE(w->nu->effectivelyEnabled());
  EXPECT_EQ(w->skill, 2);
}

TEST_F(TwirnoWindow, BorderClicksOnlyBeep) {
  setBoard(quiet(25, 1));
  start();
  takeLog();
  const Cells before = w->Board;
  for (int cell : {0, 5, 9, 10, 19, 50, 59, 90, 95, 99}) {
    click(w->slika(cell), 2);
    EXPECT_EQ(takeLog(), std::vector<std::string>{"beep"}) << cell;
  }
  EXPECT_EQ(w->Board, before);
  EXPECT_EQ(w->cash, 1000);
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(TwirnoWindow, ButtonsTurnTheRingAndWhiteCentresCostBySkill) {
  setBoard(quiet(25, 1));
  start();
  Cells want = w->Board, done = w->doneFlag;
  click(w->slika(44), 2);
  connect::TurnRing(want, done, 44, true);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(w->Board[i], want[i]) << i;
  click(w->slika(44), 1);
  click(w->slika(44), 1);
  connect::TurnRing(want, done, 44, false);
  connect::TurnRing(want, done, 44, false);
  EXPECT_EQ(w->Board, want);
  EXPECT_EQ(w->slika(33).Picture(), w->ikona[want[33] - 1]);
  EXPECT_EQ(w->cash, 997);
  takeLog();
  click(w->slika(44), 4);  // another button: the check only
  EXPECT_EQ(w->Board, want);
  EXPECT_EQ(takeLog(), std::vector<std::string>{"caption " + base() + "Twirno            Cash:997$"});

  struct Case { int skill; int32_t cash, left; };
  for (Case c : {Case{0, 100, 98}, {1, 100, 97}, {2, 100, 96}, {2, 2, 0}}) {
    w->skill = static_cast<int16_t>(c.skill);
    w->cash = c.cash;
    w->doneFlag[55] = kTrue;
    click(w->slika(55), 2);
    EXPECT_EQ(w->cash, c.left) << c.skill << " " << c.cash;
    w->doneFlag.fill(0);
  }
  EXPECT_EQ(caption(), base() + "Twirno            Cash:0$");
  EXPECT_FALSE(w->Picture1->Enabled());  // over
}

TEST_F(TwirnoWindow, EveryGroupPausesAfterItsSoundAndAllHundredWin) {
  Cells b = blocks(), done{};
  connect::TurnRing(b, done, 44, true);  // breaks the block of 22, 23, 32, 33
  setBoard(b);
  start();
  EXPECT_EQ(w->completedCells, 96);
  EXPECT_EQ(countLog("sound 1"), 24);
  EXPECT_EQ(countLog("wait 1000"), 24);
  EXPECT_TRUE(w->Picture1->Enabled());
  takeLog();
  click(w->slika(44), 1);  // turns them back
  std::vector<std::string> log = takeLog();
  log.erase(log.begin());  // the caption
  EXPECT_EQ(log, (std::vector<std::string>{"sound 1", "wait 1000", "sound 8"}));
  EXPECT_EQ(w->completedCells, 100);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(w->slika(i).BackColor(), 0xFFFFFFu) << i;
  EXPECT_FALSE(w->Picture1->Enabled());
}
