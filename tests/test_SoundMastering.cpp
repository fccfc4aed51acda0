// The generated sounds measured as a player hears them, with the EBU R128 reference meter
// (libebur128): the music's integrated loudness and true peak, the effects' loudest 400 ms played on
// both sides and their peaks, what the hit keeps through a small speaker (a 200 Hz high-pass), and
// how little of the music lies below 30 Hz.
#include "CVKT_WaveReader.h"

#include "Files.h"

#include <ebur128.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace
{
constexpr unsigned kRate = 44100;

// Interleaved stereo as the game plays a file: a mono one on both sides.
std::vector<double> Played(const std::string& name)
{
    const std::string path = headless::BuildDir() + "/Resource/Sound/" + name;
    tWaveData wave;
    if (CVKT_WaveReader::ReadFile(path.c_str(), wave) != eWaveReadResult::Ok ||
        wave.format.wBitsPerSample != 16 || wave.format.nSamplesPerSec != kRate)
        return {};
    std::vector<int16_t> samples(wave.samples.size() / 2);
    std::memcpy(samples.data(), wave.samples.data(), samples.size() * 2);
    std::vector<double> stereo;
    const size_t channels = wave.format.nChannels;
    for (size_t i = 0; i < samples.size(); i += channels)
    {
        stereo.push_back(samples[i] / 32768.0);
        stereo.push_back(samples[i + channels - 1] / 32768.0);
    }
    return stereo;
}

// An RBJ biquad: a second-order Butterworth corner for q = 0.7071.
class Biquad
{
public:
    static Biquad HighPass(double hz, double q) { return Make(hz, q, true); }
    static Biquad LowPass(double hz, double q) { return Make(hz, q, false); }
    double operator()(double x)
    {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

private:
    static Biquad Make(double hz, double q, bool high)
    {
        const double w = 2.0 * M_PI * hz / kRate;
        const double c = std::cos(w);
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        const double edge = (high ? 1.0 + c : 1.0 - c) / 2.0 / a0;
        Biquad f;
        f.b0 = edge;
        f.b1 = high ? -2.0 * edge : 2.0 * edge;
        f.b2 = edge;
        f.a1 = -2.0 * c / a0;
        f.a2 = (1.0 - alpha) / a0;
        return f;
    }
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// Both channels through their own copy of the filter chain.
template <class Chain>
std::vector<double> Filtered(std::vector<double> stereo, Chain chain)
{
    Chain right = chain;
    for (size_t i = 0; i < stereo.size(); i += 2)
    {
        stereo[i] = chain(stereo[i]);
        stereo[i + 1] = right(stereo[i + 1]);
    }
    return stereo;
}

struct Loudness
{
    double integrated = -HUGE_VAL;       // LUFS
    double loudestMomentary = -HUGE_VAL; // LUFS, the loudest 400 ms
    double truePeak = -HUGE_VAL;         // dBTP
    double samplePeak = -HUGE_VAL;       // dBFS
};

// What the meter reads for the sound, followed by a second of silence (as a one-shot is heard) when
// asked. The momentary loudness is read every 10 ms.
Loudness Measure(std::vector<double> stereo, bool followedBySilence)
{
    if (followedBySilence)
        stereo.resize(stereo.size() + 2 * kRate, 0.0);
    ebur128_state* meter = ebur128_init(
        2, kRate, EBUR128_MODE_I | EBUR128_MODE_M | EBUR128_MODE_TRUE_PEAK | EBUR128_MODE_SAMPLE_PEAK);
    Loudness result;
    const size_t frames = stereo.size() / 2;
    const size_t slice = kRate / 100;
    for (size_t at = 0; at < frames; at += slice)
    {
        const size_t count = std::min(slice, frames - at);
        ebur128_add_frames_double(meter, stereo.data() + 2 * at, count);
        double momentary = -HUGE_VAL;
        if (at + count >= kRate * 4 / 10 && ebur128_loudness_momentary(meter, &momentary) == EBUR128_SUCCESS)
            result.loudestMomentary = std::max(result.loudestMomentary, momentary);
    }
    ebur128_loudness_global(meter, &result.integrated);
    for (unsigned channel = 0; channel < 2; ++channel)
    {
        double truePeak = 0.0;
        double samplePeak = 0.0;
        ebur128_true_peak(meter, channel, &truePeak);
        ebur128_sample_peak(meter, channel, &samplePeak);
        result.truePeak = std::max(result.truePeak, 20.0 * std::log10(truePeak));
        result.samplePeak = std::max(result.samplePeak, 20.0 * std::log10(samplePeak));
    }
    ebur128_destroy(&meter);
    return result;
}

// The music by its integrated loudness, with room for the peaks between samples; the effects, which
// are short, by their loudest 400 ms, with their peaks well down so that a few at once leave the
// music room.
TEST(SoundMastering, EverySoundMeetsItsLoudnessAndPeakTargets)
{
    struct Target
    {
        const char* name;
        bool music;
        double lufs; // integrated for music, the loudest 400 ms for effects; within 1 LU
        double peak; // the most: true peak for music (dBTP), sample peak for effects (dBFS)
    } targets[] = {
        {"OxM_ZORIRED_theme.wav", true, -16.0, -1.0},
        {"OxM_PALLET_theme.wav", true, -16.0, -1.0},
        {"VKT_LazerShot.wav", false, -20.0, -3.0},
        {"VKT_LazerHit.wav", false, -16.0, -3.0},
    };
    for (const Target& target : targets)
    {
        const std::vector<double> played = Played(target.name);
        ASSERT_FALSE(played.empty()) << target.name;
        const Loudness measured = Measure(played, !target.music);
        const double lufs = target.music ? measured.integrated : measured.loudestMomentary;
        const double peak = target.music ? measured.truePeak : measured.samplePeak;
        EXPECT_NEAR(lufs, target.lufs, 1.0) << target.name;
        EXPECT_LE(peak, target.peak) << target.name;
        RecordProperty(std::string(target.name) + "_lufs", std::to_string(lufs));
        RecordProperty(std::string(target.name) + "_peak_db", std::to_string(peak));
    }
}

TEST(SoundMastering, TheHitStillCarriesThroughASmallSpeaker)
{
    // A laptop's or a phone's speaker gives next to nothing below 200 Hz.
    const std::vector<double> played = Played("VKT_LazerHit.wav");
    ASSERT_FALSE(played.empty());
    const double full = Measure(played, true).loudestMomentary;
    const double small = Measure(Filtered(played, Biquad::HighPass(200.0, M_SQRT1_2)), true).loudestMomentary;
    EXPECT_LE(full - small, 4.0) << "LU lost through a 200 Hz high-pass";
    RecordProperty("hit_loss_lu", std::to_string(full - small));
}

TEST(SoundMastering, TheMusicSpendsNothingBelowThirtyHertz)
{
    for (const char* name : {"OxM_ZORIRED_theme.wav", "OxM_PALLET_theme.wav"})
    {
        const std::vector<double> played = Played(name);
        ASSERT_FALSE(played.empty()) << name;
        // Two fourth-order Butterworth low-passes at 30 Hz in a row: steep enough that the bass
        // above, the loudest part of the music, hardly leaks in.
        auto below = [a = Biquad::LowPass(30.0, 0.5412), b = Biquad::LowPass(30.0, 1.3066),
                      c = Biquad::LowPass(30.0, 0.5412), d = Biquad::LowPass(30.0, 1.3066)](double x) mutable
        { return d(c(b(a(x)))); };
        auto power = [](const std::vector<double>& stereo)
        {
            double sum = 0.0;
            for (double x : stereo)
                sum += x * x;
            return sum;
        };
        const double share = 10.0 * std::log10(power(Filtered(played, below)) / power(played));
        EXPECT_LT(share, -25.0) << name << ": dB of the power below 30 Hz";
    }
}
} // namespace
