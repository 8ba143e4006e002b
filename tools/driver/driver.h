#pragma once
// The scripted driver: the whole pack on the virtual host, one command in, one JSON line out.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace drv {

class Driver {
 public:
  Driver();  // a Qt application and the virtual host must exist
  // One command, one JSON result. A command that never settles (it pumps or lets virtual time
  // pass past the host's step limits) or raises an exception answers an error naming it; a
  // game whose handler it cut short opens afresh, and the next command runs.
  std::string run(const std::string& line);

 private:
  // `line` lies in `text` when a command given with "after" holds it there (nested ones share
  // it, unparsed), in the caller's string when `text` is null.
  std::string run(std::string_view line, const std::shared_ptr<const std::string>& text);
  std::string command(std::string_view line, const std::shared_ptr<const std::string>& text);
  std::string after(std::string_view rest, const std::shared_ptr<const std::string>& text);
  std::string openAfresh(const std::string& name);
  std::string dump();
  int depth_ = 0;  // commands running, each inside a wait of the one before
  uintptr_t stackFloor_;  // where the stack of the thread that made the driver ends
};

}  // namespace drv
