#pragma once
// The real host: the Qt event loop, the monotonic clock, the sound server, the desktop.
#include <memory>

#include <QElapsedTimer>
#include <QObject>

#include "rt/host.h"

class QTimer;

namespace rt {

class AudioOut;
class InputHold;

class QtHost : public QObject, public Host {
 public:
  QtHost();
  ~QtHost() override;

  int64_t counterFrequency() override { return 1'000'000'000; }
  int64_t counterNow() override { return clock_.nsecsElapsed() + 1; }
  void processEvents() override;
  void sleepUntil(int64_t target) override;
  void sleepAbout(int64_t target) override;
  void playClip(const SoundClip& clip) override;
  void stopSound() override;
  void holdInput() override;
  void releaseInput() override;
  void beep() override;
  int messageBox(const std::string& text, int style, const std::string& title) override;
  void openUrl(const std::string& url) override;
  std::string documentsFolder() override;

  size_t inputWaiting() const;  // input held during a clip and not yet delivered

 private:
  AudioOut& audio();
  InputHold& hold();
  QElapsedTimer clock_;
  QTimer* wake_;
  std::unique_ptr<AudioOut> audio_;
  std::unique_ptr<InputHold> hold_;
};

}  // namespace rt
