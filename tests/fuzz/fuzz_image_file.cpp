// Fuzz target: the image decoding the texture manager uses, on any bytes.
#include "CVKT_ImageFile.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SDL_Surface* surface = CVKT_ImageFile::DecodeARGB(data, size);
    if (surface && (surface->w > CVKT_ImageFile::MAX_SIDE || surface->h > CVKT_ImageFile::MAX_SIDE))
        __builtin_trap(); // a picture larger than any check lets through
    SDL_FreeSurface(surface);
    return 0;
}
