#include "CScore.h"

#include "CRandom.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <sstream>

namespace assetgen
{
namespace
{
int Semitone(char letter)
{
    switch (letter)
    {
    case 'C':
        return 0;
    case 'D':
        return 2;
    case 'E':
        return 4;
    case 'F':
        return 5;
    case 'G':
        return 7;
    case 'A':
        return 9;
    case 'B':
        return 11;
    default:
        return 0;
    }
}

// Pitch class and accidental of a name like "F#" or "Bb"; returns the characters used.
size_t ParsePitchClass(const std::string& name, int* pitch)
{
    if (name.empty())
    {
        *pitch = 0;
        return 0;
    }
    *pitch = Semitone(name[0]);
    size_t used = 1;
    if (name.size() > 1 && name[1] == '#')
    {
        ++*pitch;
        ++used;
    }
    else if (name.size() > 1 && name[1] == 'b')
    {
        --*pitch;
        ++used;
    }
    return used;
}

struct tChord
{
    int root = 0; // pitch class
    bool minor = false;
    bool seventh = false;

    std::vector<int> Intervals() const
    {
        std::vector<int> intervals = {0, minor ? 3 : 4, 7};
        if (seventh)
            intervals.push_back(10);
        return intervals;
    }
};

tChord ParseChord(const std::string& name)
{
    tChord chord;
    const size_t used = ParsePitchClass(name, &chord.root);
    const std::string quality = name.substr(used);
    chord.minor = quality.find('m') != std::string::npos;
    chord.seventh = quality.find('7') != std::string::npos;
    return chord;
}
} // namespace

double ParseNote(const std::string& name)
{
    int pitch = 0;
    const size_t used = ParsePitchClass(name, &pitch);
    const int octave = std::atoi(name.c_str() + used);
    return 12.0 * (octave + 1) + pitch;
}

CScore::CScore(double beatsPerMinute) : m_stepSeconds(60.0 / beatsPerMinute / 4.0) {}

void CScore::Add(const tNote& note)
{
    tNote seeded = note;
    const double place = m_seedPeriod > 0.0 ? std::fmod(note.start, m_seedPeriod) : note.start;
    seeded.seed = HashSeed(static_cast<uint64_t>(std::llround(place * 1000.0)),
                           static_cast<uint64_t>(note.instrument), static_cast<uint64_t>(note.midi));
    m_notes.push_back(seeded);
}

void CScore::Melody(eInstrument instrument, int bar, const std::string& text, double velocity, double pan,
                    double send)
{
    std::istringstream tokens(text);
    std::string token;
    double step = bar * 16.0;
    while (tokens >> token)
    {
        const size_t slash = token.find('/');
        const double steps = slash == std::string::npos ? 1.0 : std::atof(token.c_str() + slash + 1);
        const std::string name = token.substr(0, slash);
        if (name != "r")
        {
            tNote note;
            note.instrument = instrument;
            note.start = step * m_stepSeconds;
            note.length = steps * m_stepSeconds * 0.92;
            note.midi = ParseNote(name);
            note.velocity = velocity;
            note.pan = pan;
            note.send = send;
            Add(note);
        }
        step += steps;
    }
}

void CScore::PadChords(int bar, const std::vector<std::string>& chords, double velocity)
{
    for (size_t i = 0; i < chords.size(); ++i)
    {
        const tChord chord = ParseChord(chords[i]);
        const std::vector<int> intervals = chord.Intervals();
        for (size_t v = 0; v < intervals.size(); ++v)
        {
            // Close voicing around middle C: every tone between G3 and F#4.
            int midi = 60 + (chord.root + intervals[v]) % 12;
            if (midi > 66)
                midi -= 12;
            tNote note;
            note.instrument = eInstrument::Pad;
            note.start = (bar + static_cast<double>(i)) * BarSeconds();
            note.length = BarSeconds() * 0.96;
            note.midi = midi;
            note.velocity = velocity;
            note.pan = (static_cast<double>(v) - 1.0) * 0.45;
            note.send = 0.5;
            Add(note);
        }
    }
}

void CScore::BassLine(int bar, const std::vector<std::string>& chords, double velocity)
{
    const int offsets[8] = {0, 0, 12, 0, 0, 12, 0, 7};
    for (size_t i = 0; i < chords.size(); ++i)
    {
        const tChord chord = ParseChord(chords[i]);
        for (int eighth = 0; eighth < 8; ++eighth)
        {
            tNote note;
            note.instrument = eInstrument::Bass;
            note.start = ((bar + static_cast<double>(i)) * 16.0 + eighth * 2.0) * m_stepSeconds;
            note.length = m_stepSeconds * 1.6;
            note.midi = 36 + chord.root + offsets[eighth] + (chord.root > 4 ? -12 : 0);
            note.velocity = velocity * (eighth % 2 == 0 ? 1.0 : 0.8);
            Add(note);
        }
    }
}

void CScore::Arpeggio(int bar, const std::vector<std::string>& chords, int octave, double velocity,
                      double pan)
{
    for (size_t i = 0; i < chords.size(); ++i)
    {
        const tChord chord = ParseChord(chords[i]);
        std::vector<int> tones;
        for (int interval : chord.Intervals())
            tones.push_back(12 * (octave + 1) + chord.root + interval);
        tones.push_back(tones.front() + 12);
        // Up and back down: 0 1 2 3 2 1 0 1 ...
        std::vector<int> order;
        for (size_t k = 0; k < tones.size(); ++k)
            order.push_back(static_cast<int>(k));
        for (size_t k = tones.size() - 2; k > 0; --k)
            order.push_back(static_cast<int>(k));
        for (int step = 0; step < 16; ++step)
        {
            tNote note;
            note.instrument = eInstrument::Arp;
            note.start = ((bar + static_cast<double>(i)) * 16.0 + step) * m_stepSeconds;
            note.length = m_stepSeconds * 0.8;
            note.midi = tones[static_cast<size_t>(order[static_cast<size_t>(step) % order.size()])];
            note.velocity = velocity * (step % 4 == 0 ? 1.0 : 0.75);
            note.pan = pan;
            note.send = 0.35;
            Add(note);
        }
    }
}

void CScore::Drums(eInstrument instrument, int bar, int bars, const std::string& pattern, double velocity,
                   double pan)
{
    for (int b = 0; b < bars; ++b)
    {
        for (size_t step = 0; step < pattern.size(); ++step)
        {
            if (pattern[step] != 'x' && pattern[step] != 'o')
                continue;
            tNote note;
            note.instrument = instrument;
            note.start = ((bar + b) * 16.0 + static_cast<double>(step)) * m_stepSeconds;
            note.length = m_stepSeconds;
            note.velocity = velocity * (pattern[step] == 'x' ? 1.0 : 0.55);
            note.pan = pan;
            note.send = instrument == eInstrument::Snare ? 0.2 : 0.05;
            Add(note);
        }
    }
}

void CScore::Hit(eInstrument instrument, int bar, int step, double velocity)
{
    tNote note;
    note.instrument = instrument;
    note.start = (bar * 16.0 + step) * m_stepSeconds;
    note.length = m_stepSeconds;
    note.velocity = velocity;
    note.send = 0.3;
    Add(note);
}

tStereo CScore::Render(double seconds) const
{
    const auto frames = static_cast<size_t>(std::llround(seconds * kSampleRate));
    tStereo dry;
    tStereo send;
    dry.Resize(frames);
    send.Resize(frames);
    for (const tNote& note : m_notes)
        RenderNote(note, dry, send);
    AddEcho(send, dry, m_stepSeconds * 3.0, 0.35, 0.28);
    AddReverb(send, dry, 0.55);
    RemoveDc(dry);
    return dry;
}
} // namespace assetgen
