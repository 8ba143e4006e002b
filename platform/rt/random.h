#pragma once
// The one random generator of the pack: Rnd() is uniform in [0, 1) and never reaches 1.
#include <cstdint>
#include <functional>
#include <optional>

namespace rt {

float Rnd();
void Randomize();                    // seed from the clock
void RandomizeWith(uint32_t seed);   // fixed seed (driver, tests)
// With a fixed seed, every Randomize() reseeds with it: a game dealt again deals the same.
void FixSeed(std::optional<uint32_t> seed);
std::optional<uint32_t> FixedSeed();  // for a test's report
int RandomInt(int k);                // Int(Rnd * k): uniform 0..k-1

// Tests replace the generator with a scripted source; an empty function restores the default.
void SetRandomSource(std::function<float()> source);

}  // namespace rt
