#include <QFile>
#include <QTemporaryDir>

#include "klevo.h"
#include "pack_fixture.h"
#include "picture_library.h"
#include "rt/dispatch.h"
#include "rt/random.h"

using klevo::Board;
using removal::kEmpty;
using removal::kJoker;
using removal::Form1;

namespace {

Board Checkerboard() {
  Board b;
  for (int i = 0; i < klevo::kCells; ++i) b[i] = ((i / 10 + i % 10) % 2) ? 3 : 4;
  return b;
}

class KlevoTest : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
    rt::FixSeed(11);
  }

  Form1& open(const QByteArray& bests = {}) {
    if (!bests.isEmpty()) write(bests);
    w_ = &openAs<Form1>("Klevo");
    takeLog();
    return *w_;
  }
  void setBoard(const Board& b) {
    w_->Board = b;
    redraw();
  }
  void redraw() { rt::dispatch(w_, w_->redrawState); }
  rt::PictureBox& cell(int i) { return PackTest::control<rt::PictureBox>(*w_, "Element", i); }
  rt::Control& control(const std::string& name) { return PackTest::control(*w_, name); }
  std::string caption(const std::string& name) { return control(name).captionText(); }
  bool boardEnabled() { return control("Podloga").Enabled(); }
  // A click on the window itself, beside every control.
  void clickWindow() {
    w_->mouseDown(340, 372, 1, 0);
    w_->mouseUp(340, 372, 1, 0);
  }
  double soundMs(int n) { return mdi_.EmbedSound1[n].seconds() * 1000.0; }
  std::string picSet(int i) { return cell(i).Picture() ? cell(i).Picture()->ref().set : ""; }
  QByteArray file() {
    QFile f(dir_.filePath("Klevo_hsc.nrz"));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }
  void write(const QByteArray& bytes) {
    QFile f(dir_.filePath("Klevo_hsc.nrz"));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
  }
  static int count(const std::vector<std::string>& log, const std::string& entry) {
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
  }
  static std::vector<std::string> repeat(const std::string& entry, int n) { return std::vector<std::string>(n, entry); }
  static std::vector<std::string> join(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
  }

  QTemporaryDir dir_;
  Form1* w_ = nullptr;
};

}  // namespace

TEST_F(KlevoTest, GroupClickPaysOnePerCellAndFallsInAsManyStepsAsTheDeepestColumn) {
  open();
  Board b = Checkerboard();
  for (int i : {90, 91, 92, 93, 83, 73, 63}) b[i] = 1;  // an L: column 3 loses four cells
  setBoard(b);
  const double t0 = vt::vhost().nowMs();
  click(cell(90));
  EXPECT_EQ(takeLog(), join({{"sound 1"}, repeat("wait 50", 4)}));
  EXPECT_NEAR(vt::vhost().nowMs() - t0, soundMs(1) + 200, 0.01);
  EXPECT_EQ(w_->money, 7);
  EXPECT_EQ(caption("Label4"), "7$");
  Board want = Checkerboard();
  for (int c = 0; c < 4; ++c) {
    const int gone = c == 3 ? 4 : 1;  // every picture above a removed one moves down that far
    for (int r = 9; r >= 0; --r) want[r * 10 + c] = r >= gone ? Checkerboard()[(r - gone) * 10 + c] : kEmpty;
  }
  EXPECT_EQ(w_->Board, want);
  EXPECT_FALSE(cell(3).Visible());
  EXPECT_TRUE(cell(43).Visible());
  EXPECT_EQ(cell(43).Picture()->ref().index, want[43]);
  EXPECT_TRUE(boardEnabled());
  EXPECT_EQ(w_->MousePointer(), rt::kCustomPointer);
}

TEST_F(KlevoTest, EmptiedColumnsCloseOneFiftyMillisecondStepAtATime) {
  open();
  Board b = Checkerboard();
  for (int r = 0; r < 10; ++r) b[r * 10 + 2] = b[r * 10 + 3] = 1;
  setBoard(b);
  click(cell(92));
  // Ten fall steps empty columns 2 and 3, two shifts close them.
  EXPECT_EQ(takeLog(), join({{"sound 1"}, repeat("wait 50", 12)}));
  EXPECT_EQ(w_->money, 20);
  Board want = Checkerboard();
  for (int r = 0; r < 10; ++r) want[r * 10 + 8] = want[r * 10 + 9] = kEmpty;
  EXPECT_EQ(w_->Board, want);
  EXPECT_FALSE(cell(99).Visible());
}

TEST_F(KlevoTest, VerticalLadderEmptiesItsColumnWithoutAFall) {
  open();
  setBoard(Checkerboard());
  click(control("Picture4"));  // free in a new game
  EXPECT_EQ(w_->helperMode, klevo::kColumnLadder);
  EXPECT_EQ(caption("pomoc3"), "1$");
  click(cell(44));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 7", "sound 3", "wait 50"}));
  EXPECT_EQ(w_->helperMode, klevo::kNormal);
  EXPECT_EQ(w_->money, 0);
  for (int r = 0; r < 10; ++r) {
    EXPECT_EQ(w_->Board[r * 10 + 4], Checkerboard()[r * 10 + 5]);
    EXPECT_EQ(w_->Board[r * 10 + 9], kEmpty);
  }

  // A mode that is no helper (the driver can write one) flags nothing and sounds nothing.
  const Board before = w_->Board;
  for (int16_t mode : {9, -2}) {
    w_->helperMode = mode;
    click(cell(0));
    EXPECT_TRUE(takeLog().empty()) << mode;
    EXPECT_EQ(w_->Board, before);
    EXPECT_EQ(w_->helperMode, klevo::kNormal);
    EXPECT_TRUE(boardEnabled());
  }
}

TEST_F(KlevoTest, ClearingTheBoardRaisesTheLevelAndDealsTheNextThemeWrapping) {
  open();
  Board b;
  b.fill(kEmpty);
  b[90] = b[91] = 2;
  setBoard(b);
  w_->theme = 9;  // "Transportation"; "Cyclical" is checked at start
  click(cell(90));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "wait 50", "sound 8"}));
  EXPECT_EQ(w_->level, 2);
  EXPECT_EQ(caption("Label3"), " 2 M");
  EXPECT_EQ(w_->money, 2);
  EXPECT_EQ(caption("Label4"), "2$");
  EXPECT_EQ(w_->theme, 0);
  for (int i = 0; i < 100; ++i) {
    ASSERT_GE(w_->Board[i], 0);
    ASSERT_LE(w_->Board[i], kJoker);
    EXPECT_TRUE(cell(i).Visible());
    EXPECT_EQ(picSet(i), "cartoon");
    EXPECT_EQ(w_->removeMark[i], 0);
  }
  EXPECT_TRUE(boardEnabled());
}

TEST_F(KlevoTest, ShopLabelsAndPrices) {
  open();
  EXPECT_EQ(caption("pomoc1") + caption("pomoc2") + caption("pomoc3") + caption("pomoc4"), " 0$ 0$ 0$ 5$");
  EXPECT_EQ(caption("Label4"), " 0$");
  EXPECT_EQ(caption("Label3"), " 1 M");
  click(control("Picture2"));
  EXPECT_EQ(w_->helperMode, klevo::kBomb);
  EXPECT_EQ(caption("pomoc1"), "1$");
  click(control("Picture5"));  // 5 > 0: nothing at all
  EXPECT_EQ(w_->helperMode, klevo::kBomb);
  click(control("Picture3"));  // replaces the bomb, which is spent
  EXPECT_EQ(w_->helperMode, klevo::kRowLadder);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 7", "sound 7"}));
  EXPECT_TRUE(boardEnabled());
  EXPECT_EQ(w_->MousePointer(), rt::kCustomPointer);

  w_->money = 100000;
  w_->level = 3;
  click(control("Picture2"));
  EXPECT_EQ(caption("pomoc1"), "4$");
  EXPECT_EQ(w_->money, 99999);
  click(control("Picture5"));
  EXPECT_EQ(caption("pomoc4"), "10$");
  EXPECT_EQ(w_->money, 99994);
  EXPECT_EQ(caption("Label4"), std::to_string(w_->money) + "$");
}

TEST_F(KlevoTest, RefusedTurnsAndRandomImagesLeaveTheBoardUsable) {
  open();
  Board b = Checkerboard();
  b[0] = b[1] = 1;
  setBoard(b);
  w_->money = 9;  // Medium: a turn or a random image costs 10
  for (const char* name : {"Picture6", "Picture7", "Picture8", "Picture12"}) {
    click(control(name));
    EXPECT_TRUE(boardEnabled()) << name;
    EXPECT_EQ(w_->MousePointer(), rt::kCustomPointer) << name;
  }
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(w_->money, 9);
  EXPECT_FALSE(control("rotirka").Visible());
  click(cell(0));
  EXPECT_EQ(first(takeLog()), "sound 1");

  // A full top row takes no money.
  setBoard(Checkerboard());
  w_->money = 50;
  click(control("Picture12"));
  EXPECT_EQ(w_->money, 50);
  EXPECT_TRUE(boardEnabled());
  EXPECT_TRUE(takeLog().empty());
}

TEST_F(KlevoTest, HardTurnCostsTwelveAndHalfTurnMovesEveryPictureBeforeTheFall) {
  open();
  chooseMenu("tezina", 4);
  Board start;
  for (int i = 0; i < 100; ++i) start[i] = static_cast<int16_t>((i * 7 + i / 10) % 6);
  setBoard(start);
  w_->money = 12;
  const double t0 = vt::vhost().nowMs();
  bool coveredWhileTurning = false;
  vt::vhost().at(t0 + 150, [&] {
    coveredWhileTurning = control("rotirka").Visible() && !boardEnabled();
  });
  click(control("Picture6"));
  EXPECT_TRUE(coveredWhileTurning);
  EXPECT_EQ(takeLog(), join({repeat("wait 100", 6), {"sound 6"}}));
  EXPECT_EQ(w_->money, 0);
  EXPECT_EQ(caption("Label4"), "0$");
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 10; ++c) EXPECT_EQ(w_->Board[(9 - r) * 10 + 9 - c], start[r * 10 + c]);
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(cell(i).Visible());
  EXPECT_FALSE(control("rotirka").Visible());
  EXPECT_TRUE(boardEnabled());
}

TEST_F(KlevoTest, TurnedPicturesFallToTheNewBottomAndColumnsClose) {
  open();
  Board b;
  b.fill(kEmpty);
  for (int r = 0; r < 10; ++r) b[r * 10] = static_cast<int16_t>(r % 5);
  setBoard(b);
  w_->money = 30;
  click(control("Picture8"));  // right: column 0 becomes the top row, then falls nine rows
  EXPECT_EQ(takeLog(), join({repeat("wait 100", 5), {"sound 6"}, repeat("wait 50", 9)}));
  for (int c = 0; c < 10; ++c) EXPECT_EQ(w_->Board[90 + c], b[(9 - c) * 10]);
  EXPECT_EQ(w_->money, 20);

  const Board row = w_->Board;
  click(control("Picture7"));  // left: the bottom row becomes column 9, which then closes left
  EXPECT_EQ(takeLog(), join({repeat("wait 100", 5), {"sound 6"}, repeat("wait 50", 10 + 9)}));
  for (int r = 0; r < 10; ++r) EXPECT_EQ(w_->Board[r * 10], row[99 - r]);
  EXPECT_EQ(w_->money, 10);
  for (int r = 0; r < 10; ++r) EXPECT_EQ(w_->Board[r * 10 + 9], kEmpty);
}

TEST_F(KlevoTest, RandomImageGoesRightFromTheDrawnColumnAndFalls) {
  open();
  Board b = Checkerboard();
  for (int r = 0; r < 10; ++r) b[r * 10 + 8] = b[r * 10 + 9] = kEmpty;
  setBoard(b);
  w_->money = 20;
  vt::ScriptedRandom rnd({0.25f, 0.99f});  // start column 2, the wild kind
  click(control("Picture12"));
  EXPECT_EQ(takeLog(), join({{"sound 9"}, repeat("wait 50", 9)}));
  EXPECT_EQ(w_->Board[98], kJoker);
  EXPECT_EQ(w_->Board[8], kEmpty);
  EXPECT_EQ(w_->money, 10);
  EXPECT_TRUE(cell(98).Visible());
  EXPECT_FALSE(cell(8).Visible());
}

TEST_F(KlevoTest, LevelDownAndSaveDoNothingWhileTheBoardIsBusy) {
  open();
  Board b = Checkerboard();
  for (int r = 0; r < 10; ++r) b[r * 10] = 1;  // ten fall steps, one shift
  setBoard(b);
  w_->level = 3;
  w_->money = 7;
  redraw();
  const QByteArray before = file();
  bool busyThen = false;
  vt::vhost().after(soundMs(1) + 120, [&] {
    busyThen = !boardEnabled();
    click(control("Command3"));
    click(control("Command6"));
    clickWindow();
  });
  click(cell(0));
  EXPECT_TRUE(busyThen);
  auto log = takeLog();
  EXPECT_EQ(count(log, "beep"), 1) << "only the click on the window beeps";
  EXPECT_EQ(count(log, "wait 50"), 11);
  EXPECT_EQ(w_->level, 3);
  EXPECT_EQ(w_->money, 17);
  EXPECT_EQ(caption("Label8"), "1");
  EXPECT_EQ(file(), before);

  clickWindow();  // idle: nothing
  EXPECT_TRUE(takeLog().empty());
  click(control("Command3"));
  EXPECT_EQ(w_->level, 2);
}

TEST_F(KlevoTest, LevelDownHalvesTheMoneyAndRaisesThePrices) {
  open();
  click(control("Command3"));
  EXPECT_EQ(takeLog(), std::vector<std::string>{"beep"});  // level 1
  w_->level = 3;
  redraw();
  click(control("Command3"));
  EXPECT_EQ(takeLog(), std::vector<std::string>{"beep"});  // no money
  w_->money = 7;
  const Board before = w_->Board;
  click(control("Command3"));
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(caption("Label3"), " 2 M");
  EXPECT_EQ(caption("Label4"), "3$");
  EXPECT_EQ(caption("pomoc1") + caption("pomoc2") + caption("pomoc3") + caption("pomoc4"), "2$2$2$10$");
  EXPECT_NE(w_->Board, before);
  EXPECT_TRUE(boardEnabled());
  EXPECT_EQ(w_->MousePointer(), rt::kCustomPointer);
}

TEST_F(KlevoTest, SkillChangeShowsItsBestAndTheFirstClickLocksTheSkill) {
  open("1\r\n5\r\n9\r\n");
  EXPECT_EQ(caption("Label8"), "5");
  chooseMenu("tezina", 4);
  EXPECT_EQ(caption("Label8"), "9");
  EXPECT_EQ(caption("Label3"), " 1 H");
  EXPECT_TRUE(w_->findMenu("tezina", 4)->Checked());
  EXPECT_FALSE(w_->findMenu("tezina", 2)->Checked());
  chooseMenu("tezina", 0);
  EXPECT_EQ(caption("Label8"), "1");
  EXPECT_EQ(caption("Label3"), " 1 E");
  Board b = Checkerboard();
  setBoard(b);
  click(cell(55));  // no group, but it was a click on a picture
  EXPECT_EQ(takeLog(), std::vector<std::string>{"sound 10"});
  EXPECT_FALSE(w_->findMenu("vjestina")->Enabled());
  EXPECT_EQ(w_->Board, b);
}

TEST_F(KlevoTest, SavingWritesOnlyTheLineOfTheCheckedSkill) {
  open();
  EXPECT_EQ(file(), QByteArray("1\r\n1\r\n1\r\n"));
  click(control("Command6"));
  EXPECT_EQ(takeLog(), std::vector<std::string>{"beep"});
  chooseMenu("tezina", 4);
  w_->level = 4;
  redraw();
  EXPECT_EQ(caption("Label3"), " 4 H");
  click(control("Command6"));
  EXPECT_EQ(file(), QByteArray("1\r\n1\r\n4\r\n"));
  EXPECT_EQ(caption("Label8"), "4");
  takeLog();
  click(control("Command6"));
  EXPECT_EQ(takeLog(), std::vector<std::string>{"beep"});
}

TEST_F(KlevoTest, ChosenThemeRepaintsAtOnceAndEndsTheCycling) {
  open();
  for (int i = 0; i < 10; ++i) EXPECT_EQ(w_->findMenu("images", i)->Caption(), shell::ThemeMenu[i].second);
  EXPECT_EQ(w_->findMenu("images", 10)->Caption(), "-");
  EXPECT_EQ(w_->findMenu("images", 11)->Caption(), "Cyclical");
  EXPECT_TRUE(w_->findMenu("images", 11)->Checked());
  const Board kinds = w_->Board;
  chooseMenu("images", 3);
  EXPECT_EQ(w_->Board, kinds);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(picSet(i), "creatures");
    EXPECT_EQ(cell(i).Picture()->ref().index, kinds[i]);
  }
  EXPECT_FALSE(w_->findMenu("images", 11)->Checked());
  w_->level = 3;
  w_->money = 8;
  click(control("Command3"));
  EXPECT_EQ(w_->theme, 3);
  chooseMenu("images", 11);
  EXPECT_FALSE(w_->findMenu("images", 3)->Checked());
  click(control("Command3"));
  EXPECT_EQ(w_->theme, 4);
  EXPECT_EQ(picSet(0), "Komp");
}

TEST_F(KlevoTest, BoardAndShopTakeNoInputUnderTheHelpPanel) {
  open();
  EXPECT_NE(caption("Label7").find("Remove the images attached horizontally or vertically."), std::string::npos);
  chooseMenu("halp");
  EXPECT_TRUE(control("Picture13").Visible());
  EXPECT_TRUE(control("Podloga").Visible());
  click(control("Picture2"));
  rt::dispatch(w_, [this] { w_->Element_Click(0); });
  EXPECT_EQ(w_->helperMode, klevo::kNormal);
  EXPECT_TRUE(takeLog().empty());
  EXPECT_TRUE(boardEnabled());
  click(control("Command5"));
  EXPECT_FALSE(control("Picture13").Visible());
  click(control("Picture2"));
  EXPECT_EQ(w_->helperMode, klevo::kBomb);
}

TEST_F(KlevoTest, ChoosingAnotherGameDuringTheFallEndsTheClick) {
  open();
  Board b;
  b.fill(kEmpty);
  b[90] = b[91] = 2;  // the last pair: the click would clear the level
  setBoard(b);
  vt::vhost().after(soundMs(1) + 20, [this] {
    rt::dispatch(w_, [this] { w_->findMenu("igrica", game("Faunix"))->fireClick(); });
  });
  click(cell(90));
  auto log = takeLog();
  EXPECT_EQ(count(log, "sound 8"), 0);
  EXPECT_EQ(mdi_.CurrentGame, 5);
}
