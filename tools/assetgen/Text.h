// Text from the DejaVu fonts (Debian's fonts-dejavu-core), loaded straight from their files through
// FreeType so the result does not depend on the machine's font configuration.
#pragma once

#include "Color.h"

#include <cairo.h>

#include <string>

namespace assetgen
{
enum class eTypeface
{
    Sans,
    SansBold,
    Mono,
    MonoBold,
    Serif,
    SerifBold
};

enum class eAlign
{
    Left,
    Center,
    Right
};

struct tTextStyle
{
    eTypeface face = eTypeface::SansBold;
    double size = 16.0;
    tColor fill = Hex(0xF6ECD2);
    // When its alpha is above 0 the fill runs from `fill` at the top of the letters to this at the bottom.
    tColor fillBottom = tColor{0.0, 0.0, 0.0, 0.0};
    tColor outline = Hex(0x1E1A22);
    double outlineWidth = 0.0;
    tColor shadow = tColor{0.0, 0.0, 0.0, 0.0};
    double shadowOffset = 0.0;
    double letterSpacing = 0.0;
};

// Checks that every font file can be opened; false with a message on stderr otherwise.
bool FontsAvailable();
// The Cairo face for a typeface; owned by the process-wide cache.
cairo_font_face_t* Typeface(eTypeface face);
// Frees the cached faces (call once at exit).
void ReleaseTypefaces();

// Draws text with its baseline at y, aligned on x.
void DrawText(cairo_t* cr, const std::string& text, double x, double baseline, const tTextStyle& style,
              eAlign align = eAlign::Left);
double TextWidth(cairo_t* cr, const std::string& text, const tTextStyle& style);
// Chooses the largest size up to style.size at which the text fits the width.
tTextStyle FitWidth(cairo_t* cr, const std::string& text, tTextStyle style, double width);
// Grayscale anti-aliasing without hinting: identical letter shapes at every position.
void UseSmoothText(cairo_t* cr);
} // namespace assetgen
