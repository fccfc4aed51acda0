// Decoding of the game's image files (PNG, BMP) into 32-bit ARGB surfaces. The decoder of SDL_image
// ignores short reads, so a PNG cut off inside a chunk makes libpng read stale bytes without end;
// every PNG is therefore checked to hold its whole chunk list before it is decoded. Pictures larger
// than the game could ever draw are refused before anything is allocated for them.
#pragma once

#include <cstddef>
#include <cstdint>

struct SDL_Surface;

class CVKT_ImageFile
{
public:
    // Files and pictures beyond these are refused: the game's largest pictures are 640 x 2048 and
    // 1024 x 1024, and a picture of MAX_PIXELS takes 16 MB once decoded.
    static constexpr uint64_t MAX_FILE_BYTES = 64u << 20;
    static constexpr int64_t MAX_SIDE = 4096;
    static constexpr int64_t MAX_PIXELS = 4096 * 1024;

    // A new ARGB8888 surface of the decoded file (the caller frees it), or null when the file is
    // missing, not a regular file, too large, damaged, or neither a PNG nor a BMP.
    static SDL_Surface* LoadARGB(const char* szPath);
    // The same for bytes in memory.
    static SDL_Surface* DecodeARGB(const uint8_t* pBytes, size_t nSize);
    // LoadARGB with the colour key applied: pixels whose ARGB equals a key other than 0 become
    // transparent black. Every picture the game draws is read this way.
    static SDL_Surface* LoadKeyedARGB(const char* szPath, uint32_t dwColorKey);
    // DecodeARGB with the colour key applied, as LoadKeyedARGB does.
    static SDL_Surface* DecodeKeyedARGB(const uint8_t* pBytes, size_t nSize, uint32_t dwColorKey);

    // False for a PNG whose chunks run past the end of the bytes or that ends before its IEND
    // chunk, or whose header claims a picture beyond MAX_SIDE or MAX_PIXELS; true for anything that is not a
    // PNG at all (other decoders check what they read).
    static bool IsSafePng(const uint8_t* pBytes, size_t nSize);
    // False for a BMP whose header claims a picture beyond MAX_SIDE or MAX_PIXELS; true for anything else.
    static bool IsSafeBmp(const uint8_t* pBytes, size_t nSize);
};
