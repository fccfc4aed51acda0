// The synthesiser's instruments. Each note is rendered on its own (fresh oscillators, its own noise
// seed) into a dry bus and an effects send, so a note sounds the same wherever it falls in a song.
#pragma once

#include "Dsp.h"

#include <cstdint>

namespace assetgen
{
enum class eInstrument
{
    Lead,  // bright pulse with vibrato
    Flute, // soft triangle
    Bass,  // filtered saw with a sub square
    Pad,   // slow detuned saws
    Arp,   // short plucked square
    Kick,
    Snare,
    Hat,
    OpenHat,
    Crash
};

struct tNote
{
    eInstrument instrument = eInstrument::Lead;
    double start = 0.0;  // seconds
    double length = 0.0; // seconds the key is held; the release follows
    double midi = 60.0;
    double velocity = 1.0;
    double pan = 0.0;
    double send = 0.0; // share sent to reverb and echo
    uint64_t seed = 1;
};

void RenderNote(const tNote& note, tStereo& dry, tStereo& send);
} // namespace assetgen
