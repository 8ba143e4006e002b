#pragma once
// Clip output through the sound server, owned by one worker thread. Without a server the output
// is silent but keeps time: a clip still lasts its length on the real clock.
#include <cstdint>
#include <functional>
#include <memory>

#include "rt/wav.h"

namespace rt {

class AudioOut {
 public:
  AudioOut();
  ~AudioOut();  // stops what plays and ends the worker; never waits long for a blocked server
  AudioOut(const AudioOut&) = delete;
  AudioOut& operator=(const AudioOut&) = delete;

  // Starts playing pcm at once; a clip that is playing is cut off first. Returns a ticket.
  uint64_t play(std::shared_ptr<const Pcm> pcm);
  bool finished(uint64_t ticket) const;  // the clip of this ticket has ended or was cut off
  void stop();                           // stops what plays, at once
  void beep();                           // a short tone (0.15 s, 880 Hz) on a stream of its own; async
  bool hasServer() const;                // a sound server answered (waits for the first attempt)
  void setWake(std::function<void()> f);  // called from the worker thread when a clip ends or is cut

 private:
  struct Impl;
  std::shared_ptr<Impl> impl_;
};

}  // namespace rt
