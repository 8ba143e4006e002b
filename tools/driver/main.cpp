// vpk-driver: reads commands from standard input, runs the pack offscreen on the virtual host and
// prints one JSON line per command.
#include <cstdlib>
#include <iostream>
#include <string>

#include <QApplication>
#include <QTemporaryDir>

#include "driver.h"
#include "mdi_form.h"
#include "rt/frame.h"
#include "startup.h"
#include "virtual_host.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  vt::installVirtualHost();
  // Score files go to a folder of the run unless VPK_DATA names one.
  QTemporaryDir tmp;
  const char* data = std::getenv("VPK_DATA");
  vt::vhost().setDocuments(data ? data : tmp.path().toStdString());
  shell::PackFrame pack;
  auto& [frame, mdi] = pack;
  shell::StartPack(false);
  vt::vhost().takeLog();
  drv::Driver driver;
  std::string line;
  while (std::getline(std::cin, line)) {
    std::string out = driver.run(line);
    if (!out.empty()) std::cout << out << std::endl;
    if (frame.closed()) break;
  }
  return 0;
}
