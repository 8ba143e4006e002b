// Klumpa on the virtual host: the 8 x 8 board, the target and its marked cell, selection and
// one-step moves (neighbours by index), groups left, moves and the win.
#include "connect_fixture.h"
#include "klumpa.h"

using connect::Form13;
using connect::kNone;

namespace {
class KlumpaWindow : public ConnectTest<Form13> {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    openWindow("Klumpa");
  }
  // n = 16: each kind fills one quadrant, with pairs of cells exchanged.
  void startQuadrants(std::initializer_list<std::pair<int, int>> swaps) {
    chooseMenu("sp", 3);
    for (int i = 0; i < 64; ++i) w->Board[i] = static_cast<int16_t>((i / 32) * 2 + (i % 8) / 4);
    for (auto [a, b] : swaps) std::swap(w->Board[a], w->Board[b]);
    w->redrawState();
    start();
    takeLog();
  }
  void aim(int16_t target, int16_t marked) {
    w->target = target;
    w->marked = marked;
    w->redrawState();
  }
  std::string status(const std::string& what) const { return base() + "Klumpa       " + what; }
};
}  // namespace

TEST_F(KlumpaWindow, ContinueChoosesATargetAndShowsTheGroupsLeft) {
  std::vector<std::string> captions;
  for (rt::MenuItem* item : w->sp) captions.push_back(item->Caption() + (item->Checked() ? "*" : ""));
  EXPECT_EQ(captions, (std::vector<std::string>{"2", "4*", "8", "16"}));
  EXPECT_EQ(w->slika.count(), 64);
  int count[16] = {};
  for (int i = 0; i < 64; ++i) ++count[w->Board[i]];
  for (int c : count) EXPECT_EQ(c, 4);
  start();
  EXPECT_EQ(caption(), status("Groups left:16"));
  EXPECT_FALSE(w->opcije->Enabled());
  EXPECT_TRUE(w->Picture1->Enabled());
  EXPECT_EQ(w->moves, 0);
  ASSERT_LT(w->marked, 64);
  EXPECT_EQ(w->Board[w->marked], w->target);
  EXPECT_FALSE(w->doneFlag[w->marked]);
}

TEST_F(KlumpaWindow, GroupsDealtCompleteCountFromTheFirstMove) {
  startQuadrants({{7, 8}});  // kinds 2 and 3 complete, 0 and 1 not
  EXPECT_EQ(w->grouped, 32);
  EXPECT_EQ(caption(), status("Groups left:4"));  // "Continue" shows 64 / n
  EXPECT_TRUE(w->target == 0 || w->target == 1);
}

TEST_F(KlumpaWindow, OnlyTheTargetMovesAndOnlyOneStepByIndex) {
  startQuadrants({{7, 8}});
  aim(0, 0);
  struct Click { int cell, button; bool beeps; };
  for (Click c : {Click{0, 2, true},    // the marked cell
                  Click{6, 2, true},    // not the target kind
                  Click{9, 1, true},    // no selection yet
                  Click{7, 2, false},   // a target picture: selected
                  Click{14, 1, true},   // not beside it
                  Click{16, 1, true},   // not beside it
                  Click{6, 3, false}})  // another button: nothing
  {
    click(w->slika(c.cell), c.button);
    EXPECT_EQ(countLog("beep"), c.beeps ? 1 : 0) << c.cell;
    takeLog();
  }
  EXPECT_EQ(w->selection, 7);
  EXPECT_EQ(w->moves, 0);
  click(w->slika(8), 1);  // column 7 to column 0 of the next row: neighbours by index
  EXPECT_EQ(w->Board[8], 0);
  EXPECT_EQ(w->Board[7], 1);
  EXPECT_EQ(w->moves, 1);
  // That move joined every group: the win.
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"caption " + status("Groups left:0"), "sound 8",
                                                 "caption " + status("Moves:1")}));
  EXPECT_EQ(w->marked, kNone);
  EXPECT_EQ(w->selection, kNone);
  EXPECT_FALSE(w->Picture1->Enabled());
}

TEST_F(KlumpaWindow, CompletingTheTargetGroupChoosesAnotherTarget) {
  startQuadrants({{7, 8}, {59, 60}});  // every kind broken
  aim(0, 0);
  vt::ScriptedRandom rnd({0.0f, 0.3f, 0.0f, 0.9f, 0.0f});  // kind 0 again, 1 (now complete), 3 with r = 1
  click(w->slika(7), 2);
  click(w->slika(8), 1);
  EXPECT_EQ(w->target, 3);
  EXPECT_EQ(w->marked, 36);  // the first cell of kind 3
  EXPECT_EQ(w->selection, kNone);
  EXPECT_EQ(caption(), status("Groups left:2"));
  EXPECT_TRUE(w->Picture1->Enabled());
  click(w->slika(8), 1);  // the selection went with the old target
  EXPECT_EQ(countLog("beep"), 1);
}

TEST_F(KlumpaWindow, BreakingAnotherGroupChoosesANewTarget) {
  startQuadrants({{35, 36}});  // kinds 2 and 3 broken; 0 and 1 complete
  aim(2, 32);
  vt::ScriptedRandom rnd({0.3f, 0.0f});  // kind 1, r = 1
  click(w->slika(36), 2);
  click(w->slika(28), 1);  // pushes a picture of the complete kind 1 out of its group
  EXPECT_EQ(w->Board[28], 2);
  EXPECT_EQ(w->Board[36], 1);
  EXPECT_EQ(w->target, 1);
  EXPECT_EQ(w->marked, 4);
  EXPECT_EQ(w->selection, kNone);
  EXPECT_EQ(w->grouped, 16);
  EXPECT_EQ(caption(), status("Groups left:3"));
}
