#include "virtual_host.h"

#include <cmath>
#include <sstream>

#include <QCoreApplication>

#include "rt/form.h"
#include "rt/frame.h"
#include "rt/random.h"

namespace vt {

VirtualHost& vhost() {
  static VirtualHost h;
  return h;
}

void installVirtualHost() { rt::setHost(&vhost()); }

void VirtualHost::runDue() {
  // Inputs run in time order; one that schedules another at the same time runs it too.
  while (!inputs_.empty() && inputs_.begin()->first <= now_) {
    auto fn = std::move(inputs_.begin()->second);
    inputs_.erase(inputs_.begin());
    fn();
  }
}

void VirtualHost::beginStep(std::string what) {
  step_ = std::move(what);
  stepPumps_ = 0;
  stepStart_ = now_;
}

void VirtualHost::runWithOwnPumps(const std::function<void()>& input) {
  struct Restore {
    long& pumps;
    long outer;
    ~Restore() { pumps = outer; }
  } restore{stepPumps_, stepPumps_};
  stepPumps_ = 0;
  input();
}

void VirtualHost::checkStep() {
  if (step_.empty()) return;
  const double ms = static_cast<double>(now_ - stepStart_) * 1000.0 / kFrequency;
  if (++stepPumps_ <= kStepPumps && ms <= kStepVirtualMs) return;
  std::ostringstream out;
  out << step_ << " did not settle: " << stepPumps_ << " pumps, " << ms / 1000.0 << " s of virtual time";
  if (rt::Form* f = rt::frame().activeForm()) out << ", window " << f->Name() << " shown";
  if (auto seed = rt::FixedSeed()) out << ", seed " << *seed;
  throw WatchdogError(out.str());
}

void VirtualHost::processEvents() {
  ++pumps_;
  checkStep();
  // Left also when an input cut short throws through here (a driver command given with "after"
  // that never settles): Qt's events are pumped again at the outermost level afterwards.
  struct Depth {
    int& depth;
    ~Depth() { --depth; }
  } inside{++depth_};
  runDue();
  if (QCoreApplication::instance() && depth_ == 1) QCoreApplication::processEvents();
}

void VirtualHost::sleepUntil(int64_t target) {
  ++sleeps_;
  if (target <= now_) ++lateSleeps_;
  // As in real time, every sleep lets at least one tick pass, also one to a time already
  // reached: a loop that sleeps until its clock moves always ends.
  const int64_t to = std::max(target, now_ + 1);
  if (!inputs_.empty() && inputs_.begin()->first <= to) {
    now_ = std::max(now_ + 1, inputs_.begin()->first);
  } else {
    if (static_cast<double>(to - now_) * 1000.0 / kFrequency > watchdogMs_) {
      std::ostringstream out;
      out << "a wait of " << static_cast<double>(to - now_) / kFrequency << " s";
      if (!step_.empty()) out << " during " << step_;
      throw WatchdogError(out.str() + " would never end");
    }
    now_ = to;
  }
  processEvents();
}

void VirtualHost::playClip(const rt::SoundClip& clip) {
  log_.push_back("sound " + std::to_string(clip.number));
  // The clip blocks input: scheduled inputs wait until it has ended.
  now_ += static_cast<int64_t>(std::llround(clip.seconds * kFrequency));
}

void VirtualHost::beep() { log_.push_back("beep"); }

int VirtualHost::messageBox(const std::string& text, int style, const std::string& title) {
  log_.push_back("msgbox " + title + ": " + text);
  return 1;
}

void VirtualHost::openUrl(const std::string& url) { log_.push_back("url " + url); }

void VirtualHost::note(const std::string& kind, const std::string& text) {
  if (kind == "wait" && !logWaits) return;
  log_.push_back(kind + " " + text);
}

void VirtualHost::reset() {
  now_ = 0;
  inputs_.clear();
  log_.clear();
  sleeps_ = lateSleeps_ = 0;
  pumps_ = 0;
  beginStep("the test");
}

void VirtualHost::advanceMs(double ms) {
  now_ += static_cast<int64_t>(std::llround(ms * kFrequency / 1000.0));
  processEvents();
}

void VirtualHost::at(double ms, std::function<void()> input) {
  inputs_.emplace(static_cast<int64_t>(std::llround(ms * kFrequency / 1000.0)), std::move(input));
}

void VirtualHost::after(double ms, std::function<void()> input) { at(nowMs() + ms, std::move(input)); }

std::vector<std::string> VirtualHost::takeLog() {
  std::vector<std::string> out;
  out.swap(log_);
  return out;
}

ScriptedRandom::ScriptedRandom(std::vector<float> values) : values_(std::move(values)) {
  rt::SetRandomSource([this] {
    if (pos_ < values_.size()) return values_[pos_++];
    if (++pastEnd_ > kDrawsPastEnd)
      throw WatchdogError("the " + std::to_string(values_.size()) + " scripted random values ran out and were " +
                          "drawn " + std::to_string(kDrawsPastEnd) + " times more during " + vhost().step());
    return 0.0f;
  });
}

ScriptedRandom::~ScriptedRandom() { rt::SetRandomSource(nullptr); }

void ScriptedRandom::push(std::vector<float> more) { values_.insert(values_.end(), more.begin(), more.end()); }

}  // namespace vt
