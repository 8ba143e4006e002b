#pragma once
// What every tool that runs the pack on the virtual host begins with.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QApplication;
class QTemporaryDir;

namespace vt {

// The number after `name` on a tool's command line ("--steps 500"); `def` when it is not given.
long argValue(int argc, char** argv, const char* name, long def);

// Qt offscreen unless the caller chose a platform, the virtual host installed, score files in
// `documents` (else a folder of the run) and, with `seed`, the random numbers fixed. Made first
// in a tool's main, it lasts as long as the tool.
class ToolSession {
 public:
  ToolSession(int& argc, char** argv, std::optional<uint32_t> seed = std::nullopt, const char* documents = nullptr);
  ~ToolSession();
  ToolSession(const ToolSession&) = delete;
  ToolSession& operator=(const ToolSession&) = delete;
  const std::string& folder() const { return folder_; }  // where the score files go

 private:
  std::unique_ptr<QApplication> app_;
  std::unique_ptr<QTemporaryDir> data_;
  std::string folder_;
};

}  // namespace vt
