// The ten clips of the sound bank, synthesized in the format, rate and length
// each one is stored in.
#include "generator.h"
#include "raster.h"
#include "wav.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

using Signal = std::vector<double>;

size_t sampleCount(double seconds, int rate)
{
    return size_t(std::llround(seconds * rate));
}

// Band-limited voices: harmonics at or above 0.45 of the sample rate are left
// out so nothing folds back.
double squareAt(double phase, double freq, int rate, int maxHarmonic)
{
    double v = 0;
    for (int n = 1; n <= maxHarmonic && n * freq < 0.45 * rate; n += 2)
        v += std::sin(phase * n) / n;
    return v;
}

// A sawtooth-like tone whose upper harmonics fall faster as `brightness` drops.
double sawAt(double phase, double freq, int rate, int maxHarmonic, double brightness)
{
    double v = 0, amp = 1;
    for (int n = 1; n <= maxHarmonic && n * freq < 0.45 * rate; ++n) {
        v += amp * std::sin(phase * n) / n;
        amp *= brightness;
    }
    return v;
}

// Adds a note: tone(t, phase) * envelope(t) from `start` for `length` seconds.
void addNote(Signal& out, int rate, double start, double length,
             const std::function<double(double)>& freqAt,
             const std::function<double(double, double, double)>& voice,
             const std::function<double(double)>& envelope)
{
    const size_t first = sampleCount(start, rate);
    const size_t n = sampleCount(length, rate);
    double phase = 0;
    for (size_t i = 0; i < n && first + i < out.size(); ++i) {
        const double t = double(i) / rate;
        const double f = freqAt(t);
        out[first + i] += voice(phase, f, t) * envelope(t);
        phase += kTwoPi * f / rate;
        if (phase > 1e6)
            phase = std::fmod(phase, kTwoPi);
    }
}

double attackDecay(double t, double attack, double tau)
{
    if (t < attack)
        return t / attack;
    return std::exp(-(t - attack) / tau);
}

// Attack, sustain level and release before `length`.
double sustained(double t, double length, double attack, double sustain, double release)
{
    double a = t < attack ? t / attack : sustain + (1 - sustain) * std::exp(-(t - attack) / 0.08);
    if (t > length - release)
        a *= std::max(0.0, (length - t) / release);
    return a;
}

// One-pole low-pass, cutoff given per sample.
class LowPass {
public:
    double step(double x, double cutoff, int rate)
    {
        const double a = 1.0 - std::exp(-kTwoPi * cutoff / rate);
        y_ += a * (x - y_);
        return y_;
    }

private:
    double y_ = 0;
};

// Scales to the given peak and ramps both ends so the clip starts and stops
// at rest without a click.
void finish(Signal& s, int rate, double peak = 0.85, double rampSeconds = 0.004)
{
    double max = 0;
    for (double v : s)
        max = std::max(max, std::abs(v));
    if (max > 0)
        for (double& v : s)
            v *= peak / max;
    const size_t ramp = std::min(s.size() / 4, sampleCount(rampSeconds, rate));
    for (size_t i = 0; i < ramp; ++i) {
        const double g = double(i) / double(ramp);
        s[i] *= g;
        s[s.size() - 1 - i] *= g;
    }
}

// ---------------------------------------------------------------- the ten clips

// 1: a round pop as a group disappears.
Signal pop(int rate, double seconds)
{
    Signal s(sampleCount(seconds, rate), 0.0);
    addNote(s, rate, 0, seconds,
            [](double t) { return 260.0 + 760.0 * (1.0 - std::exp(-t / 0.025)); },
            [](double ph, double, double) { return std::sin(ph) + 0.25 * std::sin(2 * ph); },
            [](double t) { return attackDecay(t, 0.002, 0.045); });
    Rng rng(1);
    LowPass lp;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        s[i] += 0.5 * lp.step(rng.range(-1, 1), 3000, rate) * std::exp(-t / 0.004);
    }
    finish(s, rate);
    return s;
}

// 2: an explosion: a bright crack settling into a low rumble.
Signal explosion(int rate, double seconds)
{
    Signal s(sampleCount(seconds, rate), 0.0);
    Rng rng(2);
    LowPass lp1, lp2, rumble1, rumble2;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        const double noise = rng.range(-1, 1);
        const double cutoff = 250.0 + 2600.0 * std::exp(-t / 0.12);
        const double bright = lp2.step(lp1.step(noise, cutoff, rate), cutoff, rate);
        const double low = rumble2.step(rumble1.step(noise, 120, rate), 120, rate);
        const double env = (t < 0.006 ? t / 0.006 : 1.0) * (0.75 * std::exp(-t / 0.22) + 0.25 * std::exp(-t / 0.7));
        double v = bright * env * 2.2 + low * 7.0 * std::exp(-t / 0.5) * std::min(1.0, t / 0.01);
        // Crackle: sparse sharp ticks in the first half second.
        if (t < 0.6 && rng.uniform() < 0.012 * (1.0 - t / 0.6))
            v += rng.range(-1, 1) * 0.9 * (1.0 - t / 0.6);
        s[i] = v;
    }
    // The thump beneath it.
    addNote(s, rate, 0, 0.8, [](double t) { return 38.0 + 50.0 * std::exp(-t / 0.08); },
            [](double ph, double, double) { return std::sin(ph); },
            [](double t) { return 0.6 * attackDecay(t, 0.004, 0.18); });
    finish(s, rate, 0.92, 0.01);
    return s;
}

// 3: climbing a ladder: eight rising rungs.
Signal ladderClimb(int rate, double seconds)
{
    Signal s(sampleCount(seconds, rate), 0.0);
    const double scale[] = {523.25, 587.33, 659.25, 698.46, 783.99, 880.00, 987.77, 1046.50};
    const double step = seconds / 8.0;
    for (int k = 0; k < 8; ++k) {
        const double f = scale[k];
        addNote(s, rate, k * step, step - 0.012, [f](double) { return f; },
                [rate](double ph, double freq, double) { return squareAt(ph, freq, rate, 7); },
                [](double t) { return attackDecay(t, 0.003, 0.07) * 0.8 + 0.2 * std::exp(-t / 0.02); });
    }
    // A wooden tick on every rung.
    Rng rng(3);
    LowPass lp;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        const double tIn = std::fmod(t, step);
        s[i] += 0.35 * lp.step(rng.range(-1, 1), 1800, rate) * std::exp(-tIn / 0.006);
    }
    finish(s, rate);
    return s;
}

// 4: game over: three falling steps and a long sinking last note.
Signal gameOver(int rate, double seconds)
{
    Signal s(sampleCount(seconds, rate), 0.0);
    const double notes[] = {392.00, 369.99, 349.23};
    const double noteLen = 0.2;
    auto brass = [rate](double ph, double f, double t) {
        const double bright = 0.55 + 0.25 * std::min(1.0, t / 0.05);
        return sawAt(ph, f, rate, 10, bright);
    };
    for (int k = 0; k < 3; ++k) {
        const double f = notes[k];
        addNote(s, rate, k * noteLen, noteLen - 0.02, [f](double) { return f; }, brass,
                [](double t) { return sustained(t, 0.18, 0.02, 0.75, 0.04); });
    }
    const double lastStart = 3 * noteLen, lastLen = seconds - lastStart;
    addNote(s, rate, lastStart, lastLen,
            [lastLen](double t) {
                const double slide = 329.63 * std::pow(0.8, t / lastLen);
                return slide * (1.0 + 0.012 * std::sin(kTwoPi * 6.0 * t));
            },
            brass, [lastLen](double t) { return sustained(t, lastLen, 0.03, 0.8, 0.25); });
    finish(s, rate);
    return s;
}

// 5: a sparkling chime for the heart.
Signal chime(int rate, double seconds)
{
    Signal s(sampleCount(seconds, rate), 0.0);
    const double notes[] = {1046.50, 1318.51, 1567.98, 2093.00};
    for (int k = 0; k < 4; ++k) {
        const double f = notes[k];
        const double start = k * 0.075;
        addNote(s, rate, start, seconds - start, [f](double) { return f; },
                [rate](double ph, double freq, double t) {
                    // Bell partials, the upper ones dying first.
                    const double ratios[] = {1.0, 2.0, 2.76};
                    const double amps[] = {1.0, 0.4, 0.25};
                    const double taus[] = {0.3, 0.15, 0.08};
                    double v = 0;
                    for (int p = 0; p < 3; ++p)
                        if (ratios[p] * freq < 0.45 * rate)
                            v += amps[p] * std::sin(ph * ratios[p]) * std::exp(-t / taus[p]);
                    return v;
                },
                [](double t) { return std::min(1.0, t / 0.002); });
    }
    finish(s, rate, 0.85, 0.02);
    return s;
}

// 6: a short thud as the board turns.
Signal thud(int rate, double seconds)
{
    Signal s(sampleCount(seconds, rate), 0.0);
    addNote(s, rate, 0, seconds, [](double t) { return 90.0 + 110.0 * std::exp(-t / 0.015); },
            [](double ph, double, double) { return std::sin(ph); },
            [](double t) { return attackDecay(t, 0.002, 0.03); });
    Rng rng(6);
    LowPass lp;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        s[i] += 0.6 * lp.step(rng.range(-1, 1), 2200, rate) * std::exp(-t / 0.005);
    }
    finish(s, rate, 0.9, 0.003);
    return s;
}

// 7: a coin dropping into the till: two tones, the second ringing out.
Signal coin(int rate, double seconds)
{
    Signal s(sampleCount(seconds, rate), 0.0);
    constexpr double kSwitch = 0.05;
    addNote(s, rate, 0, seconds, [](double t) { return t < kSwitch ? 987.77 : 1318.51; },
            [rate](double ph, double f, double) { return squareAt(ph, f, rate, 3); },
            [](double t) {
                if (t < kSwitch)
                    return t < 0.002 ? 0.8 * t / 0.002 : 0.8;
                return 0.8 * std::exp(-(t - kSwitch) / 0.045);
            });
    finish(s, rate, 0.85, 0.003);
    return s;
}

// 8: a victory fanfare, ending on a held major chord.
Signal fanfare(int rate, double seconds)
{
    Signal s(sampleCount(seconds, rate), 0.0);
    auto brass = [rate](double ph, double f, double t) {
        const double bright = 0.45 + 0.3 * std::min(1.0, t / 0.04);
        return sawAt(ph, f, rate, 12, bright);
    };
    auto note = [&](double start, double length, double f, double level) {
        addNote(s, rate, start, length,
                [f](double t) { return f * (1.0 + (t > 0.25 ? 0.004 * std::sin(kTwoPi * 5.5 * t) : 0.0)); },
                brass, [length, level](double t) { return level * sustained(t, length, 0.02, 0.8, 0.04); });
    };
    const double G4 = 392.00, C5 = 523.25, E5 = 659.25, G5 = 783.99, C6 = 1046.50;
    note(0.00, 0.13, G4, 1.0);
    note(0.15, 0.13, G4, 1.0);
    note(0.30, 0.13, G4, 1.0);
    note(0.45, 0.40, C5, 1.0);
    note(0.90, 0.16, G4, 0.9);
    note(1.08, 0.16, C5, 0.9);
    note(1.26, 0.22, E5, 0.95);
    // The final chord swells a little and fades out at the very end.
    const double chordStart = 1.52, chordLen = seconds - chordStart;
    for (double f : {C5, E5, G5, C6}) {
        addNote(s, rate, chordStart, chordLen,
                [f](double t) { return f * (1.0 + 0.004 * std::sin(kTwoPi * 5.0 * t)); }, brass,
                [chordLen](double t) {
                    const double swell = t < 0.03 ? t / 0.03 : 0.75 + 0.15 * std::min(1.0, t / 0.6);
                    const double fade = t > chordLen - 0.6 ? std::max(0.0, (chordLen - t) / 0.6) : 1.0;
                    return 0.55 * swell * fade;
                });
    }
    finish(s, rate, 0.85, 0.01);
    return s;
}

// 9: a short bright blip.
Signal blip(int rate, double seconds)
{
    Signal s(sampleCount(seconds, rate), 0.0);
    addNote(s, rate, 0, seconds, [](double t) { return 1250.0 - 300.0 * std::min(1.0, t / 0.1); },
            [rate](double ph, double f, double) {
                // Triangle: odd harmonics falling with the square of their number.
                double v = 0;
                for (int n = 1; n <= 7; n += 2)
                    if (n * f < 0.45 * rate)
                        v += ((n / 2) % 2 ? -1.0 : 1.0) * std::sin(ph * n) / (n * n);
                return v;
            },
            [](double t) { return attackDecay(t, 0.003, 0.04); });
    finish(s, rate, 0.8, 0.003);
    return s;
}

// 10: a low double buzz for a move that is not allowed.
Signal buzz(int rate, double seconds)
{
    Signal s(sampleCount(seconds, rate), 0.0);
    const double burst = seconds * 0.42;
    auto voice = [rate](double ph, double f, double) { return squareAt(ph, f, rate, 41); };
    for (double start : {0.0, seconds - burst - 0.01}) {
        for (double f : {110.0, 116.5}) {
            addNote(s, rate, start, burst, [f](double) { return f; }, voice,
                    [burst](double t) { return sustained(t, burst, 0.006, 0.85, 0.02); });
        }
    }
    LowPass lp;
    for (double& v : s)
        v = lp.step(v, 2500, rate);
    finish(s, rate, 0.8, 0.004);
    return s;
}

}  // namespace

std::vector<Sound> makeSounds()
{
    auto path = [](int n) { return QString("sounds/sound%1.wav").arg(n); };
    return {
        {path(1), wavPcm16(pop(22050, 0.23), 22050)},
        {path(2), wavMsAdpcm(explosion(8000, 1.56), 8000)},
        {path(3), wavPcm8(ladderClimb(8000, 0.98), 8000)},
        {path(4), wavPcm8(gameOver(14925, 1.12), 14925)},
        {path(5), wavPcm8(chime(11025, 0.78), 11025)},
        {path(6), wavPcm8(thud(11025, 0.10), 11025)},
        {path(7), wavPcm8(coin(11025, 0.16), 11025)},
        {path(8), wavPcm8(fanfare(11025, 2.91), 11025)},
        {path(9), wavPcm8(blip(22050, 0.15), 22050)},
        {path(10), wavPcm8(buzz(22050, 0.50), 22050)},
    };
}

}  // namespace assetgen
