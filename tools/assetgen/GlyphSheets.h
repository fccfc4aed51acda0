// The two glyph sheets of the bitmap font: 20 cells per row, cell 0 the space, one cell per character
// code up to '~'. The game uses them with a white key on some screens and a black key on others, so the
// background is transparent and no glyph pixel is pure white or pure black.
#pragma once

#include "Output.h"

namespace assetgen
{
constexpr int kGlyphColumns = 20;
constexpr int kFirstGlyph = 32;
constexpr int kLastGlyph = 126;

// OxM_Font2.png: 16 x 24 cells.
bool WriteLargeFont(const tOutput& out);
// OxM_Font1.png: 8 x 12 cells.
bool WriteSmallFont(const tOutput& out);
} // namespace assetgen
