#include "rt/qt_host.h"

#include <time.h>

#include <algorithm>
#include <cerrno>

#include <QApplication>
#include <QProcess>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "rt/audio.h"
#include "rt/dispatch.h"
#include "rt/files.h"
#include "rt/frame.h"
#include "rt/frame_window.h"
#include "rt/input_hold.h"
#include "rt/sleep_plan.h"

namespace rt {

QtHost::QtHost() {
  clock_.start();
  wake_ = new QTimer(this);
  wake_->setSingleShot(true);
  wake_->setTimerType(Qt::PreciseTimer);
  connect(wake_, &QTimer::timeout, this, [] {});
}

QtHost::~QtHost() = default;

AudioOut& QtHost::audio() {
  if (!audio_) {
    audio_ = std::make_unique<AudioOut>();
    // The worker wakes the GUI thread's event loop when a clip ends.
    audio_->setWake([this] { QMetaObject::invokeMethod(this, [] {}, Qt::QueuedConnection); });
  }
  return *audio_;
}

InputHold& QtHost::hold() {
  if (!hold_) hold_ = std::make_unique<InputHold>();
  return *hold_;
}

void QtHost::holdInput() { hold().hold(); }

void QtHost::releaseInput() { hold().release(); }

void QtHost::processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtHost::sleepUntil(int64_t target) {
  const SleepPlan plan = planSleep(target - counterNow());
  if (plan.timerMs > 0) {
    wake_->start(plan.timerMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return;
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (plan.tailNs <= 0) return;
  // The last stretch: the counter runs on the monotonic clock, so sleep on it to the deadline.
  const int64_t left = target - counterNow();
  if (left <= 0) return;
  timespec until{};
  clock_gettime(CLOCK_MONOTONIC, &until);
  const int64_t ns = until.tv_nsec + std::min(left, kSleepTailNs);
  until.tv_sec += ns / 1'000'000'000;
  until.tv_nsec = ns % 1'000'000'000;
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}

void QtHost::sleepAbout(int64_t target) {
  const int64_t remaining = target - counterNow();
  if (remaining <= 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return;
  }
  wake_->start(static_cast<int>((remaining + 999'999) / 1'000'000));  // whole milliseconds, rounded up
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtHost::playClip(const SoundClip& clip) {
  if (!clip.pcm) return;
  AudioOut& out = audio();
  InputHold::Scope held(hold());
  const uint64_t ticket = out.play(clip.pcm);
  // A safety net in case a wake-up is lost: the clip cannot last longer than its length.
  const int64_t deadline = counterNow() + static_cast<int64_t>((clip.seconds + 0.25) * 1e9);
  while (!out.finished(ticket) && counterNow() < deadline) {
    const int64_t left = deadline - counterNow();
    wake_->start(static_cast<int>(std::min<int64_t>(left / 1'000'000 + 1, 50)));
    // Input waits (the hold) while the clip plays; paints and the close request do not. The
    // window system's own filter for input would hold the close too.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (closing()) {
      out.stop();
      return;
    }
  }
}

void QtHost::stopSound() {
  if (audio_) audio_->stop();
}

void QtHost::beep() { audio().beep(); }

int QtHost::messageBox(const std::string& text, int style, const std::string& title) {
  QWidget* parent = frame().hasWindow() ? frame().window() : nullptr;
  QMessageBox box(parent);
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text));
  switch (style & 0x70) {
    case 16: box.setIcon(QMessageBox::Critical); break;
    case 32: box.setIcon(QMessageBox::Question); break;
    case 48: box.setIcon(QMessageBox::Warning); break;
    case 64: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return 1;
}

void QtHost::openUrl(const std::string& url) {
  // The opener's messages (no browser, no desktop) go nowhere: a failure shows nothing.
  QProcess opener;
  opener.setProgram(QStringLiteral("xdg-open"));
  opener.setArguments({QUrl(QString::fromStdString(url)).toString()});
  opener.setStandardOutputFile(QProcess::nullDevice());
  opener.setStandardErrorFile(QProcess::nullDevice());
  opener.startDetached();
}

std::string QtHost::documentsFolder() { return systemDocumentsFolder(); }

size_t QtHost::inputWaiting() const { return hold_ ? hold_->waiting() : 0; }

}  // namespace rt
