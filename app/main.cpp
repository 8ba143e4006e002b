// VantixPack: the frame, the real host and the thirty game windows.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "mdi_form.h"
#include "rt/frame.h"
#include "rt/qt_host.h"
#include "startup.h"

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  QApplication app(argc, argv);
  app.setApplicationName("VantixPack");
  rt::QtHost host;
  rt::setHost(&host);
  rt::Frame frame;
  rt::setFrame(&frame);
  shell::MDIForm1 mdi;
  shell::setFrameForm(&mdi);

  // Start-up probe for the benchmark: prints the time to the first painted frame and quits.
  if (std::getenv("VPK_STARTUP_PROBE")) {
    frame.firstPaint = [&sinceStart] {
      std::printf("first-paint-ms %.1f\n", sinceStart.nsecsElapsed() / 1e6);
      if (FILE* st = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, st))
          if (std::strncmp(line, "VmHWM:", 6) == 0) std::printf("peak-rss-kb %ld\n", std::atol(line + 6));
        std::fclose(st);
      }
      std::fflush(stdout);
      QTimer::singleShot(0, [] { std::_Exit(0); });
    };
  }
  shell::StartPack(true);
  return app.exec();
}
