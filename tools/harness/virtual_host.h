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

// A wait that never ends, a step that never settles, a scripted random source drawn far past
// its end: thrown from the wait, the pump or the draw, so that a looping handler ends there.
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
  int lateSleeps() const { return lateSleeps_; }  // sleeps asked for a time already reached
  long pumps() const { return pumps_; }           // every pump since reset(), in any step
  bool logWaits = true;

  // A step is one input of a test or one action of random play; `what` names it (the input, the
  // game, the seed). A step that pumps more often or lets more virtual time pass than these
  // limits loops: the pump that crosses one throws WatchdogError with the step's name. No step
  // of a working game comes near them (the longest, a Lobbo game played to its end in one
  // step: about 3,600 pumps and 30 s of virtual time). reset() begins the step "the test";
  // until a step begins nothing is counted (the driver's and the benchmarks' long sessions).
  static constexpr long kStepPumps = 100'000;
  static constexpr double kStepVirtualMs = 60.0 * 60 * 1000;
  void beginStep(std::string what);
  // Runs an input that comes due inside the step (a driver command given with "after") with a
  // count of pumps of its own: many inputs in one wait are no loop. Time still counts in the step.
  void runWithOwnPumps(const std::function<void()>& input);
  const std::string& step() const { return step_; }

 private:
  void runDue();
  void checkStep();
  int64_t now_ = 0;
  std::multimap<int64_t, std::function<void()>> inputs_;
  std::vector<std::string> log_;
  std::string documents_;
  double watchdogMs_ = 10.0 * 60 * 1000;  // a single wait longer than this never ends in a test
  int sleeps_ = 0, lateSleeps_ = 0;
  int depth_ = 0;
  std::string step_;
  long stepPumps_ = 0;
  long pumps_ = 0;
  int64_t stepStart_ = 0;
};

VirtualHost& vhost();  // installed as the host by the test main and the driver

// Scripted values for Rnd(). Past its end it gives 0; a loop that keeps drawing there (a
// probe for a free cell that never finds one) fails with WatchdogError after kDrawsPastEnd.
class ScriptedRandom {
 public:
  explicit ScriptedRandom(std::vector<float> values);
  ~ScriptedRandom();
  void push(std::vector<float> more);
  size_t remaining() const { return values_.size() - pos_; }
  bool exhausted() const { return pastEnd_ > 0; }
  static constexpr long kDrawsPastEnd = 100'000;

 private:
  std::vector<float> values_;
  size_t pos_ = 0;
  long pastEnd_ = 0;
};

void installVirtualHost();  // offscreen Qt app must exist

}  // namespace vt
