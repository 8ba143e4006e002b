#pragma once
// A clip made to last `seconds`, silent after its own samples. A test that must act during a
// real clip ends it itself (stopSound) once it has acted, so the clip's own length never races a
// slow machine.
#include <memory>
#include <utility>

#include "rt/host.h"
#include "rt/wav.h"

namespace support {

inline rt::SoundClip Lengthened(const rt::SoundClip& clip, double seconds) {
  rt::SoundClip out = clip;
  if (!clip.pcm || clip.seconds >= seconds) return out;
  auto pcm = std::make_shared<rt::Pcm>(*clip.pcm);
  pcm->samples.resize(static_cast<size_t>(pcm->rate * pcm->channels * seconds));
  out.seconds = seconds;
  out.pcm = std::move(pcm);
  return out;
}

}  // namespace support
