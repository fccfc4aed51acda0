// Smooth lattice noise for terrain and clouds. A period (in lattice cells) makes the noise repeat, so a
// texture built from it tiles seamlessly along that axis.
#pragma once

#include <cstdint>

namespace assetgen
{
class CValueNoise
{
public:
    // A period of 0 means the axis does not repeat.
    explicit CValueNoise(uint64_t seed, int periodX = 0, int periodY = 0);

    // In -1..1; one lattice cell per unit of x and y.
    double Value(double x, double y) const;
    // Sum of octaves, each at twice the frequency and half the weight; normalised to about -1..1.
    // Periods double with the frequency, so the sum repeats like the first octave.
    double Fractal(double x, double y, int octaves) const;

private:
    double Lattice(int64_t ix, int64_t iy, int octave) const;

    uint64_t m_seed;
    int m_periodX;
    int m_periodY;
};
} // namespace assetgen
