#include "tool_session.h"

#include <cstdlib>
#include <cstring>

#include <QApplication>
#include <QTemporaryDir>

#include "rt/random.h"
#include "virtual_host.h"

namespace vt {

long argValue(int argc, char** argv, const char* name, long def) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return std::strtol(argv[i + 1], nullptr, 10);
  return def;
}

ToolSession::ToolSession(int& argc, char** argv, std::optional<uint32_t> seed, const char* documents) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  app_ = std::make_unique<QApplication>(argc, argv);
  installVirtualHost();
  data_ = std::make_unique<QTemporaryDir>();
  folder_ = documents ? documents : data_->path().toStdString();
  vhost().setDocuments(folder_);
  if (seed) rt::FixSeed(*seed);
}

ToolSession::~ToolSession() = default;

}  // namespace vt
