#include "Files.h"

#include <SDL.h>
#include <SDL_image.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace headless
{
std::string BuildDir()
{
    return TALONREACH_BUILD_DIR;
}

std::string SourceDir()
{
    return TALONREACH_SOURCE_DIR;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool FileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}

void MakeDirs(const std::string& path)
{
    std::filesystem::create_directories(path);
}

void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb)
{
    const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888), &SDL_FreeSurface);
    if (!surface)
        throw std::runtime_error(std::string("cannot make a surface: ") + SDL_GetError());
    for (int y = 0; y < height; ++y)
    {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < width; ++x)
            row[x] = argb[static_cast<size_t>(y) * width + x];
    }
    if (IMG_SavePNG(surface.get(), path.c_str()) != 0)
        throw std::runtime_error("cannot write " + path + ": " + IMG_GetError());
}
} // namespace headless
