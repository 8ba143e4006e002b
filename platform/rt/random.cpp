#include "rt/random.h"

#include <chrono>
#include <cmath>
#include <random>

namespace rt {
namespace {
std::mt19937& engine() {
  static std::mt19937 e(12345u);
  return e;
}
std::function<float()>& scripted() {
  static std::function<float()> f;
  return f;
}
}  // namespace

float Rnd() {
  if (scripted()) {
    float v = scripted()();
    // A scripted value outside [0,1) would index past a table: clamp it into range.
    if (!(v >= 0.0f)) v = 0.0f;
    if (v >= 1.0f) v = std::nextafter(1.0f, 0.0f);
    return v;
  }
  // 24 bits of randomness: exact in a float and strictly below 1.
  return static_cast<float>(engine()() >> 8) / 16777216.0f;
}

namespace {
std::optional<uint32_t> g_fixed;
}

void FixSeed(std::optional<uint32_t> seed) {
  g_fixed = seed;
  if (seed) engine().seed(*seed);
}

std::optional<uint32_t> FixedSeed() { return g_fixed; }

void Randomize() {
  if (g_fixed) {
    engine().seed(*g_fixed);
    return;
  }
  auto t = std::chrono::system_clock::now().time_since_epoch().count();
  engine().seed(static_cast<uint32_t>(t ^ (t >> 32)));
}

void RandomizeWith(uint32_t seed) { engine().seed(seed); }

int RandomInt(int k) { return static_cast<int>(std::floor(static_cast<double>(Rnd()) * k)); }

void SetRandomSource(std::function<float()> source) { scripted() = std::move(source); }

}  // namespace rt
