// vpk-driver: reads commands from standard input, runs the pack offscreen on the virtual host and
// prints one JSON line per command.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "driver.h"
#include "mdi_form.h"
#include "rt/frame.h"
#include "startup.h"
#include "tool_session.h"
#include "virtual_host.h"

int main(int argc, char** argv) {
  // Score files go to a folder of the run unless VPK_DATA names one.
  vt::ToolSession session(argc, argv, std::nullopt, std::getenv("VPK_DATA"));
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
