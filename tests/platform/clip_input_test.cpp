// Input while a clip plays, on the real host (offscreen): it waits until the clip has ended and
// then comes in its order; the close of the frame does not wait. Clips are short silences on the
// real clock.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

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
    frame_.show();
    window_ = frame_.window()->windowHandle();
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
  void play(int ms) {
    auto pcm = std::make_shared<Pcm>();
    pcm->rate = 8000;
    pcm->channels = 1;
    pcm->samples.assign(static_cast<size_t>(8 * ms), 0);
    SoundClip clip;
    clip.number = 1;
    clip.seconds = ms / 1000.0;
    clip.pcm = std::move(pcm);
    playing_ = true;
    qt_.playClip(clip);
    playing_ = false;
  }
  void pumpUntil(size_t n) {
    for (int i = 0; i < 50 && got_.size() < n; ++i) QCoreApplication::processEvents();
  }

  QtHost qt_;
  Host* previous_ = nullptr;
  Frame frame_;
  Form form_{"F", 3000, 3000};
  QWindow* window_ = nullptr;
  bool playing_ = false;
  std::vector<std::string> got_;
};

}  // namespace

TEST_F(ClipInput, KeysWaitForTheEndOfTheClipAndKeepTheirOrder) {
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(10);
  QTimer::singleShot(20, [this] {
    press(Qt::Key_Left);
    press(Qt::Key_Up);
  });
  play(150);
  EXPECT_TRUE(got_.empty());
  EXPECT_GT(ticks, 2);  // the rest of the event loop went on meanwhile
  press(Qt::Key_Right);  // after the clip, but behind the keys that waited
  pumpUntil(3);
  EXPECT_EQ(got_, (std::vector<std::string>{"after 37", "after 38", "after 39"}));
  // Nothing waits any more: the next key comes at once.
  press(Qt::Key_Down);
  QCoreApplication::processEvents();
  EXPECT_EQ(got_.back(), "after 40");
}

TEST_F(ClipInput, TheCloseEndsTheClipAndDropsTheWaitingInput) {
  QElapsedTimer took;
  took.start();
  QTimer::singleShot(20, [this] {
    press(Qt::Key_Left);
    QCoreApplication::postEvent(window_, new QCloseEvent);
  });
  play(3000);
  EXPECT_LT(took.elapsed(), 1500);
  EXPECT_TRUE(frame_.closed());
  pumpUntil(1);
  EXPECT_TRUE(got_.empty());
}
