// Velk Chess under random input: clicks, drags, right clicks, shortcuts and menu commands,
// some of them arriving while another handler draws. Whatever comes, the window shows the
// engine's position at the shown ply, the side to move agrees with the ply, and the board is
// drawn as a fresh drawing would draw it.
#include <QImage>
#include <random>

#include "ctrl_panel.h"
#include "frm_board.h"
#include "pack_fixture.h"
#include "rt/dispatch.h"
#include "rt/keys.h"

using chess::Engine;
using chess::FrmBoard;

namespace {

class ChessMonkeyTest : public PackTest {
 protected:
  FrmBoard* w = nullptr;
  std::mt19937 rng;

  int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
  void fire(const std::string& name, int index = -1) {
    rt::MenuItem* m = w->findMenu(name, index);
    if (m && m->effectivelyEnabled()) rt::dispatch(w, [m] { m->fireClick(); });
  }
  // Mostly a point on the board, now and then anywhere on the window.
  void point(int& x, int& y) {
    if (below(10) == 0) {
      x = below(360) - 5;
      y = below(360) - 5;
    } else {
      x = 19 + 32 * below(8) + below(32);
      y = 19 + 32 * below(8) + below(32);
    }
  }
  void act(bool nested) {
    int x, y, x2, y2;
    switch (below(nested ? 8 : 13)) {
      case 0: case 1: case 2: case 3: {  // a press and a release, maybe a drag, maybe right
        point(x, y);
        point(x2, y2);
        const int button = below(12) == 0 ? 2 : 1;
        w->mouseDown(x, y, button, 0);
        if (below(2)) w->mouseMove((x + x2) / 2, (y + y2) / 2, button, 0);
        if (below(3)) w->mouseUp(x2, y2, button, 0); else w->mouseUp(x, y, button, 0);
        break;
      }
      case 4: case 5:  // two clicks
        point(x, y);
        w->mouseDown(x, y, 1, 0);
        w->mouseUp(x, y, 1, 0);
        point(x2, y2);
        w->mouseDown(x2, y2, 1, 0);
        w->mouseUp(x2, y2, 1, 0);
        break;
      case 6: w->keyDown("BFSEM"[below(5)], rt::vbCtrlMask); break;
      case 7: fire("SubMovesMenu", below(6)); break;
      case 8: fire("pprom", below(4)); break;
      case 9: fire("SubFileMenu", below(2)); break;
      default:  // input that arrives while the next handler draws
        vt::vhost().at(vt::vhost().nowMs(), [this] {
          act(true);
          if (below(2)) act(true);
        });
        act(false);
        break;
    }
  }
  void check(int step) {
    const chess::ChessEngine& e = Engine();
    ASSERT_FALSE(w->Busy()) << step;
    ASSERT_EQ(e.MoveCounter(), e.ShownPly()) << step;
    ASSERT_LE(e.ShownPly(), e.LastPly()) << step;
    ASSERT_TRUE(e.Root() == e.MoveHistory(e.ShownPly())) << step;
    ASSERT_EQ(w->DisplayBoard, chessui::DisplayFromEngine(e.Root(), e.HumanIsWhite())) << step;
    ASSERT_EQ(w->BlackToMove, e.ShownPly() % 2 == 1) << step;
    ASSERT_EQ(w->HumanIsWhite, e.HumanIsWhite()) << step;
    ASSERT_EQ(w->BoardRotated, !w->HumanIsWhite) << step;
    if (e.GameOverFlag()) {
      ASSERT_EQ(e.ShownPly(), e.LastPly()) << step;
    }
    const bool humanMoves = w->BlackToMove != w->HumanIsWhite && !e.GameOverFlag();
    ASSERT_EQ(w->Picture4(0).Visible(), humanMoves) << step;
    ASSERT_NE(w->Picture4(1).Visible(), humanMoves) << step;
    ASSERT_TRUE(w->findMenu("SubMovesMenu", 5)->Enabled()) << step;
    if (w->panel().DragCode == 0) {
      const QImage shown = w->Surface->surface().image().copy();
      rt::dispatch(w, [this] { w->panel().RedrawChessBoard(); });
      ASSERT_TRUE(shown == w->Surface->surface().image()) << step;
    }
  }
};

}  // namespace

TEST_F(ChessMonkeyTest, TheWindowAlwaysShowsTheEnginesPosition) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    rng.seed(seed);
    w = dynamic_cast<FrmBoard*>(openGame("Velk Chess"));
    ASSERT_NE(w, nullptr);
    for (int step = 0; step < 150; ++step) {
      playRound("Velk Chess random input (seed " + std::to_string(seed) + ") step " + std::to_string(step));
      act(false);
      w = dynamic_cast<FrmBoard*>(open());
      ASSERT_NE(w, nullptr);
      rt::dispatch(w, [] { rt::DoEvents(); });  // input still waiting for a pump
      check(static_cast<int>(seed) * 1000 + step);
      if (HasFatalFailure()) return;
    }
  }
}
