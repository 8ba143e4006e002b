// WAV writers for the three formats of the sound bank (all mono).
#pragma once

#include <QByteArray>

#include <vector>

namespace assetgen {

// Samples are in [-1, 1]; values outside are clipped.
QByteArray wavPcm8(const std::vector<double>& samples, int rate);    // unsigned 8-bit
QByteArray wavPcm16(const std::vector<double>& samples, int rate);   // signed 16-bit
// Microsoft ADPCM, 4 bits per sample, blocks of `blockAlign` bytes. The last
// block is padded with silence; the `fact` chunk holds the true sample count.
QByteArray wavMsAdpcm(const std::vector<double>& samples, int rate, int blockAlign = 256);

}  // namespace assetgen
