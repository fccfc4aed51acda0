#include "CVKT_ImageFile.h"

#include "CVKT_ResourcePath.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
constexpr uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

uint32_t BigEndian32(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

int32_t LittleEndian32(const uint8_t* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

// The game's pictures are PNG and BMP files; the other decoders of SDL_image (SVG, XCF, ...) are
// never offered bytes, so a damaged file cannot reach code the game does not need.
SDL_Surface* DecodePngOrBmp(SDL_RWops* stream)
{
    if (IMG_isPNG(stream))
        return IMG_LoadPNG_RW(stream);
    if (IMG_isBMP(stream))
        return IMG_LoadBMP_RW(stream);
    return nullptr;
}

bool PictureFits(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width <= CVKT_ImageFile::MAX_SIDE &&
           height <= CVKT_ImageFile::MAX_SIDE && width * height <= CVKT_ImageFile::MAX_PIXELS;
}

void ApplyColorKey(SDL_Surface* pImage, uint32_t dwColorKey)
{
    if (dwColorKey == 0)
        return;
    SDL_LockSurface(pImage);
    for (int y = 0; y < pImage->h; ++y)
    {
        uint32_t* row =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pImage->pixels) + y * pImage->pitch);
        std::replace(row, row + pImage->w, dwColorKey, 0u);
    }
    SDL_UnlockSurface(pImage);
}

// The image header must come first and state a drawable size.
bool HeaderFits(const uint8_t* pChunk, uint32_t nLength)
{
    if (std::memcmp(pChunk + 4, "IHDR", 4) != 0 || nLength < 8)
        return false;
    return PictureFits(BigEndian32(pChunk + 8), BigEndian32(pChunk + 12));
}
} // namespace

bool CVKT_ImageFile::IsSafePng(const uint8_t* pBytes, size_t nSize)
{
    if (nSize < sizeof PNG_SIGNATURE || std::memcmp(pBytes, PNG_SIGNATURE, sizeof PNG_SIGNATURE) != 0)
        return true;
    size_t offset = sizeof PNG_SIGNATURE;
    bool first = true;
    // Each chunk: length (4, big-endian), type (4), data, CRC (4).
    while (nSize - offset >= 12)
    {
        const uint32_t length = BigEndian32(pBytes + offset);
        if (length > nSize - offset - 12)
            return false;
        if (first && !HeaderFits(pBytes + offset, length))
            return false;
        if (std::memcmp(pBytes + offset + 4, "IEND", 4) == 0)
            return true;
        offset += 12 + static_cast<size_t>(length);
        first = false;
    }
    return false;
}

bool CVKT_ImageFile::IsSafeBmp(const uint8_t* pBytes, size_t nSize)
{
    if (nSize < 2 || pBytes[0] != 'B' || pBytes[1] != 'M')
        return true;
    if (nSize < 26)
        return false;
    const int64_t width = LittleEndian32(pBytes + 18);
    const int64_t height = std::llabs(static_cast<long long>(LittleEndian32(pBytes + 22)));
    return PictureFits(width, height);
}

SDL_Surface* CVKT_ImageFile::DecodeARGB(const uint8_t* pBytes, size_t nSize)
{
    if (!pBytes || nSize == 0 || !IsSafePng(pBytes, nSize) || !IsSafeBmp(pBytes, nSize))
        return nullptr;
    SDL_RWops* stream = SDL_RWFromConstMem(pBytes, static_cast<int>(nSize));
    if (!stream)
        return nullptr;
    SDL_Surface* decoded = DecodePngOrBmp(stream);
    SDL_RWclose(stream);
    if (!decoded)
        return nullptr;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    return argb;
}

SDL_Surface* CVKT_ImageFile::LoadARGB(const char* szPath)
{
    std::vector<uint8_t> bytes;
    if (!CVKT_ResourcePath::ReadRegularFile(szPath, MAX_FILE_BYTES, bytes))
        return nullptr;
    return DecodeARGB(bytes.data(), bytes.size());
}

SDL_Surface* CVKT_ImageFile::LoadKeyedARGB(const char* szPath, uint32_t dwColorKey)
{
    SDL_Surface* argb = LoadARGB(szPath);
    if (argb)
        ApplyColorKey(argb, dwColorKey);
    return argb;
}

SDL_Surface* CVKT_ImageFile::DecodeKeyedARGB(const uint8_t* pBytes, size_t nSize, uint32_t dwColorKey)
{
    SDL_Surface* argb = DecodeARGB(pBytes, nSize);
    if (argb)
        ApplyColorKey(argb, dwColorKey);
    return argb;
}
