// Flippa's window: clicks, the upside-down look, the win, and the variant menu.
#include "board_text.h"
#include "flippa.h"
#include "solitaire_fixture.h"

using board::Form24;

namespace {
class FlippaTest : public SolitaireTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openSolitaire<Form24>("Flippa");
  }
  void set(const std::string& kinds, const std::string& upside) {
    w->Board = boardtest::Parse(kinds);
    w->UpsideDown = boardtest::Parse(upside, 0);
    redraw(*w);
  }
  Form24* w = nullptr;
};
}  // namespace

TEST_F(FlippaTest, AClickStepsTheNeighboursAndCounts) {
  chooseMenu("sp", 0);
  start(*w);
  set("1 1 1 2  1 1 1 1  1 1 1 1  1 1 1 1", "0 0 0 0  0 0 0 0  0 0 0 0  0 0 0 0");
  click(w->slika(0));
  EXPECT_EQ(w->UpsideDown[1], -1);
  EXPECT_EQ(w->UpsideDown[4], -1);
  EXPECT_EQ(w->UpsideDown[0], 0);
  EXPECT_EQ(w->UpsideDown[5], 0);
  // Drawn mirrored: the cell's top row is the picture's bottom row.
  const rt::Surface bare(w->slika(1).Picture()->image());
  for (int x = 0; x < 32; x += 5) {
    EXPECT_EQ(w->slika(1).surface().pixel(x, 0), bare.pixel(x, 31));
    EXPECT_EQ(w->slika(1).surface().pixel(x, 31), bare.pixel(x, 0));
    EXPECT_EQ(w->slika(0).surface().pixel(x, 0), bare.pixel(x, 0));
  }
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"caption " + base() + "Flippa            Moves:1"}));
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(FlippaTest, AWinPlaysEightAndTurnsEveryPictureUpright) {
  chooseMenu("sp", 0);
  start(*w);
  // Two clicks on cell 0 turn cells 1 and 4 into kind 2: every cell then shows kind 2.
  set("2 1 2 2  1 2 2 2  2 2 2 2  2 2 2 2", "-1 0 0 -1  0 0 -1 0  0 0 0 0  0 0 0 -1");
  click(w->slika(0));
  click(w->slika(0));
  EXPECT_EQ(last(takeLog()), "sound 8");
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(w->Board[i], 2);
    EXPECT_EQ(w->UpsideDown[i], 0) << i;
  }
  EXPECT_EQ(w->slika(3).surface().pixel(16, 0), rt::Surface(w->slika(3).Picture()->image()).pixel(16, 0));
  EXPECT_FALSE(w->Picture1->Enabled());
  click(w->slika(5));
  EXPECT_EQ(w->MoveCount, 2);
}

TEST_F(FlippaTest, VariantDealsAtOnceAndNothingRunsDuringTheScramble) {
  start(*w);
  click(w->slika(10));
  bool blocked = false;
  vt::vhost().after(0, [&] {
    blocked = !w->findMenu("uoieufio")->Enabled() && !w->findMenu("pomoc")->Enabled() &&
              !w->Picture1->Enabled();
  });
  chooseMenu("ria", 1);
  EXPECT_TRUE(blocked);
  EXPECT_EQ(w->FlipVariant, 1);
  EXPECT_TRUE(w->findMenu("ria", 1)->Checked());
  EXPECT_FALSE(w->findMenu("ria", 0)->Checked());
  EXPECT_TRUE(w->findMenu("uoieufio")->Enabled());
  EXPECT_FALSE(w->findMenu("opcije")->Enabled());  // still locked by "Continue"
  EXPECT_TRUE(w->Picture1->Enabled());
  EXPECT_EQ(last(takeLog()), "caption " + base() + "Flippa");
  const board::Cells before = w->Board, upBefore = w->UpsideDown;
  click(w->slika(24));  // the centre of 7 x 7: eight neighbours step
  int changed = 0;
  for (int i = 0; i < 49; ++i) changed += w->Board[i] != before[i] || w->UpsideDown[i] != upBefore[i];
  EXPECT_EQ(changed, 8);
  EXPECT_EQ(w->MoveCount, 2);  // the count goes on
}

TEST_F(FlippaTest, NoDealWhileTheWinSoundPlays) {
  chooseMenu("sp", 0);
  start(*w);
  set("2 1 2 2  1 2 2 2  2 2 2 2  2 2 2 2", "-1 0 0 -1  0 0 -1 0  0 0 0 0  0 0 0 -1");
  click(w->slika(0));
  bool chosen = false;
  vt::vhost().after(0, [&] {
    chosen = w->findMenu("ria", 1)->effectivelyEnabled();
    chooseMenu("ria", 1);
  });
  click(w->slika(0));  // the winning click: sound 8 pumps
  EXPECT_TRUE(chosen);
  EXPECT_EQ(w->FlipVariant, 0);
  EXPECT_TRUE(w->findMenu("ria", 0)->Checked());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(w->Board[i], 2) << i;
  EXPECT_FALSE(w->Picture1->Enabled());
  // Once the move has ended the menu deals again.
  chooseMenu("ria", 1);
  EXPECT_EQ(w->FlipVariant, 1);
}
