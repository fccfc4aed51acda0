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

// A second-order section (direct form I) for a fixed response: the shelves and steep high- and
// low-passes that shape an instrument's range, and the meter's weighting.
class CBiquad
{
public:
    CBiquad(double b0, double b1, double b2, double a1, double a2);
    // Butterworth-style corners; q 0.7071 is a plain 12 dB per octave slope. Two in a row with q 0.5412
    // and 1.3066 make a 24 dB per octave Butterworth.
    static CBiquad HighPass(double cutoffHz, double q);
    static CBiquad LowPass(double cutoffHz, double q);
    double Process(double input);

private:
    double m_b0, m_b1, m_b2, m_a1, m_a2;
    double m_x1 = 0.0;
    double m_x2 = 0.0;
    double m_y1 = 0.0;
    double m_y2 = 0.0;
};

// Two sections making a 24 dB per octave Butterworth: what an instrument must not reach past.
class CSteepFilter
{
public:
    static CSteepFilter HighPass(double cutoffHz);
    static CSteepFilter LowPass(double cutoffHz);
    double Process(double input) { return m_second.Process(m_first.Process(input)); }

private:
    CSteepFilter(const CBiquad& first, const CBiquad& second) : m_first(first), m_second(second) {}
    CBiquad m_first;
    CBiquad m_second;
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
// The largest sample magnitude of either channel.
double Peak(const tStereo& mix);
// Scales by `gain` and interleaves.
std::vector<float> Interleave(const tStereo& mix, double gain);

// Loudness as ITU-R BS.1770 (EBU R128) measures it, in LUFS: K-weighted, both channels counted in
// full, so a mono sound played on both sides counts twice. Integrated: 400 ms blocks every 100 ms,
// gated at -70 LUFS and again 10 LU below the level of what passed; -inf for silence.
double IntegratedLoudness(const tStereo& mix);
// The loudest 400 ms (the momentary maximum), windows every 10 ms, the sound followed by silence.
double LoudestMomentary(const tStereo& mix);
// The gain that brings a sound measured at `loudness` LUFS to `targetLufs`, but no further than
// puts its largest sample (`peak`) at `peakCeiling`.
double MasteringGain(double loudness, double targetLufs, double peak, double peakCeiling);
// A level in decibels as a linear factor.
double FromDecibels(double decibels);
// Linear fades at both ends (in samples) so playback starts and stops without a click.
void FadeEnds(std::vector<float>& interleaved, int channels, size_t fadeIn, size_t fadeOut);
} // namespace assetgen
