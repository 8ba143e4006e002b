// Quadrin on the virtual host: the squares' colours and turns, the charge per turn, completed
// groups with their pause, both ends, and the help panel that never frees a closed board.
#include <algorithm>

#include "connect_fixture.h"
#include "quadrin.h"

using connect::Cells;
using connect::Form11;
using connect::kTrue;

namespace {
class QuadrinWindow : public ConnectTest<Form11> {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    openWindow("Quadrin");
  }
  int squaresOf(rt::Color c) {
    int count = 0;
    for (int s = 0; s < 81; ++s) count += w->rot(s).BackColor() == c;
    return count;
  }
  void colourSquare(int s, rt::Color c) { w->rot(s).setBackColor(c); }
  // Kinds 0..24 with no two neighbours equal, and kind 30 at 0, 1, 10 and 21: the right turn of
  // square 10 (cells 11, 12, 21, 22) brings 21 to 11 and joins the four.
  Cells oneTurnFromAGroup() {
    Cells b = quiet(25);
    b[0] = b[1] = b[10] = b[21] = 30;
    return b;
  }
  void playOn(const Cells& b) {
    setBoard(b);
    start();
    takeLog();
  }
};
}  // namespace

TEST_F(QuadrinWindow, NewWindowOptionsAndSquareColours) {
  EXPECT_EQ(caption(), base() + "Quadrin");
  EXPECT_FALSE(w->Picture1->Enabled());
  EXPECT_EQ(w->groupSize, 4);
  std::vector<std::string> captions;
  for (rt::MenuItem* item : w->sp) captions.push_back(item->Caption() + (item->Checked() ? "*" : ""));
  EXPECT_EQ(captions, (std::vector<std::string>{"2", "4*", "5", "10", "20", "25", "50"}));
  EXPECT_EQ(w->sm->Caption(), "All the small squares are black");
  EXPECT_FALSE(w->sm->Checked());
  int kinds[25] = {};
  for (int16_t k : w->Board) ++kinds[k];
  for (int k : kinds) EXPECT_EQ(k, 4);

  auto countColours = [&] {
    const int blue = squaresOf(Form11::kSquareBlue), red = squaresOf(Form11::kSquareRed);
    EXPECT_EQ(blue + red, 81);
    EXPECT_EQ(std::min(blue, red), 40);
  };
  countColours();
  const Cells dealt = w->Board;
  chooseMenu("sm");
  EXPECT_TRUE(w->sm->Checked());
  EXPECT_EQ(squaresOf(0), 81);
  chooseMenu("sm");
  EXPECT_FALSE(w->sm->Checked());
  countColours();
  EXPECT_EQ(w->Board, dealt);  // recoloured, not dealt again

  chooseMenu("sp", 6);  // n = 50: kinds 0 and 1
  int zeros = static_cast<int>(std::count(w->Board.begin(), w->Board.end(), 0));
  EXPECT_EQ(zeros, 50);
  playOn(quiet(2));
  EXPECT_EQ(caption(), base() + "Quadrin            Cash:500$");
  EXPECT_FALSE(w->Command2->Visible());
  EXPECT_FALSE(w->opcije->Enabled());
  EXPECT_FALSE(w->sm->Enabled());
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(QuadrinWindow, SquaresTurnByColourAndButtonForOneDollar) {
  playOn(quiet(25));
  const Cells start = w->Board;
  struct Case {
    rt::Color colour;
    int button;
    bool left, turns;
  } cases[] = {
      {0, 1, true, true},  {0, 2, false, true},  {0, 4, false, false},  // black: by the button
      {Form11::kSquareBlue, 2, true, true},     // blue: always left
      {Form11::kSquareRed, 1, false, true},     // red: always right
  };
  int32_t cash = 500;
  for (const Case& c : cases) {
    setBoard(start);
    colourSquare(40, c.colour);  // corner cell 44: cells 44, 45, 54, 55
    click(w->rot(40), c.button);
    Cells want = start;
    if (c.turns) {
      --cash;
      if (c.left) {
        want[44] = start[45], want[45] = start[55], want[55] = start[54], want[54] = start[44];
      } else {
        want[44] = start[54], want[54] = start[55], want[55] = start[45], want[45] = start[44];
      }
    }
    EXPECT_EQ(w->Board, want) << c.colour << " button " << c.button;
    EXPECT_EQ(w->cash, cash);
    EXPECT_EQ(w->slika(44).Picture(), w->ikona[want[44]]);
    EXPECT_TRUE(w->Picture1->Enabled());
  }
  EXPECT_EQ(caption(), base() + "Quadrin            Cash:496$");
  std::vector<long long> changed = state("changedFlag");
  for (int i = 0; i < 100; ++i) EXPECT_EQ(changed[i] != 0, i == 44 || i == 45 || i == 54 || i == 55) << i;
  EXPECT_EQ(countLog("sound 1"), 0);  // no group of four formed
}

TEST_F(QuadrinWindow, CompletedGroupPausesThenTurnsWhiteAndDoneCellsTravel) {
  playOn(oneTurnFromAGroup());
  colourSquare(10, Form11::kSquareRed);
  const double t0 = vt::vhost().nowMs();
  bool markShown = false;
  vt::vhost().after(500, [&] {  // during the pause: the mark over the picture, board closed
    markShown = w->doneFlag[11] && w->slika(11).Picture() == w->ikona[30] && !w->Picture1->Enabled();
  });
  click(w->rot(10));
  EXPECT_TRUE(markShown);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"caption " + base() + "Quadrin            Cash:499$", "sound 1",
                                                 "wait 1000"}));
  EXPECT_GE(vt::vhost().nowMs() - t0, 1000);
  EXPECT_EQ(w->completedCells, 4);
  for (int i : {0, 1, 10, 11}) {
    EXPECT_EQ(w->doneFlag[i], kTrue) << i;
    EXPECT_EQ(w->slika(i).Picture(), nullptr) << i;
    EXPECT_EQ(w->slika(i).BackColor(), 0xFFFFFFu) << i;
  }
  EXPECT_TRUE(w->Picture1->Enabled());

  // Turning done cells away costs a dollar and never counts them again.
  colourSquare(0, Form11::kSquareBlue);
  click(w->rot(0));
  EXPECT_EQ(w->cash, 498);
  EXPECT_EQ(w->completedCells, 4);
  EXPECT_EQ(countLog("sound 1"), 0);
  EXPECT_EQ(w->doneFlag[10], kTrue);  // from 11 to 10 with its picture
}

TEST_F(QuadrinWindow, LastGroupWinsAndLastDollarEndsThePlay) {
  Cells done;
  done.fill(kTrue);
  for (int i : {0, 1, 10, 21}) done[i] = 0;
  playOn(oneTurnFromAGroup());
  w->doneFlag = done;
  w->completedCells = 96;
  w->cash = 1;
  colourSquare(10, Form11::kSquareRed);
  click(w->rot(10));  // the last dollar completes the board
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"caption " + base() + "Quadrin            Cash:0$", "sound 1",
                                                 "wait 1000", "sound 8"}));
  EXPECT_EQ(w->completedCells, 100);
  EXPECT_FALSE(w->Picture1->Enabled());
}

TEST_F(QuadrinWindow, HelpPanelNeverFreesAClosedBoard) {
  const Cells b = quiet(25);
  setBoard(b);
  // Before "Continue": OK leaves the board closed, so no free turn.
  chooseMenu("pomoc");
  EXPECT_TRUE(w->Picture2->Visible());
  EXPECT_TRUE(w->Picture1->Visible());  // the short panel: the board stays in sight
  EXPECT_EQ(w->Label1->Caption().rfind("  Welcome to Quadrin, freeware programmed by Morvel Vukran in 2003.", 0), 0u);
  click(w->Command1->face());
  EXPECT_FALSE(w->Picture2->Visible());
  EXPECT_FALSE(w->Picture1->Enabled());
  click(w->rot(0));
  EXPECT_EQ(w->Board, b);

  // In play: the panel closes the board, OK opens it again.
  start();
  chooseMenu("pomoc");
  EXPECT_FALSE(w->Picture1->Enabled());
  click(w->Command1->face());
  EXPECT_TRUE(w->Picture1->Enabled());

  // Help opened during a turn's pause: the board opens only when both are over.
  playOn(oneTurnFromAGroup());
  colourSquare(10, Form11::kSquareRed);
  vt::vhost().after(200, [&] { chooseMenu("pomoc"); });
  vt::vhost().after(400, [&] { click(w->Command1->face()); });
  bool closedAfterOk = false;
  vt::vhost().after(600, [&] { closedAfterOk = !w->Picture1->Enabled(); });
  click(w->rot(10));
  EXPECT_TRUE(closedAfterOk);
  EXPECT_TRUE(w->Picture1->Enabled());

  // Out of money: OK keeps it closed.
  w->cash = 1;
  click(w->rot(30));
  EXPECT_EQ(w->cash, 0);
  EXPECT_FALSE(w->Picture1->Enabled());
  chooseMenu("pomoc");
  click(w->Command1->face());
  EXPECT_FALSE(w->Picture1->Enabled());
}
