// Glimbo and Railor windows on the virtual host: the start, the removal effect, the wear of the
// arrows, the move count and the end of the game.
#include <algorithm>

#include "glimbo.h"
#include "pack_fixture.h"
#include "picture_library.h"
#include "railor.h"
#include "rt/dispatch.h"

using arrows::Form15;
using arrows::Form8;

namespace {

// The edge arrows and the cells all enabled (or all disabled).
bool boardEnabled(arrows::ArrowWindow& w, bool enabled) {
  for (int i = 0; i < 10; ++i)
    for (auto* a : {&w.shgore, &w.shdesno, &w.shdolje, &w.shlijevo})
      if ((*a)(i).Enabled() != enabled) return false;
  for (int i = 0; i < 100; ++i)
    if (w.slika(i).Enabled() != enabled) return false;
  return true;
}

std::string shown(rt::PictureBox& c) { return c.Picture() ? c.Picture()->ref().text() : ""; }

// Glimbo: the two copies of a picture lie 46 cells apart, so no shift of a line by a few cells
// joins them; cells 92..99 hold the inner arrows (down, left, up, right, twice).
glimbo::Cells apartBoard() {
  glimbo::Cells k;
  for (int i = 0; i < 92; ++i) k[i] = static_cast<int16_t>(i % 46);
  for (int i = 92; i < 100; ++i) k[i] = static_cast<int16_t>(46 + (i - 92) % 4);
  return k;
}

}  // namespace

class GlimboWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openAs<Form8>("Glimbo");
    takeLog();
  }
  // A board with every picture removed except those of `present`.
  void setBoard(const glimbo::Cells& k, std::vector<int> present = {}) {
    w->cellKind = k;
    w->cellUses.fill(0);
    if (!present.empty()) {
      for (int i = 0; i < 92; ++i) w->cellUses[i] = 1;
      for (int i : present) w->cellUses[i] = 0;
      w->removedCount = 92 - static_cast<int>(present.size());
    }
    w->redrawState();
  }
  Form8* w = nullptr;
};

TEST_F(GlimboWindow, DealsFiftyKindsTwiceAndWaitsForContinue) {
  std::vector<int> seen(50);
  for (int16_t k : w->cellKind) ++seen.at(k);
  EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int n) { return n == 2; }));
  EXPECT_EQ(w->useLimit, 6);
  EXPECT_TRUE(boardEnabled(*w, false));
  EXPECT_TRUE(w->Command2->Visible());
  EXPECT_EQ(w->slika(23).Left(), 34 * 3 + 6);
  EXPECT_EQ(w->slika(23).Width(), 30);
  EXPECT_EQ(w->shdesno(2).Left(), 358 + 36);
  EXPECT_EQ(w->shdesno(2).Top(), 34 * 2 + 45);
  EXPECT_EQ(shown(w->shgore(0)), "Glimbo.ikona(59)");
  EXPECT_EQ(shown(w->shlijevo(9)), "Glimbo.ikona(62)");
}

TEST_F(GlimboWindow, ContinueRemovesTouchingPairsWithOneEffectAfterTheSkillIsChosen) {
  const glimbo::Cells dealt = w->cellKind;
  chooseMenu("abb", 0);
  EXPECT_EQ(w->useLimit, 5);
  EXPECT_EQ(w->cellKind, dealt);
  EXPECT_TRUE(w->findMenu("abb", 0)->Checked());
  EXPECT_FALSE(w->findMenu("abb", 1)->Checked());

  glimbo::Cells k = apartBoard();
  std::swap(k[1], k[46]);  // pairs of 0 at 0 and 1, of 1 at 46 and 47
  setBoard(k);
  const double start = vt::vhost().nowMs();
  click(*w->Command2);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "wait 1000"}));
  EXPECT_GE(vt::vhost().nowMs() - start, 1000);
  EXPECT_EQ(w->removedCount, 4);
  for (int cell : {0, 1, 46, 47}) {
    EXPECT_EQ(w->cellUses[cell], 1) << cell;
    EXPECT_EQ(w->slika(cell).Picture(), nullptr) << cell;
  }
  EXPECT_FALSE(w->Command2->Visible());
  EXPECT_FALSE(w->findMenu("opcije")->Enabled());
  EXPECT_TRUE(boardEnabled(*w, true));
}

TEST_F(GlimboWindow, EdgeArrowTurnsBlackBeforeItsLastUseAndThenVanishes) {
  chooseMenu("abb", 0);  // 5 uses
  setBoard(apartBoard());
  click(*w->Command2);
  const char* const looks[] = {"Glimbo.ikona(59)", "Glimbo.ikona(59)", "Glimbo.ikona(59)", "Glimbo.ikona(55)"};
  for (int use = 1; use <= 5; ++use) {
    click(w->shgore(3));
    EXPECT_EQ(w->upUses[3], use);
    if (use < 5) {
      EXPECT_EQ(shown(w->shgore(3)), looks[use - 1]) << use;
      EXPECT_TRUE(w->shgore(3).Visible());
    }
  }
  EXPECT_FALSE(w->shgore(3).Visible());
  EXPECT_EQ(w->cellKind[3], apartBoard()[53]);  // column 3 went up five rows
  EXPECT_EQ(w->cellKind[93], apartBoard()[43]);
  EXPECT_TRUE(takeLog().empty());
}

TEST_F(GlimboWindow, InnerArrowMovesWithItsRowTurnsBlackAndWearsOut) {
  chooseMenu("abb", 0);
  setBoard(apartBoard());
  click(*w->Command2);
  int at = 93;  // a left arrow in row 9
  for (int use = 1; use <= 5; ++use) {
    click(w->slika(at));
    at = at == 90 ? 99 : at - 1;
    EXPECT_EQ(w->cellUses[at], use);
    EXPECT_EQ(shown(w->slika(at)), use < 4 ? "Glimbo.ikona(47)" : use == 4 ? "Glimbo.ikona(51)" : "") << use;
  }
  const glimbo::Cells before = w->cellKind;
  click(w->slika(at));  // used up: nothing happens
  EXPECT_EQ(w->cellKind, before);
  EXPECT_EQ(w->cellUses[at], 5);
  click(w->slika(5));  // a picture: nothing happens
  EXPECT_EQ(w->cellKind, before);
}

TEST_F(GlimboWindow, LastPairEndsTheGameWithEveryArrowUseCounted) {
  glimbo::Cells k = apartBoard();
  std::swap(k[11], k[46]);  // the copies of 0 at 0 and 11
  setBoard(k, {0, 11});
  w->cellUses[95] = 2;  // an inner arrow used twice
  w->upUses[4] = 3;
  click(*w->Command2);
  EXPECT_TRUE(boardEnabled(*w, true));
  takeLog();
  click(w->shlijevo(1));  // 11 to 10, under 0
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "wait 1000", "sound 8"}));
  EXPECT_EQ(w->removedCount, 92);
  EXPECT_EQ(w->Label4->Caption(), "6");
  EXPECT_TRUE(w->Picture5->Visible());
  EXPECT_TRUE(boardEnabled(*w, false));
  const glimbo::Cells after = w->cellKind;
  click(w->shlijevo(2));
  click(w->slika(95));
  EXPECT_EQ(w->cellKind, after);
  chooseMenu("pomoc");
  EXPECT_TRUE(w->find("Picture2")->Visible());
  click(*w->find("Command1"));
  EXPECT_FALSE(w->find("Picture2")->Visible());
}

TEST_F(GlimboWindow, ContinueOnAFinishedBoardKeepsItDisabled) {
  glimbo::Cells k = apartBoard();
  std::swap(k[1], k[46]);
  setBoard(k, {0, 1, 46, 47});
  click(*w->Command2);
  EXPECT_EQ(w->Label4->Caption(), "0");
  EXPECT_TRUE(w->Picture5->Visible());
  EXPECT_TRUE(boardEnabled(*w, false));
}

// ---------------------------------------------------------------- Railor

class RailorWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openAs<Form15>("Railor");
    takeLog();
  }
  void setBoard(const railor::Cells& k) {
    w->cellKind = k;
    w->cellState.fill(railor::kPresent);
    w->redrawState();
  }
  // N = 2: the two copies of kind j + 1 at cells j and j + 50, then the copies of 1 and 2 moved
  // next to cells 0 and 1 diagonally (to 11 and 12).
  railor::Cells diagonalPairs() {
    railor::Cells k;
    for (int i = 0; i < 100; ++i) k[i] = static_cast<int16_t>(i % 50 + 1);
    std::swap(k[11], k[50]);
    std::swap(k[12], k[51]);
    return k;
  }
  Form15* w = nullptr;
};

TEST_F(RailorWindow, EveryImagesItemDealsItsKinds) {
  EXPECT_EQ(w->groupSize, 25);
  for (int item = 0; item < 7; ++item) {
    chooseMenu("sp", item);
    const int n = railor::kGroupSizes[item];
    EXPECT_EQ(w->groupSize, n);
    std::vector<int> seen(101);
    for (int16_t k : w->cellKind) ++seen.at(k);
    for (int kind = 1; kind <= 100 / n; ++kind) EXPECT_EQ(seen[kind], n) << "N " << n << " kind " << kind;
    const int first = w->cellKind[0] - 1;
    EXPECT_EQ(shown(w->slika(0)), shell::LibraryOrder[first / 5] + "(" + std::to_string(first % 5) + ")");
    EXPECT_TRUE(w->findMenu("sp", item)->Checked());
  }
  EXPECT_EQ(shown(w->shgore(0)), "Glimbo.ikona(55)");
  EXPECT_EQ(shown(w->shdesno(0)), "Glimbo.ikona(56)");
  EXPECT_EQ(shown(w->shdolje(0)), "Glimbo.ikona(57)");
  EXPECT_EQ(shown(w->shlijevo(0)), "Glimbo.ikona(58)");
  EXPECT_EQ(w->shdesno(0).Left(), 358 + 37);
}

TEST_F(RailorWindow, AMoveThatCompletesTwoKindsCollectsThemOneAfterTheOther) {
  chooseMenu("sp", 0);
  setBoard(diagonalPairs());
  click(*w->Command2);
  EXPECT_TRUE(takeLog().empty());
  click(w->shlijevo(1));  // 11 to 10 under 0, 12 to 11 under 1
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "wait 1000", "sound 1", "wait 1000"}));
  EXPECT_EQ(w->moveCount, 1);
  EXPECT_EQ(w->removedCount, 4);
  for (int cell : {0, 1, 10, 11}) {
    EXPECT_EQ(w->cellState[cell], railor::kCollected);
    EXPECT_EQ(w->slika(cell).Picture(), nullptr);
  }
  EXPECT_TRUE(boardEnabled(*w, true));
}

TEST_F(RailorWindow, TwentyFourJoinedAreNotCollectedTheTwentyFifthCollectsAll) {
  railor::Cells k;
  int stripe = 0;
  for (int i = 0; i < 100; ++i) k[i] = static_cast<int16_t>(i < 24 || i == 39 ? 1 : 2 + stripe++ % 3);
  setBoard(k);
  click(*w->Command2);
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(w->removedCount, 0);
  click(w->shdesno(3));  // 39 wraps to 30, under 20
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "wait 1000"}));
  EXPECT_EQ(w->removedCount, 25);
  EXPECT_EQ(w->cellState[30], railor::kCollected);
  EXPECT_EQ(w->cellState[31], railor::kPresent);
}

TEST_F(RailorWindow, LastGroupEndsTheGameWithTheMoveCount) {
  chooseMenu("sp", 0);
  setBoard(diagonalPairs());
  for (int i = 0; i < 100; ++i)
    if (i != 0 && i != 11) w->cellState[i] = railor::kCollected;
  w->removedCount = 98;
  w->moveCount = 6;
  w->redrawState();
  click(*w->Command2);
  click(w->shlijevo(1));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "wait 1000", "sound 8"}));
  EXPECT_EQ(w->Label4->Caption(), "7");
  EXPECT_TRUE(w->Picture5->Visible());
  EXPECT_TRUE(boardEnabled(*w, false));
}

TEST_F(RailorWindow, ClosingTheWindowDuringTheRemovalPauseStopsTheCheck) {
  chooseMenu("sp", 0);
  setBoard(diagonalPairs());
  click(*w->Command2);
  vt::vhost().after(500, [] {
    rt::Form* f = rt::frame().activeForm();
    rt::dispatch(f, [f] { f->findMenu("igrica", game("Glimbo"))->fireClick(); });
  });
  click(w->shlijevo(1));
  EXPECT_NE(dynamic_cast<Form8*>(open()), nullptr);
  EXPECT_EQ(countLog("sound 1"), 1);  // the second group's effect never ran
}
