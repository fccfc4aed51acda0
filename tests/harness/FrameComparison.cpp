#include "FrameComparison.h"

#include <cstdio>
#include <cstdlib>

namespace headless
{
namespace
{
int Channel(uint32_t argb, int shift)
{
    return static_cast<int>((argb >> shift) & 0xFF);
}

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift <= 16; shift += 8)
    {
        if (std::abs(Channel(a, shift) - Channel(b, shift)) > tolerance)
            return false;
    }
    return true;
}

bool OnFrame(int x, int y)
{
    return x >= 0 && x < FRAME_WIDTH && y >= 0 && y < FRAME_HEIGHT;
}

void CompareGlyph(Comparison& result, const std::vector<uint32_t>& frame, const Picture& sheet,
                  const RECT& cell, int x, int y, int scale, int tolerance)
{
    for (int v = 0; v < (cell.bottom - cell.top) * scale; ++v)
    {
        for (int u = 0; u < (cell.right - cell.left) * scale; ++u)
        {
            const int sheetX = cell.left + u / scale;
            const int sheetY = cell.top + v / scale;
            if (!sheet.Opaque(sheetX, sheetY) || !OnFrame(x + u, y + v))
                continue;
            result.Compare(x + u, y + v, sheet.At(sheetX, sheetY), FramePixel(frame, x + u, y + v),
                           tolerance);
        }
    }
}
} // namespace

uint32_t Blend(uint32_t top, uint32_t bottom, int fade)
{
    const int alpha = Channel(top, 24);
    uint32_t result = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8)
    {
        const int mixed = (Channel(top, shift) * alpha + Channel(bottom, shift) * (255 - alpha) + 127) / 255;
        result |= static_cast<uint32_t>((mixed * fade + 127) / 255) << shift;
    }
    return result;
}

void Comparison::Compare(int x, int y, uint32_t expected, uint32_t actual, int tolerance)
{
    ++compared;
    if (Near(expected, actual, tolerance))
        return;
    ++mismatched;
    if (!firstMismatch.empty())
        return;
    char text[96];
    std::snprintf(text, sizeof text, "at (%d, %d): expected %08X, frame has %08X", x, y, expected, actual);
    firstMismatch = text;
}

Comparison CompareSection(const std::vector<uint32_t>& frame, const Picture& picture, int sx, int sy, int w,
                          int h, int dx, int dy, bool bMirrorY, int tolerance, int fade)
{
    Comparison result;
    for (int v = 0; v < h; ++v)
    {
        for (int u = 0; u < w; ++u)
        {
            const int x = dx + u;
            const int y = bMirrorY ? dy - 1 - v : dy + v;
            if (!picture.Opaque(sx + u, sy + v) || !OnFrame(x, y))
                continue;
            const uint32_t source = picture.At(sx + u, sy + v);
            const uint32_t expected = fade == 255 ? source : Blend(source, 0, fade);
            result.Compare(x, y, expected, FramePixel(frame, x, y), tolerance);
        }
    }
    return result;
}

Comparison CompareText(const std::vector<uint32_t>& frame, const Picture& sheet, int cellW, int cellH,
                       int columns, const std::string& text, int x, int y, int scale, int tolerance)
{
    Comparison result;
    const int cells = (sheet.height / cellH) * columns;
    int column = 0;
    for (const char c : text)
    {
        if (c == '\n')
        {
            y += cellH * scale;
            column = 0;
            continue;
        }
        const int cell = static_cast<signed char>(c) - 32;
        const int glyphX = x + column * cellW * scale;
        ++column;
        if (cell < 0 || cell >= cells)
            continue;
        CompareGlyph(result, frame, sheet, GridCellRect(cell, columns, cellW, cellH), glyphX, y, scale,
                     tolerance);
    }
    return result;
}

SectionMatch MatchSection(const std::vector<uint32_t>& frame, const Picture& picture, const RECT& section,
                          int x, int y)
{
    const Comparison exact =
        CompareSection(frame, picture, section.left, section.top, section.right - section.left,
                       section.bottom - section.top, x, y, false, 0);
    return SectionMatch{exact.compared, exact.compared - exact.mismatched};
}

RECT FontCell(char c)
{
    return GridCellRect(c - ' ', 20, 16, 24);
}

int CountDifferences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int x, int y, int w,
                     int h)
{
    int count = 0;
    for (int row = y; row < y + h; ++row)
    {
        for (int column = x; column < x + w; ++column)
            count += FramePixel(a, column, row) != FramePixel(b, column, row);
    }
    return count;
}
} // namespace headless
