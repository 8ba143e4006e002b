#include <QCoreApplication>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPointingDevice>
#include <QWindow>
#include <gtest/gtest.h>

#include "rt/dispatch.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/frame_window.h"
#include "virtual_host.h"

using namespace rt;

namespace {
struct Board {
  Form f{"F", 6000, 6000};
  PictureBox* board;
  PictureBox* cell;
  Label* label;
  std::vector<std::string> events;
  Board() {
    f.Load();
    board = &f.add<PictureBox>("Podloga");
    board->setBorderStyle(0);
    board->Move(10, 10, 100, 100);
    cell = &f.add<PictureBox>("slika", board, 0);
    cell->setBorderStyle(0);
    cell->Move(0, 0, 20, 20);
    label = &f.add<Label>("lbl", board);
    label->Move(40, 40, 20, 20);
    f.Form_Click = [this] { events.push_back("form click"); };
    f.Form_MouseDown = [this](int, int, float x, float y) { events.push_back("form down"); };
    cell->Click = [this] { events.push_back("cell click"); };
    cell->MouseDown = [this](int b, int, float x, float y) {
      events.push_back("cell down " + std::to_string(b) + " " + std::to_string(int(x)));
    };
    label->Click = [this] { events.push_back("label click"); };
  }
  void click(int x, int y, int button = 1) {
    f.mouseDown(x, y, button, 0);
    f.mouseUp(x, y, button, 0);
  }
};
}  // namespace

TEST(InputTest, ClicksReachTheControlUnderThePointer) {
  Board b;
  b.cell->ScaleModeValue = kPixels;
  b.click(15, 12);
  EXPECT_EQ(b.events, (std::vector<std::string>{"cell down 1 5", "cell click"}));
  b.events.clear();
  b.click(55, 55);
  EXPECT_EQ(b.events, (std::vector<std::string>{"label click"}));
}

TEST(InputTest, ClickInsideADisabledContainerReachesTheForm) {
  Board b;
  b.board->setEnabled(false);
  b.click(15, 12);
  EXPECT_EQ(b.events, (std::vector<std::string>{"form down", "form click"}));
  b.events.clear();
  b.board->setEnabled(true);
  b.cell->setEnabled(false);  // a disabled cell gives its click to the board
  b.board->Click = [&] { b.events.push_back("board click"); };
  b.click(15, 12);
  EXPECT_EQ(b.events, (std::vector<std::string>{"board click"}));
}

TEST(InputTest, ReleaseOutsideThePressedControlIsNoClick) {
  Board b;
  b.f.mouseDown(15, 12, 1, 0);
  b.f.mouseUp(80, 80, 1, 0);
  EXPECT_EQ(b.events.size(), 1u);  // the press only
}

TEST(InputTest, DragSequenceEnterLeaveDropAndCancel) {
  Board b;
  auto& other = b.f.add<PictureBox>("slika", b.board, 1);
  other.setBorderStyle(0);
  other.Move(50, 0, 20, 20);
  std::vector<std::string> ev;
  for (PictureBox* c : {b.cell, &other}) {
    c->setDragMode(1);
    c->DragOver = [&ev, c](Control* src, float, float, int state) {
      ev.push_back("over " + std::to_string(c->Index()) + " " + std::to_string(state));
    };
    c->DragDrop = [&ev, c](Control* src, float, float) {
      ev.push_back("drop " + std::to_string(src->Index()) + "->" + std::to_string(c->Index()));
    };
  }
  b.f.mouseDown(15, 15, 1, 0);  // automatic drag: no MouseDown event
  EXPECT_TRUE(b.f.dragging());
  b.f.mouseMove(16, 15, 1, 0);
  b.f.mouseMove(65, 15, 1, 0);
  b.f.mouseUp(65, 15, 1, 0);
  EXPECT_EQ(ev, (std::vector<std::string>{"over 0 0", "over 0 2", "over 0 1", "over 1 0", "drop 0->1"}));
  EXPECT_FALSE(b.f.dragging());
  EXPECT_EQ(b.events.size(), 0u);

  // A release over nothing is no drop, and the source is forgotten.
  ev.clear();
  b.f.mouseDown(15, 15, 1, 0);
  b.f.mouseMove(900, 900, 1, 0);
  b.f.mouseUp(900, 900, 1, 0);
  EXPECT_EQ(ev, (std::vector<std::string>{"over 0 0", "over 0 1"}));
  EXPECT_EQ(b.f.dragSource(), nullptr);

  // A handler can cancel the drag: no drop follows.
  ev.clear();
  other.DragOver = [&](Control* src, float, float, int state) {
    ev.push_back("over 1 " + std::to_string(state));
    src->Drag(0);
  };
  b.f.mouseDown(15, 15, 1, 0);
  b.f.mouseMove(65, 15, 1, 0);
  b.f.mouseUp(65, 15, 1, 0);
  EXPECT_EQ(ev, (std::vector<std::string>{"over 0 0", "over 0 1", "over 1 0"}));
}

TEST(InputTest, KeyPreviewShortcutsAndTextBoxes) {
  Form f("F", 3000, 3000);
  f.Load();
  auto& m = f.menu("moves", "Moves");
  int backs = 0;
  auto& back = m.add("back", "Back");
  back.setShortcut("Ctrl+B");
  back.Click = [&] { ++backs; };
  std::vector<int> keys;
  f.KeyPreview = true;
  f.Form_KeyDown = [&](int& code, int) { keys.push_back(code); };
  f.keyDown('B', 2);
  EXPECT_EQ(backs, 1);
  EXPECT_TRUE(keys.empty());
  back.setEnabled(false);
  f.keyDown('B', 2);
  EXPECT_EQ(backs, 1);
  f.keyDown(37, 0);
  EXPECT_EQ(keys, std::vector<int>{37});

  auto& tb = f.add<TextBox>("name");
  tb.MaxLength = 3;
  tb.SetFocus();
  tb.KeyPress = [](int& k) {
    if (k == 'x') k = 0;
  };
  for (int c : {'a', 'x', 'b', 'c', 'd'}) f.keyPress(c);
  EXPECT_EQ(tb.Text(), "abc");
  f.keyPress(8);
  EXPECT_EQ(tb.Text(), "ab");
}

TEST(InputTest, TextBoxesTakeWholeCharacters) {
  Form f("F", 3000, 3000);
  f.Load();
  auto& tb = f.add<TextBox>("name");
  tb.SetFocus();
  const std::string smile = "\xF0\x9F\x98\x80", accent = "\xCC\x81";
  tb.MaxLength = 3;  // characters, not UTF-16 units or bytes
  for (int i = 0; i < 4; ++i) f.keyPress(0x1F600);
  EXPECT_EQ(tb.Text(), smile + smile + smile);
  f.keyPress(8);
  EXPECT_EQ(tb.Text(), smile + smile);
  tb.setText(smile + "ab");
  EXPECT_EQ(tb.Text(), smile + "ab");
  tb.MaxLength = 2;
  tb.setText(smile + smile + smile);
  EXPECT_EQ(tb.Text(), smile + smile);

  // A key's whole text is typed, unless a handler changed the key.
  tb.MaxLength = 0;
  tb.setText("");
  tb.KeyPress = [](int& k) {
    if (k == 'x') k = 'y';
  };
  f.keyPress('e', "e" + accent);
  f.keyPress('x', "x" + accent);
  EXPECT_EQ(tb.Text(), "e" + accent + "y");
}

TEST(InputTest, AutoRepeatGivesKeyDownsWithoutKeyUps) {
  Frame fr;
  setFrame(&fr);
  Form f("F", 3000, 3000);
  f.Load();
  f.Show();
  int downs = 0, ups = 0;
  f.KeyPreview = true;
  f.Form_KeyDown = [&](int&, int) { ++downs; };
  f.Form_KeyUp = [&](int&, int) { ++ups; };
  FrameWindow* w = fr.window();
  QKeyEvent d1(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QKeyEvent r1(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, QString(), true);
  QKeyEvent d2(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
  QKeyEvent r2(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
  for (QKeyEvent* e : {&d1, &r1, &d2, &r2}) QCoreApplication::sendEvent(w, e);
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(ups, 1);
  f.Unload();
  setFrame(nullptr);
}

namespace {

// The frame's window with a game window's menus: "Play" > "Klevo", "Options" > "Hide next" and
// "Starting level" > "Level 1", and "Help". Widgets of the bar are watched through QPointer: a
// rebuild deletes them, and a test then fails where it looks instead of reading freed memory.
class MenuBar : public ::testing::Test {
 protected:
  void SetUp() override {
    setFrame(&frame_);
    f_.Load();
    MenuItem& play = f_.menu("igrica0", "Play");
    play.add("igrica", "Klevo", 0);
    MenuItem& options = f_.menu("o2", "Options");
    options.add("o21", "Hide next");
    options.add("o22", "Starting level").add("o221", "Level 1", 0);
    f_.menu("pomoc", "Help");
    f_.Show();
    frame_.show();
    pump();
  }
  void TearDown() override {
    f_.Unload();
    setFrame(nullptr);
  }
  static void pump() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }
  QMenuBar* bar() {
    const auto bars = frame_.window()->findChildren<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    return bars.isEmpty() ? nullptr : bars.back();
  }
  std::vector<std::string> captions() {
    std::vector<std::string> out;
    if (QMenuBar* b = bar())
      for (QAction* a : b->actions()) out.push_back(a->text().toStdString());
    return out;
  }
  // An action of the bar, or of the menu a bar action opens: "Options", "Options/Hide next".
  QAction* action(const std::string& path) {
    QAction* found = nullptr;
    QList<QAction*> among = bar() ? bar()->actions() : QList<QAction*>();
    for (const QString& part : QString::fromStdString(path).split('/')) {
      found = nullptr;
      for (QAction* a : among)
        if (a->text() == part) found = a;
      if (!found) return nullptr;
      among = found->menu() ? found->menu()->actions() : QList<QAction*>();
    }
    return found;
  }
  QPointer<QMenu> openOptions() {
    QAction* options = action("Options");
    QPointer<QMenu> open = options ? options->menu() : nullptr;
    if (open) open->popup(frame_.window()->mapToGlobal(QPoint(40, 24)));
    pump();
    return open;
  }

  Frame frame_;
  Form f_{"F", 3000, 3000};
};

}  // namespace

// A menu of the bar that the player has open stays open while the window's menus are given again
// unchanged (the frame's activation shows its game again), and when they really change, the bar
// follows once that menu has closed.
TEST_F(MenuBar, AnOpenMenuStaysWhileTheMenusAreGivenAgain) {
  const QPointer<QMenu> open = openOptions();
  ASSERT_TRUE(open);
  ASSERT_EQ(QApplication::activePopupWidget(), open);

  f_.Show();  // the same menus again
  pump();
  ASSERT_TRUE(open) << "the open menu was deleted by a rebuild";
  EXPECT_EQ(QApplication::activePopupWidget(), open) << "the open menu was closed by a rebuild";

  f_.findMenu("pomoc")->setCaption("Rules");  // a real change waits for the menu to close
  pump();
  ASSERT_TRUE(open) << "the open menu was deleted by a rebuild";
  EXPECT_EQ(QApplication::activePopupWidget(), open);
  EXPECT_EQ(captions(), (std::vector<std::string>{"Play", "Options", "Help"}));
  open->hide();
  pump();
  EXPECT_EQ(captions(), (std::vector<std::string>{"Play", "Options", "Rules"}));
}

// Shown again with the same menus, or activated, the frame keeps the bar it has.
TEST_F(MenuBar, TheSameMenusKeepTheBar) {
  const QPointer<QMenuBar> built = bar();
  ASSERT_TRUE(built);
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(frame_.window(), &activate);
  f_.Show();
  pump();
  EXPECT_TRUE(built) << "the bar was built again for the same menus";
  EXPECT_EQ(bar(), built.data());
}

// Every change the player can see reaches the bar: an item's enabled state and its check mark,
// in a menu, in a submenu and on the bar itself.
TEST_F(MenuBar, TheBarShowsWhatTheItemsHold) {
  f_.findMenu("o21")->setChecked(true);
  f_.findMenu("o22")->setEnabled(false);
  pump();
  QAction* hide = action("Options/Hide next");
  ASSERT_NE(hide, nullptr);
  EXPECT_TRUE(hide->isChecked());
  QAction* level = action("Options/Starting level");
  ASSERT_NE(level, nullptr);
  EXPECT_FALSE(level->isEnabled());

  f_.findMenu("o22")->setEnabled(true);
  f_.findMenu("o21")->setEnabled(false);
  f_.findMenu("o2")->setEnabled(false);
  pump();
  ASSERT_TRUE(hide = action("Options/Hide next"));
  EXPECT_FALSE(hide->isEnabled());
  ASSERT_TRUE(level = action("Options/Starting level"));
  EXPECT_TRUE(level->isEnabled());
  QAction* options = action("Options");
  ASSERT_NE(options, nullptr);
  EXPECT_FALSE(options->isEnabled());
}

// A click that comes in the same pass of the event loop as the bar's rebuild (a replayed click
// after a menu choice that changed the menus) finds the new bar in place and opens its menu.
TEST_F(MenuBar, AClickRightAfterTheMenusChangeFindsTheBar) {
  QWindow* window = frame_.window()->windowHandle();
  ASSERT_NE(window, nullptr);
  QAction* play = action("Play");
  ASSERT_NE(play, nullptr);
  const QPointF at = bar()->mapTo(frame_.window(), bar()->actionGeometry(play).center());
  f_.findMenu("o21")->setChecked(true);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
    QCoreApplication::postEvent(window, new QMouseEvent(type, at, at, window->mapToGlobal(at), Qt::LeftButton,
                                                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                        Qt::NoModifier, QPointingDevice::primaryPointingDevice()));
  pump();
  auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(open, nullptr) << "the click found no bar";
  EXPECT_EQ(open->title(), "Play");
  open->hide();
  pump();
  ASSERT_NE(action("Options/Hide next"), nullptr);
  EXPECT_TRUE(action("Options/Hide next")->isChecked());
}
