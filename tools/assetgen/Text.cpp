#include "Text.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstdio>

#ifndef ASSETGEN_FONT_DIR
#define ASSETGEN_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace assetgen
{
namespace
{
const char* FileOf(eTypeface face)
{
    switch (face)
    {
    case eTypeface::Sans:
        return "DejaVuSans.ttf";
    case eTypeface::SansBold:
        return "DejaVuSans-Bold.ttf";
    case eTypeface::Mono:
        return "DejaVuSansMono.ttf";
    case eTypeface::MonoBold:
        return "DejaVuSansMono-Bold.ttf";
    case eTypeface::Serif:
        return "DejaVuSerif.ttf";
    case eTypeface::SerifBold:
        return "DejaVuSerif-Bold.ttf";
    }
    return "DejaVuSans.ttf";
}

constexpr size_t kFaceCount = 6;

struct tFontCache
{
    FT_Library library = nullptr;
    std::array<cairo_font_face_t*, kFaceCount> faces{};
};

tFontCache& Cache()
{
    static tFontCache cache;
    return cache;
}

const cairo_user_data_key_t kFreeTypeFaceKey{};

void DoneFace(void* face)
{
    FT_Done_Face(static_cast<FT_Face>(face));
}

cairo_font_face_t* LoadFace(eTypeface which)
{
    tFontCache& cache = Cache();
    if (!cache.library && FT_Init_FreeType(&cache.library) != 0)
        return nullptr;
    const std::string path = std::string(ASSETGEN_FONT_DIR) + "/" + FileOf(which);
    FT_Face face = nullptr;
    if (FT_New_Face(cache.library, path.c_str(), 0, &face) != 0)
    {
        std::fprintf(stderr, "assetgen: cannot open the font %s (package fonts-dejavu-core)\n", path.c_str());
        return nullptr;
    }
    cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    // Cairo may keep the face in its caches after we let go; the FreeType face must live as long.
    cairo_font_face_set_user_data(cairoFace, &kFreeTypeFaceKey, face, DoneFace);
    return cairoFace;
}

void SelectFont(cairo_t* cr, const tTextStyle& style)
{
    cairo_set_font_face(cr, Typeface(style.face));
    cairo_set_font_size(cr, style.size);
}

// The outline of the text as a path; letter spacing is applied glyph by glyph.
void TextPath(cairo_t* cr, const std::string& text, double x, double baseline, const tTextStyle& style)
{
    if (style.letterSpacing == 0.0)
    {
        cairo_move_to(cr, x, baseline);
        cairo_text_path(cr, text.c_str());
        return;
    }
    double pen = x;
    for (char c : text)
    {
        const char glyph[2] = {c, '\0'};
        cairo_text_extents_t extents;
        cairo_text_extents(cr, glyph, &extents);
        cairo_move_to(cr, pen, baseline);
        cairo_text_path(cr, glyph);
        pen += extents.x_advance + style.letterSpacing;
    }
}
} // namespace

bool FontsAvailable()
{
    for (size_t i = 0; i < kFaceCount; ++i)
    {
        if (!Typeface(static_cast<eTypeface>(i)))
            return false;
    }
    return true;
}

cairo_font_face_t* Typeface(eTypeface face)
{
    tFontCache& cache = Cache();
    const auto index = static_cast<size_t>(face);
    if (!cache.faces[index])
        cache.faces[index] = LoadFace(face);
    return cache.faces[index];
}

void ReleaseTypefaces()
{
    tFontCache& cache = Cache();
    for (cairo_font_face_t*& face : cache.faces)
    {
        if (face)
            cairo_font_face_destroy(face);
        face = nullptr;
    }
    cairo_debug_reset_static_data();
    if (cache.library)
        FT_Done_FreeType(cache.library);
    cache.library = nullptr;
}

void UseSmoothText(cairo_t* cr)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, const std::string& text, const tTextStyle& style)
{
    cairo_save(cr);
    SelectFont(cr, style);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_restore(cr);
    return extents.x_advance +
           style.letterSpacing * (text.empty() ? 0.0 : static_cast<double>(text.size() - 1));
}

tTextStyle FitWidth(cairo_t* cr, const std::string& text, tTextStyle style, double width)
{
    while (style.size > 6.0 && TextWidth(cr, text, style) > width)
        style.size -= 0.5;
    return style;
}

void DrawText(cairo_t* cr, const std::string& text, double x, double baseline, const tTextStyle& style,
              eAlign align)
{
    cairo_save(cr);
    UseSmoothText(cr);
    SelectFont(cr, style);
    const double width = TextWidth(cr, text, style);
    if (align == eAlign::Center)
        x -= width / 2.0;
    else if (align == eAlign::Right)
        x -= width;

    if (style.shadow.a > 0.0)
    {
        TextPath(cr, text, x + style.shadowOffset, baseline + style.shadowOffset, style);
        SetSource(cr, style.shadow);
        if (style.outlineWidth > 0.0)
        {
            cairo_set_line_width(cr, style.outlineWidth * 2.0);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke_preserve(cr);
        }
        cairo_fill(cr);
    }
    TextPath(cr, text, x, baseline, style);
    if (style.outlineWidth > 0.0)
    {
        SetSource(cr, style.outline);
        cairo_set_line_width(cr, style.outlineWidth * 2.0);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    if (style.fillBottom.a > 0.0)
    {
        cairo_font_extents_t font;
        cairo_font_extents(cr, &font);
        cairo_pattern_t* gradient = cairo_pattern_create_linear(0.0, baseline - font.ascent * 0.75, 0.0,
                                                                baseline + font.descent * 0.3);
        AddStop(gradient, 0.0, style.fill);
        AddStop(gradient, 1.0, style.fillBottom);
        cairo_set_source(cr, gradient);
        cairo_fill(cr);
        cairo_pattern_destroy(gradient);
    }
    else
    {
        SetSource(cr, style.fill);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}
} // namespace assetgen
