// Holmo's window on the virtual host: runs, refused clicks, the upside-down drawing, the paid
// actions, new boards, skill and bests.
#include <QFile>
#include <QTemporaryDir>

#include "holmo.h"
#include "pack_fixture.h"
#include "rt/numbers.h"

using namespace holmo;
using removal::Form12;

namespace {

class HolmoWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    mdi_.DataFolder = dir_.path().toStdString() + "/";
    w = &openAs<Form12>("Holmo");
    takeLog();
  }
  // Every cell kind 1 but those given.
  void setBoard(std::initializer_list<std::pair<int, int16_t>> cells, int32_t money = 0) {
    for (int i = 0; i < 100; ++i) w->Board[i] = 1;
    for (auto [cell, code] : cells) w->Board[cell] = code;
    w->money = money;
    w->redrawState();
  }
  void clickCells(std::initializer_list<int> cells) {
    for (int c : cells) click(w->Element(c));
  }
  int upsideDown() const { return static_cast<int>(std::count(w->flipped.begin(), w->flipped.end(), kFlagged)); }

  QTemporaryDir dir_;
  Form12* w = nullptr;
};

TEST_F(HolmoWindow, StartsOnAFullBoardWithItsPrices) {
  for (int i = 0; i < 100; ++i) {
    const int16_t k = w->Board[i];
    EXPECT_TRUE(k <= 5 || (k >= 15 && k <= 18)) << i << " " << k;
  }
  EXPECT_EQ(w->Label9->Caption(), "100 x 7$=");
  EXPECT_EQ(w->pomoc4->Caption(), " 700$");
  EXPECT_EQ(w->Label10->Caption(), "2$");
  EXPECT_EQ(w->Label4->Caption(), " 0$");
  EXPECT_EQ(w->Label8->Caption(), " 0");
  EXPECT_EQ(w->Picture9->Picture()->ref().text(), "Form12.Uzorak20");
  EXPECT_FALSE(w->h1->Visible());
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(w->otvorg(i).Visible() || w->otvorh(i).Visible()) << i;
  EXPECT_TRUE(QFile::exists(dir_.path() + "/Holmo_hsc.nrz"));
}

TEST_F(HolmoWindow, ARunOfThreeGoesWhenAnotherKindIsClicked) {
  setBoard({{22, 3}, {27, 3}, {77, kJoker}, {87, 3}, {84, 0}});
  clickCells({22, 27, 77, 87});  // along row 2, down column 7
  EXPECT_EQ(upsideDown(), 4);
  EXPECT_TRUE(w->otvorg(7).Visible() && w->otvorh(8).Visible());
  EXPECT_EQ(w->otvorh(8).ToolTipText, "Horizontal open portal");
  EXPECT_EQ(w->Picture9->Picture()->ref().text(), "cartoon(3)");
  EXPECT_FALSE(w->vjestina->Enabled());
  EXPECT_TRUE(takeLog().empty());

  click(w->Element(84));  // kind 0 in row 8: the four go, 0 starts the next run
  EXPECT_EQ(takeLog(), std::vector<std::string>{"sound 1"});
  for (int cell : {22, 27, 77, 87}) {
    EXPECT_EQ(w->Board[cell], kEmpty) << cell;
    EXPECT_EQ(w->Element(cell).Picture(), nullptr) << cell;
  }
  EXPECT_EQ(w->flipped[84], kFlagged);
  EXPECT_EQ(upsideDown(), 1);
  EXPECT_EQ(w->currentKind, 0);
  EXPECT_EQ(w->Label4->Caption(), " 4$");
  EXPECT_EQ(w->Label8->Caption(), " 4");
  EXPECT_EQ(w->Label9->Caption(), " 96 x 7$=");
  EXPECT_EQ(w->pomoc4->Caption(), " 672$");
  // The bars frame row 8 and column 4 (board box at 240 twips).
  EXPECT_EQ(w->h1->Top(), rt::twi(240 + 8 * 510));
  EXPECT_EQ(w->h2->Top(), rt::twi(240 + 9 * 510));
  EXPECT_EQ(w->v1->Left(), rt::twi(4 * 510 + 30));
  EXPECT_EQ(w->v2->Left(), rt::twi(4 * 510 + 525));
  EXPECT_EQ(w->MousePointer(), rt::kCustomPointer);
  EXPECT_TRUE(w->Podloga->Enabled());
}

TEST_F(HolmoWindow, RefusedClicksBeepAndChangeNothing) {
  setBoard({{0, kJoker}, {55, kEmpty}});
  click(w->Element(55));  // empty: nothing at all
  click(w->Element(0));   // a joker cannot start a run
  EXPECT_EQ(countLog("beep"), 1);
  click(w->Element(11));
  click(w->Element(22));  // neither row 1 nor column 1
  EXPECT_EQ(countLog("beep"), 2);
  EXPECT_EQ(upsideDown(), 1);
  click(w->Element(11));  // the same picture turns back; the run is empty
  EXPECT_EQ(upsideDown(), 0);
  EXPECT_EQ(w->Element(11).Image()->image(), w->Element(12).Image()->image());
  takeLog();
  w->Board[13] = 2;
  w->redrawState();
  click(w->Element(13));  // ends an empty run: nothing goes
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(w->money, 0);
}

TEST_F(HolmoWindow, TheUpsideDownPictureIsMirroredOneRowHigh) {
  setBoard({{34, 16}});
  click(w->Element(34));
  const QImage src = w->Element(34).Picture()->image().convertToFormat(QImage::Format_RGB32);
  const QImage cell = w->Element(34).Image()->image().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(cell.size(), QSize(32, 32));
  // Client row y shows the picture's row 30 - y: the rectangle runs from y 31 up to -1.
  for (int y = 0; y <= 30; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(cell.pixel(x, y), src.pixel(x, 30 - y)) << x << "," << y;
  for (int x = 0; x < 32; ++x) ASSERT_EQ(cell.pixel(x, 31), src.pixel(x, 31)) << x;  // left upright
}

TEST_F(HolmoWindow, RemovingThePortholesEndsTheRunForMoney) {
  setBoard({{40, 4}, {43, 4}, {48, 4}}, 2);
  click(*w->Picture9);  // no run: a beep only
  EXPECT_EQ(takeLog(), std::vector<std::string>{"beep"});
  clickCells({40, 43, 48});
  click(*w->Picture9);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 7", "sound 1"}));
  for (int cell : {40, 43, 48}) EXPECT_EQ(w->Board[cell], kEmpty) << cell;
  EXPECT_EQ(w->money, 3);  // 2 - 2 + 3
  EXPECT_EQ(w->score, 3);
  EXPECT_EQ(upsideDown(), 0);
  EXPECT_EQ(w->currentKind, kEmpty);
  EXPECT_FALSE(w->h1->Visible() || w->v2->Visible());
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(w->otvorg(i).Visible() || w->otvorh(i).Visible()) << i;
  click(w->Element(99));  // anywhere now
  EXPECT_EQ(w->flipped[99], kFlagged);

  click(*w->Picture9);  // right after the first click: it turns back, nothing goes
  EXPECT_EQ(upsideDown(), 0);
  EXPECT_EQ(w->money, 1);
  click(w->Element(98));
  click(*w->Picture9);  // 1$ is less than the factor 2
  EXPECT_EQ(countLog("beep"), 1);
  EXPECT_EQ(w->money, 1);
}

TEST_F(HolmoWindow, LifebeltClearsTheBoardAndANewOneCostsMore) {
  setBoard({}, 699);
  click(*w->Picture5);
  EXPECT_EQ(takeLog(), std::vector<std::string>{"beep"});
  w->money = 701;
  w->redrawState();
  vt::ScriptedRandom rnd(std::vector<float>(100, 0.35f));  // draws of 3
  click(*w->Picture5);
  EXPECT_EQ(takeLog(), std::vector<std::string>{"sound 3"});
  EXPECT_EQ(w->money, 1);
  EXPECT_EQ(w->score, 0);
  EXPECT_EQ(w->clearBonus, 2);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(w->Board[i], 3) << i;
  EXPECT_EQ(w->Label9->Caption(), "100 x 9$=");
  EXPECT_EQ(w->pomoc4->Caption(), " 900$");
  EXPECT_EQ(w->Label4->Caption(), " 1$");
}

TEST_F(HolmoWindow, ClearingTheLastPicturesDealsANewBoard) {
  for (int i = 0; i < 100; ++i) w->Board[i] = kEmpty;
  w->Board[5] = w->Board[6] = 2;
  w->Board[76] = kJoker;
  w->money = 2;
  w->redrawState();
  vt::ScriptedRandom rnd(std::vector<float>(100, 0.95f));  // draws of 9: kind 18
  clickCells({5, 6, 76});
  click(*w->Picture9);  // the run takes the last three pictures
  EXPECT_EQ(w->money, 3);
  EXPECT_EQ(w->clearBonus, 2);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(w->Board[i], 18) << i;
  EXPECT_EQ(upsideDown(), 0);
  EXPECT_EQ(w->currentKind, kEmpty);
  EXPECT_EQ(w->Label9->Caption(), "100 x 9$=");
  EXPECT_EQ(w->pomoc4->Caption(), " 900$");
}

TEST_F(HolmoWindow, SkillSetsTheFactorAndTheBestLine) {
  chooseMenu("tezina", 0);
  EXPECT_EQ(w->Label10->Caption(), "1$");
  EXPECT_EQ(w->Label9->Caption(), "100 x 4$=");
  EXPECT_EQ(w->pomoc4->Caption(), " 400$");
  chooseMenu("tezina", 4);
  EXPECT_EQ(w->pomoc4->Caption(), " 1000$");
  w->score = 12;
  w->redrawState();
  click(w->Command1->face());
  QFile f(dir_.path() + "/Holmo_hsc.nrz");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "0\r\n0\r\n12\r\n");
  EXPECT_EQ(w->Label11->Caption(), "12");
  chooseMenu("tezina", 2);
  EXPECT_EQ(w->Label11->Caption(), "0");
}

TEST_F(HolmoWindow, CodesAndPlacesOffTheBoardShowNothing) {
  // State the driver can write: codes with no picture, a last click off the board.
  setBoard({{5, 300}, {6, -7}, {7, 40}});
  w->flipped[7] = kFlagged;
  w->currentKind = 3;
  w->lastRow = 12;
  w->lastCol = -1;
  w->redrawState();
  for (int cell : {5, 6, 7}) EXPECT_EQ(w->Element(cell).Picture(), nullptr) << cell;
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(w->otvorg(i).Visible() || w->otvorh(i).Visible()) << i;

  w->currentKind = kEmpty;
  w->redrawState();
  clickCells({5, 5, 6, 7});  // 300 upside down and back; -7 ends its run, 40 ends -7's
  EXPECT_EQ(w->currentKind, 40);
  EXPECT_EQ(upsideDown(), 1);
  EXPECT_EQ(w->flipped[7], kFlagged);
  EXPECT_TRUE(w->Podloga->Enabled());
}

TEST_F(HolmoWindow, HelpPanelBlocksTheBoard) {
  chooseMenu("pomoc");
  EXPECT_TRUE(w->find("Picture12")->Visible());
  EXPECT_EQ(control<rt::Label>(*w, "Label3").Caption().rfind("    Welcome to Holmo,\r", 0), 0u);
  setBoard({}, 1000);
  click(*w->Picture5);
  w->Element_Click(12);
  EXPECT_EQ(upsideDown(), 0);
  EXPECT_EQ(w->money, 1000);
  click(*w->find("Command5.pic_Button"));
  click(w->Element(12));
  EXPECT_EQ(upsideDown(), 1);
}

}  // namespace
