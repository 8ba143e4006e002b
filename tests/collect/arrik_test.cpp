// Arrik's window on the virtual host, with the collecting window's shared behaviour: the blink,
// collection, the shop, the options and the best score.
#include <QFile>

#include "arrik.h"
#include "collect_fixture.h"
#include "rt/random.h"

using collect::Form14;
using namespace arrik;

namespace {
class ArrikWindow : public CollectTest<Form14> {
 protected:
  void SetUp() override {
    CollectTest::SetUp();
    openWindow("Arrik");
  }
  void aim(int dir, int act) {
    w->arrowDir = static_cast<int16_t>(dir);
    w->action = static_cast<int16_t>(act);
  }
};
}  // namespace

TEST_F(ArrikWindow, StartBlinksTheNewImagesSevenFramesWithTheWindowBusy) {
  EXPECT_EQ(w->Label8->Caption(), "none");
  EXPECT_FALSE(w->Picture1->Enabled());
  EXPECT_FALSE(w->Picture11->Enabled());
  // Arrow right, "swap", then the images: cell 0 kind 1, cell 99 kind 25 (N = 4: 25 kinds).
  vt::ScriptedRandom rnd({0.9f, 0.6f, 0.0f, 0.0f, 0.999f, 0.999f});
  std::vector<bool> upright;
  bool busyMeanwhile = true;
  for (int f = 0; f < 7; ++f)
    vt::vhost().after(75 + 150 * f, [&] {
      rt::PictureBox& c = w->slika(0);
      upright.push_back(c.Picture() == w->ikona[1] && c.Image()->image() == w->ikona[1]->image());
      busyMeanwhile = busyMeanwhile && !w->Picture1->Enabled() && !w->strelice(4).Enabled() &&
                      !w->Picture5->Enabled() && w->MousePointer() == rt::kHourglass;
    });
  click(w->Command2->face());
  EXPECT_EQ(upright, (std::vector<bool>{true, false, true, false, true, false, true}));
  EXPECT_TRUE(busyMeanwhile);
  EXPECT_EQ(takeLog(), std::vector<std::string>(7, "wait 150"));
  EXPECT_EQ(w->Board[0], 1);
  EXPECT_EQ(w->Board[99], 25);
  EXPECT_EQ(w->slika(99).Picture(), w->ikona[25]);
  EXPECT_EQ(w->arrowDir, kRight);
  EXPECT_EQ(w->Label8->Caption(), "swap");
  EXPECT_FALSE(w->Command2->Visible());
  EXPECT_FALSE(w->opcije->Enabled());
  EXPECT_TRUE(w->Picture1->Enabled());
  EXPECT_TRUE(w->Picture11->Enabled());
  EXPECT_EQ(w->MousePointer(), rt::kCustomPointer);
}

TEST_F(ArrikWindow, ClicksMoveOrSwapTowardTheArrowWithWrapAround) {
  start();
  struct Case {
    const char* what;
    collect::Cells board;
    int dir, act, click;
    std::vector<std::string> log;
    collect::Cells after;
  };
  const Case cases[] = {
      {"a move onto an image", boardWith({{9, 1}, {0, 2}}), kRight, kMove, 9, {"sound 10"}, boardWith({{9, 1}, {0, 2}})},
      {"a click on an empty cell", boardWith({{9, 1}}), kRight, kMove, 5, {}, boardWith({{9, 1}})},
      {"right from column 9 to column 0", boardWith({{19, 1}}), kRight, kMove, 19, {}, boardWith({{10, 1}})},
      {"down from row 9 to row 0", boardWith({{93, 1}}), kDown, kMove, 93, {}, boardWith({{3, 1}})},
      {"up from row 0 to row 9", boardWith({{3, 1}}), kUp, kSwap, 3, {}, boardWith({{93, 1}})},
      {"left from column 0 to column 9", boardWith({{50, 1}, {59, 2}}), kLeft, kSwap, 50, {},
       boardWith({{50, 2}, {59, 1}})},
      {"a swap of equal images", boardWith({{50, 1}, {51, 1}}), kRight, kSwap, 50, {}, boardWith({{50, 1}, {51, 1}})},
  };
  for (const Case& c : cases) {
    setBoard(c.board);
    aim(c.dir, c.act);
    click(w->slika(c.click));
    EXPECT_EQ(takeLog(), c.log) << c.what;
    EXPECT_EQ(w->Board, c.after) << c.what;
    for (int i = 0; i < collect::kCells; ++i) ASSERT_EQ(w->slika(i).Picture(), w->ikona[c.after[i]]) << c.what << i;
  }
}

TEST_F(ArrikWindow, AMoveThatCompletesAGroupCollectsItWithoutNewImages) {
  start();
  // Row 0: 1 1 1 at columns 1..3 and one more at column 9: right wraps it to column 0.
  // A second group of 2s in column 5 is completed by the same check.
  setBoard(boardWith({{1, 1}, {2, 1}, {3, 1}, {9, 1}, {77, 2}, {87, 2}, {97, 2}, {67, 2}}));
  aim(kRight, kMove);
  bool arrowLocked = false;
  std::vector<std::string> labels;
  vt::vhost().after(500, [&] {
    arrowLocked = !w->strelice(4).Enabled();
    labels = {w->Label4->Caption(), w->Label3->Caption()};
    EXPECT_EQ(w->slika(0).Picture(), w->Uzorak[8]);
  });
  click(w->slika(9));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 1", "wait 1000", "sound 1", "wait 1000"}));
  EXPECT_TRUE(arrowLocked);
  EXPECT_EQ(labels, (std::vector<std::string>{"4$", "4"}));
  EXPECT_EQ(w->cash[4], 8);
  EXPECT_EQ(w->score[4], 8);
  EXPECT_EQ(w->Label4->Caption(), "8$");
  EXPECT_EQ(w->Label3->Caption(), "8");
  EXPECT_EQ(w->Board, collect::Cells{});
  for (int c : {0, 1, 9, 67}) EXPECT_EQ(w->slika(c).Picture(), nullptr) << c;
  EXPECT_TRUE(w->strelice(4).Enabled());
}

TEST_F(ArrikWindow, TheArrowBeepsBeforeTheStartThenEndsTheTurn) {
  click(w->strelice(4));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"beep"}));
  start();
  setBoard(boardWith({{0, 3}}));
  // The step's images first (cell 50 kind 2, cell 60 kind 3), then arrow up and "move".
  vt::ScriptedRandom rnd({0.5f, 0.05f, 0.6f, 0.09f, 0.3f, 0.2f});
  click(w->strelice(4));
  EXPECT_EQ(count(takeLog(), "wait 150"), 7);
  EXPECT_EQ(w->Board[50], 2);
  EXPECT_EQ(w->Board[60], 3);
  EXPECT_EQ(w->arrowDir, kUp);
  EXPECT_EQ(w->strelice(4).Picture(), w->strelice(kUp).Picture());
  EXPECT_EQ(w->action, kMove);
  EXPECT_EQ(w->Label8->Caption(), "move");

  // On a full board no image falls, yet the blink takes its seven frames.
  collect::Cells full;
  for (int i = 0; i < collect::kCells; ++i) full[i] = static_cast<int16_t>((2 * (i / 10) + i % 10) % 5 + 1);
  setBoard(full);
  vt::ScriptedRandom arrow({0.1f, 0.1f});
  click(w->strelice(4));
  EXPECT_EQ(takeLog(), std::vector<std::string>(7, "wait 150"));
  EXPECT_EQ(w->Board, full);
  EXPECT_EQ(w->genCount, 0);
}

TEST_F(ArrikWindow, HelpersAreBoughtUsedAndNeverCarriedIntoANewGame) {
  start();
  setBoard(boardWith({{1, 5}, {10, 6}, {11, 7}, {2, 8}, {55, 9}}));
  click(*w->Picture5);  // the heart costs 5: no cash, nothing happens
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(w->helperMode, collect::kNoHelper);
  click(*w->Picture11);  // the first bomb is free
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 7"}));
  EXPECT_EQ(w->helperMode, collect::kBomb);
  EXPECT_EQ(w->Label4->Caption(), " 0$");
  EXPECT_EQ(w->pomoc[1]->Caption(), " 2$");  // medium: two new images a step
  EXPECT_EQ(w->MousePointer(), rt::kCustomPointer);

  vt::ScriptedRandom rnd({0.905f, 0.0f, 0.915f, 0.0f});
  click(w->slika(0));  // the bomb in the corner: cells 0, 1, 10, 11; no move
  std::vector<std::string> log = takeLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "sound 2");
  EXPECT_EQ(count(log, "wait 150"), 7);
  for (int c : {0, 1, 10, 11}) EXPECT_EQ(w->Board[c], 0) << c;
  EXPECT_EQ(w->Board[2], 8);
  EXPECT_EQ(w->Board[55], 9);
  EXPECT_EQ(w->Board[90], 1);
  EXPECT_EQ(w->helperMode, collect::kNoHelper);
  EXPECT_EQ(w->cash[4], 0);  // emptied cells bring nothing

  w->cash[4] = 30;
  click(*w->Picture5);
  EXPECT_EQ(w->helperMode, collect::kHeart);
  EXPECT_EQ(w->Label4->Caption(), " 25$");
  EXPECT_EQ(w->pomoc[4]->Caption(), " 10$");
  click(*w->Picture9);  // another purchase replaces the pending heart, which is not refunded
  EXPECT_EQ(w->helperMode, collect::kRowLadder);
  EXPECT_EQ(w->cash[4], 25);

  rt::dispatch(w, [this] { w->findMenu("igrica", game("Arrik"))->fireClick(); });
  w = dynamic_cast<Form14*>(open());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->helperMode, collect::kNoHelper);
  EXPECT_EQ(w->pomoc[4]->Caption(), " 5$");
  EXPECT_EQ(w->cash[4], 0);
}

TEST_F(ArrikWindow, OptionsResetTheGameAndChooseTheBestScoreLine) {
  {
    QFile f(dir_.path() + "/Arrik_hsc.nrz");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (int line = 0; line < 21; ++line) f.write(line == 17 ? "42\r\n" : "0\r\n");
  }
  w->cash[4] = 9;
  chooseMenu("Skillg", 2);
  EXPECT_EQ(w->newPerStep, 3);
  EXPECT_EQ(w->cash[4], 0);
  EXPECT_TRUE(w->findMenu("Skillg", 2)->Checked() && !w->findMenu("Skillg", 1)->Checked());
  chooseMenu("sp", 3);
  EXPECT_EQ(w->groupSize, 10);
  EXPECT_EQ(w->Label7->Caption(), "42");
  EXPECT_EQ(w->Label4->Caption(), "0$");

  vt::ScriptedRandom rnd({0.0f, 0.0f, 0.0f, 0.05f, 0.01f, 0.95f, 0.02f, 0.5f});
  start();
  EXPECT_EQ(collect::EmptyCount(w->Board), 97);  // three images a step
  for (int i = 0; i < collect::kCells; ++i) EXPECT_LE(w->Board[i], 10);  // N = 10: ten kinds
  EXPECT_FALSE(w->findMenu("opcije")->effectivelyEnabled());

  w->score[10] = 42;
  rt::dispatch(w, w->redrawState);
  click(w->Command3->face());
  EXPECT_EQ(countLog("beep"), 1);  // an equal score is not saved
  w->score[10] = 43;
  rt::dispatch(w, w->redrawState);
  click(w->Command3->face());
  EXPECT_EQ(w->Label7->Caption(), "43");
  QFile f(dir_.path() + "/Arrik_hsc.nrz");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = f.readAll().split('\n');
  EXPECT_EQ(lines[17], "43\r");
  EXPECT_EQ(lines[16], "0\r");
}

TEST_F(ArrikWindow, HelpHidesTheBoard) {
  start();
  chooseMenu("pomoc");
  EXPECT_FALSE(w->Picture1->Visible());
  auto* text = dynamic_cast<rt::Label*>(w->find("Label1"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Caption().rfind("  Welcome to Arrik, freeware programmed by Morvel Vukran in 2006.", 0), 0u);
  click(*w->find("Command1.pic_Button"));
  EXPECT_TRUE(w->Picture1->Visible());
}
