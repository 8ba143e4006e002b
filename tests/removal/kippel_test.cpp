// Kippel's window on the virtual host, with boards set by the test.
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include "kippel.h"
#include "pack_fixture.h"
#include "rt/dispatch.h"
#include "rt/random.h"

using namespace kippel;
using removal::Cells;
using removal::Form9;

namespace {
// Ordinary pictures with no two orthogonal neighbours equal: nothing on it forms a group.
Cells quietBoard() {
  Cells b;
  for (int i = 0; i < 100; ++i) b[i] = static_cast<int16_t>((2 * (i / 10) + i % 10) % 5);
  return b;
}
}  // namespace

class KippelWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
    w = dynamic_cast<Form9*>(openGame("Kippel"));
    ASSERT_NE(w, nullptr);
    takeLog();
  }
  void setBoard(const Cells& b) {
    w->Board = b;
    w->redrawState();
  }
  // Three 4s at the foot of column 3, fenced by 1s.
  Cells columnGroup() {
    Cells b = quietBoard();
    b[73] = b[83] = b[93] = 4;
    b[72] = b[74] = b[82] = b[84] = b[92] = b[94] = 1;
    return b;
  }
  // Scripted draws that refill n cells with the ordinary picture k.
  static std::vector<float> refill(int n, int k = 0) {
    std::vector<float> v;
    for (int i = 0; i < n; ++i) {
      v.push_back(0.0f);  // m = 5.0: no joker slot
      v.push_back((k + 0.5f) / 5);
    }
    return v;
  }
  static int count(const std::vector<std::string>& log, const std::string& what) {
    return static_cast<int>(std::count(log.begin(), log.end(), what));
  }
  QTemporaryDir dir_;
  Form9* w = nullptr;
};

TEST_F(KippelWindow, ClicksOnJokersAndGemsScoreAndSound) {
  for (int16_t k : w->Board) EXPECT_TRUE((k >= 0 && k <= 5) || (k >= 11 && k <= 14)) << k;
  Cells b = quietBoard();
  b[44] = b[45] = b[46] = kJoker;
  b[0] = kGem;
  b[1] = b[2] = kJoker;
  b[77] = kJoker;  // among ordinary pictures
  setBoard(b);
  vt::ScriptedRandom rnd(refill(6));
  click(w->Element(77));
  click(w->Element(1));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 10", "sound 10"}));
  EXPECT_EQ(w->Board, b);
  click(w->Element(45));
  click(w->Element(0));
  EXPECT_EQ(w->score, 51);
  EXPECT_EQ(w->Label4->Caption(), "51");
  EXPECT_EQ(count(takeLog(), "sound 1"), 2);
  EXPECT_TRUE(w->Podloga->Enabled());
  EXPECT_EQ(w->MousePointer(), 99);
}

TEST_F(KippelWindow, HelpersClearCellsAndScoreNothing) {
  Cells b = quietBoard();
  b[0] = kBomb;
  b[91] = kHorizontalLadder;
  b[95] = kGem;
  b[97] = kJoker;
  setBoard(b);
  vt::ScriptedRandom rnd(refill(14, 3));
  click(w->Element(0));  // a corner bomb: itself and three neighbours
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 2", "wait 50", "wait 50"}));
  for (int cell : {0, 1, 10, 11}) EXPECT_EQ(w->Board[cell], 3) << cell;
  EXPECT_EQ(w->Board[2], b[2]);
  click(w->Element(91));  // the whole bottom row, gem and joker too: one step of fall
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 3", "wait 50"}));
  for (int c = 0; c < 10; ++c) EXPECT_EQ(w->Board[90 + c], b[80 + c]) << c;
  EXPECT_EQ(w->score, 0);
}

TEST_F(KippelWindow, ColumnFallsOneRowAStepAndRefillsInRowOrder) {
  const Cells b = columnGroup();
  vt::ScriptedRandom rnd({0.99f, 0.9f, 0.2f, 0.0f,  // cell 3: a bomb
                          0.0f, 0.5f,               // cell 13: picture 2
                          0.99f, 0.95f, 0.5f});     // cell 23: a joker
  setBoard(b);
  const double start = vt::vhost().nowMs();
  click(w->Element(83));
  std::vector<std::string> log = takeLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "sound 1");
  EXPECT_EQ(count(log, "wait 50"), 3);
  EXPECT_GE(vt::vhost().nowMs() - start, 150);
  for (int r = 3; r < 10; ++r) EXPECT_EQ(w->Board[r * 10 + 3], b[(r - 3) * 10 + 3]) << r;
  EXPECT_EQ(w->Board[3], kBomb);
  EXPECT_EQ(w->Board[13], 2);
  EXPECT_EQ(w->Board[23], kJoker);
  EXPECT_EQ(w->Element(13).Picture()->ref().text(), "cartoon(2)");
  EXPECT_EQ(w->Element(3).Picture()->ref().text(), "Picture2");
}

TEST_F(KippelWindow, BigGroupScoresOneAndLandedGroupsStay) {
  Cells b = quietBoard();
  for (int c = 0; c < 10; ++c) b[80 + c] = b[90 + c] = 2;  // twenty cells
  b[73] = 0;                                                // keeps row 7 out of them
  b[60] = b[61] = b[62] = 3;                                // lands on row 8 as a group
  setBoard(b);
  vt::ScriptedRandom rnd(refill(20, 1));
  click(w->Element(95));
  EXPECT_EQ(w->score, 1);
  for (int cell : {80, 81, 82}) EXPECT_EQ(w->Board[cell], 3) << cell;  // stays until clicked
}

TEST_F(KippelWindow, TransformButtonsAreSilentAndLockedDuringAMove) {
  const Cells start = w->Board;
  const rt::PicHandle corner = w->Element(9).Picture();
  click(*w->Picture7);
  EXPECT_EQ(w->Board[0], start[9]);
  EXPECT_EQ(w->Element(0).Picture(), corner);
  click(*w->Picture8);
  click(*w->Picture6);
  click(*w->Picture6);
  EXPECT_EQ(w->Board, start);
  EXPECT_TRUE(takeLog().empty());

  setBoard(columnGroup());
  vt::ScriptedRandom rnd(refill(3));
  bool locked = false;
  vt::vhost().after(1, [&] {  // during the fall
    locked = !w->Podloga->Enabled() && !w->Picture6->Enabled() && !w->Picture7->Enabled() && !w->Picture8->Enabled();
    click(*w->Picture7);
    click(w->Element(50));
  });
  click(w->Element(93));
  EXPECT_TRUE(locked);
  EXPECT_EQ(countLog("beep"), 2);  // both clicks fell on the busy window
  EXPECT_EQ(w->Board[0], columnGroup()[0]);  // not rotated
  EXPECT_TRUE(w->Picture7->Enabled());
}

TEST_F(KippelWindow, ChoosingAnotherGameMidFallEndsTheMove) {
  setBoard(columnGroup());
  vt::ScriptedRandom rnd(refill(3));
  std::weak_ptr<rt::Form> kippel = shell::GameInstance(game("Kippel"));
  vt::vhost().after(1, [&] { rt::dispatch(w, [&] { w->findMenu("igrica", game("Gemmet"))->fireClick(); }); });
  click(w->Element(93));
  EXPECT_TRUE(kippel.expired());
  EXPECT_EQ(frame_.Caption(), "Vantix Pack v3.47  by Morvel Vukran - Gemmet");
  EXPECT_EQ(count(takeLog(), "wait 50"), 1);  // the fall stopped at its first step
}

TEST_F(KippelWindow, HelpPanelAndBestScore) {
  chooseMenu("pomoc");
  EXPECT_TRUE(w->find("Picture12")->Visible());
  EXPECT_FALSE(w->Podloga->Visible());
  EXPECT_EQ(control<rt::Label>(*w, "Label3").Caption().rfind("  Welcome to Kippel,\r Your goal", 0), 0u);
  const auto before = w->Board;
  click(*w->Picture7);  // no turn of the hidden board
  EXPECT_EQ(w->Board, before);
  click(*w->find("Command5.pic_Button"));
  EXPECT_TRUE(w->Podloga->Visible());

  EXPECT_EQ(w->Label8->Caption(), "0");
  click(w->Command1->face());  // 0 does not beat the new file's 0
  EXPECT_EQ(countLog("beep"), 1);
  w->score = 7;
  w->redrawState();
  click(w->Command1->face());
  EXPECT_EQ(w->Label8->Caption(), "7");
  QFile f(dir_.path() + "/Kippel_hsc_A.nrz");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "7\r\n");
}
