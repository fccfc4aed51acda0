// The generator's own pseudo-random numbers (SplitMix64). The standard library's distributions are not
// specified bit for bit, so every random choice goes through this class to keep the output identical on
// every run and every machine.
#pragma once

#include <cstdint>

namespace assetgen
{
class CRandom
{
public:
    explicit CRandom(uint64_t seed) : m_state(seed) {}

    uint64_t Next();
    // 0 <= result < 1.
    double Uniform();
    double Range(double low, double high);
    // low <= result <= high.
    int Int(int low, int high);
    bool Chance(double probability);

private:
    uint64_t m_state;
};

// Mixes integers into one well-spread seed.
uint64_t HashSeed(uint64_t a, uint64_t b = 0, uint64_t c = 0);
} // namespace assetgen
