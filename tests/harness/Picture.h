// A picture file decoded to ARGB by the game's own image reader, with a colour key applied the way
// the texture manager applies it (pixels of exactly the key become transparent black).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace headless
{
struct Picture
{
    // Throws std::runtime_error when the game could not load the file either. Key 0: no keying.
    static Picture Read(const std::string& path, uint32_t colorKey = 0);

    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;

    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
    bool Opaque(int x, int y) const { return (At(x, y) >> 24) == 0xFF; }
};

// A picture of the build's Resource/Graphics folder, read as Picture::Read reads it.
Picture LoadPicture(const std::string& file, uint32_t colorKey = 0);
} // namespace headless
