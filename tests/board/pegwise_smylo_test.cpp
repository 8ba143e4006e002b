// Pegwise and Smylo windows on the virtual host.
#include "pack_fixture.h"
#include "pegwise.h"
#include "rt/frame.h"
#include "rt/random.h"
#include "smylo.h"

namespace {

class PegwiseWindow : public PackTest {
 protected:
  board::Form20& start(const char* code) {
    auto& w = openAs<board::Form20>("Pegwise");
    click(*w.Command1);  // the rules panel goes, a game starts
    w.SecretCode = code;
    return w;
  }
  void type(const std::string& keys) {
    for (char k : keys) key(k == '\b' ? 8 : k);
  }
};

TEST_F(PegwiseWindow, RowsTakeOnlyTheDigitsOneToSix) {
  auto& w = start("1234");
  EXPECT_FALSE(w.Frame1->Visible());
  EXPECT_EQ(w.Text2->Text(), "????");
  // Characters as the frame gets them from the keyboard: letters, 0, 7..9, Enter and a blank
  // are dropped; Backspace deletes.
  for (char ch : std::string("7a10Z9\r 2\b3")) rt::frame().clientKey(0, 0, 0, ch);
  EXPECT_EQ(w.Text1(0).Text(), "13");
  type("456");  // at most four characters
  EXPECT_EQ(w.Text1(0).Text(), "1345");
}

TEST_F(PegwiseWindow, TheCodeBoxTakesNoTyping) {
  auto& w = start("1234");
  type("5566");
  click(*w.Text2);
  EXPECT_TRUE(w.Text2->hasFocus());
  type("\b\b");  // would leave "??": the next click would start a new game
  EXPECT_EQ(w.Text2->Text(), "????");
  click(*w.Command1);
  EXPECT_EQ(w.SecretCode, "1234");
  EXPECT_EQ(w.GuessRow, 1);
  EXPECT_EQ(w.Text1(0).Text(), "5566");
}

TEST_F(PegwiseWindow, ScoredRowsMoveOnAndTheCodeShowsAtTheEnd) {
  auto& w = start("1123");
  type("111");
  click(*w.Command1);  // three digits: nothing but the focus
  EXPECT_EQ(w.GuessRow, 0);
  EXPECT_TRUE(w.Text1(0).Enabled());
  type("1");
  click(*w.Command1);
  EXPECT_EQ(w.GuessRow, 1);
  EXPECT_FALSE(w.Text1(0).Enabled());
  EXPECT_TRUE(w.Text1(1).Visible());
  EXPECT_TRUE(w.Text1(1).hasFocus());
  EXPECT_EQ(w.Krug(0).backColorValue(), rt::kBlack);
  EXPECT_EQ(w.Krug(1).backColorValue(), rt::kBlack);
  EXPECT_EQ(w.Krug(2).backColorValue(), 0x808000u);
  type("3211");
  click(*w.Command1);
  for (int c = 4; c < 8; ++c) EXPECT_EQ(w.Krug(c).backColorValue(), rt::kWhite) << c;
  for (int r = 2; r < 8; ++r) {
    type("5656");
    click(*w.Command1);
  }
  EXPECT_EQ(w.Text2->Text(), "1123");  // lost after the eighth row
  EXPECT_EQ(w.GuessRow, 7);
  click(*w.Command1);  // a new game
  EXPECT_EQ(w.Text2->Text(), "????");
  EXPECT_EQ(w.GuessRow, 0);
  EXPECT_FALSE(w.Text1(1).Visible());
  EXPECT_EQ(w.Krug(0).backColorValue(), 0x808000u);
}

TEST_F(PegwiseWindow, AWinShowsTheCodeAndLeavesTheOtherRowsHidden) {
  auto& w = start("6543");
  type("6543");
  click(*w.Command1);
  EXPECT_EQ(w.Text2->Text(), "6543");
  EXPECT_FALSE(w.Text1(1).Visible());
  for (int c = 0; c < 4; ++c) EXPECT_EQ(w.Krug(c).backColorValue(), rt::kBlack);
  EXPECT_TRUE(takeLog().size() < 10);  // no sound
  EXPECT_EQ(countLog("beep"), 0);
}

class SmyloWindow : public PackTest {
 protected:
  board::Form18& start() {
    auto& w = openAs<board::Form18>("Smylo");
    // A known board: smileys at (0, 0), (3, 3) and (5, 5); every other cell its count.
    w.Board.fill(0);
    for (auto [x, y] : {std::pair{0, 0}, {3, 3}, {5, 5}}) w.Board[smylo::Index(x, y)] = smylo::kSmiley;
    smylo::Count(w.Board);
    return w;
  }
  void at(board::Form18& w, int x, int y, int button = 1) {
    clickAt(*w.Picture1, 23 * x + 40, 23 * y + 40, button);
  }
};

TEST_F(SmyloWindow, RevealsCountMovesAndSmileysGiveMovesBack) {
  auto& w = start();
  EXPECT_EQ(w.ml->Caption(), "15");
  at(w, 10, 10);  // an empty cell far from the smileys
  EXPECT_EQ(w.ml->Caption(), "14");
  EXPECT_EQ(w.pokreti->Caption(), "001");
  EXPECT_FALSE(w.skeg->Enabled());
  at(w, 3, 3);
  EXPECT_EQ(w.ml->Caption(), "15");
  EXPECT_EQ(w.sl->Caption(), "1/30");
  EXPECT_EQ(w.FoundCount, 1);
  at(w, 3, 3);  // revealed already
  EXPECT_EQ(countLog("beep"), 1);
  EXPECT_EQ(w.ClickCount, 2);
  at(w, 7, 7, 2);  // a cross: no counter moves
  EXPECT_EQ(w.ml->Caption(), "15");
  EXPECT_EQ(w.ClickCount, 2);
  EXPECT_EQ(w.Revealed[smylo::Index(7, 7)], 0);
}

TEST_F(SmyloWindow, SkillBeforeTheFirstMoveAndTheStripsIgnored) {
  auto& w = openAs<board::Form18>("Smylo");
  chooseMenu("sk", 1);
  EXPECT_EQ(w.ml->Caption(), "10");
  clickAt(*w.Picture1, 20, 200);  // the coin strip
  EXPECT_TRUE(w.skeg->Enabled());
  EXPECT_EQ(w.ClickCount, 0);
  EXPECT_EQ(countLog("beep"), 0);
}

TEST_F(SmyloWindow, AnEndedGameOnlyBeeps) {
  // No move left, or all thirty found: both buttons beep, even on a hidden smiley.
  for (bool allFound : {false, true}) {
    if (open()) chooseMenu("igrica", game("Smylo"));  // a fresh window
    auto& w = start();
    ASSERT_EQ(w.ml->Caption(), "15");
    if (allFound)
      w.FoundCount = 30;
    else
      w.ml->setCaption("0");
    takeLog();
    for (int button : {1, 2}) at(w, 0, 0, button);
    EXPECT_EQ(countLog("beep"), 2) << allFound;
    EXPECT_EQ(w.ClickCount, 0);
    EXPECT_EQ(w.Revealed[0], 0);
    EXPECT_EQ(w.sl->Caption(), "0/30");
  }
}

TEST_F(SmyloWindow, HelpLiesOverTheLiveBoardUntilOk) {
  auto& w = start();
  chooseMenu("pomoc");
  auto* panel = static_cast<rt::PictureBox*>(w.find("Picture2"));
  ASSERT_TRUE(panel && panel->Visible());
  EXPECT_FALSE(w.Picture1->Enabled());
  EXPECT_TRUE(w.Picture1->Visible());
  EXPECT_EQ(panel->Picture(), nullptr);  // the window's own panel, no library picture
  for (const char* name : {"Label1", "Command1"}) {  // text and "OK" inside the panel
    rt::Control* c = w.find(name);
    ASSERT_TRUE(c) << name;
    EXPECT_EQ(c->Container(), panel) << name;
    EXPECT_LE(c->Left() + c->Width(), panel->clientWidth()) << name;
    EXPECT_LE(c->Top() + c->Height(), panel->clientHeight()) << name;
  }
  at(w, 10, 10);
  EXPECT_EQ(w.ClickCount, 0);
  click(*w.find("Command1"));
  EXPECT_FALSE(panel->Visible());
  at(w, 10, 10);
  EXPECT_EQ(w.ClickCount, 1);
  EXPECT_TRUE(w.ikona->Visible());  // the smiley beside the found count
}

}  // namespace
