#include "WaveFiles.h"

namespace headless
{
std::string U16(uint16_t value)
{
    std::string bytes(2, '\0');
    bytes[0] = static_cast<char>(value & 0xFF);
    bytes[1] = static_cast<char>(value >> 8);
    return bytes;
}

std::string U32(uint32_t value)
{
    return U16(static_cast<uint16_t>(value & 0xFFFF)) + U16(static_cast<uint16_t>(value >> 16));
}

std::string FormatBody(uint16_t formatTag, uint16_t channels, uint32_t rate, uint16_t bits,
                       size_t nExtraBytes)
{
    const uint16_t blockAlign = static_cast<uint16_t>(channels * bits / 8);
    return U16(formatTag) + U16(channels) + U32(rate) + U32(rate * blockAlign) + U16(blockAlign) + U16(bits) +
           std::string(nExtraBytes, '\0');
}

std::string Chunk(const std::string& id, const std::string& body, bool bPad, int64_t nClaimedSize)
{
    const uint32_t size =
        nClaimedSize >= 0 ? static_cast<uint32_t>(nClaimedSize) : static_cast<uint32_t>(body.size());
    std::string chunk = id.substr(0, 4) + U32(size) + body;
    if (bPad && body.size() % 2 == 1)
        chunk += '\0';
    return chunk;
}

std::string Riff(const std::string& chunks)
{
    return "RIFF" + U32(static_cast<uint32_t>(chunks.size() + 4)) + "WAVE" + chunks;
}

std::string PcmWave(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& samples)
{
    return Riff(Chunk("fmt ", FormatBody(1, channels, rate, bits)) + Chunk("data", samples));
}

std::string Samples16(const std::vector<int16_t>& samples)
{
    std::string bytes;
    for (int16_t sample : samples)
        bytes += U16(static_cast<uint16_t>(sample));
    return bytes;
}

std::string Samples8(const std::vector<uint8_t>& samples)
{
    return std::string(samples.begin(), samples.end());
}

std::vector<int16_t> SquareWave(size_t nFrames, size_t nHalfPeriod, uint16_t channels)
{
    std::vector<int16_t> samples;
    for (size_t frame = 0; frame < nFrames; ++frame)
    {
        const int16_t value = (frame / nHalfPeriod) % 2 == 0 ? int16_t(32767) : int16_t(-32768);
        samples.insert(samples.end(), channels, value);
    }
    return samples;
}
} // namespace headless
