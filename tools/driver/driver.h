#pragma once
// The scripted driver: the whole pack on the virtual host, one command in, one JSON line out.
#include <string>

namespace drv {

class Driver {
 public:
  Driver();  // a Qt application and the virtual host must exist
  std::string run(const std::string& line);  // one command, one JSON result

 private:
  std::string dump();
};

}  // namespace drv
