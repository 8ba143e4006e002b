#pragma once
// WAV bytes to 16-bit samples. Clips come from memory and are never trusted: anything that does
// not add up yields "cannot play" instead of a read past the bytes.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace rt {

struct Pcm {  // decoded clip, always 16-bit signed, interleaved
  int rate = 0;
  int channels = 0;
  std::vector<int16_t> samples;
  double seconds() const;  // frames / rate
};

// RIFF/WAVE chunks in any order (odd sizes padded). Formats: 8-bit unsigned PCM, 16-bit PCM and
// Microsoft ADPCM 4-bit, mono or stereo. Truncated data, chunk sizes past the end, unknown
// formats and inconsistent headers give std::nullopt.
std::optional<Pcm> decodeWav(std::span<const uint8_t> bytes);

}  // namespace rt
