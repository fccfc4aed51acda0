// The RIFF/WAVE reader of the wave manager: plain parsing with no sound device, so that it can be
// driven from tests and the fuzzer on bytes in memory.
//
// Accepted: "RIFF" ... "WAVE", then a "fmt " chunk as the very first chunk (at least 16 bytes, PCM,
// 8 or 16 bits per sample), then any chunks up to the first "data" chunk. Every odd-sized chunk is
// followed by one pad byte, as RIFF requires. Channels, rates and block alignment are not judged
// here; the mixer judges them when it makes a buffer.
//
// Hostile files: the reader never allocates more than the file holds, never reads past its end,
// and treats chunk sizes as unsigned 32-bit counts in 64-bit arithmetic, so sizes near 4 GiB skip
// to the end of the file instead of wrapping.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The PCM wave format record, as stored in a "fmt " chunk (little-endian in the file).
struct tWaveFormat
{
    uint16_t wFormatTag = 0;
    uint16_t nChannels = 0;
    uint32_t nSamplesPerSec = 0;
    uint32_t nAvgBytesPerSec = 0;
    uint16_t nBlockAlign = 0;
    uint16_t wBitsPerSample = 0;
    uint16_t cbSize = 0; // always 0: the reader keeps no extra format bytes
};

// One wave as read from a file.
struct tWaveData
{
    tWaveFormat format;
    // The length the "data" chunk claims, in bytes. A cut-off file claims more than it holds; the
    // bytes it lacks are silence.
    uint32_t dwDataLength = 0;
    // The sample bytes the file actually holds: at most dwDataLength.
    std::vector<uint8_t> samples;
};

enum class eWaveReadResult
{
    Ok,
    FileNotFound,     // cannot be opened, or not a regular file
    BadHeader,        // not "RIFF" ... "WAVE"
    BadFormatChunk,   // first chunk not "fmt ", shorter than 16 bytes, or cut off
    NotPcm,           // format tag other than 1
    BadBitsPerSample, // neither 8 nor 16
    NoDataChunk,      // the file ends before a "data" chunk
    OutOfMemory       // the sample bytes could not be allocated
};

class CVKT_WaveReader
{
public:
    static constexpr uint16_t FORMAT_PCM = 1;

    // Reads the file (letter case of the path resolved as for every resource). On anything but Ok
    // the wave is left empty.
    static eWaveReadResult ReadFile(const char* szPath, tWaveData& wave);
    // The same rules on bytes in memory.
    static eWaveReadResult ReadMemory(const uint8_t* pBytes, size_t nSize, tWaveData& wave);
};
