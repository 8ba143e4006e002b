#include "embed_sound.h"

#include "rt/dispatch.h"
#include "rt/host.h"
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
  // Input that is already waiting in the queue came after what started this sound: it waits for
  // the clip too, as input made during the clip does, instead of acting in this pump before it.
  const rt::InputWaits held;
  rt::DoEvents();
  if (StopSnd) rt::host().stopSound();
  if (clip_.pcm) rt::host().playClip(clip_);
  rt::checkAbandoned();
  return true;
}

void EmbedSound::StopSound() { rt::host().stopSound(); }

}  // namespace shell
