// Skaldo on the virtual host: pictures dragged onto grey fields, the costs, the drag source.
#include "connect_fixture.h"
#include "skaldo.h"

using connect::Cells;
using connect::Form5;
using connect::kNone;
using connect::kTrue;

namespace {
class SkaldoWindow : public ConnectTest<Form5> {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    openWindow("Skaldo");
    setBoard(quiet(20));  // grey fields at 0, 68, 76, 84, 92
    start();
    takeLog();
  }
  // Form pixels of a point inside a control.
  static void at(rt::Control& c, int& x, int& y) {
    c.clientOrigin(x, y);
    x += 5;
    y += 5;
  }
};
}  // namespace

TEST_F(SkaldoWindow, APictureDroppedOnAnyGreyFieldMovesThere) {
  EXPECT_EQ(caption(), base() + "Skaldo            Cash:200$");
  const rt::PicHandle pic = w->slika(55).Picture();
  const int16_t kind = w->Board[55];
  EXPECT_EQ(w->slika(55).DragMode(), 1);
  EXPECT_EQ(w->slika(0).DragMode(), 0);
  drag(w->slika(55), w->slika(0));  // far away
  EXPECT_EQ(w->Board[0], kind);
  EXPECT_EQ(w->Board[55], 0);
  EXPECT_EQ(w->slika(0).Picture(), pic);
  EXPECT_EQ(w->slika(55).Picture(), nullptr);
  EXPECT_EQ(w->slika(0).DragMode(), 1);
  EXPECT_EQ(w->slika(55).DragMode(), 0);
  EXPECT_EQ(w->cash, 199);
  EXPECT_EQ(w->dragSource, kNone);
  EXPECT_EQ(caption(), base() + "Skaldo            Cash:199$");

  // Onto a picture or onto itself: nothing moves, nothing is paid, the source is cleared.
  const Cells before = w->Board;
  drag(w->slika(1), w->slika(2));
  drag(w->slika(1), w->slika(1));
  drag(w->slika(55), w->slika(68));  // a grey field does not drag
  EXPECT_EQ(w->Board, before);
  EXPECT_EQ(w->cash, 199);
  EXPECT_EQ(w->dragSource, kNone);
  EXPECT_TRUE(w->Picture1->Enabled());
}

TEST_F(SkaldoWindow, AWhitePictureCostsTenAndTheLastDollarsEndTheGame) {
  w->doneFlag[5] = kTrue;
  w->redrawState();
  EXPECT_EQ(w->slika(5).BackColor(), 0xFFFFFFu);
  EXPECT_EQ(w->slika(5).DragMode(), 1);  // white pictures still drag
  drag(w->slika(5), w->slika(68));
  EXPECT_EQ(w->cash, 190);
  EXPECT_TRUE(w->doneFlag[68]);
  EXPECT_FALSE(w->doneFlag[5]);
  EXPECT_EQ(w->slika(68).BackColor(), 0xFFFFFFu);
  EXPECT_EQ(w->slika(5).BackColor(), 0x808080u);

  w->cash = 7;
  drag(w->slika(68), w->slika(76));
  EXPECT_EQ(w->cash, 0);
  EXPECT_EQ(caption(), base() + "Skaldo            Cash:0$");
  EXPECT_FALSE(w->Picture1->Enabled());
  drag(w->slika(76), w->slika(84));
  EXPECT_EQ(w->Board[84], 0);
}

TEST_F(SkaldoWindow, ADragThatEndsWithoutADropOnACellForgetsItsSource) {
  int x, y;
  at(w->slika(11), x, y);
  w->mouseDown(x, y, 1, 0);
  w->mouseMove(w->pixelWidth() + 20, y, 1, 0);  // released outside the window: no drop at all
  w->mouseUp(w->pixelWidth() + 20, y, 1, 0);
  const int16_t kind = w->Board[22];
  drag(w->slika(22), w->slika(0));  // the next drag moves its own picture
  EXPECT_EQ(w->Board[0], kind);
  EXPECT_EQ(w->Board[22], 0);
  EXPECT_NE(w->Board[11], 0);

  at(w->slika(33), x, y);
  w->mouseDown(x, y, 1, 0);
  w->mouseMove(5, w->pixelHeight() - 5, 1, 0);  // dropped on the window beside the board
  w->mouseUp(5, w->pixelHeight() - 5, 1, 0);
  EXPECT_EQ(w->dragSource, kNone);
  EXPECT_EQ(w->cash, 199);
}

TEST_F(SkaldoWindow, ACompletedGroupTurnsWhiteWhenTheBoardIsRedrawn) {
  // Kind 1 at 1, 69, 77, 85, 93 in the quiet board: gather four beside grey 68's row.
  Cells b = quiet(20);
  std::swap(b[69], b[2]);   // 1 at 2
  std::swap(b[77], b[3]);   // 1 at 3
  std::swap(b[85], b[4]);   // 1 at 4
  setBoard(b);
  takeLog();
  ASSERT_EQ(w->Board[93], 1);
  drag(w->slika(93), w->slika(0));  // 0 1 1 1 1: five joined
  EXPECT_EQ(countLog("sound 1"), 1);
  EXPECT_EQ(w->completedCells, 5);
  for (int i : {0, 1, 2, 3, 4}) {
    EXPECT_TRUE(w->doneFlag[i]) << i;
    EXPECT_EQ(w->slika(i).BackColor(), 0xFFFFFFu) << i;
    EXPECT_EQ(w->slika(i).Picture(), nullptr) << i;
  }
  EXPECT_TRUE(w->Picture1->Enabled());
}
