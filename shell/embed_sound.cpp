#include "embed_sound.h"

#include "rt/dispatch.h"
#include "rt/wav.h"

namespace shell {

void EmbedSound::setMemWav(std::vector<uint8_t> bytes) {
  memWav_ = std::move(bytes);
  memWav_.push_back(0);
  clip_ = rt::SoundClip{};
  clip_.number = number_;
  // Decoded once: the bytes never change during a run. Bytes that are no WAV play nothing.
  if (auto pcm = rt::decodeWav(std::span<const uint8_t>(memWav_.data(), memWav_.size() - 1))) {
    clip_.seconds = pcm->seconds();
    clip_.pcm = std::make_shared<const rt::Pcm>(std::move(*pcm));
  }
}

bool EmbedSound::PlaySound() {
  if (memWav_.empty()) return false;
  // The bank's clips are synchronous and cut off whatever plays; that is the only use here.
  rt::DoEvents();
  if (StopSnd) rt::host().stopSound();
  if (clip_.pcm) rt::host().playClip(clip_);
  rt::checkAbandoned();
  return true;
}

void EmbedSound::StopSound() { rt::host().stopSound(); }

}  // namespace shell
