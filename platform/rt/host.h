#pragma once
// The one interface between the game code and the outside world: time, pumping, sound, beep,
// message boxes, web addresses and the documents folder. QtHost is the real one; the tests and
// the driver use a virtual host whose clock moves only in waits and sounds.
#include <cstdint>
#include <memory>
#include <string>

namespace rt {

struct Pcm;

struct SoundClip {
  int number = 0;                    // the bank's sound number (for logs)
  double seconds = 0;                // length of the clip
  std::shared_ptr<const Pcm> pcm;    // null: nothing can be played (still no wait)
};

class Host {
 public:
  virtual ~Host() = default;

  virtual int64_t counterFrequency() = 0;  // counts per second
  virtual int64_t counterNow() = 0;

  virtual void processEvents() = 0;  // one pass over pending window messages
  // One step of a timed wait; the caller repeats it until the counter reaches target. With more
  // than a few ms left it sleeps in the event loop and returns when an event was handled or when
  // its timer fires, a little before target; the last few ms (kSleepTailNs, sleep_plan.h) it pumps
  // pending events once and then sleeps to target without handling any, so it ends on time.
  virtual void sleepUntil(int64_t target) = 0;
  // The same without the precise end: wakes when the event loop's timer fires, a little late
  // rather than spinning. For loops that advance by the time that has passed.
  virtual void sleepAbout(int64_t target) { sleepUntil(target); }

  // Plays a clip synchronously: returns when it has ended (or was stopped). Only non-input
  // events are processed meanwhile.
  virtual void playClip(const SoundClip& clip) = 0;
  virtual void stopSound() = 0;
  // Input that comes from holdInput() to the matching releaseInput() waits, as during a clip,
  // and is delivered afterwards in the order it came. Holds nest. A host whose input is
  // scripted (the virtual host) has nothing to hold.
  virtual void holdInput() {}
  virtual void releaseInput() {}
  virtual void beep() = 0;

  // Returns the button pressed (1 for OK).
  virtual int messageBox(const std::string& text, int style, const std::string& title) = 0;
  virtual void openUrl(const std::string& url) = 0;
  virtual std::string documentsFolder() = 0;  // "" when there is none

  // A record of what the pack shows or writes (captions, files); the virtual host logs it.
  virtual void note(const std::string& kind, const std::string& text) {}
};

Host& host();
void setHost(Host* h);  // not owned

// Holds the input of the host of its start while it lives.
class InputWaits {
 public:
  InputWaits() : h_(host()) { h_.holdInput(); }
  ~InputWaits() { h_.releaseInput(); }
  InputWaits(const InputWaits&) = delete;
  InputWaits& operator=(const InputWaits&) = delete;

 private:
  Host& h_;
};

}  // namespace rt
