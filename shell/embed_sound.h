#pragma once
// The sound control: a WAV clip held in memory and played by number from the frame's bank.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rt/host.h"

namespace shell {

class EmbedSound {
 public:
  explicit EmbedSound(int number = 0) : number_(number) {}

  bool PlaySound();
  void StopSound();

  // Design-time only: at run time the file name can be neither set (error 382) nor read (393).
  int setSndFile(const std::string&) { return 382; }
  int SndFile(std::string*) const { return 393; }

  bool LoopSnd = false;
  bool SyncSnd = false;
  bool StopSnd = false;

  void setMemWav(std::vector<uint8_t> bytes);  // the clip's bytes (an extra zero byte is kept)
  const std::vector<uint8_t>& MemWav() const { return memWav_; }
  double seconds() const { return clip_.seconds; }
  bool playable() const { return clip_.pcm != nullptr; }

 private:
  int number_;
  std::vector<uint8_t> memWav_;
  rt::SoundClip clip_;
};

}  // namespace shell
