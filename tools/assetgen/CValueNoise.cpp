#include "CValueNoise.h"

#include "CRandom.h"

#include <cmath>

namespace assetgen
{
namespace
{
double SmoothStep(double t)
{
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

int64_t Wrap(int64_t value, int64_t period)
{
    if (period <= 0)
        return value;
    const int64_t m = value % period;
    return m < 0 ? m + period : m;
}
} // namespace

CValueNoise::CValueNoise(uint64_t seed, int periodX, int periodY)
    : m_seed(seed), m_periodX(periodX), m_periodY(periodY)
{
}

double CValueNoise::Lattice(int64_t ix, int64_t iy, int octave) const
{
    const int64_t px = m_periodX > 0 ? static_cast<int64_t>(m_periodX) << octave : 0;
    const int64_t py = m_periodY > 0 ? static_cast<int64_t>(m_periodY) << octave : 0;
    const uint64_t h = HashSeed(m_seed + static_cast<uint64_t>(octave), static_cast<uint64_t>(Wrap(ix, px)),
                                static_cast<uint64_t>(Wrap(iy, py)));
    return static_cast<double>(h >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

double CValueNoise::Value(double x, double y) const
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<int64_t>(fx);
    const auto iy = static_cast<int64_t>(fy);
    const double tx = SmoothStep(x - fx);
    const double ty = SmoothStep(y - fy);
    const double top = Lattice(ix, iy, 0) + (Lattice(ix + 1, iy, 0) - Lattice(ix, iy, 0)) * tx;
    const double bottom = Lattice(ix, iy + 1, 0) + (Lattice(ix + 1, iy + 1, 0) - Lattice(ix, iy + 1, 0)) * tx;
    return top + (bottom - top) * ty;
}

double CValueNoise::Fractal(double x, double y, int octaves) const
{
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    double scale = 1.0;
    for (int octave = 0; octave < octaves; ++octave)
    {
        const double sx = x * scale;
        const double sy = y * scale;
        const double fx = std::floor(sx);
        const double fy = std::floor(sy);
        const auto ix = static_cast<int64_t>(fx);
        const auto iy = static_cast<int64_t>(fy);
        const double tx = SmoothStep(sx - fx);
        const double ty = SmoothStep(sy - fy);
        const double a = Lattice(ix, iy, octave);
        const double b = Lattice(ix + 1, iy, octave);
        const double c = Lattice(ix, iy + 1, octave);
        const double d = Lattice(ix + 1, iy + 1, octave);
        const double top = a + (b - a) * tx;
        const double bottom = c + (d - c) * tx;
        sum += (top + (bottom - top) * ty) * weight;
        total += weight;
        weight *= 0.5;
        scale *= 2.0;
    }
    return sum / total;
}
} // namespace assetgen
