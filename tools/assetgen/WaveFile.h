// RIFF/WAVE writer: 16-bit PCM, the "fmt " chunk first and then "data", the layout the game's wave
// reader expects.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen
{
// `samples` are interleaved frames of `channels` values in -1..1 (clamped).
bool WriteWave(const std::string& path, const std::vector<float>& samples, int channels, int sampleRate);
} // namespace assetgen
