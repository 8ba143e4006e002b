// VantixPack: the frame, the real host and the thirty game windows.
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
  QApplication app(argc, argv);
  app.setApplicationName("VantixPack");
  rt::QtHost host;
  rt::setHost(&host);
  rt::Frame frame;
  rt::setFrame(&frame);
  shell::MDIForm1 mdi;
  shell::setFrameForm(&mdi);

  bench::InstallBenchProbe(frame, sinceStart);  // test tooling, off unless asked for
  shell::StartPack(true);
  return app.exec();
}
