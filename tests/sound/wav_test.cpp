#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/wav.h"

using rt::decodeWav;
using Bytes = std::vector<uint8_t>;

namespace {

void put16(Bytes& b, int v) {
  b.push_back(static_cast<uint8_t>(v & 0xFF));
  b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void put32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

struct Chunk {
  std::string id;
  Bytes body;
  bool pad = true;  // odd bodies get their pad byte
};

Bytes riff(const std::vector<Chunk>& chunks) {
  Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  for (const Chunk& c : chunks) {
    b.insert(b.end(), c.id.begin(), c.id.end());
    put32(b, static_cast<uint32_t>(c.body.size()));
    b.insert(b.end(), c.body.begin(), c.body.end());
    if (c.pad && c.body.size() % 2) b.push_back(0);
  }
  const uint32_t size = static_cast<uint32_t>(b.size() - 8);
  for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<uint8_t>(size >> (8 * i));
  return b;
}

Bytes pcmFmt(int channels, int rate, int bits, int blockAlign = -1) {
  if (blockAlign < 0) blockAlign = channels * bits / 8;
  Bytes f;
  put16(f, 1);
  put16(f, channels);
  put32(f, static_cast<uint32_t>(rate));
  put32(f, static_cast<uint32_t>(rate * blockAlign));
  put16(f, blockAlign);
  put16(f, bits);
  return f;
}

constexpr int kCoefs[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};

Bytes adpcmFmt(int channels, int blockAlign, int framesPerBlock, int numCoef = 7) {
  Bytes f;
  put16(f, 2);
  put16(f, channels);
  put32(f, 8000);
  put32(f, 4000);
  put16(f, blockAlign);
  put16(f, 4);
  put16(f, 4 + 4 * numCoef);
  put16(f, framesPerBlock);
  put16(f, numCoef);
  for (int i = 0; i < numCoef && i < 7; ++i) {
    put16(f, kCoefs[i][0]);
    put16(f, kCoefs[i][1]);
  }
  return f;
}

// One block header per channel: predictors, deltas, first samples, second samples.
Bytes adpcmHeader(std::vector<int> pred, std::vector<int> delta, std::vector<int> s1, std::vector<int> s2) {
  Bytes h;
  for (int p : pred) h.push_back(static_cast<uint8_t>(p));
  for (int v : delta) put16(h, v);
  for (int v : s1) put16(h, v);
  for (int v : s2) put16(h, v);
  return h;
}

Bytes cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<int16_t> decoded(const Bytes& b) {
  auto pcm = decodeWav(b);
  EXPECT_TRUE(pcm.has_value());
  return pcm ? pcm->samples : std::vector<int16_t>{};
}

// Three mono blocks of 9 bytes (6 frames each), the last one cut to 8 bytes.
Bytes monoAdpcmData() {
  Bytes d;
  d = cat(d, adpcmHeader({0}, {16}, {100}, {50}));
  d = cat(d, {0x1F, 0x78});
  d = cat(d, adpcmHeader({5}, {16}, {-3}, {1}));
  d = cat(d, {0x00, 0x00});
  d = cat(d, adpcmHeader({0}, {1000}, {32000}, {0}));
  d = cat(d, {0x79});
  return d;
}

Bytes stereoAdpcmFile(uint32_t factFrames) {
  Bytes fact;
  put32(fact, factFrames);
  Bytes data = cat(adpcmHeader({0, 1}, {16, 20}, {10, -10}, {5, -20}), {0x21, 0xE0});
  return riff({{"fmt ", adpcmFmt(2, 16, 4)}, {"fact", fact}, {"data", data}});
}

}  // namespace

TEST(Wav, EightBitIsUnsignedAroundTheMiddle) {
  const auto pcm = decodeWav(riff({{"fmt ", pcmFmt(1, 14925, 8)}, {"data", {0, 128, 255, 64}}}));
  ASSERT_TRUE(pcm);
  EXPECT_EQ(pcm->rate, 14925);
  EXPECT_EQ(pcm->channels, 1);
  EXPECT_EQ(pcm->samples, (std::vector<int16_t>{-32768, 0, 32512, -16384}));
  EXPECT_DOUBLE_EQ(pcm->seconds(), 4.0 / 14925);
}

TEST(Wav, SixteenBitStereoIsInterleavedLittleEndian) {
  Bytes data;
  for (int v : {-32768, 32767, 1, -2, 0x1234, -0x1234}) put16(data, v);
  data.push_back(0x55);  // half a frame at the end is dropped
  const auto pcm = decodeWav(riff({{"fmt ", pcmFmt(2, 22050, 16)}, {"data", data}}));
  ASSERT_TRUE(pcm);
  EXPECT_EQ(pcm->channels, 2);
  EXPECT_EQ(pcm->samples, (std::vector<int16_t>{-32768, 32767, 1, -2, 0x1234, -0x1234}));
  EXPECT_DOUBLE_EQ(pcm->seconds(), 3.0 / 22050);
}

TEST(Wav, ChunksInAnyOrderWithPaddingAndTrailingBytes) {
  // data before fmt, an odd-sized unknown chunk with its pad byte, a trailing zero byte after
  // the RIFF chunk (as the bank keeps its clips).
  Bytes b = riff({{"data", {1, 2, 3}}, {"LIST", {9, 9, 9}}, {"fmt ", pcmFmt(1, 8000, 8)}});
  b.push_back(0);
  EXPECT_EQ(decoded(b), (std::vector<int16_t>{(1 - 128) * 256, (2 - 128) * 256, (3 - 128) * 256}));

  // The last chunk is odd and its pad byte is missing.
  EXPECT_EQ(decoded(riff({{"fmt ", pcmFmt(1, 8000, 8)}, {"data", {128}, false}})), (std::vector<int16_t>{0}));

  // The first of two data chunks counts; an empty clip is valid and lasts nothing.
  EXPECT_EQ(decoded(riff({{"fmt ", pcmFmt(1, 8000, 8)}, {"data", {128}}, {"data", {1, 2}}})).size(), 1u);
  const auto empty = decodeWav(riff({{"fmt ", pcmFmt(1, 8000, 8)}, {"data", {}}}));
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->seconds(), 0.0);
}

TEST(Wav, MalformedHeadersCannotPlay) {
  const Bytes fmt = pcmFmt(1, 8000, 16);
  const Bytes data = {0, 0, 1, 0};
  const Bytes good = riff({{"fmt ", fmt}, {"data", data}});
  ASSERT_TRUE(decodeWav(good));

  auto withByte = [](Bytes b, size_t at, uint8_t v) {
    b[at] = v;
    return b;
  };
  const size_t fmtAt = 20;  // body of the fmt chunk
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"empty", {}},
      {"not RIFF", withByte(good, 0, 'X')},
      {"not WAVE", withByte(good, 8, 'X')},
      {"RIFF size past the end", withByte(good, 7, 1)},
      {"RIFF size too small", withByte(withByte(good, 4, 2), 5, 0)},
      {"truncated", Bytes(good.begin(), good.end() - 1)},
      {"data size past the end", withByte(good, 40, 200)},
      {"fmt size past the end", withByte(good, 16, 0xF0)},
      {"fmt too short", riff({{"fmt ", Bytes(fmt.begin(), fmt.begin() + 14)}, {"data", data}})},
      {"zero channels", withByte(good, fmtAt + 2, 0)},
      {"three channels", riff({{"fmt ", pcmFmt(3, 8000, 16)}, {"data", data}})},
      {"zero rate", riff({{"fmt ", pcmFmt(1, 0, 16)}, {"data", data}})},
      {"zero block align", riff({{"fmt ", pcmFmt(1, 8000, 16, 0)}, {"data", data}})},
      {"block align disagrees", riff({{"fmt ", pcmFmt(1, 8000, 16, 4)}, {"data", data}})},
      {"12-bit", riff({{"fmt ", pcmFmt(1, 8000, 12, 2)}, {"data", data}})},
      {"float tag", withByte(good, fmtAt, 3)},
      {"no data", riff({{"fmt ", fmt}})},
      {"no fmt", riff({{"data", data}})},
      {"ADPCM zero block align", riff({{"fmt ", adpcmFmt(1, 0, 2)}, {"data", monoAdpcmData()}})},
      {"ADPCM block smaller than its header", riff({{"fmt ", adpcmFmt(2, 13, 2)}, {"data", monoAdpcmData()}})},
      {"ADPCM more frames than a block holds", riff({{"fmt ", adpcmFmt(1, 9, 7)}, {"data", monoAdpcmData()}})},
      {"ADPCM no coefficients", riff({{"fmt ", adpcmFmt(1, 9, 6, 0)}, {"data", monoAdpcmData()}})},
      {"ADPCM coefficients past the fmt chunk", riff({{"fmt ", adpcmFmt(1, 9, 6, 8)}, {"data", monoAdpcmData()}})},
      {"ADPCM unknown predictor", riff({{"fmt ", adpcmFmt(1, 9, 6, 5)}, {"data", monoAdpcmData()}})},
      {"ADPCM fact too short", riff({{"fmt ", adpcmFmt(1, 9, 6)}, {"fact", {1, 0}}, {"data", monoAdpcmData()}})},
  };
  for (const auto& [name, bytes] : cases) EXPECT_FALSE(decodeWav(bytes)) << name;
}

TEST(Wav, AdpcmMonoMatchesHandDecode) {
  // Block 1 (coefs 256,0): nibbles 1, -1, 7, -8; the delta never drops below 16 and grows by
  // 614/256 after a 7. Block 2 (coefs 460,-208) predicts below zero: the shift rounds toward
  // minus infinity (-1588 >> 8 = -7, a division would give -6). Block 3 is cut after one byte,
  // and 32000 + 7 * 1000 clamps to 32767 before it feeds the next prediction.
  const auto pcm = decodeWav(riff({{"fmt ", adpcmFmt(1, 9, 6)}, {"data", monoAdpcmData()}}));
  ASSERT_TRUE(pcm);
  EXPECT_EQ(pcm->rate, 8000);
  EXPECT_EQ(pcm->samples, (std::vector<int16_t>{50, 100, 116, 100, 212, -92,  //
                                                1, -3, -7, -11, -15, -19,      //
                                                0, 32000, 32767, 15981}));
}

TEST(Wav, AdpcmStereoInterleavesNibblesAndTrimsToFact) {
  // Left: coefs 256,0, nibbles 2 and -2. Right: coefs 512,-256, delta 20, nibbles 1 and 0;
  // 230 * 20 >> 8 = 17 is below 20 but above the floor of 16.
  const std::vector<int16_t> all = {5, -20, 10, -10, 42, 20, 10, 50};
  EXPECT_EQ(decoded(stereoAdpcmFile(4)), all);
  EXPECT_EQ(decoded(stereoAdpcmFile(3)), std::vector<int16_t>(all.begin(), all.begin() + 6));
  EXPECT_EQ(decoded(stereoAdpcmFile(99)), all);  // a larger count adds nothing
  EXPECT_TRUE(decoded(stereoAdpcmFile(0)).empty());
}

TEST(Wav, AdpcmSurvivesExtremeHeaders) {
  // Largest deltas and samples of both signs, all predictors: decodes without overflow.
  Bytes data;
  for (int p = 0; p < 7; ++p) {
    data = cat(data, adpcmHeader({p, 6 - p}, {32767, -32768}, {32767, -32768}, {-32768, 32767}));
    for (int i = 0; i < 18; ++i) data.push_back(i % 2 ? 0x77 : 0x88);
  }
  const auto pcm = decodeWav(riff({{"fmt ", adpcmFmt(2, 32, 20)}, {"data", data}}));
  ASSERT_TRUE(pcm);
  EXPECT_EQ(pcm->samples.size(), 7u * 20 * 2);
}

TEST(Wav, EveryTruncationAndBitFlipIsSafe) {
  Bytes pcmData;
  for (int i = 0; i < 40; ++i) put16(pcmData, i * 997);
  const std::vector<Bytes> files = {
      riff({{"fmt ", pcmFmt(2, 11025, 16)}, {"LIST", {1, 2, 3}}, {"data", pcmData}}),
      stereoAdpcmFile(3),
      riff({{"fmt ", adpcmFmt(1, 9, 6)}, {"data", monoAdpcmData()}}),
  };
  for (const Bytes& file : files) {
    ASSERT_TRUE(decodeWav(file));
    for (size_t len = 0; len < file.size(); ++len) {
      const Bytes cut(file.begin(), file.begin() + static_cast<ptrdiff_t>(len));  // exact-size heap copy
      EXPECT_FALSE(decodeWav(cut)) << "length " << len;
    }
    for (size_t at = 0; at < file.size(); ++at) {
      for (int bit = 0; bit < 8; ++bit) {
        Bytes flipped = file;
        flipped[at] ^= static_cast<uint8_t>(1 << bit);
        const auto pcm = decodeWav(flipped);
        if (!pcm) continue;
        EXPECT_TRUE(pcm->channels == 1 || pcm->channels == 2);
        EXPECT_GT(pcm->rate, 0);
        EXPECT_EQ(pcm->samples.size() % static_cast<size_t>(pcm->channels), 0u);
        EXPECT_LE(pcm->samples.size(), 4 * file.size());
      }
    }
  }
}
