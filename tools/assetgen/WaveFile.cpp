#include "WaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace assetgen
{
namespace
{
void Put(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>((value >> (8 * i)) & 0xFF));
}

void PutTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

int16_t ToPcm(float value)
{
    const double clamped = std::clamp(static_cast<double>(value), -1.0, 1.0);
    return static_cast<int16_t>(std::lround(clamped * 32767.0));
}
} // namespace

bool WriteWave(const std::string& path, const std::vector<float>& samples, int channels, int sampleRate)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    const uint32_t blockAlign = static_cast<uint32_t>(channels * 2);
    std::vector<uint8_t> file;
    file.reserve(44 + dataBytes);
    PutTag(file, "RIFF");
    Put(file, 36 + dataBytes, 4);
    PutTag(file, "WAVE");
    PutTag(file, "fmt ");
    Put(file, 16, 4);
    Put(file, 1, 2); // PCM
    Put(file, static_cast<uint32_t>(channels), 2);
    Put(file, static_cast<uint32_t>(sampleRate), 4);
    Put(file, static_cast<uint32_t>(sampleRate) * blockAlign, 4);
    Put(file, blockAlign, 2);
    Put(file, 16, 2);
    PutTag(file, "data");
    Put(file, dataBytes, 4);
    for (float sample : samples)
        Put(file, static_cast<uint16_t>(ToPcm(sample)), 2);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
} // namespace assetgen
