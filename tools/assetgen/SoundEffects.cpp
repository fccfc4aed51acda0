#include "SoundEffects.h"

#include "Dsp.h"
#include "WaveFile.h"

#include <cmath>
#include <vector>

namespace assetgen
{
namespace
{
// Effects are mono, played on both sides, and mastered by their loudest 400 ms as heard that way, with
// their peaks kept more than 3 dB under full scale so that a few at once leave the music some room.
constexpr double kShotLufs = -20.0;
constexpr double kHitLufs = -16.0;
constexpr double kEffectPeakDb = -3.5;

// Mono effect of `seconds`, one value per sample from `sample(t)`, with short fades, mastered to
// `targetLufs`.
template <typename Sample>
std::vector<float> RenderEffect(double seconds, double targetLufs, Sample sample)
{
    const auto frames = static_cast<size_t>(seconds * kSampleRate);
    std::vector<float> out(frames);
    for (size_t i = 0; i < frames; ++i)
        out[i] = static_cast<float>(sample(static_cast<double>(i) / kSampleRate));
    FadeEnds(out, 1, static_cast<size_t>(0.002 * kSampleRate), static_cast<size_t>(0.02 * kSampleRate));
    tStereo played;
    played.left = out;
    played.right = out;
    const double gain =
        MasteringGain(LoudestMomentary(played), targetLufs, Peak(played), FromDecibels(kEffectPeakDb));
    for (float& value : out)
        value = static_cast<float>(value * gain);
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
        RenderEffect(0.32, kShotLufs,
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
    // An impact: a falling sine thump for the weight, over it what a small speaker can play, a hollow
    // knock of three inharmonic partials and a cracked noise burst, all slightly driven.
    COscillator body;
    COscillator knock[3];
    const double knockHz[3] = {310.0, 587.0, 1046.0};
    const double knockLevel[3] = {0.75, 0.45, 0.25};
    CNoise noise(0x417);
    CFilter crackBand;
    crackBand.Set(1900.0, 0.35);
    CSteepFilter crackTop = CSteepFilter::LowPass(4000.0);
    CSteepFilter floor = CSteepFilter::HighPass(40.0);
    const std::vector<float> samples = RenderEffect(
        0.36, kHitLufs,
        [&](double t)
        {
            const double hz = 60.0 + 150.0 * std::exp(-t / 0.03);
            const double thump = body.Sine(hz) * std::exp(-t / 0.08);
            double tone = 0.0;
            for (int i = 0; i < 3; ++i)
                tone += knock[i].Sine(knockHz[i] * (1.0 + 0.3 * std::exp(-t / 0.01))) * knockLevel[i];
            tone *= std::exp(-t / 0.06);
            const double crack =
                crackTop.Process(crackBand.BandPass(noise.Next())) * std::exp(-t / 0.03) * 2.0;
            return floor.Process(std::tanh((thump * 1.0 + tone * 1.1 + crack * 1.1) * 1.8));
        });
    return WriteWave(out.Sound("VKT_LazerHit.wav"), samples, 1, kSampleRate);
}
} // namespace assetgen
