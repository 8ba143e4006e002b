// vpk-close-probe: the pack's frame on the real host, started as the pack starts, with a handler
// of the open window in the middle of a clip ("sound") or a wait ("wait", "wait-at-start"). It prints
// "ready WINDOW_ID" from the first pass of the event loop in that clip or wait, which lasts 30 s,
// long past the test's patience: a close made after "ready" certainly comes in it. Whatever the
// handler would do afterwards (here: write MARKER, as a game saves its file) must not happen once
// the frame is closed.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include <QApplication>
#include <QTimer>

#include "long_clip.h"
#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/files.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/frame_window.h"
#include "rt/qt_host.h"
#include "startup.h"

namespace {

constexpr int kLongSeconds = 30;

// The real host, telling when the handler's clip or wait has begun. Its clips go on, silent, to
// kLongSeconds.
class ProbeHost : public rt::QtHost {
 public:
  std::function<void()> begun;  // called once, from the first pass of the next clip or wait

  void playClip(const rt::SoundClip& clip) override {
    announce();
    rt::QtHost::playClip(support::Lengthened(clip, kLongSeconds));
  }
  void sleepUntil(int64_t target) override {
    announce();
    rt::QtHost::sleepUntil(target);
  }

 private:
  void announce() {
    if (begun) QTimer::singleShot(0, this, std::exchange(begun, nullptr));
  }
};

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 3 ? argv[1] : "";
  if (mode != "sound" && mode != "wait" && mode != "wait-at-start") {
    std::fprintf(stderr, "usage: vpk-close-probe sound|wait|wait-at-start MARKER\n");
    return 2;
  }
  const std::string marker = argv[2];
  QApplication app(argc, argv);
  ProbeHost host;
  rt::setHost(&host);
  shell::PackFrame pack;
  auto& [frame, mdi] = pack;
  auto handler = [&] {
    rt::dispatch(frame.activeForm(), [&] {
      host.begun = [&] {
        std::printf("ready %llu\n", static_cast<unsigned long long>(frame.window()->winId()));
        std::fflush(stdout);
      };
      if (mode == "sound")
        shell::PlaySoundNo(8);  // the longest clip, made longer by the host
      else
        shell::PauseSeconds(kLongSeconds);
      rt::writeLinesAtomic(marker, {"the handler went on"});
    });
  };
  // "wait-at-start": the handler runs before the event loop, as a close can come in while the
  // start-up pumps; otherwise from the event loop, once the window has been painted.
  if (mode == "wait-at-start") {
    shell::StartPack(true);
    handler();
    return app.exec();
  }
  bool painted = false, looping = false;
  auto startWhenReady = [&] {
    if (painted && looping) QTimer::singleShot(0, handler);
  };
  frame.firstGamePaint = [&] {
    painted = true;
    startWhenReady();
  };
  shell::StartPack(true);
  QTimer::singleShot(0, [&] {
    looping = true;
    startWhenReady();
  });
  return app.exec();
}
