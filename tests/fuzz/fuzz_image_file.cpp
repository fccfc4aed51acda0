// Fuzz target: the image decoding the texture manager uses, on any bytes.
#include "CVKT_ImageFile.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SDL_Surface* surface = CVKT_ImageFile::DecodeARGB(data, size);
    if (surface && static_cast<int64_t>(surface->w) * surface->h > CVKT_ImageFile::MAX_PIXELS)
        __builtin_trap(); // a picture larger than any check lets through
    SDL_FreeSurface(surface);
    return 0;
}
