// A step sequencer: songs are written as bars of sixteenth-note steps, melodies as short note texts,
// harmony as chord names, drums as 16-character patterns. The score turns them into timed notes and
// renders them through the instruments.
//
// Melody text: space-separated tokens "<note>/<steps>", e.g. "F#5/4 A5/2 r/2"; "r" is a rest. A note is
// a letter A-G, an optional '#' or 'b', and an octave (C4 is middle C).
// Chord names: a root (as above without octave) and an optional "m" (minor) or "7" (dominant seventh).
// Drum patterns: one character per step, 'x' a hit, 'o' a softer hit, anything else silence.
#pragma once

#include "Dsp.h"
#include "Instruments.h"

#include <string>
#include <vector>

namespace assetgen
{
class CScore
{
public:
    explicit CScore(double beatsPerMinute);

    double StepSeconds() const { return m_stepSeconds; }
    // Noise seeds repeat with this period (seconds; 0 = never), so a song written out twice for a loop
    // sounds exactly the same both times.
    void SetSeedPeriod(double seconds) { m_seedPeriod = seconds; }
    double BarSeconds() const { return m_stepSeconds * 16.0; }

    void Melody(eInstrument instrument, int bar, const std::string& text, double velocity, double pan,
                double send);
    // One chord per bar from `bar` on, held by the pad.
    void PadChords(int bar, const std::vector<std::string>& chords, double velocity);
    // Eighth-note bass on each chord's root: root, root, octave, root...
    void BassLine(int bar, const std::vector<std::string>& chords, double velocity);
    // Sixteenth-note arpeggio up and down each chord, in the given octave.
    void Arpeggio(int bar, const std::vector<std::string>& chords, int octave, double velocity, double pan);
    // The same 16-step pattern repeated over `bars` bars.
    void Drums(eInstrument instrument, int bar, int bars, const std::string& pattern, double velocity,
               double pan);
    void Hit(eInstrument instrument, int bar, int step, double velocity);

    const std::vector<tNote>& Notes() const { return m_notes; }

    // Renders every note into `seconds` of stereo, with reverb and echo on the send bus; sound past the
    // end is cut off.
    tStereo Render(double seconds) const;

private:
    void Add(const tNote& note);

    double m_stepSeconds;
    double m_seedPeriod = 0.0;
    std::vector<tNote> m_notes;
};

double ParseNote(const std::string& name);
} // namespace assetgen
