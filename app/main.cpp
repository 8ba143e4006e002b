// VantixPack: the frame, the real host and every game window.
#include <malloc.h>

#include <QApplication>
#include <QElapsedTimer>

#include "bench_probe.h"
#include "mdi_form.h"
#include "rt/frame.h"
#include "rt/qt_host.h"
#include "startup.h"

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  // Large blocks (a game's pictures and surfaces) always get their own mapping, so closing a
  // game gives them back to the system. glibc's threshold otherwise rises after the first such
  // block is freed; later ones come from the heap, which returns freed space only from its top.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  QApplication app(argc, argv);
  app.setApplicationName("VantixPack");
  rt::QtHost host;
  rt::setHost(&host);
  shell::PackFrame pack;
  auto& [frame, mdi] = pack;

  bench::InstallBenchProbe(frame, sinceStart);  // test tooling, off unless asked for
  shell::StartPack(true);
  return app.exec();
}
