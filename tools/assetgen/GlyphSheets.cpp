#include "GlyphSheets.h"

#include "CCanvas.h"
#include "Palette.h"
#include "Text.h"

#include <cmath>
#include <vector>

namespace assetgen
{
namespace
{
constexpr int kGlyphCount = kLastGlyph - kFirstGlyph + 1;
constexpr int kRows = (kGlyphCount + kGlyphColumns - 1) / kGlyphColumns;

struct tSheetLayout
{
    int cellWidth;
    int cellHeight;
    double fontSize;
    double baseline; // from the top of the cell
};

void CellOrigin(const tSheetLayout& layout, int cell, double* x, double* y)
{
    *x = (cell % kGlyphColumns) * layout.cellWidth;
    *y = (cell / kGlyphColumns) * layout.cellHeight;
}

// Centres one glyph horizontally in its cell and returns the pen x.
double CenteredPen(cairo_t* cr, const char* glyph, const tSheetLayout& layout, double cellX)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, glyph, &extents);
    return std::round(cellX + (layout.cellWidth - extents.x_advance) / 2.0);
}

// The small sheet is drawn as crisp one-bit glyphs (hinted, no anti-aliasing) so it stays legible at
// 8 x 12; a one-pixel dark rim is then grown around every glyph pixel for contrast on any background.
void DrawSmallGlyphs(CCanvas& canvas, const tSheetLayout& layout)
{
    cairo_t* cr = canvas.Cr();
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_set_font_face(cr, Typeface(eTypeface::MonoBold));
    cairo_set_font_size(cr, layout.fontSize);
    SetSource(cr, palette::kCream);
    for (int code = kFirstGlyph + 1; code <= kLastGlyph; ++code)
    {
        const char glyph[2] = {static_cast<char>(code), '\0'};
        double cellX = 0.0;
        double cellY = 0.0;
        CellOrigin(layout, code - kFirstGlyph, &cellX, &cellY);
        cairo_save(cr);
        cairo_rectangle(cr, cellX + 1, cellY, layout.cellWidth - 2, layout.cellHeight - 1);
        cairo_clip(cr);
        cairo_move_to(cr, CenteredPen(cr, glyph, layout, cellX), cellY + layout.baseline);
        cairo_show_text(cr, glyph);
        cairo_restore(cr);
    }
}

// Marks every transparent pixel next to a glyph pixel (8 neighbours, same cell) with the rim colour.
void GrowRim(CCanvas& canvas, const tSheetLayout& layout, uint32_t rim)
{
    canvas.Flush();
    const int w = canvas.Width();
    const int h = canvas.Height();
    std::vector<uint8_t> solid(static_cast<size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
            solid[static_cast<size_t>(y) * w + x] = (canvas.Row(y)[x] >> 24) >= 128 ? 1 : 0;
    }
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            if (solid[static_cast<size_t>(y) * w + x])
                continue;
            bool nearGlyph = false;
            for (int dy = -1; dy <= 1 && !nearGlyph; ++dy)
            {
                for (int dx = -1; dx <= 1 && !nearGlyph; ++dx)
                {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    const bool sameCell = nx >= 0 && ny >= 0 && nx < w && ny < h &&
                                          nx / layout.cellWidth == x / layout.cellWidth &&
                                          ny / layout.cellHeight == y / layout.cellHeight;
                    nearGlyph = sameCell && solid[static_cast<size_t>(ny) * w + nx];
                }
            }
            if (nearGlyph)
                canvas.Row(y)[x] = rim;
        }
    }
    canvas.MarkDirty();
}

uint32_t OpaqueWord(const tColor& color)
{
    auto channel = [](double v) { return static_cast<uint32_t>(std::lround(v * 255.0)); };
    return 0xFF000000u | (channel(color.r) << 16) | (channel(color.g) << 8) | channel(color.b);
}

// The large sheet keeps smooth anti-aliased letters: cream to pale copper with a dark outline.
void DrawLargeGlyphs(CCanvas& canvas, const tSheetLayout& layout)
{
    cairo_t* cr = canvas.Cr();
    tTextStyle style;
    style.face = eTypeface::MonoBold;
    style.size = layout.fontSize;
    style.fill = palette::kCream;
    style.fillBottom = palette::kCopperPale;
    style.outline = palette::kInk;
    style.outlineWidth = 1.6;
    UseSmoothText(cr);
    cairo_set_font_face(cr, Typeface(style.face));
    cairo_set_font_size(cr, style.size);
    for (int code = kFirstGlyph + 1; code <= kLastGlyph; ++code)
    {
        const char glyph[2] = {static_cast<char>(code), '\0'};
        double cellX = 0.0;
        double cellY = 0.0;
        CellOrigin(layout, code - kFirstGlyph, &cellX, &cellY);
        cairo_save(cr);
        cairo_rectangle(cr, cellX, cellY, layout.cellWidth, layout.cellHeight);
        cairo_clip(cr);
        const double pen = CenteredPen(cr, glyph, layout, cellX);
        DrawText(cr, glyph, pen, cellY + layout.baseline, style);
        cairo_restore(cr);
    }
}
} // namespace

bool WriteLargeFont(const tOutput& out)
{
    const tSheetLayout layout{16, 24, 19.0, 18.0};
    CCanvas canvas(layout.cellWidth * kGlyphColumns, layout.cellHeight * kRows);
    DrawLargeGlyphs(canvas, layout);
    return canvas.SavePng(out.Graphics("OxM_Font2.png"), eColorKey::None);
}

bool WriteSmallFont(const tOutput& out)
{
    const tSheetLayout layout{8, 12, 10.0, 9.0};
    CCanvas canvas(layout.cellWidth * kGlyphColumns, layout.cellHeight * kRows);
    DrawSmallGlyphs(canvas, layout);
    GrowRim(canvas, layout, OpaqueWord(palette::kInkSoft));
    return canvas.SavePng(out.Graphics("OxM_Font1.png"), eColorKey::None);
}
} // namespace assetgen
