#include "CRandom.h"

namespace assetgen
{
namespace
{
uint64_t Scramble(uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
} // namespace

uint64_t CRandom::Next()
{
    m_state += 0x9E3779B97F4A7C15ULL;
    return Scramble(m_state);
}

double CRandom::Uniform()
{
    return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

double CRandom::Range(double low, double high)
{
    return low + (high - low) * Uniform();
}

int CRandom::Int(int low, int high)
{
    const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(high) - low + 1);
    return low + static_cast<int>(Next() % span);
}

bool CRandom::Chance(double probability)
{
    return Uniform() < probability;
}

uint64_t HashSeed(uint64_t a, uint64_t b, uint64_t c)
{
    return Scramble(Scramble(Scramble(a + 0x9E3779B97F4A7C15ULL) ^ b) ^ c);
}
} // namespace assetgen
