#include "wav.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>

namespace assetgen {

namespace {

void put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

void putChunk(QByteArray& riff, const char* id, const QByteArray& body)
{
    riff.append(id, 4);
    put32(riff, uint32_t(body.size()));
    riff.append(body);
    if (body.size() % 2)
        riff.append('\0');  // chunks start on even offsets
}

QByteArray riffWave(const QByteArray& fmt, const QByteArray* fact, const QByteArray& data)
{
    QByteArray chunks;
    putChunk(chunks, "fmt ", fmt);
    if (fact)
        putChunk(chunks, "fact", *fact);
    putChunk(chunks, "data", data);
    QByteArray out("RIFF");
    put32(out, uint32_t(4 + chunks.size()));
    out.append("WAVE");
    out.append(chunks);
    return out;
}

QByteArray pcmFormat(int rate, int bits)
{
    QByteArray fmt;
    put16(fmt, 1);               // PCM
    put16(fmt, 1);               // mono
    put32(fmt, uint32_t(rate));
    put32(fmt, uint32_t(rate * bits / 8));
    put16(fmt, bits / 8);        // block align
    put16(fmt, bits);
    return fmt;
}

int toInt16(double v)
{
    return std::clamp(int(std::lround(v * 32767.0)), -32768, 32767);
}

// ---------------------------------------------------------------- Microsoft ADPCM

constexpr std::array<int, 16> kAdaptation = {230, 230, 230, 230, 307, 409, 512, 614,
                                             768, 614, 512, 409, 307, 230, 230, 230};
constexpr std::array<std::array<int, 2>, 7> kCoefficients = {
    {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}}};

struct BlockCode {
    int predictor = 0;
    int delta = 16;
    std::vector<int> nibbles;
    int64_t error = INT64_MAX;
};

// Encodes samples[2..] of one block with the given predictor and starting step,
// tracking exactly what a decoder will reconstruct.
BlockCode encodeBlock(const std::vector<int>& s, int predictor, int delta0)
{
    BlockCode code;
    code.predictor = predictor;
    code.delta = delta0;
    code.error = 0;
    const int c1 = kCoefficients[size_t(predictor)][0], c2 = kCoefficients[size_t(predictor)][1];
    int s1 = s[1], s2 = s[0], delta = delta0;
    for (size_t i = 2; i < s.size(); ++i) {
        const int predicted = (s1 * c1 + s2 * c2) >> 8;
        const double ideal = double(s[i] - predicted) / delta;
        const int e = std::clamp(int(std::lround(ideal)), -8, 7);
        const int value = std::clamp(predicted + e * delta, -32768, 32767);
        const int nibble = e & 0x0F;
        code.nibbles.push_back(nibble);
        const int64_t diff = int64_t(value) - s[i];
        code.error += diff * diff;
        delta = std::max(16, (kAdaptation[size_t(nibble)] * delta) >> 8);
        s2 = s1;
        s1 = value;
    }
    return code;
}

}  // namespace

QByteArray wavPcm8(const std::vector<double>& samples, int rate)
{
    QByteArray data;
    data.reserve(int(samples.size()));
    for (double v : samples)
        data.append(char(std::clamp(128 + int(std::lround(v * 127.0)), 0, 255)));
    return riffWave(pcmFormat(rate, 8), nullptr, data);
}

QByteArray wavPcm16(const std::vector<double>& samples, int rate)
{
    QByteArray data;
    data.reserve(int(samples.size() * 2));
    for (double v : samples)
        put16(data, toInt16(v));
    return riffWave(pcmFormat(rate, 16), nullptr, data);
}

QByteArray wavMsAdpcm(const std::vector<double>& samples, int rate, int blockAlign)
{
    const int perBlock = (blockAlign - 7) * 2 + 2;
    const size_t blocks = (samples.size() + size_t(perBlock) - 1) / size_t(perBlock);

    QByteArray data;
    for (size_t b = 0; b < blocks; ++b) {
        std::vector<int> s(size_t(perBlock), 0);
        for (size_t i = 0; i < s.size(); ++i) {
            const size_t at = b * size_t(perBlock) + i;
            if (at < samples.size())
                s[i] = toInt16(samples[at]);
        }
        // Keep the predictor and starting step that reconstruct the block best.
        BlockCode best;
        for (int predictor = 0; predictor < 7; ++predictor) {
            for (int delta0 = 16; delta0 <= 4096; delta0 *= 2) {
                BlockCode code = encodeBlock(s, predictor, delta0);
                if (code.error < best.error)
                    best = std::move(code);
            }
        }
        data.append(char(best.predictor));
        put16(data, best.delta);
        put16(data, s[1]);  // iSamp1: the second sample of the block
        put16(data, s[0]);  // iSamp2: the first
        for (size_t i = 0; i + 1 < best.nibbles.size(); i += 2)
            data.append(char((best.nibbles[i] << 4) | best.nibbles[i + 1]));
    }

    QByteArray fmt;
    put16(fmt, 2);  // Microsoft ADPCM
    put16(fmt, 1);
    put32(fmt, uint32_t(rate));
    put32(fmt, uint32_t(int64_t(rate) * blockAlign / perBlock));
    put16(fmt, blockAlign);
    put16(fmt, 4);
    put16(fmt, 4 + 4 * int(kCoefficients.size()));  // extension size
    put16(fmt, perBlock);
    put16(fmt, int(kCoefficients.size()));
    for (const auto& c : kCoefficients) {
        put16(fmt, c[0]);
        put16(fmt, c[1]);
    }
    QByteArray fact;
    put32(fact, uint32_t(samples.size()));
    return riffWave(fmt, &fact, data);
}

}  // namespace assetgen
