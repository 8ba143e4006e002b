// Kippel: its rules on boards set by the test, then the window on the virtual host.
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <set>

#include "kippel.h"
#include "pack_fixture.h"
#include "rt/dispatch.h"
#include "rt/random.h"

using namespace kippel;
using removal::Cells;
using removal::Form9;

namespace {
Cells filled(int16_t kind) {
  Cells b;
  b.fill(kind);
  return b;
}

// Ordinary pictures with no two orthogonal neighbours equal: nothing on it forms a group.
Cells quietBoard() {
  Cells b;
  for (int i = 0; i < 100; ++i) b[i] = static_cast<int16_t>((2 * (i / 10) + i % 10) % 5);
  return b;
}

std::set<int> flagged(const Cells& flags) {
  std::set<int> s;
  for (int i = 0; i < 100; ++i)
    if (flags[i] == kFlagged) s.insert(i);
  return s;
}

int group(const Cells& b, int index) {
  Cells flags{};
  return HasMatchingNeighbour(b, index) ? FloodGroup(b, flags, index) : 0;
}
}  // namespace

// ---------------------------------------------------------------- rules (helpers join no group)

TEST(KippelRules, JokersAndGems) {
  Cells b = filled(kVerticalLadder);
  b[44] = b[45] = b[46] = kJoker;
  EXPECT_EQ(group(b, 45), 3);  // three jokers
  b[46] = 3;
  EXPECT_EQ(group(b, 45), 2);  // two are too few
  b[44] = b[45] = 1;
  b[55] = kJoker;
  EXPECT_EQ(group(b, 45), 3);  // 1, 1 and a joker
  EXPECT_EQ(group(b, 55), 0);  // a clicked joker groups only with jokers

  b = filled(kVerticalLadder);
  b[50] = b[53] = b[63] = 4;
  b[51] = b[52] = kJoker;  // jokers bridge to more of the clicked kind
  Cells flags{};
  EXPECT_EQ(FloodGroup(b, flags, 50), 5);
  EXPECT_EQ(flagged(flags), (std::set<int>{50, 51, 52, 53, 63}));

  b = filled(kVerticalLadder);
  b[0] = kGem;
  b[1] = b[2] = kJoker;
  EXPECT_EQ(group(b, 0), 3);  // a gem and two jokers
  EXPECT_EQ(group(b, 1), 2);  // clicking a joker: the gem does not join
  EXPECT_EQ(GroupScore(kGem), 50);
  EXPECT_EQ(GroupScore(kJoker), 1);
}

TEST(KippelRules, BombNeverReachesAcrossARowEndAndLaddersTakeALine) {
  for (int i = 0; i < 100; ++i) {
    Cells flags{};
    FlagBomb(flags, i);
    std::set<int> want;
    for (int r = i / 10 - 1; r <= i / 10 + 1; ++r)
      for (int c = i % 10 - 1; c <= i % 10 + 1; ++c)
        if (r >= 0 && r < 10 && c >= 0 && c < 10) want.insert(r * 10 + c);
    EXPECT_EQ(flagged(flags), want) << "bomb at " << i;
  }
  Cells flags{};
  FlagRow(flags, 37);
  EXPECT_EQ(flagged(flags), (std::set<int>{30, 31, 32, 33, 34, 35, 36, 37, 38, 39}));
  flags = {};
  FlagColumn(flags, 37);
  EXPECT_EQ(flagged(flags), (std::set<int>{7, 17, 27, 37, 47, 57, 67, 77, 87, 97}));
}

TEST(KippelRules, RefillDrawFollowsItsFormula) {
  auto draw = [](std::vector<double> u) {
    size_t i = 0;
    int16_t k = RefillKind([&] { return u.at(i++); });
    EXPECT_EQ(i, u.size());  // exactly the draws the formula takes
    return k;
  };
  EXPECT_EQ(draw({0.0, 0.99}), 4);            // m = 5.0: never a joker
  EXPECT_EQ(draw({0.99, 0.9, 0.3}), kJoker);  // m = 6.0, k = 5; 1 in 4 misses: a joker
  EXPECT_EQ(draw({0.99, 0.9, 0.2, 0.0}), kBomb);
  EXPECT_EQ(draw({0.99, 0.9, 0.2, 0.6}), kVerticalLadder);
  EXPECT_EQ(draw({0.99, 0.9, 0.2, 0.99}), kGem);
  EXPECT_EQ(draw({0.46, 0.95, 0.5}), kJoker);  // m = 5.5: the top 1/11 of [0, 5.5)
  EXPECT_EQ(draw({0.46, 0.9}), 4);

  // Evenly spread draws through every branch give the formula's shares.
  std::map<int, double> share;
  constexpr int kSteps = 6600;
  for (int a = 0; a < 11; ++a)
    for (int b = 0; b < kSteps; ++b)
      for (int cd = 0; cd < 16; ++cd) {
        const double u[] = {(a + 0.5) / 11, (b + 0.5) / kSteps, (cd / 4 + 0.5) / 4, (cd % 4 + 0.5) / 4};
        int i = 0;
        share[RefillKind([&] { return u[i++]; })] += 1.0 / (11.0 * kSteps * 16);
      }
  double slot = 0;
  for (int j = 0; j <= 10; ++j) slot += (j / 10.0) / (5 + j / 10.0) / 11;  // about 8.79 %
  EXPECT_NEAR(share[kJoker], slot * 3 / 4, 2e-4);
  for (int k : {kBomb, kHorizontalLadder, kVerticalLadder, kGem}) EXPECT_NEAR(share[k], slot / 16, 2e-4) << k;
  for (int k = 0; k < 5; ++k) EXPECT_NEAR(share[k], (1 - slot) / 5, 2e-4) << k;
  EXPECT_EQ(share.size(), 10u);
}

// ---------------------------------------------------------------- window

class KippelWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
    w = dynamic_cast<Form9*>(openGame(8));
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
  std::weak_ptr<rt::Form> kippel = shell::GameInstance(8);
  vt::vhost().after(1, [&] { rt::dispatch(w, [&] { w->findMenu("igrica", 16)->fireClick(); }); });
  click(w->Element(93));
  EXPECT_TRUE(kippel.expired());
  EXPECT_EQ(frame_.Caption(), "Vantix Pack v3.47  by Morvel Vukran - Gemmet");
  EXPECT_EQ(count(takeLog(), "wait 50"), 1);  // the fall stopped at its first step
}

TEST_F(KippelWindow, HelpPanelAndBestScore) {
  chooseMenu("pomoc");
  EXPECT_TRUE(w->find("Picture12")->Visible());
  EXPECT_FALSE(w->Podloga->Visible());
  EXPECT_EQ(dynamic_cast<rt::Label*>(w->find("Label3"))->Caption().rfind("  Welcome to Kippel,\r Your goal", 0), 0u);
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
