// Types shared by the platform layer and the game: the handles of the window system, rectangles and
// colours. The game was written against Win32; on Linux a window handle is an SDL window, and the
// game never looks inside it.
#pragma once

#include <cstdint>

struct SDL_Window;
struct SDL_Renderer;

using HWND = SDL_Window*;
// There is no module instance handle on Linux; the value is carried through untouched.
using HINSTANCE = void*;

// Four 32-bit signed ints: left, top, right, bottom; right and bottom are exclusive.
struct RECT
{
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Cell nCell of a sheet of equal cells, nColumns to a row, counted along the rows from the top left;
// an empty rectangle for a sheet without columns.
inline RECT GridCellRect(int nCell, int nColumns, int nCellWidth, int nCellHeight)
{
    if (nColumns <= 0)
        return RECT{0, 0, 0, 0};
    const int32_t nLeft = (nCell % nColumns) * nCellWidth;
    const int32_t nTop = (nCell / nColumns) * nCellHeight;
    return RECT{nLeft, nTop, nLeft + nCellWidth, nTop + nCellHeight};
}

// 32-bit ARGB, 0xAARRGGBB.
using VKT_COLOR = uint32_t;

constexpr VKT_COLOR VKT_ARGB(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return ((a & 0xFFu) << 24) | ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}

constexpr VKT_COLOR VKT_XRGB(uint32_t r, uint32_t g, uint32_t b)
{
    return VKT_ARGB(0xFF, r, g, b);
}
