#include "rt/wav.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace rt {

double Pcm::seconds() const {
  if (rate <= 0 || channels <= 0) return 0.0;
  return static_cast<double>(samples.size() / static_cast<size_t>(channels)) / rate;
}

namespace {

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagMsAdpcm = 2;
constexpr uint32_t kMaxRate = 384000;  // the highest rate the sound server accepts

uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
int16_t s16(const uint8_t* p) { return static_cast<int16_t>(u16(p)); }
uint32_t u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
bool isId(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

struct Format {
  uint16_t tag = 0;
  int channels = 0;
  int rate = 0;
  size_t blockAlign = 0;
  int bits = 0;
  // ADPCM only
  size_t framesPerBlock = 0;
  std::vector<std::pair<int, int>> coefs;
};

std::optional<Format> parseFormat(std::span<const uint8_t> f) {
  if (f.size() < 16) return std::nullopt;
  Format fmt;
  fmt.tag = u16(&f[0]);
  fmt.channels = u16(&f[2]);
  const uint32_t rate = u32(&f[4]);
  fmt.blockAlign = u16(&f[12]);
  fmt.bits = u16(&f[14]);
  if (fmt.channels != 1 && fmt.channels != 2) return std::nullopt;
  if (rate == 0 || rate > kMaxRate) return std::nullopt;
  fmt.rate = static_cast<int>(rate);
  const size_t ch = static_cast<size_t>(fmt.channels);

  if (fmt.tag == kTagPcm) {
    if (fmt.bits != 8 && fmt.bits != 16) return std::nullopt;
    if (fmt.blockAlign != ch * static_cast<size_t>(fmt.bits / 8)) return std::nullopt;
    return fmt;
  }
  if (fmt.tag == kTagMsAdpcm) {
    // WAVEFORMATEX (18 bytes), then samples per block, coefficient count and the pairs.
    if (fmt.bits != 4 || f.size() < 22) return std::nullopt;
    if (fmt.blockAlign < 7 * ch) return std::nullopt;
    fmt.framesPerBlock = u16(&f[18]);
    const size_t maxFrames = 2 + (fmt.blockAlign - 7 * ch) * 2 / ch;
    if (fmt.framesPerBlock < 2 || fmt.framesPerBlock > maxFrames) return std::nullopt;
    const size_t numCoef = u16(&f[20]);
    if (numCoef == 0 || numCoef > 256 || f.size() < 22 + 4 * numCoef) return std::nullopt;
    for (size_t i = 0; i < numCoef; ++i)
      fmt.coefs.emplace_back(s16(&f[22 + 4 * i]), s16(&f[24 + 4 * i]));
    return fmt;
  }
  return std::nullopt;
}

void decodePcm(const Format& fmt, std::span<const uint8_t> data, Pcm& out) {
  const size_t frames = data.size() / fmt.blockAlign;  // a partial last frame is dropped
  const size_t n = frames * static_cast<size_t>(fmt.channels);
  out.samples.resize(n);
  if (fmt.bits == 8) {
    for (size_t i = 0; i < n; ++i) out.samples[i] = static_cast<int16_t>((data[i] - 128) * 256);
  } else {
    for (size_t i = 0; i < n; ++i) out.samples[i] = s16(&data[2 * i]);
  }
}

constexpr int kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                 768, 614, 512, 409, 307, 230, 230, 230};
// Keeps nibble * delta and the adaptation product inside int on hostile input.
constexpr int kMaxDelta = INT_MAX / 768;

struct AdpcmChannel {
  int coef1 = 0, coef2 = 0, delta = 0, s1 = 0, s2 = 0;

  int16_t next(int nibble) {
    const int64_t predicted = (static_cast<int64_t>(s1) * coef1 + static_cast<int64_t>(s2) * coef2) >> 8;
    const int signedNibble = nibble >= 8 ? nibble - 16 : nibble;
    int64_t sample = predicted + static_cast<int64_t>(signedNibble) * delta;
    sample = std::clamp<int64_t>(sample, INT16_MIN, INT16_MAX);
    s2 = s1;
    s1 = static_cast<int>(sample);
    delta = (kAdaptation[nibble] * delta) >> 8;
    delta = std::clamp(delta, 16, kMaxDelta);
    return static_cast<int16_t>(sample);
  }
};

// Returns false when a block names a predictor the format does not have.
bool decodeAdpcm(const Format& fmt, std::span<const uint8_t> data, Pcm& out) {
  const size_t ch = static_cast<size_t>(fmt.channels);
  const size_t header = 7 * ch;
  for (size_t pos = 0; pos < data.size(); pos += fmt.blockAlign) {
    const size_t avail = std::min(fmt.blockAlign, data.size() - pos);
    if (avail < header) break;  // a trailing scrap without a whole header
    const uint8_t* b = &data[pos];
    AdpcmChannel st[2];
    for (size_t c = 0; c < ch; ++c) {
      const size_t predictor = b[c];
      if (predictor >= fmt.coefs.size()) return false;
      st[c].coef1 = fmt.coefs[predictor].first;
      st[c].coef2 = fmt.coefs[predictor].second;
      st[c].delta = s16(b + ch + 2 * c);
      st[c].s1 = s16(b + 3 * ch + 2 * c);
      st[c].s2 = s16(b + 5 * ch + 2 * c);
    }
    const size_t frames = std::min(fmt.framesPerBlock, 2 + (avail - header) * 2 / ch);
    for (size_t c = 0; c < ch; ++c) out.samples.push_back(static_cast<int16_t>(st[c].s2));
    for (size_t c = 0; c < ch; ++c) out.samples.push_back(static_cast<int16_t>(st[c].s1));
    const size_t nibbles = (frames - 2) * ch;
    for (size_t k = 0; k < nibbles; ++k) {
      const uint8_t byte = b[header + k / 2];
      const int nibble = (k % 2 == 0) ? byte >> 4 : byte & 0x0F;
      out.samples.push_back(st[k % ch].next(nibble));
    }
  }
  return true;
}

}  // namespace

std::optional<Pcm> decodeWav(std::span<const uint8_t> bytes) {
  if (bytes.size() < 12 || !isId(&bytes[0], "RIFF") || !isId(&bytes[8], "WAVE")) return std::nullopt;
  const size_t riffSize = u32(&bytes[4]);
  if (riffSize < 4 || riffSize > bytes.size() - 8) return std::nullopt;
  const size_t end = 8 + riffSize;  // bytes after the RIFF chunk are not ours

  std::optional<std::span<const uint8_t>> fmtBody, dataBody, factBody;
  size_t pos = 12;
  while (end - pos >= 8) {
    const uint8_t* head = &bytes[pos];
    const size_t size = u32(head + 4);
    if (size > end - pos - 8) return std::nullopt;
    const auto body = bytes.subspan(pos + 8, size);
    if (isId(head, "fmt ") && !fmtBody) fmtBody = body;
    else if (isId(head, "data") && !dataBody) dataBody = body;
    else if (isId(head, "fact") && !factBody) factBody = body;
    pos += 8 + size;
    if (size % 2 == 1) {
      if (pos == end) break;  // last chunk without its pad byte
      ++pos;
    }
  }
  if (!fmtBody || !dataBody) return std::nullopt;
  const auto fmt = parseFormat(*fmtBody);
  if (!fmt) return std::nullopt;

  Pcm out;
  out.rate = fmt->rate;
  out.channels = fmt->channels;
  if (fmt->tag == kTagPcm) {
    decodePcm(*fmt, *dataBody, out);
    return out;
  }
  if (!decodeAdpcm(*fmt, *dataBody, out)) return std::nullopt;
  if (factBody) {
    if (factBody->size() < 4) return std::nullopt;
    const size_t frames = u32(factBody->data());
    if (frames < out.samples.size() / static_cast<size_t>(out.channels))
      out.samples.resize(frames * static_cast<size_t>(out.channels));
  }
  return out;
}

}  // namespace rt
