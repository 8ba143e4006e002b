// Input made at the X server while a clip plays (the test runs on an X server of its own, the pack's frame in
// its own process, no sound server: every clip still takes its length). Whatever the player does
// during a clip waits, and then acts in the order made, at the place made, as if it came then.
// The probe keeps the clip the input is meant for until that input has reached the pack, and
// stops the pack's clock while the test sets up what must stand when a clip begins, so a slow
// machine makes a case slower, never makes its input miss.
#include <X11/keysym.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <gtest/gtest.h>

#include "klevo_rules.h"
#include "x_input.h"

namespace {

using xin::Point;
using xin::Probe;
using xin::State;

std::vector<std::string> from(const std::vector<std::string>& log, size_t first) {
  return {log.begin() + static_cast<std::ptrdiff_t>(std::min(first, log.size())), log.end()};
}

// The sounds and beeps of a log, without the captions.
std::vector<std::string> sounds(const std::vector<std::string>& log) {
  std::vector<std::string> out;
  for (const std::string& e : log)
    if (e.rfind("caption", 0) != 0) out.push_back(e);
  return out;
}

size_t indexOf(const std::vector<std::string>& log, const std::string& event, size_t first = 0) {
  for (size_t i = first; i < log.size(); ++i)
    if (log[i] == event) return i;
  return log.size();
}

// The caption change of the "Play" handler that closed `window`: the last one of that window
// before the next window's first. (The frame also sets the caption again whenever it is
// activated, which on a desktop with no window manager is the first click into it.)
size_t closingOf(const std::vector<std::string>& log, const std::string& window, const std::string& next) {
  const size_t opened = indexOf(log, "caption@" + next);
  for (size_t i = std::min(opened, log.size()); i-- > 0;)
    if (log[i] == "caption@" + window) return i;
  return log.size();
}

// Waits until the probe has seen `n` more presses and releases than `before`, then until it is
// idle (no clip, no handler, nothing held) with `window` open.
State settle(Probe& probe, const State& before, int n, const std::string& window) {
  State s = probe.waitFor([&](const State& s) { return s.input >= before.input + n; });
  EXPECT_GE(s.input, before.input + n) << "not all the input reached the pack";
  s = probe.waitFor([&](const State& s) { return s.window == window && s.idle(); });
  EXPECT_EQ(s.window, window);
  EXPECT_TRUE(s.idle()) << "clip " << s.clip << ", held " << s.held << ", handlers " << s.handlers;
  return s;
}

// Ends the clip the probe keeps once the `n` presses and releases made during it have reached the
// pack.
void endKeptClip(Probe& probe, const State& before, int n) {
  const State s = probe.waitFor([&](const State& s) { return s.inputInClip >= before.inputInClip + n; });
  EXPECT_GE(s.inputInClip - before.inputInClip, n) << "the input made during the clip did not reach the pack";
  EXPECT_EQ(probe.ask("end"), "ok");
}

// Where a game shows in the "Play" list: the list is opened with the mouse and closed again.
Point playItem(xin::Player& x, Probe& probe, const std::string& game) {
  const Point play = probe.bar("Play");
  x.click(play);
  x.sync();
  EXPECT_EQ(probe.waitFor([](const State& s) { return s.popup == 1; }).popup, 1) << "the Play list did not open";
  const Point item = probe.item(game);
  x.click(play);
  x.sync();
  EXPECT_EQ(probe.waitFor([](const State& s) { return s.popup == 0; }).popup, 0) << "the Play list did not close";
  return item;
}

klevo::Board klevoBoard(const std::vector<long long>& v) {
  klevo::Board b{};
  EXPECT_EQ(v.size(), b.size());
  for (size_t i = 0; i < b.size() && i < v.size(); ++i) b[i] = static_cast<int16_t>(v[i]);
  return b;
}

std::array<int, 7> kindCounts(const klevo::Board& b) {
  std::array<int, 7> n{};
  for (int16_t k : b)
    if (k >= 0 && k < 7) ++n[k];
  return n;
}

// The centre of a square of the chess board (column 1..8 from the left, row 1..8 from the top).
Point square(Probe& chess, int col, int row) { return chess.form(18 + 32 * (col - 1) + 16, 18 + 32 * (row - 1) + 16); }

}  // namespace

// Klevo: a click on a lone picture sounds 10 (0.5 s). During it, a click on a group of three or
// more, a click on another lone picture, and "Play" > "Holmo". After the clip the group is
// flagged cell by cell, pumping, and the second click comes then, on the busy board: the system
// beep, before the group's sound 1. Holmo opens in the fall that follows, and none of the input
// reaches Holmo's board.
TEST(FrameInput, ClicksAndAPlayChoiceMadeDuringAClipActAfterItInOrderAtTheirPlaces) {
  xin::Player x;
  ASSERT_TRUE(x.ok()) << "no connection to the X server";
  Probe probe("Klevo", 3);
  ASSERT_TRUE(probe.ready());
  const klevo::Board board = klevoBoard(probe.values("get Board"));
  int lone = -1, group = -1, other = -1;
  klevo::Marks marks{};
  for (int i = 0; i < klevo::kCells; ++i) {
    if (board[i] == klevo::kEmpty || board[i] == klevo::kJoker) continue;
    if (klevo::CanRemove(board, i)) {
      klevo::Marks m{};
      if (group < 0 && klevo::FlagGroup(board, m, i).size() >= 3) {
        group = i;
        marks = m;
      }
    } else if (lone < 0) {
      lone = i;
    }
  }
  for (int i = klevo::kCells - 1; i >= 0 && other < 0; --i)
    if (i != lone && board[i] != klevo::kEmpty && !klevo::CanRemove(board, i) && !marks[i]) other = i;
  ASSERT_TRUE(lone >= 0 && group >= 0 && other >= 0) << "the deal has no lone picture or no group";

  const Point holmo = playItem(x, probe, "Holmo");
  const size_t first = probe.log().size();
  const State before = probe.state();
  ASSERT_EQ(probe.ask("keep"), "ok");
  x.click(probe.control("Element", lone));
  x.sync();
  ASSERT_EQ(probe.waitFor([](const State& s) { return s.clip == 10; }).clip, 10) << "the lone picture did not sound";
  x.click(probe.control("Element", group));
  x.click(probe.control("Element", other));
  x.click(probe.bar("Play"));
  x.click(holmo);
  x.sync();
  endKeptClip(probe, before, 8);
  const State after = settle(probe, before, 10, "Form12");
  EXPECT_EQ(after.inputInClip - before.inputInClip, 8) << "the clicks were meant to come during the clip";

  const std::vector<std::string> log = from(probe.log(), first);
  ASSERT_EQ(sounds(log), (std::vector<std::string>{"sound10@Form1", "beep@Form1", "sound1@Form1"}));
  // The group clicked went, and nothing else: as it was flagged when its sound played, and the
  // kinds left when "Play" closed Klevo.
  const size_t removal = first + indexOf(log, "sound1@Form1");
  EXPECT_EQ(klevoBoard(probe.values("snap " + std::to_string(removal) + " Board")), board);
  const klevo::Board flagged = klevoBoard(probe.values("snap " + std::to_string(removal) + " removeMark"));
  EXPECT_EQ(flagged, marks) << "another group than the one clicked";
  const size_t closing = first + closingOf(log, "Form1", "Form12");
  ASSERT_LT(removal, closing);
  std::array<int, 7> expected = kindCounts(board);
  for (int i = 0; i < klevo::kCells; ++i)
    if (marks[i]) --expected[board[i]], ++expected[klevo::kEmpty];
  EXPECT_EQ(kindCounts(klevoBoard(probe.values("snap " + std::to_string(closing) + " Board"))), expected);
  // Holmo as dealt when it opened, untouched since.
  const size_t opened = first + indexOf(log, "caption@Form12");
  ASSERT_LT(opened - first, log.size());
  EXPECT_EQ(probe.values("snap " + std::to_string(opened) + " Board"), probe.values("get Board"));
}

// Recollo: two equal cards stay up for a second, then sound 1. The "Play" list opened in that
// second (the pack's clock stands until it is open) is still open when the clip starts. During the
// clip: a click beside the list (it only closes the list, as it would at once), a click on a card
// (it turns up), then "Play" > "Holmo".
TEST(FrameInput, ClicksWithAPopupMenuOpenWhenTheClipStartsActAfterIt) {
  xin::Player x;
  ASSERT_TRUE(x.ok()) << "no connection to the X server";
  Probe probe("Recollo", 1);
  ASSERT_TRUE(probe.ready());
  const std::vector<long long> kinds = probe.values("get Board");
  ASSERT_EQ(kinds.size(), 100u);
  int a = -1, b = -1;
  for (int i = 0; i < 100 && b < 0; ++i)
    for (int j = i + 1; j < 100 && b < 0; ++j)
      if (kinds[i] < 45 && kinds[i] == kinds[j]) a = i, b = j;
  // Two more cards on the right half of the board, clear of the open list.
  std::vector<int> cards;
  for (int i = 0; i < 100 && cards.size() < 2; ++i)
    if (i % 10 >= 6 && kinds[i] < 45 && i != a && i != b) cards.push_back(i);
  ASSERT_TRUE(b >= 0 && cards.size() == 2);
  const size_t first = probe.log().size();
  const State before = probe.state();
  // One thing after another, as a player's hand goes: the second card once the first is up,
  // "Play" once the pair stays up.
  x.click(probe.control("slika", a));
  x.sync();
  ASSERT_EQ(probe.waitForValue("pickCount", 1), 1);
  ASSERT_EQ(probe.ask("stop"), "ok");
  x.click(probe.control("slika", b));
  x.sync();
  ASSERT_EQ(probe.waitForValue("pickCount", 0), 0);  // both up: the pause before the pair's sound
  const Point play = probe.bar("Play");
  x.click(play);
  x.sync();
  ASSERT_EQ(probe.waitFor([](const State& s) { return s.popup == 1; }).popup, 1) << "the Play list did not open";
  const Point holmo = probe.item("Holmo");
  ASSERT_EQ(probe.ask("keep"), "ok");
  ASSERT_EQ(probe.ask("run"), "ok");  // the pause goes on
  ASSERT_EQ(probe.waitFor([](const State& s) { return s.clip == 1; }).clip, 1) << "the pair did not sound";
  x.click(probe.control("slika", cards[0]));
  x.click(probe.control("slika", cards[1]));
  x.click(play);
  x.click(holmo);
  x.sync();
  endKeptClip(probe, before, 8);
  const State after = settle(probe, before, 14, "Form12");
  EXPECT_EQ(after.inputInClip - before.inputInClip, 8) << "the clicks were meant to come during the clip";
  const std::vector<std::string> log = from(probe.log(), first);
  EXPECT_EQ(sounds(log), std::vector<std::string>{"sound1@Form7"});
  // Recollo as "Play" closed it: the pair found, the second card up, the first one not.
  ASSERT_LT(indexOf(log, "sound1@Form7"), closingOf(log, "Form7", "Form12"));
  const std::string closing = std::to_string(first + closingOf(log, "Form7", "Form12"));
  EXPECT_EQ(probe.values("snap " + closing + " foundCount"), std::vector<long long>{1});
  EXPECT_EQ(probe.values("snap " + closing + " pickCount"), std::vector<long long>{1});
  EXPECT_EQ(probe.values("snap " + closing + " picks").at(0), cards[1]);
}

// Lobbo with the arrow keys: the first piece is a column ladder, which sounds 3 when it lands.
// During the clip Right is pressed and let go, then Left is held: afterwards the next piece
// slides to the left wall.
TEST(FrameInput, KeysMadeDuringAClipActAfterItInOrder) {
  xin::Player x;
  ASSERT_TRUE(x.ok()) << "no connection to the X server";
  Probe probe("Lobbo", 62);
  ASSERT_TRUE(probe.ready());
  ASSERT_EQ(probe.ask("choose ua"), "ok");        // the arrow keys steer
  ASSERT_EQ(probe.ask("choose o221 9"), "ok");    // level 10, the fastest fall
  const size_t first = probe.log().size();
  const State before = probe.state();
  ASSERT_EQ(probe.ask("keep"), "ok");
  x.click(probe.control("Command1"));  // "Continue"
  x.sync();
  ASSERT_EQ(probe.waitFor([](const State& s) { return s.clip == 3; }).clip, 3) << "the ladder did not land";
  EXPECT_EQ(probe.value("pieceLength"), 0) << "one block";
  x.keyDown(XK_Right);
  x.keyUp(XK_Right);
  x.keyDown(XK_Left);
  x.sync();
  ASSERT_EQ(probe.ask("stop"), "ok");  // the keys act before the next piece falls
  endKeptClip(probe, before, 3);
  const State after = probe.waitFor([&](const State& s) { return s.input >= before.input + 5; });
  EXPECT_GE(after.inputInClip - before.inputInClip, 3) << "the keys were meant to come during the clip";
  probe.waitFor([](const State& s) { return s.clip == 0 && s.held == 0; });
  EXPECT_EQ(probe.value("keyFlags"), 1) << "Left held, Right let go";
  EXPECT_EQ(sounds(from(probe.log(), first)), std::vector<std::string>{"sound3@Form23"});
  ASSERT_EQ(probe.ask("run"), "ok");
  EXPECT_EQ(probe.waitForValue("pieceX", 1), 1) << "the next piece did not go left";
  x.keyUp(XK_Left);
  x.sync();
}

// Lobbo: "Continue" greys "Starting level" and the steering item, and the bar shows it. The
// "Options" menu is open when the first piece, a column ladder, lands and sounds 3 (the pack's
// clock stands until it is open). During the clip "Hide next" is clicked, then "Play" on the bar.
// The choice changes the menus (its check mark), so the bar is built again; the click on "Play"
// acts on the bar as it is when it comes after the clip, and opens the "Play" list.
TEST(FrameInput, AClickOnTheBarAfterAHeldChoiceThatChangesTheMenusOpensItsMenu) {
  xin::Player x;
  ASSERT_TRUE(x.ok()) << "no connection to the X server";
  Probe probe("Lobbo", 62);
  ASSERT_TRUE(probe.ready());
  ASSERT_EQ(probe.ask("choose o221 9"), "ok");  // level 10, the fastest fall
  const Point play = probe.bar("Play"), options = probe.bar("Options");
  const size_t first = probe.log().size();
  const State before = probe.state();
  ASSERT_EQ(probe.ask("stop"), "ok");
  x.click(probe.control("Command1"));  // "Continue"
  x.sync();
  ASSERT_EQ(probe.waitForAnswer("menu o22", "menu enabled=0 checked=0"), "menu enabled=0 checked=0");
  ASSERT_EQ(probe.waitFor([](const State& s) { return s.menus == 0; }).menus, 0) << "the bar does not follow";
  x.click(options);
  x.sync();
  ASSERT_EQ(probe.waitForAnswer("popup", "popup Options"), "popup Options");
  EXPECT_EQ(probe.ask("shown Use arrow keys for moving instead of mouse"), "shown enabled=0 checked=0");
  EXPECT_EQ(probe.ask("shown Starting level"), "shown enabled=0 checked=0");
  ASSERT_EQ(probe.ask("shown Hide next"), "shown enabled=1 checked=0");
  const Point hide = probe.item("Hide next");
  ASSERT_EQ(probe.ask("keep"), "ok");
  ASSERT_EQ(probe.ask("run"), "ok");  // the piece falls
  ASSERT_EQ(probe.waitFor([](const State& s) { return s.clip == 3; }).clip, 3) << "the ladder did not land";
  x.click(hide);
  x.click(play);
  x.sync();
  endKeptClip(probe, before, 4);
  const State after = probe.waitFor([&](const State& s) { return s.input >= before.input + 8 && s.held == 0; });
  EXPECT_EQ(after.input - before.input, 8) << "not all the input reached the pack";
  EXPECT_EQ(after.inputInClip - before.inputInClip, 4) << "the clicks were meant to come during the clip";
  EXPECT_EQ(probe.ask("menu o21"), "menu enabled=1 checked=1") << "\"Hide next\" was not chosen";
  EXPECT_EQ(probe.waitForAnswer("popup", "popup Play"), "popup Play");
  const std::vector<std::string> log = sounds(from(probe.log(), first));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "sound3@Form23");
}

// Lobbo: while the first piece's landing sounds 3, a click into the well with Shift held, then
// Left with Ctrl held. They reach the window after the clip as made: the click at its place in
// the window (the frame is away from the screen's corner) and both with their modifiers.
TEST(FrameInput, HeldClicksAndKeysKeepTheirModifiersAndPlaces) {
  xin::Player x;
  ASSERT_TRUE(x.ok()) << "no connection to the X server";
  Probe probe("Lobbo", 62);
  ASSERT_TRUE(probe.ready());
  ASSERT_EQ(probe.ask("choose o221 9"), "ok");
  const Point well = probe.form(41, 300);
  const State before = probe.state();
  ASSERT_EQ(probe.ask("keep"), "ok");
  x.click(probe.control("Command1"));  // "Continue"
  x.sync();
  ASSERT_EQ(probe.waitFor([](const State& s) { return s.clip == 3; }).clip, 3) << "the ladder did not land";
  const std::string made = probe.ask("input");
  x.keyDown(XK_Shift_L);
  x.click(well);
  x.keyUp(XK_Shift_L);
  x.keyDown(XK_Control_L);
  x.key(XK_Left);
  x.keyUp(XK_Control_L);
  x.sync();
  endKeptClip(probe, before, 8);
  const State after = probe.waitFor([&](const State& s) { return s.input >= before.input + 10 && s.held == 0; });
  EXPECT_EQ(after.inputInClip - before.inputInClip, 8) << "the input was meant to come during the clip";
  ASSERT_EQ(after.held, 0);
  const std::string got = probe.ask("input");
  ASSERT_EQ(got.rfind(made, 0), 0u) << got;
  std::istringstream in(got.substr(made.size()));
  std::vector<std::string> presses;
  for (std::string p; in >> p;)
    if (p.rfind("key:16,", 0) != 0 && p.rfind("key:17,", 0) != 0) presses.push_back(p);  // not Shift or Ctrl
  EXPECT_EQ(presses, (std::vector<std::string>{"down:41,300,1", "key:37,2"}));
}

// Equin: a white knight dragged at the start sounds 10. During it the black knight eats a white
// one, then a white knight jumps into the cell the black one left: a move only after the first.
TEST(FrameInput, DragsMadeDuringAClipActAfterItInOrder) {
  xin::Player x;
  ASSERT_TRUE(x.ok()) << "no connection to the X server";
  Probe probe("Equin", 1);
  ASSERT_TRUE(probe.ready());
  ASSERT_EQ(probe.value("BoardSize"), 8);
  std::vector<long long> board = probe.values("get Board");
  ASSERT_EQ(board[3 * 8 + 2], 2) << "the black knight is dealt elsewhere";
  x.click(probe.control("Command2"));  // "Continue"
  x.sync();
  const size_t first = probe.log().size();
  const State before = probe.waitFor([](const State& s) { return s.input >= 2 && s.idle(); });
  ASSERT_EQ(probe.ask("keep"), "ok");
  x.drag(probe.control("slika", 0), probe.control("slika", 2 * 8 + 1));
  x.sync();
  ASSERT_EQ(probe.waitFor([](const State& s) { return s.clip == 10; }).clip, 10) << "the white knight did not sound";
  x.drag(probe.control("slika", 3 * 8 + 2), probe.control("slika", 5 * 8 + 3));
  x.drag(probe.control("slika", 1 * 8 + 1), probe.control("slika", 3 * 8 + 2));
  x.sync();
  endKeptClip(probe, before, 4);
  const State after = settle(probe, before, 6, "Form26");
  EXPECT_EQ(after.inputInClip - before.inputInClip, 4) << "the drags were meant to come during the clip";
  EXPECT_EQ(sounds(from(probe.log(), first)), std::vector<std::string>{"sound10@Form26"});
  board[5 * 8 + 3] = 2;
  board[3 * 8 + 2] = 1;
  board[1 * 8 + 1] = 3;
  EXPECT_EQ(probe.values("get Board"), board);
  EXPECT_EQ(probe.value("MoveCount"), 2);
}

// Pimbar: buying the bomb sounds 7, and an image dragged during it drops the bomb where it is
// released, after the clip.
TEST(FrameInput, ADragMadeDuringAClipDropsWhereItWasReleased) {
  xin::Player x;
  ASSERT_TRUE(x.ok()) << "no connection to the X server";
  Probe probe("Pimbar", 1);
  ASSERT_TRUE(probe.ready());
  x.click(probe.control("Command2"));  // "Continue": the first images come
  x.sync();
  const State before = probe.waitFor([](const State& s) { return s.input >= 2 && s.idle(); });
  const std::vector<long long> board = probe.values("get Board");
  int image = -1, target = -1;
  auto blast = [](int c, int i) { return std::abs(c / 10 - i / 10) <= 1 && std::abs(c % 10 - i % 10) <= 1; };
  for (int i = 0; i < 100 && image < 0; ++i)
    if (board[i]) image = i;
  for (int c = 11; c < 89 && target < 0; ++c) {
    bool clear = c % 10 != 0 && c % 10 != 9;
    for (int i = 0; i < 100; ++i)
      if (board[i] && blast(c, i)) clear = false;
    if (clear) target = c;
  }
  ASSERT_TRUE(image >= 0 && target >= 0);
  const size_t first = probe.log().size();
  ASSERT_EQ(probe.ask("keep"), "ok");
  x.click(probe.control("Picture11"));  // the bomb
  x.sync();
  ASSERT_EQ(probe.waitFor([](const State& s) { return s.clip == 7; }).clip, 7) << "the bomb was not bought";
  x.drag(probe.control("slika", image), probe.control("slika", target));
  x.sync();
  ASSERT_EQ(probe.ask("keep"), "ok");  // the next one, the bomb's
  endKeptClip(probe, before, 2);
  const State after = probe.waitFor([](const State& s) { return s.clip == 2; });
  ASSERT_EQ(after.clip, 2) << "no bomb went off";
  EXPECT_EQ(probe.ask("end"), "ok");
  EXPECT_EQ(after.inputInClip - before.inputInClip, 2) << "the drag was meant to come during the clip";
  const std::vector<std::string> log = from(probe.log(), first);
  ASSERT_EQ(sounds(log), (std::vector<std::string>{"sound7@Form2", "sound2@Form2"}));
  const std::string bomb = std::to_string(first + indexOf(log, "sound2@Form2"));
  const std::vector<long long> marks = probe.values("snap " + bomb + " helperMark");
  ASSERT_EQ(marks.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(marks[i] != 0, blast(target, i)) << "cell " << i;
  EXPECT_EQ(probe.values("snap " + bomb + " Board"), board) << "the dragged image stays";
}

// Klevo: the bomb goes off with sound 2 (1.56 s). During it "Play" is opened and Velk Chess
// chosen with Up and Return, then e2 is dragged to e4, or "Moves" is clicked where the chess
// window's bar has it, or Klevo is chosen again from "Play" with Down and Return (the second
// click on "Play" completes a double-click with the first). The chess window opens after the clip
// and pumps while it draws its board, before it shows: what came after the choice waits until it
// does, and reaches it.
TEST(FrameInput, InputAfterAHeldChoiceOfAGameReachesTheGameChosen) {
  xin::Player x;
  ASSERT_TRUE(x.ok()) << "no connection to the X server";
  Probe probe("Klevo", 3);
  ASSERT_TRUE(probe.ready());
  // "Play", then Up for the last game of the list or Down for the first, then Return.
  auto choose = [&](uint32_t key) {
    x.click(probe.bar("Play"));
    x.key(key);
    x.key(XK_Return);
  };
  auto opened = [&](const std::string& window) {
    x.sync();
    const State s = probe.waitFor([&](const State& s) { return s.window == window && s.idle() && s.menus == 0; });
    return s.window == window && s.idle() && s.menus == 0;
  };
  // Where the chess window shows its squares and its bar: it is opened once beforehand.
  choose(XK_Up);
  ASSERT_TRUE(opened("FrmBoard"));
  const Point e2 = square(probe, 5, 7), e4 = square(probe, 5, 5), moves = probe.bar("Moves");
  const std::vector<long long> start = probe.values("get DisplayBoard");
  ASSERT_EQ(start.size(), 64u);
  ASSERT_NE(start[6 * 8 + 4], 0) << "no pawn on e2";

  enum After { kDrag, kMoves, kPlayAgain };
  for (const After then : {kDrag, kMoves, kPlayAgain}) {
    SCOPED_TRACE(then == kDrag ? "a drag after the choice" : then == kMoves ? "a click on the bar after the choice"
                                                                            : "a second choice after the choice");
    choose(XK_Down);
    ASSERT_TRUE(opened("Form1"));
    ASSERT_NE(probe.values("get Board").at(44), klevo::kEmpty);
    const int made = probe.state().input;
    x.click(probe.control("Picture2"));  // the bomb
    x.sync();
    const State before = probe.waitFor([&](const State& s) { return s.input >= made + 2 && s.idle(); });
    ASSERT_EQ(probe.value("helperMode"), klevo::kBomb) << "the bomb was not bought";
    const size_t first = probe.log().size();
    ASSERT_EQ(probe.ask("keep"), "ok");
    x.click(probe.control("Element", 44));
    x.sync();
    ASSERT_EQ(probe.waitFor([](const State& s) { return s.clip == 2; }).clip, 2) << "the bomb did not go off";
    choose(XK_Up);
    if (then == kDrag) x.drag(e2, e4);
    if (then == kMoves) x.click(moves);
    if (then == kPlayAgain) choose(XK_Down);
    x.sync();
    const int inputs = then == kPlayAgain ? 14 : 10;
    endKeptClip(probe, before, inputs - 2);
    const State after = settle(probe, before, inputs, then == kPlayAgain ? "Form1" : "FrmBoard");
    EXPECT_EQ(after.inputInClip - before.inputInClip, inputs - 2) << "the input was meant to come during the clip";
    const std::vector<std::string> log = from(probe.log(), first);
    EXPECT_EQ(sounds(log), std::vector<std::string>{"sound2@Form1"});
    if (then == kPlayAgain) {
      EXPECT_LT(indexOf(log, "caption@FrmBoard"), log.size()) << "the chess window did not open between";
      continue;
    }
    if (then == kMoves) {
      EXPECT_EQ(probe.waitForAnswer("popup", "popup Moves"), "popup Moves");
      x.key(XK_Escape);
      x.sync();
      EXPECT_EQ(probe.waitForAnswer("popup", "none"), "none");
      continue;
    }
    EXPECT_EQ(probe.waitForValue("LastPly", 2), 2) << "the drag made no move";
    const std::vector<long long> now = probe.values("get DisplayBoard");
    ASSERT_EQ(now.size(), 64u);
    EXPECT_EQ(now[6 * 8 + 4], 0) << "e2";
    EXPECT_EQ(now[4 * 8 + 4], start[6 * 8 + 4]) << "e4";
    ASSERT_TRUE(probe.waitFor([](const State& s) { return s.idle(); }).idle()) << "the answer does not end";
  }
}

// Klevo: input that reaches the pack together, as it does after the pack was busy for a moment (a
// loaded machine, a remote display), acts as if it had come one by one. A click on a lone picture
// sounds 10 and what came with it waits for the clip, then acts in its order: a click on a group
// removes it; a click on another lone picture sounds 10 again; a click on a lone picture right
// after "Help" on the bar reaches the help panel over it; "Play" > "Whitlo" and Whitlo's
// "Continue" start Whitlo. Then, with the "Play" list open, Velk Chess is chosen and e2 dragged to
// e4 at once: the pawn moves. The input is made in one flush of fake input, then while the pack
// is stopped, to reach it when it goes on.
TEST(FrameInput, InputThatComesTogetherActsAsIfItCameOneByOne) {
  xin::Player x;
  ASSERT_TRUE(x.ok()) << "no connection to the X server";
  for (const bool stopped : {false, true}) {
    SCOPED_TRACE(stopped ? "made while the pack was stopped" : "made in one flush");
    Probe probe("Klevo", 3);
    ASSERT_TRUE(probe.ready());
    auto list = [&] {
      x.click(probe.bar("Play"));
      x.sync();
      ASSERT_EQ(probe.waitFor([](const State& s) { return s.popup == 1; }).popup, 1) << "the Play list did not open";
    };
    auto open = [&](Point item, const std::string& window) {
      list();
      x.click(item);
      x.sync();
      ASSERT_EQ(probe.waitFor([&](const State& s) { return s.window == window && s.idle(); }).window, window);
    };
    // Where the games show in the list, Whitlo's "Continue" and the chess squares: each game is
    // opened once beforehand.
    const Point whitlo = playItem(x, probe, "Whitlo"), chess = playItem(x, probe, "Velk Chess"),
                klevo = playItem(x, probe, "Klevo");
    open(chess, "FrmBoard");
    const Point e2 = square(probe, 5, 7), e4 = square(probe, 5, 5);
    open(whitlo, "Form22");
    const Point start = probe.control("Command2");
    open(klevo, "Form1");

    auto together = [&](const std::vector<Point>& clicks, int inputs, const std::string& window, bool drag = false) {
      const State before = probe.state();
      const size_t first = probe.log().size();
      if (stopped) probe.pause(true);
      for (const Point& p : clicks) x.click(p);
      if (drag) x.drag(e2, e4);
      x.sync();
      if (stopped) probe.pause(false);
      settle(probe, before, inputs, window);
      return sounds(from(probe.log(), first));
    };
    // Lone pictures and a group, as the board stands.
    auto lone = [&](int other) {
      const klevo::Board board = klevoBoard(probe.values("get Board"));
      for (int i = 0; i < klevo::kCells; ++i)
        if (i != other && board[i] != klevo::kEmpty && board[i] != klevo::kJoker && !klevo::CanRemove(board, i))
          return i;
      ADD_FAILURE() << "the deal has no lone picture";
      return 0;
    };
    const klevo::Board board = klevoBoard(probe.values("get Board"));
    klevo::Marks marks{};
    int group = -1;
    for (int i = 0; i < klevo::kCells && group < 0; ++i) {
      klevo::Marks m{};
      if (board[i] != klevo::kEmpty && board[i] != klevo::kJoker && klevo::CanRemove(board, i) &&
          klevo::FlagGroup(board, m, i).size() >= 3)
        group = i, marks = m;
    }
    ASSERT_GE(group, 0) << "the deal has no group";
    const int emptyBefore = kindCounts(board)[klevo::kEmpty];
    EXPECT_EQ(together({probe.control("Element", lone(-1)), probe.control("Element", group)}, 4, "Form1"),
              (std::vector<std::string>{"sound10@Form1", "sound1@Form1"}));
    EXPECT_EQ(kindCounts(klevoBoard(probe.values("get Board")))[klevo::kEmpty],
              emptyBefore + std::count_if(marks.begin(), marks.end(), [](int16_t m) { return m != 0; }))
        << "the group did not go";
    const int a = lone(-1);
    EXPECT_EQ(together({probe.control("Element", a), probe.control("Element", lone(a))}, 4, "Form1"),
              (std::vector<std::string>{"sound10@Form1", "sound10@Form1"}));
    // The panel covers the board; its "OK" lies over the bottom two rows.
    const int covered = lone(-1);
    ASSERT_LT(covered, 80) << "no lone picture clear of the help panel's OK";
    const std::vector<long long> shown = probe.values("get Board");
    EXPECT_EQ(together({probe.bar("Help"), probe.control("Element", covered)}, 4, "Form1"), std::vector<std::string>{})
        << "the click after \"Help\" reached the board";
    EXPECT_EQ(probe.values("get Board"), shown);
    EXPECT_EQ(together({probe.control("Command5")}, 2, "Form1"), std::vector<std::string>{});  // the panel's "OK"
    EXPECT_EQ(together({probe.control("Element", lone(-1)), probe.bar("Play"), whitlo, start}, 8, "Form22"),
              std::vector<std::string>{"sound10@Form1"});
    EXPECT_EQ(probe.ask("menu nu"), "menu enabled=0 checked=0") << "Whitlo did not start";
    list();
    together({chess}, 4, "FrmBoard", true);
    EXPECT_EQ(probe.waitForValue("LastPly", 2), 2) << "the drag made no move";
  }
}

// Velk Chess: a choice from a list on the bar and a drag from e2 to e4, made at once. The X
// server sends the drag to the list, whose grab still holds; the pack reads it only once the
// choice has acted, as a busy machine may. By then "Play" > "Velk Chess" has opened the game afresh
// and the list's window is gone, or "Game" > "New Game as White" after a move has left the menus
// as they were and the list is only hidden. The drag reaches the board.
TEST(FrameInput, InputMadeInAMenuAndReadAfterTheMenuWentReachesTheWindowAtItsPlace) {
  xin::Player x;
  ASSERT_TRUE(x.ok()) << "no connection to the X server";
  const struct {
    const char *menu, *item, *list;
    bool moveFirst;
  } cases[] = {{"Play", "Velk Chess", "xheld 1 gone", false}, {"Game", "New Game as White", "xheld 1 there", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    Probe probe("Velk Chess", 1);
    ASSERT_TRUE(probe.ready());
    const Point e2 = square(probe, 5, 7), e4 = square(probe, 5, 5);
    if (c.moveFirst) {
      x.click(e2);
      x.click(e4);
      x.sync();
      ASSERT_EQ(probe.waitForValue("LastPly", 2), 2);
      ASSERT_TRUE(probe.waitFor([](const State& s) { return s.idle(); }).idle()) << "the answer does not end";
    }
    x.click(probe.bar(c.menu));
    x.sync();
    ASSERT_EQ(probe.waitFor([](const State& s) { return s.popup == 1; }).popup, 1) << "the list did not open";
    const Point item = probe.item(c.item);
    ASSERT_EQ(probe.ask("xhold " + std::to_string(item.x) + " " + std::to_string(item.y)), "ok");
    probe.pause(true);  // all of it made while the list's grab holds
    x.click(item);
    x.drag(e2, e4);
    x.sync();
    probe.pause(false);
    EXPECT_EQ(probe.waitForValue("LastPly", 0), 0) << "the choice did not act";
    EXPECT_EQ(probe.waitForAnswer("xheld", c.list), c.list);
    EXPECT_EQ(probe.ask("xgo"), "ok");
    EXPECT_EQ(probe.waitForValue("LastPly", 2), 2) << "the drag made no move";
  }
}

// Velk Chess plays no sound, so no clip holds its keys; they are the move list's shortcuts, made
// here at the X server one after another: back, forward, back to the start.
TEST(FrameInput, ChessKeysStepThroughTheMoveList) {
  xin::Player x;
  ASSERT_TRUE(x.ok()) << "no connection to the X server";
  Probe probe("Velk Chess", 1);
  ASSERT_TRUE(probe.ready());
  const size_t first = probe.log().size();
  x.click(square(probe, 5, 7));  // e2
  x.click(square(probe, 5, 5));  // e4; the computer answers
  x.sync();
  ASSERT_EQ(probe.waitForValue("LastPly", 2), 2);
  ASSERT_TRUE(probe.waitFor([](const State& s) { return s.idle(); }).idle()) << "the answer does not end";
  for (auto [key, shown] : {std::pair{XK_b, 1}, {XK_f, 2}, {XK_s, 0}}) {
    x.keyDown(XK_Control_L);
    x.key(key);
    x.keyUp(XK_Control_L);
    x.sync();
    EXPECT_EQ(probe.waitForValue("ShownPly", shown), shown) << "Ctrl+" << static_cast<char>(key);
    // A step redraws the board, pumping: a key that came meanwhile would only beep.
    EXPECT_TRUE(probe.waitFor([](const State& s) { return s.idle(); }).idle());
  }
  EXPECT_EQ(probe.value("LastPly"), 2);
  EXPECT_EQ(sounds(from(probe.log(), first)), std::vector<std::string>{});
}


int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // The X server starts afresh when its last client leaves, and refuses clients meanwhile: one
  // stays connected from the first test to the last.
  xin::Player keeper;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
