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

std::vector<float> Interleave(const tStereo& mix, double peak)
{
    double loudest = 1e-9;
    for (size_t i = 0; i < mix.Frames(); ++i)
        loudest = std::max({loudest, std::fabs(static_cast<double>(mix.left[i])),
                            std::fabs(static_cast<double>(mix.right[i]))});
    const double gain = peak / loudest;
    std::vector<float> out(mix.Frames() * 2);
    for (size_t i = 0; i < mix.Frames(); ++i)
    {
        out[2 * i] = static_cast<float>(mix.left[i] * gain);
        out[2 * i + 1] = static_cast<float>(mix.right[i] * gain);
    }
    return out;
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
