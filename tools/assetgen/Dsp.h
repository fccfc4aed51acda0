// Building blocks of the synthesiser: band-limited oscillators, noise, envelopes, a filter, and the
// stereo buses with their reverb. Everything runs in double precision at one fixed sample rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen
{
constexpr int kSampleRate = 44100;

double MidiToHz(double midi);

// Deterministic white noise in -1..1.
class CNoise
{
public:
    explicit CNoise(uint64_t seed) : m_state(seed | 1u) {}
    double Next();

private:
    uint64_t m_state;
};

// One running phase (0..1) with the classic waveforms; saw and pulse are PolyBLEP-corrected so high
// notes do not alias.
class COscillator
{
public:
    void Reset(double phase = 0.0) { m_phase = phase; }
    double Sine(double hz);
    double Triangle(double hz);
    double Saw(double hz);
    double Pulse(double hz, double duty);

private:
    double Advance(double hz);
    double m_phase = 0.0;
};

// Attack, decay to a sustain level, release after the note's length; times in seconds.
struct tEnvelope
{
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.7;
    double release = 0.1;

    double Level(double t, double noteLength) const;
    double TotalLength(double noteLength) const { return noteLength + release; }
};

// Topology-preserving state-variable filter (low-pass and band-pass outputs).
class CFilter
{
public:
    void Set(double cutoffHz, double resonance);
    double LowPass(double input);
    double BandPass(double input);
    double HighPass(double input);

private:
    void Step(double input);
    double m_g = 0.0;
    double m_k = 1.0;
    double m_ic1 = 0.0;
    double m_ic2 = 0.0;
    double m_low = 0.0;
    double m_band = 0.0;
    double m_high = 0.0;
};

// A pair of channels of float samples.
struct tStereo
{
    std::vector<float> left;
    std::vector<float> right;

    void Resize(size_t frames);
    size_t Frames() const { return left.size(); }
    // Adds a mono sample with the channel gains of a pan position (see PanGains).
    void Add(size_t frame, double value, double leftGain, double rightGain)
    {
        if (frame < left.size())
        {
            left[frame] += static_cast<float>(value * leftGain);
            right[frame] += static_cast<float>(value * rightGain);
        }
    }
};

// Equal-power gains for a pan position from -1 (left) to 1 (right).
void PanGains(double pan, double* leftGain, double* rightGain);

// A small Schroeder-style reverb (parallel combs into series all-passes, per channel), added onto `out`.
void AddReverb(const tStereo& send, tStereo& out, double wet);
// A tempo-synced echo: `feedback` of the signal returns every `delaySeconds`.
void AddEcho(const tStereo& send, tStereo& out, double delaySeconds, double feedback, double wet);
// Removes any DC offset (a gentle high-pass far below hearing).
void RemoveDc(tStereo& mix);
// Scales so the loudest sample reaches `peak`, then interleaves.
std::vector<float> Interleave(const tStereo& mix, double peak);
// Linear fades at both ends (in samples) so playback starts and stops without a click.
void FadeEnds(std::vector<float>& interleaved, int channels, size_t fadeIn, size_t fadeOut);
} // namespace assetgen
