// Input while a clip plays, on the real host (offscreen): it waits until the clip has ended and
// then comes in its order, at its place; the close of the frame does not wait. Clips are silences
// on the real clock that the case itself ends once its input has been made, so a slow machine
// makes a case slower, never makes its input miss the clip. A menu choice holds input the same
// way until its handler begins.
#include <functional>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include "long_clip.h"
#include "rt/dispatch.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/frame_window.h"
#include "rt/qt_host.h"
#include "rt/wav.h"

using namespace rt;

namespace {

class ClipInput : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = &host();
    setHost(&qt_);
    setFrame(&frame_);
    form_.Load();
    form_.Show();
    form_.KeyPreview = true;
    form_.Form_KeyDown = [this](int& code, int) { got_.push_back((playing_ ? "during " : "after ") + std::to_string(code)); };
    form_.ScaleModeValue = kPixels;
    form_.Form_MouseDown = [this](int, int, float x, float y) { got_.push_back("down " + place(x, y)); };
    form_.Form_MouseUp = [this](int, int, float x, float y) { got_.push_back("up " + place(x, y)); };
    form_.Form_Click = [this] { got_.push_back("click"); };
    frame_.window()->move(97, 53);  // a place in the window and on the screen differ
    frame_.show();
    window_ = frame_.window()->windowHandle();
    QObject::connect(&step_, &QTimer::timeout, [this] { step(); });
  }
  void TearDown() override {
    form_.Unload();
    setFrame(nullptr);
    setHost(previous_);
    resetDispatchForTests();
  }
  // A key pressed and released at the window, as the window system delivers it.
  void press(int qtKey) {
    QCoreApplication::postEvent(window_, new QKeyEvent(QEvent::KeyPress, qtKey, Qt::NoModifier));
    QCoreApplication::postEvent(window_, new QKeyEvent(QEvent::KeyRelease, qtKey, Qt::NoModifier));
  }
  static std::string place(float x, float y) {
    return std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
  }
  // A button pressed or released at a point of the client area, as the window system's backend
  // delivers it: a mouse event of the pointing device, sent to the window while it lives.
  void mouse(QEvent::Type type, int x, int y) {
    const QPointF at = frame_.window()->focusProxy()->mapTo(frame_.window(), QPoint(x, y));
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent e(type, at, at, window_->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier,
                  QPointingDevice::primaryPointingDevice());
    QCoreApplication::sendEvent(window_, &e);
  }
  void click(int x, int y) {
    mouse(QEvent::MouseButtonPress, x, y);
    mouse(QEvent::MouseButtonRelease, x, y);
  }
  // Plays a silent clip. `input` runs in the first pass of the clip's event loop: nothing pumps
  // events before it, so the clip has begun and input waits. Then the clip goes on until `made`
  // holds and the case ends it; without `made` something else must end it. Its own length only
  // ends a case whose input never comes.
  void play(std::function<void()> input, std::function<bool()> made = {}) {
    auto pcm = std::make_shared<Pcm>();
    pcm->rate = 8000;
    pcm->channels = 1;
    input_ = std::move(input);
    made_ = std::move(made);
    step_.start(0);
    playing_ = true;
    qt_.playClip(support::Lengthened({1, 0, std::move(pcm)}, kClipMs / 1000.0));
    playing_ = false;
    EXPECT_FALSE(step_.isActive()) << "the clip ran its whole length";
    step_.stop();
    made_ = nullptr;
  }
  void step() {
    if (input_) {
      std::exchange(input_, nullptr)();
      if (!made_) step_.stop();
    } else if (made_()) {
      step_.stop();
      qt_.stopSound();
    }
  }
  void pumpUntil(size_t n) {
    for (int i = 0; i < 50 && got_.size() < n; ++i) QCoreApplication::processEvents();
  }

  static constexpr int kClipMs = 20000;
  QtHost qt_;
  Host* previous_ = nullptr;
  Frame frame_;
  Form form_{"F", 3000, 3000};
  QWindow* window_ = nullptr;
  bool playing_ = false;
  std::vector<std::string> got_;
  // The case's timers and posted calls: they go with it, so none fires into the next case.
  QTimer step_;
  QObject scope_;
  std::function<void()> input_;
  std::function<bool()> made_;
};

}  // namespace

TEST_F(ClipInput, KeysWaitForTheEndOfTheClipAndKeepTheirOrder) {
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(10);
  play(
      [this] {
        press(Qt::Key_Left);
        press(Qt::Key_Up);
      },
      [&] { return (qt_.inputWaiting() == 4 || !got_.empty()) && ticks > 2; });
  EXPECT_TRUE(got_.empty());
  EXPECT_GT(ticks, 2);  // the rest of the event loop went on meanwhile
  press(Qt::Key_Right);  // after the clip, but behind the keys that waited
  pumpUntil(3);
  EXPECT_EQ(got_, (std::vector<std::string>{"after 37", "after 38", "after 39"}));
  // Once nothing waits any more, the next key comes at once.
  for (int i = 0; i < 50 && qt_.inputWaiting() > 0; ++i) QCoreApplication::processEvents();
  ASSERT_EQ(qt_.inputWaiting(), 0u);
  press(Qt::Key_Down);
  QCoreApplication::processEvents();
  ASSERT_EQ(got_.size(), 4u);
  EXPECT_EQ(got_.back(), "after 40");
}

// A key's text comes with it: letters typed into a text box during the clip are typed after it,
// as the keyboard gave them (the case, a letter that no key code names).
TEST_F(ClipInput, TextTypedDuringTheClipReachesTheFocusedTextBox) {
  TextBox& name = form_.add<TextBox>("ime");
  name.Move(10, 10, 160, 24);
  name.SetFocus();
  play(
      [this] {
        for (auto [key, text] : {std::pair{Qt::Key_A, "A"}, {Qt::Key_N, "n"}, {Qt::Key_Eacute, "\u00e9"}}) {
          const QString t = QString::fromUtf8(text);
          QCoreApplication::postEvent(window_, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, t));
          QCoreApplication::postEvent(window_, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, t));
        }
      },
      [&] { return qt_.inputWaiting() == 6 || !name.Text().empty(); });
  EXPECT_EQ(name.Text(), "");
  for (int i = 0; i < 50 && qt_.inputWaiting() > 0; ++i) QCoreApplication::processEvents();
  ASSERT_EQ(qt_.inputWaiting(), 0u);
  EXPECT_EQ(name.Text(), "An\u00e9");
}

// Each held click keeps its own place, although the pointing device's record of its point has
// moved on with the later ones by the time they are delivered.
TEST_F(ClipInput, ClicksWaitAndKeepTheirPlaces) {
  play(
      [this] {
        click(20, 30);
        click(150, 120);
        mouse(QEvent::MouseButtonPress, 60, 70);
        mouse(QEvent::MouseButtonRelease, 61, 190);
      },
      [this] { return qt_.inputWaiting() == 6 || !got_.empty(); });
  EXPECT_TRUE(got_.empty());
  pumpUntil(9);
  EXPECT_EQ(got_, (std::vector<std::string>{"down 20,30", "up 20,30", "click", "down 150,120", "up 150,120",
                                            "click", "down 60,70", "up 61,190", "click"}));
}

// A menu item runs its handler from a call it posts; input made after the choice comes after it.
TEST_F(ClipInput, WhatAHeldEventStartsLaterComesBeforeTheNextHeldEvent) {
  form_.Form_KeyDown = [this](int& code, int) {
    got_.push_back("key " + std::to_string(code));
    QTimer::singleShot(0, &scope_, [this, code] { got_.push_back("then " + std::to_string(code)); });
  };
  play(
      [this] {
        for (int key : {Qt::Key_Left, Qt::Key_Up})
          QCoreApplication::postEvent(window_, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
      },
      [this] { return qt_.inputWaiting() == 2 || !got_.empty(); });
  pumpUntil(4);
  EXPECT_EQ(got_, (std::vector<std::string>{"key 37", "then 37", "key 38", "then 38"}));
}

// A choice holds the input after it until its handler begins. The bar is built again only once
// the menu the player has open closes, so a choice made there may find its item disabled or its
// window replaced meanwhile, and its handler does not run: the input after it comes all the same.
TEST_F(ClipInput, InputAfterAChoiceWhoseHandlerDoesNotRunComesAtOnce) {
  bool ran = false;
  MenuItem& hide = form_.menu("o2", "Options").add("o21", "Hide next");
  hide.Click = [&] { ran = true; };
  for (const bool replaced : {false, true}) {
    SCOPED_TRACE(replaced ? "its window replaced" : "its item disabled");
    hide.setEnabled(true);
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    const auto bars = frame_.window()->findChildren<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_FALSE(bars.isEmpty());
    QMenuBar* bar = bars.back();
    ASSERT_EQ(bar->actions().size(), 1);
    QMenu* menu = bar->actions().front()->menu();
    ASSERT_NE(menu, nullptr);
    menu->popup(bar->mapToGlobal(QPoint(10, bar->height())));
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activePopupWidget(), menu);
    Form other{"G", 3000, 3000};
    if (replaced)
      other.Show();
    else
      dispatch(&form_, [&] { hide.setEnabled(false); });  // a handler that runs while the menu is open
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activePopupWidget(), menu);
    QAction* item = menu->actions().front();
    ASSERT_TRUE(item->isEnabled()) << "the open menu was built again";
    const QPointF at = menu->actionGeometry(item).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent e(type, at, at, menu->mapToGlobal(at), Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier,
                    QPointingDevice::primaryPointingDevice());
      QCoreApplication::sendEvent(menu->windowHandle(), &e);
    }
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr) << "the item was not chosen";
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    if (replaced) other.Unload();
    got_.clear();
    click(20, 30);
    pumpUntil(3);
    EXPECT_EQ(got_, (std::vector<std::string>{"down 20,30", "up 20,30", "click"}));
    EXPECT_FALSE(ran);
  }
}

TEST_F(ClipInput, TheCloseEndsTheClipAndDropsTheWaitingInput) {
  QElapsedTimer took;
  took.start();
  play([this] {
    press(Qt::Key_Left);
    QCoreApplication::postEvent(window_, new QCloseEvent);
  });
  // Uncut, the clip would have run its whole length; the close takes a small part of that even
  // on a slow machine.
  EXPECT_LT(took.elapsed(), kClipMs / 4);
  EXPECT_TRUE(frame_.closed());
  pumpUntil(1);
  EXPECT_TRUE(got_.empty());
}
