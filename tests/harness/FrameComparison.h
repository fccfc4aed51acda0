// Checks of a captured 640 x 480 frame against the pictures it is drawn from: a section of a
// picture, a text in a glyph sheet, or two frames against each other.
#pragma once

#include "Picture.h"

#include "VKT_Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace headless
{
constexpr int FRAME_WIDTH = 640;
constexpr int FRAME_HEIGHT = 480;

inline uint32_t FramePixel(const std::vector<uint32_t>& frame, int x, int y)
{
    return frame[static_cast<size_t>(y) * FRAME_WIDTH + x];
}

// `top` laid over `bottom` by its alpha, then scaled by `fade` (0 to 255) over black; opaque.
uint32_t Blend(uint32_t top, uint32_t bottom, int fade = 255);

// How many pixels were compared and how many differ, with the first difference in words.
struct Comparison
{
    int compared = 0;
    int mismatched = 0;
    std::string firstMismatch;

    // Counts one pixel; red, green and blue may each differ by `tolerance`.
    void Compare(int x, int y, uint32_t expected, uint32_t actual, int tolerance);
};

// The section (sx, sy, w, h) of the picture drawn at (dx, dy), pixel by pixel where the picture is
// opaque and the pixel lands on the frame. bMirrorY: drawn with scale y = -1, so its row v lands on
// screen row dy - 1 - v. fade: the alpha it was drawn with, over black.
Comparison CompareSection(const std::vector<uint32_t>& frame, const Picture& picture, int sx, int sy, int w,
                          int h, int dx, int dy, bool bMirrorY = false, int tolerance = 2, int fade = 255);

// A text drawn by the bitmap font from a glyph sheet (cells of cellW x cellH, `columns` per row, the
// first cell the space) at (x, y) and integer `scale`; '\n' starts the next row. Characters without
// a cell take their place but draw nothing.
Comparison CompareText(const std::vector<uint32_t>& frame, const Picture& sheet, int cellW, int cellH,
                       int columns, const std::string& text, int x, int y, int scale = 1, int tolerance = 2);

// How a section of a picture drawn unscaled with its top-left at (x, y) shows in the frame: of the
// section's fully opaque pixels that land on the frame, how many the frame shows unchanged.
struct SectionMatch
{
    int opaque = 0;
    int matching = 0;
    bool AllMatch() const { return opaque > 0 && matching == opaque; }
};
SectionMatch MatchSection(const std::vector<uint32_t>& frame, const Picture& picture, const RECT& section,
                          int x, int y);
// The cell of character c on the 16 x 24 font sheet with 20 cells a row starting at the space.
RECT FontCell(char c);

// How many pixels of the rectangle differ between two frames.
int CountDifferences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int x, int y, int w,
                     int h);
} // namespace headless
