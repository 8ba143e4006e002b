// vpk-close-probe: the pack's frame on the real host, started as the pack starts, with a handler
// of the open window in the middle of a clip ("sound") or a wait ("wait", "wait-at-start"). It prints
// "ready WINDOW_ID" when the handler has got there; whatever the handler would do afterwards
// (here: write MARKER, as a game saves its file) must not happen once the frame is closed.
#include <cstdio>
#include <cstring>
#include <string>

#include <QApplication>
#include <QTimer>

#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/files.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/frame_window.h"
#include "rt/qt_host.h"
#include "startup.h"

int main(int argc, char** argv) {
  const std::string mode = argc == 3 ? argv[1] : "";
  if (mode != "sound" && mode != "wait" && mode != "wait-at-start") {
    std::fprintf(stderr, "usage: vpk-close-probe sound|wait|wait-at-start MARKER\n");
    return 2;
  }
  const std::string marker = argv[2];
  QApplication app(argc, argv);
  rt::QtHost host;
  rt::setHost(&host);
  shell::PackFrame pack;
  auto& [frame, mdi] = pack;
  auto handler = [&] {
    rt::dispatch(frame.activeForm(), [&] {
      std::printf("ready %llu\n", static_cast<unsigned long long>(frame.window()->winId()));
      std::fflush(stdout);
      if (mode == "sound")
        shell::PlaySoundNo(8);  // the longest clip, 2.91 s
      else
        shell::PauseSeconds(3);
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
