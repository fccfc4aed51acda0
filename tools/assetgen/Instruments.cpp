#include "Instruments.h"

#include <cmath>

namespace assetgen
{
namespace
{
// A filter whose cutoff follows a curve over time; the coefficients are refreshed every 16 samples,
// which is smooth to the ear and spares a tangent per sample.
class CSweptFilter
{
public:
    CSweptFilter(double resonance) : m_resonance(resonance) {}
    template <typename Cutoff>
    double LowPass(double input, double t, Cutoff cutoff)
    {
        if (m_count++ % 16 == 0)
            m_filter.Set(cutoff(t), m_resonance);
        return m_filter.LowPass(input);
    }

private:
    CFilter m_filter;
    double m_resonance;
    unsigned m_count = 0;
};

// Calls `sample(t)` for every frame of the note's sounding time and adds the result to the buses.
template <typename Sample>
void Emit(const tNote& note, double seconds, tStereo& dry, tStereo& send, Sample sample)
{
    const auto first = static_cast<size_t>(std::llround(note.start * kSampleRate));
    const auto frames = static_cast<size_t>(seconds * kSampleRate);
    double leftGain = 0.0;
    double rightGain = 0.0;
    PanGains(note.pan, &leftGain, &rightGain);
    const double dryLevel = note.velocity * (1.0 - note.send * 0.5);
    const double sendLevel = note.velocity * note.send;
    for (size_t i = 0; i < frames; ++i)
    {
        const double value = sample(static_cast<double>(i) / kSampleRate);
        dry.Add(first + i, value * dryLevel, leftGain, rightGain);
        if (sendLevel > 0.0)
            send.Add(first + i, value * sendLevel, leftGain, rightGain);
    }
}

void Lead(const tNote& note, tStereo& dry, tStereo& send)
{
    const tEnvelope env{0.012, 0.18, 0.72, 0.14};
    COscillator pulse;
    COscillator saw;
    COscillator vibrato;
    CSweptFilter filter(0.25);
    const double base = MidiToHz(note.midi);
    Emit(note, env.TotalLength(note.length), dry, send,
         [&](double t)
         {
             const double depth = t > 0.18 ? std::min(1.0, (t - 0.18) * 4.0) * 0.12 : 0.0;
             // Vibrato as a small linear bend: 2^(x/12) ~ 1 + x ln2/12 for a fraction of a semitone.
             const double hz = base * (1.0 + depth * vibrato.Sine(5.6) * 0.057762);
             const double raw = pulse.Pulse(hz, 0.32) * 0.6 + saw.Saw(hz * 1.003) * 0.4;
             return filter.LowPass(raw, t,
                                   [](double time) { return 1600.0 + 2200.0 * std::exp(-time * 7.0); }) *
                    env.Level(t, note.length) * 0.32;
         });
}

void Flute(const tNote& note, tStereo& dry, tStereo& send)
{
    const tEnvelope env{0.05, 0.1, 0.85, 0.22};
    COscillator tri;
    COscillator sine;
    COscillator vibrato;
    CNoise breath(note.seed);
    CFilter air;
    air.Set(2500.0, 0.2);
    const double base = MidiToHz(note.midi);
    Emit(note, env.TotalLength(note.length), dry, send,
         [&](double t)
         {
             const double depth = t > 0.25 ? 0.08 : 0.0;
             const double hz = base * (1.0 + depth * vibrato.Sine(5.0) * 0.057762);
             const double raw =
                 tri.Triangle(hz) * 0.7 + sine.Sine(hz * 2.0) * 0.15 + air.BandPass(breath.Next()) * 0.08;
             return raw * env.Level(t, note.length) * 0.4;
         });
}

// Below this nothing is heard on most speakers and headphones, yet it would take up the headroom
// that the music is mastered in: the bass's sub-octave and the kick are cut off under it.
constexpr double kLowestHz = 40.0;
// Noise instruments stop short of the top octave, where white noise is at its fizziest.
constexpr double kNoiseTopHz = 11000.0;

void Bass(const tNote& note, tStereo& dry, tStereo& send)
{
    const tEnvelope env{0.004, 0.12, 0.8, 0.06};
    COscillator saw;
    COscillator sub;
    CSweptFilter filter(0.35);
    CSteepFilter floor = CSteepFilter::HighPass(kLowestHz);
    const double hz = MidiToHz(note.midi);
    Emit(note, env.TotalLength(note.length), dry, send,
         [&](double t)
         {
             const double raw = saw.Saw(hz) * 0.6 + sub.Pulse(hz * 0.5, 0.5) * 0.4;
             const double shaped =
                 filter.LowPass(raw, t, [](double time) { return 280.0 + 1300.0 * std::exp(-time * 12.0); });
             return floor.Process(shaped) * env.Level(t, note.length) * 0.5;
         });
}

void Pad(const tNote& note, tStereo& dry, tStereo& send)
{
    const tEnvelope env{0.35, 0.6, 0.75, 0.7};
    COscillator voices[3];
    for (int i = 0; i < 3; ++i)
        voices[i].Reset(0.31 * i);
    CFilter filter;
    filter.Set(1300.0, 0.15);
    const double hz = MidiToHz(note.midi);
    const double detuned[3] = {hz * std::pow(2.0, -0.07 / 12.0), hz, hz * std::pow(2.0, 0.07 / 12.0)};
    Emit(note, env.TotalLength(note.length), dry, send,
         [&](double t)
         {
             double raw = 0.0;
             for (int i = 0; i < 3; ++i)
                 raw += voices[i].Saw(detuned[i]);
             return filter.LowPass(raw / 3.0) * env.Level(t, note.length) * 0.16;
         });
}

void Arp(const tNote& note, tStereo& dry, tStereo& send)
{
    const tEnvelope env{0.002, 0.2, 0.0, 0.05};
    COscillator square;
    CSweptFilter filter(0.3);
    const double hz = MidiToHz(note.midi);
    Emit(note, env.TotalLength(std::min(note.length, 0.2)), dry, send,
         [&](double t)
         {
             return filter.LowPass(square.Pulse(hz, 0.5), t,
                                   [](double time) { return 700.0 + 3800.0 * std::exp(-time * 18.0); }) *
                    env.Level(t, std::min(note.length, 0.2)) * 0.2;
         });
}

void Kick(const tNote& note, tStereo& dry, tStereo& send)
{
    COscillator body;
    CNoise click(note.seed);
    CSteepFilter floor = CSteepFilter::HighPass(kLowestHz);
    Emit(note, 0.42, dry, send,
         [&](double t)
         {
             const double hz = 46.0 + 110.0 * std::exp(-t / 0.035);
             const double amp = std::exp(-t / 0.13) * std::min(1.0, t / 0.0015);
             const double tick = t < 0.004 ? click.Next() * (1.0 - t / 0.004) * 0.3 : 0.0;
             return floor.Process(std::tanh(body.Sine(hz) * amp * 1.6) * 0.7 + tick);
         });
}

void Snare(const tNote& note, tStereo& dry, tStereo& send)
{
    COscillator tone;
    CNoise noise(note.seed);
    CFilter band;
    band.Set(2200.0, 0.3);
    CFilter high;
    high.Set(900.0, 0.1);
    Emit(note, 0.3, dry, send,
         [&](double t)
         {
             const double attack = std::min(1.0, t / 0.001);
             const double rattle = high.HighPass(band.BandPass(noise.Next()) * 2.5) * std::exp(-t / 0.075);
             const double body = tone.Sine(185.0 * (1.0 + 0.4 * std::exp(-t / 0.01))) * std::exp(-t / 0.045);
             return (rattle * 0.55 + body * 0.45) * attack * 0.65;
         });
}

void Hat(const tNote& note, tStereo& dry, tStereo& send, double decay)
{
    CNoise noise(note.seed);
    CFilter high;
    high.Set(7000.0, 0.2);
    CSteepFilter top = CSteepFilter::LowPass(kNoiseTopHz);
    Emit(note, decay * 6.0, dry, send,
         [&](double t)
         {
             return top.Process(high.HighPass(noise.Next())) * std::exp(-t / decay) *
                    std::min(1.0, t / 0.0008) * 0.3;
         });
}

void Crash(const tNote& note, tStereo& dry, tStereo& send)
{
    CNoise noise(note.seed);
    CFilter high;
    high.Set(4200.0, 0.3);
    CSteepFilter top = CSteepFilter::LowPass(kNoiseTopHz);
    Emit(note, 2.2, dry, send,
         [&](double t) {
             return top.Process(high.HighPass(noise.Next())) * std::exp(-t / 0.45) *
                    std::min(1.0, t / 0.002) * 0.22;
         });
}
} // namespace

void RenderNote(const tNote& note, tStereo& dry, tStereo& send)
{
    switch (note.instrument)
    {
    case eInstrument::Lead:
        Lead(note, dry, send);
        break;
    case eInstrument::Flute:
        Flute(note, dry, send);
        break;
    case eInstrument::Bass:
        Bass(note, dry, send);
        break;
    case eInstrument::Pad:
        Pad(note, dry, send);
        break;
    case eInstrument::Arp:
        Arp(note, dry, send);
        break;
    case eInstrument::Kick:
        Kick(note, dry, send);
        break;
    case eInstrument::Snare:
        Snare(note, dry, send);
        break;
    case eInstrument::Hat:
        Hat(note, dry, send, 0.035);
        break;
    case eInstrument::OpenHat:
        Hat(note, dry, send, 0.16);
        break;
    case eInstrument::Crash:
        Crash(note, dry, send);
        break;
    }
}
} // namespace assetgen
