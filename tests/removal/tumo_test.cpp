// Tumo's window on the virtual host: drops, landings, helpers, the shop, turns, skill and bests.
#include <QFile>
#include <QTemporaryDir>

#include "pack_fixture.h"
#include "rt/dispatch.h"
#include "tumo.h"

using namespace tumo;
using removal::Form3;

namespace {

class TumoWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
    w = &openAs<Form3>("Tumo");
    takeLog();
  }
  // A board of empty cells with `cells` placed; the next piece is `next`; every porthole open.
  void setBoard(std::initializer_list<std::pair<int, int16_t>> cells, int16_t next = 1) {
    w->Board.fill(kEmpty);
    for (auto [cell, code] : cells) w->Board[cell] = code;
    w->nextKind = next;
    w->redrawState();
    for (int i = 0; i < 10; ++i) {
      w->otvorg(i).setVisible(true);
      w->otvorh(i).setVisible(true);
    }
  }
  void setMoney(int32_t money) {
    w->money = money;
    w->redrawState();
  }
  static float draw(int value, int of) { return (value + 0.5f) / of; }
  // The draws of one ChooseNextPiece on Medium: kind draw `kind`, portholes column 0 and row 0.
  static std::vector<float> nextPiece(int kind) {
    std::vector<float> v{draw(kind, 11)};
    for (int i = 0; i < 8; ++i) v.push_back(0.0f);
    return v;
  }
  std::string picture(int cell) { return w->Element(cell).Picture()->ref().text(); }

  QTemporaryDir dir_;
  Form3* w = nullptr;
};

TEST_F(TumoWindow, StartsEmptyWithPricesPortholesAndTheNextPiece) {
  for (int16_t code : w->Board) EXPECT_EQ(code, kEmpty);
  EXPECT_EQ(picture(0), "Form3.Uzorak6");
  EXPECT_EQ(w->Label4->Caption(), " 0$");
  EXPECT_EQ(w->Label8->Caption(), " 0");
  EXPECT_EQ(w->Label6->Caption(), "0");
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(w->pomoc[i]->Caption(), " 0$");
  EXPECT_EQ(w->pomoc[4]->Caption(), " 5$");
  int top = 0, right = 0;
  for (int i = 0; i < 10; ++i) {
    top += w->otvorg(i).Visible();
    right += w->otvorh(i).Visible();
  }
  EXPECT_TRUE(top >= 1 && top <= 4 && right >= 1 && right <= 4) << top << " " << right;
  EXPECT_TRUE(w->nextKind <= 5 || (w->nextKind >= 15 && w->nextKind <= 19));
  const std::string next = w->nextKind <= 5 ? "cartoon(" + std::to_string(w->nextKind) + ")"
                                            : "creatures(" + std::to_string(w->nextKind - 15) + ")";
  EXPECT_EQ(w->Picture9->Picture()->ref().text(), next);
  EXPECT_TRUE(QFile::exists(dir_.path() + "/Tumo_hsc.nrz"));
}

TEST_F(TumoWindow, APieceRunsAcrossInFiftyMillisecondStepsAndStaysAlone) {
  struct Case {
    bool fromTop;
    int index, landing;
  };
  for (Case c : {Case{true, 4, 94}, Case{false, 6, 60}}) {
    setBoard({}, 17);
    vt::ScriptedRandom rnd(nextPiece(2));
    const double start = vt::vhost().nowMs();
    click(c.fromTop ? w->otvorg(c.index) : w->otvorh(c.index));
    std::vector<std::string> want{"sound 9"};
    for (int i = 0; i < 9; ++i) want.push_back("wait 50");
    EXPECT_EQ(takeLog(), want);
    EXPECT_GE(vt::vhost().nowMs() - start, 450);
    EXPECT_EQ(w->Board[c.landing], 17);
    EXPECT_EQ(std::count(w->Board.begin(), w->Board.end(), kEmpty), 99);
    EXPECT_EQ(picture(c.landing), "creatures(2)");
    EXPECT_EQ(w->nextKind, 2);  // a landed piece draws the next one
    EXPECT_TRUE(w->otvorg(0).Visible() && !w->otvorg(c.fromTop ? c.index : 5).Visible());
    EXPECT_FALSE(w->vjestina->Enabled());
    EXPECT_TRUE(w->Podloga->Enabled());
    EXPECT_EQ(w->MousePointer(), rt::kCustomPointer);
  }
}

TEST_F(TumoWindow, ALandingTakesItsGroupAndPaysForEachPicture) {
  // A piece 3 from row 2's porthole stops at 24 beside 23; the 3s wind round to 43 via a joker.
  setBoard({{23, 3}, {33, kJoker}, {43, 3}, {42, 4}, {13, 3}}, 3);
  setMoney(10);
  vt::ScriptedRandom rnd(nextPiece(0));
  click(w->otvorh(2));
  for (int cell : {23, 24, 33, 43, 13}) EXPECT_EQ(w->Board[cell], kEmpty) << cell;
  EXPECT_EQ(w->Board[42], 4);
  EXPECT_EQ(w->money, 15);
  EXPECT_EQ(w->Label4->Caption(), " 15$");
  EXPECT_EQ(w->Label8->Caption(), " 5");
  EXPECT_EQ(countLog("sound 1"), 1);
  EXPECT_EQ(picture(24), "Form3.Uzorak6");
}

TEST_F(TumoWindow, HelpersHitWhatStopsThemAndLeaveWithoutPay) {
  setBoard({{95, 2}, {85, 2}, {50, 2}, {58, kJoker}, {12, kJoker}}, 4);
  click(*w->button[5]);  // the heart costs 5: too dear
  EXPECT_EQ(w->helperMode, kNoHelper);
  EXPECT_TRUE(takeLog().empty());
  click(*w->button[2]);  // the first bomb is free, the next costs the step
  EXPECT_EQ(w->helperMode, kBomb);
  EXPECT_EQ(w->pomoc[1]->Caption(), " 2$");
  EXPECT_EQ(takeLog(), std::vector<std::string>{"sound 7"});
  click(*w->button[3]);  // a ladder replaces the bomb
  EXPECT_EQ(w->helperMode, kRowLadder);
  takeLog();

  // The ladder from column 5's porthole stops on 85 and takes its row with it, then goes.
  click(w->otvorg(5));
  std::vector<std::string> log = takeLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "sound 9");
  EXPECT_EQ(log.back(), "sound 3");
  for (int cell = 70; cell < 90; ++cell) EXPECT_EQ(w->Board[cell], kEmpty) << cell;
  EXPECT_EQ(w->Board[95], 2);
  EXPECT_EQ(w->money, 0);
  EXPECT_EQ(w->Label8->Caption(), " 0");
  EXPECT_EQ(w->helperMode, kNoHelper);
  EXPECT_EQ(w->nextKind, 4);  // only a piece draws the next one

  // A heart on the joker takes every joker and nothing else.
  setMoney(5);
  click(*w->button[5]);
  EXPECT_EQ(w->pomoc[4]->Caption(), " 10$");
  click(w->otvorh(5));  // stops at once on the joker at 58
  for (int cell : {12, 58, 59}) EXPECT_EQ(w->Board[cell], kEmpty) << cell;
  EXPECT_EQ(w->Board[50], 2);
  EXPECT_EQ(last(takeLog()), "sound 5");
}

TEST_F(TumoWindow, AHelperThatHitsNothingWaitsASecondAndTakesNothingElse) {
  setBoard({{50, 3}}, 2);
  w->removeMark[50] = kFlagged;  // left from an earlier landing; a turn put a picture there
  click(*w->button[4]);
  takeLog();
  click(w->otvorg(1));
  std::vector<std::string> log = takeLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "wait 1000");
  EXPECT_EQ(w->Board[91], kEmpty);
  EXPECT_EQ(w->Board[50], 3);
  EXPECT_EQ(w->helperMode, kNoHelper);
  EXPECT_TRUE(w->vjestina->Enabled());  // nothing landed
  EXPECT_EQ(w->nextKind, 2);
}

TEST_F(TumoWindow, TurnsCostTheStepAndSkillSetsIt) {
  setBoard({{0, 1}, {9, 2}});
  click(*w->button[7]);  // no money: nothing
  EXPECT_EQ(w->Board[0], 1);
  setMoney(2);
  click(*w->button[7]);  // rotate left: the top right corner comes to the top left
  EXPECT_EQ(w->Board[0], 2);
  EXPECT_EQ(w->Label4->Caption(), " 0$");
  EXPECT_EQ(picture(0), "cartoon(2)");
  EXPECT_EQ(takeLog(), std::vector<std::string>{"sound 6"});

  vt::ScriptedRandom rnd(std::vector<float>(7, 0.0f));
  chooseMenu("tezina", 4);  // Hard: turns cost 3, the bomb rises by 3; prices reached stay
  EXPECT_TRUE(w->findMenu("tezina", 4)->Checked());
  EXPECT_FALSE(w->findMenu("tezina", 2)->Checked());
  EXPECT_EQ(w->nextKind, 0);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(w->otvorg(i).Visible(), i == 0) << i;
  setMoney(3);
  click(*w->button[2]);
  EXPECT_EQ(w->pomoc[1]->Caption(), " 3$");
  click(*w->button[14]);
  EXPECT_EQ(w->money, 0);
  EXPECT_EQ(w->Board[9], 2);  // flipped back across
}

TEST_F(TumoWindow, BusyBoardBeepsAndHelpBlocksTheBoard) {
  setBoard({}, 1);
  vt::ScriptedRandom rnd(nextPiece(4));
  bool busy = false;
  vt::vhost().after(60, [&] {
    busy = !w->Podloga->Enabled() && w->MousePointer() == rt::kHourglass;
    click(w->otvorg(7));
  });
  click(w->otvorg(2));
  EXPECT_TRUE(busy);
  EXPECT_EQ(countLog("beep"), 1);
  EXPECT_EQ(w->Board[97], kEmpty);

  w->otvorh(9).setVisible(true);
  chooseMenu("pomoc");
  EXPECT_TRUE(w->find("Picture12")->Visible());
  EXPECT_TRUE(w->Podloga->Visible());
  EXPECT_EQ(control<rt::Label>(*w, "Label3").Caption().rfind("  Welcome to Tumo,\r", 0), 0u);
  takeLog();
  click(w->otvorh(9));
  setMoney(9);
  click(*w->button[8]);
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(w->Board[99], kEmpty);
  EXPECT_EQ(w->money, 9);
  click(*w->find("Command5.pic_Button"));
  EXPECT_FALSE(w->find("Picture12")->Visible());
  EXPECT_TRUE(w->otvorh(9).Visible());
  click(w->otvorh(9));
  EXPECT_EQ(w->Board[93], 4);  // beside the first piece
}

TEST_F(TumoWindow, BestScoreIsKeptPerSkill) {
  w->score = 6;
  w->redrawState();
  click(w->Command3->face());
  EXPECT_EQ(w->Label6->Caption(), "6");
  QFile f(dir_.path() + "/Tumo_hsc.nrz");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "0\r\n6\r\n0\r\n");
  click(w->Command3->face());  // equal: a beep only
  EXPECT_EQ(countLog("beep"), 1);
  chooseMenu("tezina", 0);
  EXPECT_EQ(w->Label6->Caption(), "0");
}

TEST_F(TumoWindow, ChoosingAnotherGameMidDropEndsIt) {
  setBoard({}, 1);
  vt::vhost().after(120, [&] { rt::dispatch(w, [&] { w->findMenu("igrica", game("Kippel"))->fireClick(); }); });
  std::weak_ptr<rt::Form> tumo = shell::GameInstance(game("Tumo"));
  click(w->otvorg(0));
  EXPECT_TRUE(tumo.expired());
  EXPECT_LT(countLog("wait 50"), 9);  // the drop stopped on its way
}

}  // namespace
