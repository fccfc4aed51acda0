// Builders for RIFF/WAVE bytes, so that every sound a test plays is written by the test itself:
// well-formed files, and broken ones put together chunk by chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace headless
{
// Little-endian fields.
std::string U16(uint16_t value);
std::string U32(uint32_t value);

// The body of a "fmt " chunk: the 16 standard bytes (block alignment and byte rate derived from
// the other fields), then nExtraBytes zero bytes (2 makes the common 18-byte variant).
std::string FormatBody(uint16_t formatTag, uint16_t channels, uint32_t rate, uint16_t bits,
                       size_t nExtraBytes = 0);

// A chunk: id, size of body, body, and the pad byte RIFF puts after an odd-sized body (unless
// bPad is false). nClaimedSize replaces the size field when it is not -1.
std::string Chunk(const std::string& id, const std::string& body, bool bPad = true,
                  int64_t nClaimedSize = -1);

// "RIFF", the size of what follows, "WAVE", then the chunks as given.
std::string Riff(const std::string& chunks);

// A plain PCM file: a 16-byte "fmt " chunk and a "data" chunk.
std::string PcmWave(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& samples);

// Sample bytes.
std::string Samples16(const std::vector<int16_t>& samples);
std::string Samples8(const std::vector<uint8_t>& samples);

// A 16-bit full-scale square wave: nFrames frames, nHalfPeriod frames high (32767) then as many
// low (-32768), the same on every channel.
std::vector<int16_t> SquareWave(size_t nFrames, size_t nHalfPeriod, uint16_t channels = 1);
} // namespace headless
