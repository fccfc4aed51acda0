#include "Dsp.h"

#include <algorithm>
#include <cmath>

namespace assetgen
{
double MidiToHz(double midi)
{
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

double CNoise::Next()
{
    // xorshift64*
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    const uint64_t value = m_state * 0x2545F4914F6CDD1DULL;
    return static_cast<double>(value >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

namespace
{
double PolyBlep(double t, double dt)
{
    if (t < dt)
    {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt)
    {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}
} // namespace

double COscillator::Advance(double hz)
{
    const double phase = m_phase;
    m_phase += hz / kSampleRate;
    m_phase -= std::floor(m_phase);
    return phase;
}

double COscillator::Sine(double hz)
{
    return std::sin(2.0 * M_PI * Advance(hz));
}

double COscillator::Triangle(double hz)
{
    const double p = Advance(hz);
    return p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
}

double COscillator::Saw(double hz)
{
    const double dt = hz / kSampleRate;
    const double p = Advance(hz);
    return 2.0 * p - 1.0 - PolyBlep(p, dt);
}

double COscillator::Pulse(double hz, double duty)
{
    const double dt = hz / kSampleRate;
    const double p = Advance(hz);
    double value = p < duty ? 1.0 : -1.0;
    value += PolyBlep(p, dt);
    double shifted = p - duty;
    shifted -= std::floor(shifted);
    value -= PolyBlep(shifted, dt);
    // A narrow pulse averages 2 duty - 1; centre it so no instrument adds a DC offset.
    return value - (2.0 * duty - 1.0);
}

double tEnvelope::Level(double t, double noteLength) const
{
    auto held = [this](double time)
    {
        if (time < attack)
            return attack > 0.0 ? time / attack : 1.0;
        const double intoDecay = time - attack;
        if (intoDecay < decay)
            return 1.0 + (sustain - 1.0) * (intoDecay / decay);
        return sustain;
    };
    if (t < 0.0)
        return 0.0;
    if (t < noteLength)
        return held(t);
    const double released = t - noteLength;
    if (released >= release)
        return 0.0;
    return held(noteLength) * (1.0 - released / release);
}

void CFilter::Set(double cutoffHz, double resonance)
{
    const double limited = std::clamp(cutoffHz, 20.0, kSampleRate * 0.45);
    m_g = std::tan(M_PI * limited / kSampleRate);
    m_k = 2.0 - 2.0 * std::clamp(resonance, 0.0, 0.98);
}

void CFilter::Step(double input)
{
    const double a1 = 1.0 / (1.0 + m_g * (m_g + m_k));
    const double a2 = m_g * a1;
    const double a3 = m_g * a2;
    const double v3 = input - m_ic2;
    const double v1 = a1 * m_ic1 + a2 * v3;
    const double v2 = m_ic2 + a2 * m_ic1 + a3 * v3;
    m_ic1 = 2.0 * v1 - m_ic1;
    m_ic2 = 2.0 * v2 - m_ic2;
    m_low = v2;
    m_band = v1;
    m_high = input - m_k * v1 - v2;
}

double CFilter::LowPass(double input)
{
    Step(input);
    return m_low;
}

double CFilter::BandPass(double input)
{
    Step(input);
    return m_band;
}

double CFilter::HighPass(double input)
{
    Step(input);
    return m_high;
}

CBiquad::CBiquad(double b0, double b1, double b2, double a1, double a2)
    : m_b0(b0), m_b1(b1), m_b2(b2), m_a1(a1), m_a2(a2)
{
}

CBiquad CBiquad::HighPass(double cutoffHz, double q)
{
    const double w = 2.0 * M_PI * cutoffHz / kSampleRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    const double a0 = 1.0 + alpha;
    return CBiquad((1.0 + c) / 2.0 / a0, -(1.0 + c) / a0, (1.0 + c) / 2.0 / a0, -2.0 * c / a0,
                   (1.0 - alpha) / a0);
}

CBiquad CBiquad::LowPass(double cutoffHz, double q)
{
    const double w = 2.0 * M_PI * cutoffHz / kSampleRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    const double a0 = 1.0 + alpha;
    return CBiquad((1.0 - c) / 2.0 / a0, (1.0 - c) / a0, (1.0 - c) / 2.0 / a0, -2.0 * c / a0,
                   (1.0 - alpha) / a0);
}

double CBiquad::Process(double input)
{
    const double output = m_b0 * input + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
    m_x2 = m_x1;
    m_x1 = input;
    m_y2 = m_y1;
    m_y1 = output;
    return output;
}

namespace
{
// The pole pairs of a fourth-order Butterworth.
constexpr double kButterworthQ1 = 0.54119610;
constexpr double kButterworthQ2 = 1.30656296;
} // namespace

CSteepFilter CSteepFilter::HighPass(double cutoffHz)
{
    return CSteepFilter(CBiquad::HighPass(cutoffHz, kButterworthQ1),
                        CBiquad::HighPass(cutoffHz, kButterworthQ2));
}

CSteepFilter CSteepFilter::LowPass(double cutoffHz)
{
    return CSteepFilter(CBiquad::LowPass(cutoffHz, kButterworthQ1),
                        CBiquad::LowPass(cutoffHz, kButterworthQ2));
}

void tStereo::Resize(size_t frames)
{
    left.assign(frames, 0.0f);
    right.assign(frames, 0.0f);
}

void PanGains(double pan, double* leftGain, double* rightGain)
{
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * M_PI / 4.0;
    *leftGain = std::cos(angle);
    *rightGain = std::sin(angle);
}

namespace
{
class CComb
{
public:
    explicit CComb(size_t length) : m_buffer(length, 0.0) {}
    double Process(double input, double feedback, double damping)
    {
        const double output = m_buffer[m_index];
        m_store = output * (1.0 - damping) + m_store * damping;
        m_buffer[m_index] = input + m_store * feedback;
        m_index = (m_index + 1) % m_buffer.size();
        return output;
    }

private:
    std::vector<double> m_buffer;
    size_t m_index = 0;
    double m_store = 0.0;
};

class CAllPass
{
public:
    explicit CAllPass(size_t length) : m_buffer(length, 0.0) {}
    double Process(double input)
    {
        const double buffered = m_buffer[m_index];
        const double output = buffered - input;
        m_buffer[m_index] = input + buffered * 0.5;
        m_index = (m_index + 1) % m_buffer.size();
        return output;
    }

private:
    std::vector<double> m_buffer;
    size_t m_index = 0;
};

void ReverbChannel(const std::vector<float>& in, std::vector<float>& out, size_t spread, double wet)
{
    const size_t combLengths[4] = {1116, 1188, 1277, 1356};
    const size_t allPassLengths[2] = {556, 441};
    std::vector<CComb> combs;
    for (size_t length : combLengths)
        combs.emplace_back(length + spread);
    std::vector<CAllPass> allPasses;
    for (size_t length : allPassLengths)
        allPasses.emplace_back(length + spread);
    for (size_t i = 0; i < in.size(); ++i)
    {
        double sum = 0.0;
        for (CComb& comb : combs)
            sum += comb.Process(in[i] * 0.25, 0.82, 0.3);
        for (CAllPass& allPass : allPasses)
            sum = allPass.Process(sum);
        out[i] += static_cast<float>(sum * wet);
    }
}
} // namespace

void AddReverb(const tStereo& send, tStereo& out, double wet)
{
    ReverbChannel(send.left, out.left, 0, wet);
    ReverbChannel(send.right, out.right, 23, wet);
}

void AddEcho(const tStereo& send, tStereo& out, double delaySeconds, double feedback, double wet)
{
    const auto delay = static_cast<size_t>(delaySeconds * kSampleRate);
    std::vector<double> left(send.Frames(), 0.0);
    std::vector<double> right(send.Frames(), 0.0);
    for (size_t i = 0; i < send.Frames(); ++i)
    {
        // Ping-pong: each repeat crosses to the other side.
        const double fromLeft = i >= delay ? left[i - delay] : 0.0;
        const double fromRight = i >= delay ? right[i - delay] : 0.0;
        left[i] = send.left[i] + fromRight * feedback;
        right[i] = send.right[i] + fromLeft * feedback;
        out.left[i] += static_cast<float>(fromRight * wet);
        out.right[i] += static_cast<float>(fromLeft * wet);
    }
}

void RemoveDc(tStereo& mix)
{
    // One-pole high-pass at about 5 Hz.
    const double pole = 1.0 - 2.0 * M_PI * 5.0 / kSampleRate;
    for (std::vector<float>* channel : {&mix.left, &mix.right})
    {
        double previousIn = 0.0;
        double previousOut = 0.0;
        for (float& sample : *channel)
        {
            const double out = sample - previousIn + pole * previousOut;
            previousIn = sample;
            previousOut = out;
            sample = static_cast<float>(out);
        }
    }
}

double Peak(const tStereo& mix)
{
    double peak = 0.0;
    for (size_t i = 0; i < mix.Frames(); ++i)
        peak = std::max({peak, std::fabs(static_cast<double>(mix.left[i])),
                         std::fabs(static_cast<double>(mix.right[i]))});
    return peak;
}

std::vector<float> Interleave(const tStereo& mix, double gain)
{
    std::vector<float> out(mix.Frames() * 2);
    for (size_t i = 0; i < mix.Frames(); ++i)
    {
        out[2 * i] = static_cast<float>(mix.left[i] * gain);
        out[2 * i + 1] = static_cast<float>(mix.right[i] * gain);
    }
    return out;
}

namespace
{
// BS.1770's K-weighting at the sample rate: a high shelf of about +4 dB above 1.7 kHz (the head) and
// a high-pass near 38 Hz, from the standard's analogue prototypes.
CBiquad KShelf()
{
    const double f0 = 1681.974450955533;
    const double gainDb = 3.999843853973347;
    const double q = 0.7071752369554196;
    const double k = std::tan(M_PI * f0 / kSampleRate);
    const double vh = std::pow(10.0, gainDb / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return CBiquad((vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
                   2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0);
}

CBiquad KHighPass()
{
    const double f0 = 38.13547087602444;
    const double q = 0.5003270373238773;
    const double k = std::tan(M_PI * f0 / kSampleRate);
    const double a0 = 1.0 + k / q + k * k;
    return CBiquad(1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0);
}

// Running sums of the K-weighted power of both channels: sums[i] covers frames 0 .. i - 1.
std::vector<double> WeightedPowerSums(const tStereo& mix)
{
    std::vector<double> sums(mix.Frames() + 1, 0.0);
    CBiquad shelves[2] = {KShelf(), KShelf()};
    CBiquad highPasses[2] = {KHighPass(), KHighPass()};
    for (size_t i = 0; i < mix.Frames(); ++i)
    {
        const double left = highPasses[0].Process(shelves[0].Process(mix.left[i]));
        const double right = highPasses[1].Process(shelves[1].Process(mix.right[i]));
        sums[i + 1] = sums[i] + left * left + right * right;
    }
    return sums;
}

double LoudnessOf(double meanPower)
{
    return -0.691 + 10.0 * std::log10(meanPower);
}
} // namespace

double IntegratedLoudness(const tStereo& mix)
{
    const std::vector<double> sums = WeightedPowerSums(mix);
    const size_t block = kSampleRate * 4 / 10;
    const size_t hop = kSampleRate / 10;
    std::vector<double> powers;
    for (size_t end = block; end <= mix.Frames(); end += hop)
    {
        const double power = (sums[end] - sums[end - block]) / block;
        if (LoudnessOf(power) > -70.0)
            powers.push_back(power);
    }
    auto meanAbove = [&powers](double gate)
    {
        double total = 0.0;
        size_t count = 0;
        for (double power : powers)
        {
            if (LoudnessOf(power) > gate)
            {
                total += power;
                ++count;
            }
        }
        return count > 0 ? total / count : 0.0;
    };
    const double ungated = meanAbove(-70.0);
    if (ungated <= 0.0)
        return -HUGE_VAL;
    return LoudnessOf(meanAbove(LoudnessOf(ungated) - 10.0));
}

double LoudestMomentary(const tStereo& mix)
{
    const std::vector<double> sums = WeightedPowerSums(mix);
    const size_t window = kSampleRate * 4 / 10;
    const size_t hop = kSampleRate / 100;
    double loudest = 0.0;
    for (size_t end = window; end < mix.Frames() + window; end += hop)
    {
        const size_t last = std::min(end, mix.Frames());
        loudest = std::max(loudest, (sums[last] - sums[end - window]) / window);
    }
    return loudest > 0.0 ? LoudnessOf(loudest) : -HUGE_VAL;
}

double FromDecibels(double decibels)
{
    return std::pow(10.0, decibels / 20.0);
}

double MasteringGain(double loudness, double targetLufs, double peak, double peakCeiling)
{
    return std::min(FromDecibels(targetLufs - loudness), peakCeiling / std::max(peak, 1e-9));
}

void FadeEnds(std::vector<float>& interleaved, int channels, size_t fadeIn, size_t fadeOut)
{
    const size_t frames = interleaved.size() / static_cast<size_t>(channels);
    for (size_t i = 0; i < frames; ++i)
    {
        double gain = 1.0;
        if (i < fadeIn)
            gain = static_cast<double>(i) / fadeIn;
        if (i + fadeOut >= frames && fadeOut > 0)
            gain = std::min(gain, static_cast<double>(frames - 1 - i) / fadeOut);
        for (int c = 0; c < channels; ++c)
            interleaved[i * channels + c] = static_cast<float>(interleaved[i * channels + c] * gain);
    }
}
} // namespace assetgen
