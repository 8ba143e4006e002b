#include "rt/host.h"

#include <chrono>

namespace rt {
namespace {
// Used only until the program installs its host: no window system, no sound.
class NullHost : public Host {
 public:
  int64_t counterFrequency() override { return 1000000000; }
  int64_t counterNow() override {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  void processEvents() override {}
  void sleepUntil(int64_t) override {}
  void playClip(const SoundClip&) override {}
  void stopSound() override {}
  void beep() override {}
  int messageBox(const std::string&, int, const std::string&) override { return 1; }
  void openUrl(const std::string&) override {}
  std::string documentsFolder() override { return {}; }
};
Host* g_host = nullptr;
}  // namespace

Host& host() {
  static NullHost fallback;
  return g_host ? *g_host : fallback;
}

void setHost(Host* h) { g_host = h; }

}  // namespace rt
