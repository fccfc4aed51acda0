#include "Picture.h"

#include "Files.h"

#include "CVKT_ImageFile.h"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace headless
{
Picture Picture::Read(const std::string& path, uint32_t colorKey)
{
    const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface(
        CVKT_ImageFile::LoadKeyedARGB(path.c_str(), colorKey), &SDL_FreeSurface);
    if (!surface)
        throw std::runtime_error("the game cannot read " + path);
    Picture picture;
    picture.width = surface->w;
    picture.height = surface->h;
    picture.argb.resize(static_cast<size_t>(surface->w) * surface->h);
    for (int y = 0; y < surface->h; ++y)
    {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) +
                                                            static_cast<size_t>(y) * surface->pitch);
        std::copy(row, row + surface->w, picture.argb.begin() + static_cast<ptrdiff_t>(y) * surface->w);
    }
    return picture;
}

Picture LoadPicture(const std::string& file, uint32_t colorKey)
{
    return Picture::Read(BuildDir() + "/Resource/Graphics/" + file, colorKey);
}
} // namespace headless
