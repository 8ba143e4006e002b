// Velk Chess on the virtual host: move entry by clicks and drags, the refusals while the
// computer thinks or the move list steps, browsing, rotation, promotion and the end of a game.
#include <QImage>

#include "ctrl_panel.h"
#include "frm_board.h"
#include "pack_fixture.h"
#include "position_text.h"
#include "rt/dispatch.h"
#include "rt/keys.h"

using chess::Engine;
using chess::FrmBoard;

using chessui::DisplayBoard;

namespace {

class ChessWindowTest : public PackTest {
 protected:
  FrmBoard* w = nullptr;

  void openChess() { w = &openAs<FrmBoard>("Velk Chess"); }
  // A fresh window, as the "Play" list gives one.
  void reopen() {
    chooseMenu("igrica", game("Velk Chess"));
    w = &shownAs<FrmBoard>();
  }

  // Display square of "e2".
  static void square(const std::string& name, int& col, int& row) {
    col = name[0] - 'a' + 1;
    row = 9 - (name[1] - '0');
  }
  // The window pixel at the centre of a square as the board shows it now.
  void centre(const std::string& name, int& x, int& y) const {
    int col, row;
    square(name, col, row);
    if (w->BoardRotated) {
      col = 9 - col;
      row = 9 - row;
    }
    x = 19 + 32 * (col - 1) + 16;
    y = 19 + 32 * (row - 1) + 16;
  }
  void press(const std::string& sq, int button = 1) {
    int x, y;
    centre(sq, x, y);
    w->mouseDown(x, y, button, 0);
  }
  void release(const std::string& sq, int button = 1) {
    int x, y;
    centre(sq, x, y);
    w->mouseUp(x, y, button, 0);
  }
  void clickSquare(const std::string& sq, int button = 1) {
    press(sq, button);
    release(sq, button);
  }
  void clickMove(const std::string& move) {
    clickSquare(move.substr(0, 2));
    clickSquare(move.substr(2, 2));
  }
  void dragMove(const std::string& move) {
    int x1, y1, x2, y2;
    centre(move.substr(0, 2), x1, y1);
    centre(move.substr(2, 2), x2, y2);
    w->mouseDown(x1, y1, 1, 0);
    w->mouseMove((x1 + x2) / 2, (y1 + y2) / 2, 1, 0);
    w->mouseMove(x2, y2, 1, 0);
    w->mouseUp(x2, y2, 1, 0);
  }
  void key(char letter) { w->keyDown(letter, rt::vbCtrlMask); }
  void fire(const std::string& name, int index = -1) {
    rt::MenuItem* m = w->findMenu(name, index);
    ASSERT_NE(m, nullptr) << name;
    rt::dispatch(w, [m] { m->fireClick(); });
  }

  int code(const std::string& sq) const {
    int col, row;
    square(sq, col, row);
    return w->DisplayBoard(col, row);
  }
  long long value(const std::string& name) const { return w->state().at(name).get().at(0); }
  std::vector<long long> moveList() const { return w->state().at("MoveList").get(); }
  static DisplayBoard ply(int k) {
    return chessui::DisplayFromEngine(Engine().MoveHistory(k), Engine().HumanIsWhite());
  }
  bool humanBoxShown() const { return w->Picture4(0).Visible() && !w->Picture4(1).Visible(); }
  QImage drawn() const { return w->Surface->surface().image().copy(); }

  // A position of the human's choosing as a new game (human to move).
  void load(const std::string& position) {
    chess::EngineBoard b;
    bool white = true;
    std::string error;
    ASSERT_TRUE(chess::ParsePosition(position, b, white, error)) << error;
    ASSERT_TRUE(white);
    rt::dispatch(w, [&] {
      Engine().LoadPosition(b, white);
      Engine().RestorePosition();
    });
  }
};

}  // namespace

TEST_F(ChessWindowTest, TwoClicksAndADragMakeTheSameMove) {
  openChess();
  EXPECT_EQ(w->DisplayBoard, ply(0));
  EXPECT_TRUE(humanBoxShown());
  clickMove("e2e4");
  const std::vector<long long> list = moveList();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0], 5254);
  EXPECT_EQ(code("e4"), 1);
  EXPECT_EQ(w->DisplayBoard, ply(2));
  // The computer's move: its origin carries the selection mark, its destination the other.
  const int reply = static_cast<int>(list[1]);
  EXPECT_EQ(w->panel().SelCol, reply / 1000);
  EXPECT_EQ(w->panel().SelRow, 9 - reply / 100 % 10);
  EXPECT_EQ(w->LastMoveCol, reply / 10 % 10);
  EXPECT_EQ(w->LastMoveRow, 9 - reply % 10);
  EXPECT_EQ(value("Progress"), 1);
  EXPECT_TRUE(humanBoxShown());
  const DisplayBoard shown = w->DisplayBoard;
  const chess::EngineBoard root = Engine().Root();
  const QImage picture = drawn();

  reopen();
  EXPECT_EQ(value("LastPly"), 0);
  int x1, y1, x2, y2;
  centre("e2", x1, y1);
  centre("e4", x2, y2);
  w->mouseDown(x1, y1, 1, 0);
  EXPECT_EQ(w->panel().DragCode, 1);
  w->mouseMove(x2, y2, 1, 0);
  // Under way: e2 is drawn empty (light square) and the pawn follows the pointer.
  EXPECT_EQ(w->Surface->surface().pixel(x1, y1), rt::RGB(255, 255, 192));
  bool pawnNearPointer = false;
  for (int y = y2 - 22; y < y2 + 10; ++y)
    for (int x = x2 - 22; x < x2 + 10; ++x) pawnNearPointer |= w->Surface->surface().pixel(x, y) < rt::RGB(60, 60, 60);
  EXPECT_TRUE(pawnNearPointer);
  EXPECT_EQ(value("LastPly"), 0);
  w->mouseUp(x2, y2, 1, 0);
  EXPECT_EQ(w->panel().DragCode, 0);
  EXPECT_EQ(moveList(), list);
  EXPECT_EQ(w->DisplayBoard, shown);
  EXPECT_TRUE(Engine().Root() == root);
  EXPECT_EQ(drawn(), picture);
}

TEST_F(ChessWindowTest, AQuickClicksReleaseDuringThePressStillMoves) {
  openChess();
  clickSquare("e2");
  // The release comes while the press still draws the destination mark.
  vt::vhost().at(vt::vhost().nowMs(), [&] { release("e4"); });
  press("e4");
  EXPECT_EQ(value("LastPly"), 2);
  EXPECT_EQ(moveList().at(0), 5254);
  EXPECT_EQ(code("e4"), 1);
  EXPECT_FALSE(w->HighlightBusy);
}

TEST_F(ChessWindowTest, RefusedMovesAndSelection) {
  openChess();
  const DisplayBoard start = w->DisplayBoard;
  const QImage picture = drawn();
  takeLog();

  clickSquare("e7");  // the computer's piece, nothing selected: nothing
  clickSquare("e4");  // an empty square: nothing
  EXPECT_EQ(w->panel().SelCol, 0);
  clickSquare("e2");
  EXPECT_EQ(w->panel().SelCol, 5);
  EXPECT_EQ(w->panel().SelRow, 7);
  press("d2");  // another own piece takes the selection
  release("d2");
  EXPECT_EQ(w->panel().SelCol, 4);
  clickSquare("d5");  // not a pawn's move
  EXPECT_EQ(w->DisplayBoard, start);
  EXPECT_EQ(w->panel().SelCol, 0);
  EXPECT_EQ(w->LastMoveCol, 0);
  EXPECT_EQ(value("LastPly"), 0);
  EXPECT_EQ(drawn(), picture);

  // Releasing a drag on its own square keeps the piece selected and submits nothing.
  int x, y;
  centre("g1", x, y);
  w->mouseDown(x, y, 1, 0);
  w->mouseMove(x + 5, y - 7, 1, 0);
  w->mouseUp(x + 3, y + 2, 1, 0);
  EXPECT_EQ(w->panel().SelCol, 7);
  EXPECT_EQ(w->panel().DragCode, 0);
  EXPECT_EQ(value("LastPly"), 0);
  // A right press on the board drops the selection; one far outside does nothing.
  w->mouseDown(430, 430, 2, 0);
  EXPECT_EQ(w->panel().SelCol, 7);
  press("a5", 2);
  release("a5", 2);
  EXPECT_EQ(w->panel().SelCol, 0);
  EXPECT_EQ(drawn(), picture);
  EXPECT_TRUE(takeLog().empty());  // refusals on the board are silent
}

TEST_F(ChessWindowTest, CommandsBeepWhileTheComputerThinks) {
  openChess();
  clickMove("e2e4");
  fire("SubMovesMenu", 0);  // back to the computer's turn
  ASSERT_EQ(value("ShownPly"), 1);
  EXPECT_TRUE(w->BlackToMove);
  takeLog();

  bool thinking = false, moveNowEnabled = true;
  vt::vhost().at(vt::vhost().nowMs(), [&] {
    thinking = w->ThinkingFlag;
    moveNowEnabled = w->findMenu("SubMovesMenu", 5)->Enabled();
    fire("SubFileMenu", 0);
    fire("SubFileMenu", 1);
    fire("difficult");
    fire("SubMovesMenu", 0);
    fire("igrica", game("Faunix"));
    click(w->poke(4));
    key('B');
    key('M');           // "Move now" is disabled: no second search
    clickMove("d2d4");  // the board waits
    fire("pprom", 1);   // the promotion piece may change at any time
  });
  chooseMenu("SubMovesMenu", 5);

  EXPECT_TRUE(thinking);
  EXPECT_FALSE(moveNowEnabled);
  EXPECT_EQ(countLog("beep"), 7);
  EXPECT_EQ(open(), w);
  EXPECT_FALSE(w->findMenu("difficult")->Checked());
  EXPECT_TRUE(w->findMenu("pprom", 1)->Checked());
  EXPECT_FALSE(w->findMenu("pprom", 3)->Checked());
  EXPECT_FALSE(w->ThinkingFlag);
  EXPECT_TRUE(w->findMenu("SubMovesMenu", 5)->Enabled());
  EXPECT_EQ(value("LastPly"), 2);
  EXPECT_EQ(moveList()[0], 5254);
  EXPECT_EQ(w->DisplayBoard, ply(2));
  EXPECT_TRUE(humanBoxShown());

  // "Move now" while the human is to move does nothing; the strength option works when idle.
  fire("SubMovesMenu", 5);
  EXPECT_EQ(value("LastPly"), 2);
  fire("difficult");
  EXPECT_TRUE(w->Difficult());
}

TEST_F(ChessWindowTest, ANewGameTakesNoInputWhileItIsSetUp) {
  openChess();
  for (int human : {0, 1}) {
    fire("SubFileMenu", human);  // White or Black, with a move of the human's played
    clickMove(human == 0 ? "e2e4" : "e7e5");
    ASSERT_GE(value("LastPly"), 2);
    takeLog();
    // Clicks and commands that arrive while the new game draws itself.
    vt::vhost().at(vt::vhost().nowMs(), [&] {
      clickMove(human == 0 ? "d2d4" : "d7d5");
      fire("difficult");
      fire("SubMovesMenu", 5);
    });
    fire("SubFileMenu", human);
    EXPECT_EQ(countLog("beep"), 2);
    EXPECT_FALSE(w->Difficult());
    EXPECT_EQ(value("LastPly"), human);  // as Black, only White's opening move
    EXPECT_EQ(value("ShownPly"), human);
    EXPECT_EQ(Engine().MoveCounter(), human);
    EXPECT_EQ(moveList().size(), static_cast<size_t>(human));
    EXPECT_EQ(w->DisplayBoard, ply(human));
    EXPECT_TRUE(humanBoxShown());
  }
}

TEST_F(ChessWindowTest, BrowsingTheMoveList) {
  openChess();
  clickMove("e2e4");
  clickMove("d2d4");
  ASSERT_EQ(value("LastPly"), 4);
  std::vector<DisplayBoard> played;
  for (int k = 0; k <= 4; ++k) played.push_back(ply(k));
  const std::vector<long long> list = moveList();

  key('B');
  EXPECT_EQ(value("ShownPly"), 3);
  EXPECT_EQ(w->DisplayBoard, played[3]);
  EXPECT_TRUE(w->BlackToMove);
  EXPECT_FALSE(humanBoxShown());
  EXPECT_EQ(w->LastMoveCol, 0);
  fire("SubMovesMenu", 2);  // back to start
  EXPECT_EQ(w->DisplayBoard, played[0]);
  EXPECT_FALSE(w->BlackToMove);
  EXPECT_TRUE(humanBoxShown());
  key('F');
  EXPECT_EQ(w->DisplayBoard, played[1]);
  click(w->poke(3));  // forward to end
  EXPECT_EQ(value("ShownPly"), 4);
  EXPECT_EQ(w->DisplayBoard, played[4]);
  EXPECT_TRUE(w->findMenu("SubMovesMenu", 3)->Checked());
  key('E');
  EXPECT_EQ(value("ShownPly"), 4);

  // While a step restores positions, the board takes no move and the commands beep.
  takeLog();
  vt::vhost().at(vt::vhost().nowMs(), [&] {
    clickMove("g1f3");
    fire("SubFileMenu", 0);
    fire("SubMovesMenu", 1);
  });
  key('S');
  EXPECT_EQ(countLog("beep"), 2);
  EXPECT_EQ(value("ShownPly"), 0);
  EXPECT_EQ(value("LastPly"), 4);
  EXPECT_EQ(moveList(), list);
  EXPECT_EQ(w->DisplayBoard, played[0]);

  // A drag cut short by a step ends at the release and draws nothing afterwards.
  key('E');
  press("b1");
  ASSERT_NE(w->panel().DragCode, 0);
  key('S');
  release("c3");
  EXPECT_EQ(w->panel().DragCode, 0);
  const QImage still = drawn();
  w->mouseMove(100, 100, 0, 0);
  EXPECT_EQ(drawn(), still);
  EXPECT_EQ(value("LastPly"), 4);

  // A move after stepping back continues the record from there.
  key('F');
  key('F');
  ASSERT_EQ(value("ShownPly"), 2);
  clickMove("g1f3");
  EXPECT_EQ(value("LastPly"), 4);
  const std::vector<long long> now = moveList();
  ASSERT_EQ(now.size(), 4u);
  EXPECT_EQ(now[0], list[0]);
  EXPECT_EQ(now[1], list[1]);
  EXPECT_EQ(now[2], 7163);
  EXPECT_EQ(code("f3"), 2);
}

TEST_F(ChessWindowTest, RotationTurnsDrawingAndInputTogether) {
  openChess();
  const QImage white = drawn();
  fire("SubFileMenu", 1);
  EXPECT_TRUE(w->BoardRotated);
  EXPECT_FALSE(w->HumanIsWhite);
  EXPECT_EQ(value("LastPly"), 1);  // White opened
  EXPECT_TRUE(w->BlackToMove);
  EXPECT_TRUE(humanBoxShown());
  const QImage black = drawn();

  auto block = [](const QImage& img, int x, int y, int wd, int ht) { return img.copy(x, y, wd, ht); };
  // Both kings stand turned; the squares keep their colours under the half turn.
  EXPECT_EQ(block(black, 18 + 32 * 3, 18, 32, 32), block(white, 18 + 32 * 4, 18 + 32 * 7, 32, 32));
  EXPECT_EQ(block(black, 18 + 32 * 3, 18 + 32 * 7, 32, 32), block(white, 18 + 32 * 4, 18, 32, 32));
  // "H" is the first letter along the top, "8" the lowest digit.
  EXPECT_EQ(block(black, 29, 3, 12, 14), block(white, 29 + 32 * 7, 3, 12, 14));
  EXPECT_NE(block(black, 29, 3, 12, 14), block(white, 29, 3, 12, 14));
  EXPECT_EQ(block(black, 6, 28 + 32 * 7, 10, 14), block(white, 6, 28, 10, 14));

  clickMove("e7e5");
  EXPECT_EQ(code("e5"), 7);
  EXPECT_EQ(code("e7"), 0);
  EXPECT_EQ(moveList().at(1), 5755);
  dragMove("g8f6");
  EXPECT_EQ(code("f6"), 8);
  EXPECT_EQ(moveList().at(3), 7866);
  EXPECT_EQ(value("LastPly"), 5);
  EXPECT_EQ(w->DisplayBoard, ply(5));

  fire("SubFileMenu", 0);
  EXPECT_FALSE(w->BoardRotated);
  EXPECT_TRUE(w->HumanIsWhite);
  EXPECT_EQ(value("LastPly"), 0);
  EXPECT_EQ(drawn(), white);
}

TEST_F(ChessWindowTest, PromotionTakesTheCheckedPiece) {
  openChess();
  load("7k/P7/8/8/8/8/8/K7 w");
  EXPECT_EQ(code("a7"), 1);
  fire("pprom", 0);  // Knight
  clickMove("a7a8");
  EXPECT_EQ(code("a8"), 2);
  EXPECT_EQ(Engine().MoveHistory(1)(1, 8), -chess::kKnight);
  EXPECT_EQ(moveList().at(0), 17182);

  reopen();  // a fresh window promotes to a queen
  load("7k/P7/8/8/8/8/8/K7 w");
  clickMove("a7a8");
  EXPECT_EQ(code("a8"), 5);
  EXPECT_EQ(moveList().at(0), 17185);
}

TEST_F(ChessWindowTest, AnEndedGameStaysEndedAtItsLastPly) {
  openChess();
  load("7k/6pp/8/8/8/8/8/R5K1 w");
  takeLog();
  clickMove("a1a8");  // mate: the computer finds no move
  EXPECT_EQ(countLog("msgbox VantixPack: Game over"), 1);
  EXPECT_EQ(value("GameOverFlag"), 1);
  EXPECT_EQ(moveList(), (std::vector<long long>{1118, 0}));
  EXPECT_FALSE(humanBoxShown());
  const DisplayBoard ended = w->DisplayBoard;
  clickMove("g1f1");
  EXPECT_EQ(value("LastPly"), 2);

  fire("SubMovesMenu", 2);  // back to start
  EXPECT_EQ(value("GameOverFlag"), 0);
  fire("SubMovesMenu", 3);  // forward to end: still over
  EXPECT_EQ(value("ShownPly"), 2);
  EXPECT_EQ(value("GameOverFlag"), 1);
  EXPECT_FALSE(humanBoxShown());
  EXPECT_EQ(w->DisplayBoard, ended);
  clickMove("g1f1");  // the human never moves twice in a row
  EXPECT_EQ(value("LastPly"), 2);
  EXPECT_EQ(w->DisplayBoard, ended);
  fire("SubMovesMenu", 2);
  fire("SubMovesMenu", 1);
  fire("SubMovesMenu", 1);
  EXPECT_EQ(value("GameOverFlag"), 1);

  // Backing up drops the ply in which nothing moved and resumes before the human's move.
  fire("SubMovesMenu", 0);
  EXPECT_EQ(value("ShownPly"), 0);
  EXPECT_EQ(value("LastPly"), 1);
  EXPECT_EQ(value("GameOverFlag"), 0);
  EXPECT_EQ(moveList(), (std::vector<long long>{1118}));
  fire("SubMovesMenu", 1);
  fire("SubMovesMenu", 5);  // the computer still has no move
  EXPECT_EQ(countLog("msgbox VantixPack: Game over"), 2);
  EXPECT_EQ(value("GameOverFlag"), 1);
  EXPECT_EQ(value("LastPly"), 2);

  // A new game shows the human's box again, after an ended game and after stepping back to
  // the computer's turn.
  EXPECT_FALSE(humanBoxShown());
  fire("SubFileMenu", 0);
  EXPECT_TRUE(humanBoxShown());
  fire("SubFileMenu", 1);
  fire("SubMovesMenu", 2);
  EXPECT_FALSE(humanBoxShown());
  fire("SubFileMenu", 0);
  EXPECT_TRUE(humanBoxShown());
  EXPECT_FALSE(w->BlackToMove);
}

TEST_F(ChessWindowTest, TheWindowFitsItsBoardAndToolbarInsideTheFrame) {
  openChess();
  // No strip beside the board, none under the toolbar.
  EXPECT_EQ(w->pixelWidth(), w->Surface->Left() + w->Surface->Width());
  const int toolbarBottom = w->Picture23343->Top() + w->Picture23343->Height();
  EXPECT_GE(w->pixelHeight(), toolbarBottom);
  EXPECT_LE(w->pixelHeight() - toolbarBottom, 2);

  // The help panel covers the window and its OK button lies inside it.
  rt::Control* help = w->find("Picture1");
  rt::Control* ok = w->find("ctrl_SkinableButton1");
  ASSERT_TRUE(help && ok);
  EXPECT_EQ(help->Width(), w->pixelWidth());
  EXPECT_EQ(help->Height(), w->pixelHeight());
  EXPECT_LE(ok->Left() + ok->Width(), help->Width());
  EXPECT_LE(ok->Top() + ok->Height(), help->Height());

  // Inside the frame, as far from its left edge as from its right (the frame's fixed shift
  // of 80 twips aside).
  const rt::Frame& fr = rt::frame();
  EXPECT_GE(w->Left, 0);
  EXPECT_GE(w->Top, 0);
  EXPECT_LE(w->Top + w->Height(), fr.Height());
  EXPECT_NEAR(w->Left + 80, fr.Width() - (w->Left + 80 + w->Width()), 1);
}
