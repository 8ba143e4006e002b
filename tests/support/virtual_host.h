#pragma once
// A host whose clock moves only in waits and sounds. It logs what the pack shows and plays, and
// runs "user input" scheduled at a virtual time.
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "rt/host.h"

namespace vt {

struct WatchdogError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class VirtualHost : public rt::Host {
 public:
  static constexpr int64_t kFrequency = 10'000'000;

  int64_t counterFrequency() override { return kFrequency; }
  int64_t counterNow() override { return now_; }
  void processEvents() override;
  void sleepUntil(int64_t target) override;
  void playClip(const rt::SoundClip& clip) override;
  void stopSound() override {}
  void beep() override;
  int messageBox(const std::string& text, int style, const std::string& title) override;
  void openUrl(const std::string& url) override;
  std::string documentsFolder() override { return documents_; }
  void note(const std::string& kind, const std::string& text) override;

  // Test controls.
  void reset();                             // clock to 0, log and schedule cleared
  double nowMs() const { return static_cast<double>(now_) * 1000.0 / kFrequency; }
  void advanceMs(double ms);                // lets time pass outside any wait
  void at(double ms, std::function<void()> input);     // at an absolute virtual time
  void after(double ms, std::function<void()> input);  // relative to now
  std::vector<std::string> takeLog();
  const std::vector<std::string>& log() const { return log_; }
  void setDocuments(const std::string& d) { documents_ = d; }
  void setWatchdogMs(double ms) { watchdogMs_ = ms; }
  double watchdogMs() const { return watchdogMs_; }
  int sleeps() const { return sleeps_; }
  bool logWaits = true;

 private:
  void runDue();
  int64_t now_ = 0;
  std::multimap<int64_t, std::function<void()>> inputs_;
  std::vector<std::string> log_;
  std::string documents_;
  double watchdogMs_ = 10.0 * 60 * 1000;  // a single wait longer than this never ends in a test
  int sleeps_ = 0;
  int depth_ = 0;
};

VirtualHost& vhost();  // installed as the host by the test main and the driver

// Scripted values for Rnd(); running out fails the test.
class ScriptedRandom {
 public:
  explicit ScriptedRandom(std::vector<float> values);
  ~ScriptedRandom();
  void push(std::vector<float> more);
  size_t remaining() const { return values_.size() - pos_; }
  bool exhausted() const { return exhausted_; }

 private:
  std::vector<float> values_;
  size_t pos_ = 0;
  bool exhausted_ = false;
};

void installVirtualHost();  // offscreen Qt app must exist

}  // namespace vt
