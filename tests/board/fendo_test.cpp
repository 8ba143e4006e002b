// Fendo's window: the start, human turns with the red last stick, the computer's turn inside a
// click, and a whole game against the computer.
#include "fendo.h"
#include "fendo_sides.h"
#include "pack_fixture.h"
#include "rt/dispatch.h"

using board::Form19;
using namespace fendo;
using namespace fendo_sides;

namespace {
constexpr rt::Color kRed = 0x0000FF, kGrey = 0xC0C0C0;
}  // namespace

class FendoWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openAs<Form19>("Fendo");
  }
  // Chooses the options and presses "Continue".
  void start(int opponent, int first) {
    chooseMenu("oki", opponent);
    chooseMenu("wg", first);
    click(*w->find("Command2"));
  }
  void clickStick(int n) { click(w->slika(n)); }
  // The sticks as the player sees them: hidden ones absent, black and red ones taken.
  Sticks shownSticks() const {
    Sticks s;
    for (int n = 0; n < kSticks; ++n) {
      const rt::Color c = w->slika(n).BackColor();
      s[n] = !w->slika(n).Visible() ? kAbsent : c == rt::kBlack || c == kRed ? kTaken : kFree;
    }
    return s;
  }
  // Sticks taken from outside the game, then shown.
  void take(std::initializer_list<int> sticks) {
    for (int n : sticks) w->game.sticks[n] = kTaken;
    rt::dispatch(w, w->redrawState);
  }
  int redSticks() {
    int n = 0;
    for (int i = 0; i < kSticks; ++i) n += w->slika(i).BackColor() == kRed;
    return n;
  }
  Form19* w = nullptr;
};

TEST_F(FendoWindow, LoadsLockedUntilContinue) {
  EXPECT_EQ(shownSticks(), StartSticks());
  EXPECT_EQ(w->game.sticks, StartSticks());
  EXPECT_FALSE(w->Picture1->Enabled());
  EXPECT_FALSE(w->Image2->Visible());
  EXPECT_TRUE(w->findMenu("oki", 1)->Checked());
  EXPECT_TRUE(w->findMenu("wg", 2)->Checked());
  EXPECT_EQ(w->bodi(0).Caption(), "0");
  EXPECT_EQ(w->slika(220).BackColor(), rt::kBlack);  // a post
  EXPECT_TRUE(w->slika(305).Visible());
  start(0, 0);
  EXPECT_TRUE(w->Picture1->Enabled());
  EXPECT_FALSE(w->op->Enabled());
  EXPECT_FALSE(w->find("Command2")->Visible());
  EXPECT_EQ(w->game.playerToMove, 0);

  // Chosen again from "Play": a fresh game with the design's options, unlocked.
  chooseMenu("igrica", game("Fendo"));
  w = dynamic_cast<Form19*>(open());
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->op->Enabled());
  EXPECT_TRUE(w->findMenu("oki", 1)->Checked());
  EXPECT_FALSE(w->findMenu("oki", 0)->Checked());
  EXPECT_TRUE(w->find("Command2")->Visible());
}

TEST_F(FendoWindow, HumansTakeTurnsAndTheLastStickShowsRed) {
  start(0, 0);
  clickStick(Top(4, 4));
  EXPECT_EQ(w->slika(Top(4, 4)).BackColor(), kRed);
  EXPECT_EQ(w->game.playerToMove, 1);
  clickStick(Top(4, 4));  // taken: a beep, the turn stays
  clickStick(220);        // a post
  EXPECT_EQ(countLog("beep"), 2);
  EXPECT_EQ(w->game.playerToMove, 1);
  clickStick(Top(6, 6));
  EXPECT_EQ(w->slika(Top(4, 4)).BackColor(), rt::kBlack);
  EXPECT_EQ(redSticks(), 1);
  EXPECT_EQ(w->game.playerToMove, 0);

  // A stick between two fields with three taken sides each scores two and moves again.
  take({Bottom(4, 2), Left(4, 2), Right(4, 2), Top(3, 2), Left(3, 2), Right(3, 2), Bottom(4, 3), Right(4, 3)});
  const auto iconPixel = [&](int r, int c) { return w->Picture1->surface().pixel(27 * c + 15, 27 * r + 15); };
  const rt::Color paper = iconPixel(3, 2);
  clickStick(Top(4, 2));  // closes (3, 2) and (4, 2)
  EXPECT_NE(iconPixel(3, 2), paper);  // Blue's icon painted on both fields
  EXPECT_EQ(iconPixel(4, 2), iconPixel(3, 2));
  EXPECT_EQ(w->game.score[0], 2);
  EXPECT_EQ(w->bodi(0).Caption(), "2");
  EXPECT_EQ(w->game.playerToMove, 0);
  clickStick(Top(4, 3));  // closes (4, 3) only
  EXPECT_EQ(w->game.score[0], 3);
  EXPECT_EQ(w->game.playerToMove, 0);
  EXPECT_EQ(shownSticks(), w->game.sticks);
}

TEST_F(FendoWindow, ComputerCollectsAChainThenPlaysOneRedStick) {
  vt::ScriptedRandom rnd({0.0f});  // the tie of its safe stick: the first
  start(1, 1);  // Yellow first: the computer has moved before the first click
  EXPECT_EQ(redSticks(), 1);
  EXPECT_EQ(w->game.playerToMove, 0);
  EXPECT_TRUE(w->Picture1->Enabled());
  for (int n = 0; n < kSticks; ++n)
    if (w->slika(n).BackColor() == kRed) {
      EXPECT_EQ(GiveAway(StartSticks())[n], 0) << n;
    }

  // A corridor down column 4 that Blue's click opens: Yellow takes all four fields in black.
  for (int r = 3; r <= 6; ++r) take({Left(r, 4), Right(r, 4)});
  vt::ScriptedRandom more({0.0f});
  clickStick(Bottom(6, 4));
  EXPECT_EQ(w->game.score[1], 4);
  EXPECT_EQ(w->bodi(1).Caption(), "4");
  for (int r = 3; r <= 6; ++r) EXPECT_EQ(w->slika(Top(r, 4)).BackColor(), rt::kBlack) << r;
  EXPECT_EQ(redSticks(), 1);
  EXPECT_EQ(w->game.playerToMove, 0);
  EXPECT_EQ(w->Image2->Picture(), w->ikona[0]);
  EXPECT_EQ(shownSticks(), w->game.sticks);
}

TEST_F(FendoWindow, AGameAgainstTheComputerEndsWithAllFieldsOwned) {
  start(1, 0);
  for (int guard = 0; guard < 200; ++guard) {
    const Sticks s = shownSticks();
    int next = -1;
    for (int n = 0; n < kSticks && next < 0; ++n)
      if (s[n] == kFree) next = n;
    if (next < 0) break;
    clickStick(next);
  }
  EXPECT_EQ(w->game.score[0] + w->game.score[1], kFields);
  EXPECT_EQ(w->bodi(0).Caption(), std::to_string(w->game.score[0]));
  EXPECT_TRUE(w->Picture1->Enabled());
  takeLog();
  clickStick(Top(4, 4));
  EXPECT_EQ(countLog("beep"), 1);
}
