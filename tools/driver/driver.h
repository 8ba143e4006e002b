#pragma once
// The scripted driver: the whole pack on the virtual host, one command in, one JSON line out.
#include <string>

namespace drv {

class Driver {
 public:
  Driver();  // a Qt application and the virtual host must exist
  // One command, one JSON result. A command that never settles (it pumps or lets virtual time
  // pass past the host's step limits) or raises an exception answers an error naming it; a
  // game whose handler it cut short opens afresh, and the next command runs.
  std::string run(const std::string& line);

 private:
  std::string command(const std::string& line);
  std::string openAfresh(const std::string& name);
  std::string dump();
  int depth_ = 0;
};

}  // namespace drv
