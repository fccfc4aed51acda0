#include "SoundEffects.h"

#include "Dsp.h"
#include "WaveFile.h"

#include <cmath>
#include <vector>

namespace assetgen
{
namespace
{
// Mono effect of `seconds`, one value per sample from `sample(t)`, peak-normalised, with short fades.
template <typename Sample>
std::vector<float> RenderEffect(double seconds, double peak, Sample sample)
{
    const auto frames = static_cast<size_t>(seconds * kSampleRate);
    std::vector<float> out(frames);
    double loudest = 1e-9;
    for (size_t i = 0; i < frames; ++i)
    {
        out[i] = static_cast<float>(sample(static_cast<double>(i) / kSampleRate));
        loudest = std::fmax(loudest, std::fabs(out[i]));
    }
    for (float& value : out)
        value = static_cast<float>(value * peak / loudest);
    FadeEnds(out, 1, static_cast<size_t>(0.002 * kSampleRate), static_cast<size_t>(0.02 * kSampleRate));
    return out;
}
} // namespace

bool WriteShotSound(const tOutput& out)
{
    // A zap: a pulse whose pitch falls fast, a little sub-octave weight, and a breath of noise at the start.
    COscillator pulse;
    COscillator sub;
    CNoise noise(0x5407);
    CFilter filter;
    CFilter band;
    band.Set(3000.0, 0.5);
    const std::vector<float> samples =
        RenderEffect(0.32, 0.8,
                     [&](double t)
                     {
                         const double hz = 240.0 + 1500.0 * std::exp(-t / 0.045);
                         filter.Set(900.0 + 5000.0 * std::exp(-t / 0.06), 0.4);
                         const double tone =
                             filter.LowPass(pulse.Pulse(hz, 0.25) * 0.7 + sub.Triangle(hz * 0.5) * 0.3);
                         const double hiss = band.BandPass(noise.Next()) * std::exp(-t / 0.02) * 0.6;
                         return (tone + hiss) * std::exp(-t / 0.09);
                     });
    return WriteWave(out.Sound("VKT_LazerShot.wav"), samples, 1, kSampleRate);
}

bool WriteHitSound(const tOutput& out)
{
    // A punchy thump: a falling sine body, a cracked noise burst on top, slightly driven.
    COscillator body;
    CNoise noise(0x417);
    CFilter low;
    low.Set(2400.0, 0.2);
    const std::vector<float> samples =
        RenderEffect(0.36, 0.85,
                     [&](double t)
                     {
                         const double hz = 55.0 + 160.0 * std::exp(-t / 0.03);
                         const double thump = body.Sine(hz) * std::exp(-t / 0.09);
                         const double crack = low.LowPass(noise.Next()) * std::exp(-t / 0.025);
                         return std::tanh((thump * 1.2 + crack * 0.9) * 1.8);
                     });
    return WriteWave(out.Sound("VKT_LazerHit.wav"), samples, 1, kSampleRate);
}
} // namespace assetgen
