// Verdo and Recollo windows on the virtual host.
#include <algorithm>
#include <cstdio>
#include <string>

#include "pack_fixture.h"
#include "recollo.h"
#include "rt/dispatch.h"
#include "verdo.h"

using arrows::Form25;
using arrows::Form7;

namespace {
// A card's number as its label shows it: two digits.
std::string TwoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}
}  // namespace

namespace {
std::string shown(rt::PictureBox& c) { return c.Picture() ? c.Picture()->ref().text() : ""; }
}  // namespace

class VerdoWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openAs<Form25>("Verdo");
    takeLog();
  }
  int squares() const { return static_cast<int>(std::count(w->cellSquare.begin(), w->cellSquare.end(), 1)); }
  int crosses() const { return static_cast<int>(std::count(w->cellCross.begin(), w->cellCross.end(), 1)); }
  // An empty 7 x 7 board with the given squares and crosses.
  void setBoard(std::vector<int> sq, std::vector<int> cr) {
    w->cellSquare.fill(verdo::kNoSquare);
    w->cellCross.fill(verdo::kNoCross);
    for (int i : sq) w->cellSquare[i] = verdo::kSquare;
    for (int i : cr) w->cellCross[i] = verdo::kCross;
    w->targetCount = static_cast<int16_t>(cr.size());
    w->redrawState();
  }
  Form25* w = nullptr;
};

TEST_F(VerdoWindow, EveryDealIsCentredAndShowsOnlyItsSize) {
  struct Case {
    int sizeItem, skillItem;  // -1: keep
    int n, target;
  };
  const Case cases[] = {{-1, -1, 7, 9}, {0, 0, 4, 2}, {6, 2, 10, 33}, {3, 1, 7, 9}, {-1, 0, 7, 6}};
  for (const Case& c : cases) {
    if (c.sizeItem >= 0) chooseMenu("spic", c.sizeItem);
    if (c.skillItem >= 0) chooseMenu("sp", c.skillItem);
    EXPECT_EQ(w->boardSize, c.n);
    EXPECT_EQ(squares(), c.target) << c.n;
    EXPECT_EQ(crosses(), c.target) << c.n;
    const int side = 32 * c.n + 5, left = (390 - 32 * c.n - 6) / 2;
    EXPECT_EQ(w->boardBox->Left(), left);
    EXPECT_EQ(w->boardBox->Top(), left);
    EXPECT_EQ(w->boardBox->Width(), side);
    EXPECT_EQ(w->shgore(c.n - 1).Left(), left + 5 + 32 * (c.n - 1));
    EXPECT_EQ(w->shdesno(0).Left(), left + side + 3);
    EXPECT_EQ(w->shdolje(0).Top(), left + side + 3);
    EXPECT_EQ(w->shlijevo(0).Left(), left - 33);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(w->shdesno(i).Visible(), i < c.n) << i;
    for (int i = 0; i < 100; ++i) EXPECT_EQ(w->slika(i).Visible(), i < c.n * c.n) << i;
    EXPECT_EQ(w->slika(c.n + 1).Left(), 33);  // row 1, column 1
    EXPECT_TRUE(w->Command2->Visible());
    EXPECT_FALSE(w->shgore(0).Enabled());
  }
  EXPECT_EQ(shown(w->shgore(0)), "Glimbo.ikona(55)");
}

TEST_F(VerdoWindow, SquaresTurnGreenOnCrossesAndTheLastCrossEndsTheGame) {
  setBoard({6, 27}, {0, 14});  // squares at (0, 6) and (3, 6); crosses at (0, 0) and (2, 0)
  click(*w->Command2);
  EXPECT_TRUE(w->shgore(0).Enabled());
  EXPECT_FALSE(w->findMenu("opcije")->Enabled());
  EXPECT_EQ(shown(w->slika(0)), "Brenx.ikona(51)");
  EXPECT_EQ(w->slika(0).BackColor(), rt::RGB(255, 255, 255));
  EXPECT_EQ(shown(w->slika(6)), "Form25.blue");
  click(w->shdesno(0));  // (0, 6) wraps to (0, 0)
  EXPECT_EQ(shown(w->slika(0)), "Form25.green");
  EXPECT_EQ(shown(w->slika(6)), "");
  EXPECT_TRUE(w->shgore(0).Enabled());
  click(w->shdolje(0));  // off the cross again
  EXPECT_EQ(shown(w->slika(0)), "Brenx.ikona(51)");
  EXPECT_EQ(shown(w->slika(7)), "Form25.blue");
  EXPECT_EQ(w->cellCross[0], verdo::kCross);
  click(w->shgore(0));  // back onto (0, 0)
  EXPECT_EQ(shown(w->slika(0)), "Form25.green");
  click(w->shgore(6));   // (3, 6) up to (2, 6)
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(w->moveCount, 4);
  click(w->shdesno(2));  // (2, 6) wraps onto the cross at (2, 0)
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"sound 8"}));
  EXPECT_EQ(w->Label4->Caption(), "5");
  EXPECT_TRUE(w->Picture5->Visible());
  EXPECT_FALSE(w->shgore(0).Enabled());
  EXPECT_FALSE(w->slika(0).Enabled());
}

TEST_F(VerdoWindow, HelpHidesTheBoardAndADealClosesIt) {
  chooseMenu("pomoc");
  EXPECT_FALSE(w->boardBox->Visible());
  EXPECT_TRUE(w->find("Picture2")->Visible());
  click(*w->find("Command1"));
  EXPECT_TRUE(w->boardBox->Visible());
  chooseMenu("pomoc");
  chooseMenu("spic", 1);
  EXPECT_TRUE(w->boardBox->Visible());
  EXPECT_FALSE(w->find("Picture2")->Visible());
}

// ---------------------------------------------------------------- Recollo

class RecolloWindow : public PackTest {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    w = &openAs<Form7>("Recollo");
    takeLog();
  }
  // Two cells holding cards of different kinds (or of one kind), outside row and column `avoid`.
  std::pair<int, int> cards(bool same, int avoidRow = -1, int avoidColumn = -1) {
    for (int a = 0; a < 100; ++a)
      for (int b = a + 1; b < 100; ++b) {
        if (!recollo::IsCard(w->game.board.kind[a]) || !recollo::IsCard(w->game.board.kind[b])) continue;
        if ((w->game.board.kind[a] == w->game.board.kind[b]) != same) continue;
        if (a / 10 == avoidRow || b / 10 == avoidRow || a % 10 == avoidColumn || b % 10 == avoidColumn) continue;
        return {a, b};
      }
    return {-1, -1};
  }
  int find(int16_t kind) const {
    for (int i = 0; i < 100; ++i)
      if (w->game.board.kind[i] == kind) return i;
    return -1;
  }
  Form7* w = nullptr;
};

TEST_F(RecolloWindow, DealShowsNumberedBacksAndOneRedArrow) {
  EXPECT_EQ(w->matchSize(), 2);
  EXPECT_TRUE(w->Picture1->Enabled());
  int red = 0;
  for (int i = 0; i < 100; ++i) {
    const int16_t k = w->game.board.kind[i];
    if (recollo::IsCard(k)) {
      EXPECT_EQ(shown(w->slika(i)), "Form7.back");
      EXPECT_TRUE(w->broj(i).Visible());
      EXPECT_EQ(w->broj(i).Caption(), TwoDigits(i));
    } else {
      EXPECT_FALSE(w->broj(i).Visible());
      red += shown(w->slika(i)).rfind("Glimbo.ikona", 0) == 0;
    }
  }
  EXPECT_EQ(red, 1);
  EXPECT_TRUE(recollo::IsOneWay(w->game.board.kind[w->game.board.redArrow]));
  chooseMenu("pieces", 1);  // triples
  EXPECT_EQ(w->matchSize(), 3);
  EXPECT_EQ(std::count(w->game.board.kind.begin(), w->game.board.kind.end(), 29), 3);
}

TEST_F(RecolloWindow, ADealLeavesNoCardOfAnAttemptUp) {
  setState("pickCount", "1");  // a card up, as the driver may write it, then a new deal
  chooseMenu("pieces", 0);
  EXPECT_EQ(w->game.pickCount, 0);
  const int a = cards(false).first;
  ASSERT_GE(a, 0);
  click(w->slika(a));  // starts an attempt on the new board: no look, no miss
  EXPECT_EQ(w->game.pickCount, 1);
  EXPECT_TRUE(takeLog().empty());
}

TEST_F(RecolloWindow, AMatchIsMarkedAndTheFirstClickLocksTheOptions) {
  auto [a, b] = cards(true);
  click(w->slika(a));
  EXPECT_FALSE(w->findMenu("opcije")->Enabled());
  EXPECT_FALSE(w->broj(a).Visible());
  EXPECT_EQ(w->game.pickCount, 1);
  click(w->slika(a));  // the same card again: nothing
  EXPECT_EQ(w->game.pickCount, 1);
  click(w->slika(find(recollo::kRevealRow)));  // an arrow while a card is up: nothing
  EXPECT_EQ(w->game.pickCount, 1);
  EXPECT_TRUE(takeLog().empty());
  click(w->broj(b));  // the number label acts for its cell
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"wait 1000", "sound 1"}));
  EXPECT_EQ(w->game.foundCount, 1);
  EXPECT_EQ(w->game.board.fixed[a], recollo::kFixed);
  EXPECT_EQ(shown(w->slika(b)), shown(w->slika(a)));
  const recollo::Cells before = w->game.board.kind;
  click(w->slika(a));  // a found card: nothing
  EXPECT_EQ(w->game.pickCount, 0);
  EXPECT_EQ(w->game.board.kind, before);
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(RecolloWindow, AMissCoversTheCardsThenTheRedArrowFires) {
  const int red = w->game.board.redArrow;
  ASSERT_TRUE(red >= 0 && red < 100);
  const int16_t redKind = w->game.board.kind[red];
  const bool row = redKind == recollo::kArrowLeft || redKind == recollo::kArrowRight;
  auto [a, b] = cards(false, row ? red / 10 : -1, row ? -1 : red % 10);
  const recollo::Board before = w->game.board;
  vt::ScriptedRandom rnd({0.0f});  // the next red arrow: the first one-way arrow
  click(w->slika(a));
  click(w->slika(b));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"wait 1000"}));
  for (int c : {a, b}) {
    EXPECT_TRUE(w->broj(c).Visible());
    EXPECT_EQ(shown(w->slika(c)), "Form7.back");
    EXPECT_EQ(w->game.board.kind[c], before.kind[c]);
  }
  recollo::Board shifted = before;
  recollo::ShiftLine(shifted, red);
  EXPECT_EQ(w->game.board.kind, shifted.kind);
  EXPECT_EQ(w->game.board.number, shifted.number);
  EXPECT_EQ(w->game.board.redArrow, recollo::NthOneWayArrow(w->game.board, 1));
  for (int i = 0; i < 100; ++i) {
    if (recollo::IsCard(w->game.board.kind[i])) {
      EXPECT_EQ(w->broj(i).Caption(), TwoDigits(w->game.board.number[i]));
    }
  }
}

TEST_F(RecolloWindow, ATwoWayArrowShowsItsLineForThreeSeconds) {
  const int arrow = find(recollo::kRevealColumn);
  ASSERT_GE(arrow, 0);
  const int column = arrow % 10;
  std::vector<int> covered;
  for (int r = 0; r < 10; ++r)
    if (!w->game.board.fixed[column + 10 * r]) covered.push_back(column + 10 * r);
  auto [a, b] = cards(false, -1, column);
  bool faceUp = false, locked = false;
  vt::vhost().after(2900, [&] {
    faceUp = std::all_of(covered.begin(), covered.end(), [&](int c) {
      return shown(w->slika(c)) != "Form7.back" && !w->broj(c).Visible();
    });
    locked = !w->Picture1->Enabled();
    click(w->slika(a));  // ignored while the line is shown
  });
  const double start = vt::vhost().nowMs();
  click(w->slika(arrow));
  EXPECT_GE(vt::vhost().nowMs() - start, 3000);
  EXPECT_TRUE(faceUp);
  EXPECT_TRUE(locked);
  EXPECT_EQ(countLog("wait 3000"), 1);
  EXPECT_EQ(w->game.pickCount, 0);
  for (int c : covered) {
    EXPECT_EQ(shown(w->slika(c)), "Form7.back");
    EXPECT_TRUE(w->broj(c).Visible());
  }
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(RecolloWindow, TheLastPairWinsAndLeavesTheBoardDisabled) {
  auto [a, b] = cards(true);
  w->game.foundCount = 44;
  click(w->slika(a));
  click(w->slika(b));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"wait 1000", "sound 1", "sound 8"}));
  EXPECT_TRUE(w->gameOver());
  EXPECT_FALSE(w->Picture1->Enabled());
  chooseMenu("pomoc");
  EXPECT_FALSE(w->Picture1->Visible());
  click(*w->find("Command1"));
  EXPECT_TRUE(w->Picture1->Visible());
  EXPECT_FALSE(w->Picture1->Enabled());
}

TEST_F(RecolloWindow, ThreeCardsOfWhichTwoAreEqualAreAMiss) {
  chooseMenu("pieces", 1);
  const int card = cards(true).first;
  ASSERT_GE(card, 0);
  const int16_t k = w->game.board.kind[card];
  std::vector<int> same;
  for (int i = 0; i < 100; ++i)
    if (w->game.board.kind[i] == k) same.push_back(i);
  int other = 0;
  while (other < 100 && (!recollo::IsCard(w->game.board.kind[other]) || w->game.board.kind[other] == k)) ++other;
  ASSERT_LT(other, 100) << "no card of another kind";
  ASSERT_GE(same.size(), 2u);
  vt::ScriptedRandom rnd({0.0f});
  click(w->slika(same[0]));
  click(w->slika(same[1]));
  EXPECT_EQ(w->game.pickCount, 2);
  click(w->slika(other));
  EXPECT_EQ(w->game.foundCount, 0);
  EXPECT_EQ(countLog("sound 1"), 0);
}

TEST_F(RecolloWindow, ClosingDuringARevealStopsTheClick) {
  vt::vhost().after(1000, [] {
    rt::Form* f = rt::frame().activeForm();
    rt::dispatch(f, [f] { f->findMenu("igrica", game("Recollo"))->fireClick(); });
  });
  click(w->slika(find(recollo::kRevealRow)));
  Form7* fresh = dynamic_cast<Form7*>(open());
  ASSERT_NE(fresh, nullptr);
  EXPECT_NE(fresh, w);
  EXPECT_TRUE(fresh->findMenu("opcije")->Enabled());
  EXPECT_TRUE(fresh->Picture1->Enabled());
}

TEST_F(RecolloWindow, AKindTheDealNeverMakesShowsNothingWhenClicked) {
  // A card-like value below the cards and one past the arrows, on a covered cell and as the
  // red arrow's kind: the click goes through without a picture.
  for (int16_t kind : {int16_t{-1}, int16_t{-7}, int16_t{51}, int16_t{400}}) {
    const int cell = find(kind < 0 ? int16_t{0} : recollo::kRevealColumn);
    ASSERT_GE(cell, 0);
    w->game.board.kind[cell] = kind;
    w->game.board.fixed[cell] = 0;
    w->game.board.numberShown[cell] = -1;
    click(w->slika(cell));
    EXPECT_EQ(w->slika(cell).Picture(), nullptr) << kind;
    EXPECT_EQ(w->game.pickCount, kind < 0 ? 1 : 0) << kind;
    EXPECT_TRUE(w->Picture1->Enabled()) << kind;
    chooseMenu("igrica", game("Recollo"));  // a fresh window for the next value
    w = dynamic_cast<Form7*>(open());
    ASSERT_NE(w, nullptr);
  }
  // A red arrow moved onto a two-way arrow keeps its plain picture when the board is redrawn.
  const int reveal = find(recollo::kRevealRow);
  ASSERT_GE(reveal, 0);
  w->game.board.redArrow = reveal;
  rt::dispatch(w, w->redrawState);
  EXPECT_NE(w->slika(reveal).Picture(), nullptr);
}
