#include "UiKit.h"

#include "CRandom.h"
#include "Palette.h"
#include "Shapes.h"

#include <cmath>

namespace assetgen
{
tTextStyle TitleStyle(double size)
{
    tTextStyle style;
    style.face = eTypeface::SerifBold;
    style.size = size;
    style.fill = palette::kCopperPale;
    style.fillBottom = palette::kCopper;
    style.outline = palette::kInk;
    style.outlineWidth = std::fmax(2.0, size / 16.0);
    style.shadow = WithAlpha(palette::kInk, 0.6);
    style.shadowOffset = std::fmax(2.0, size / 14.0);
    style.letterSpacing = size / 14.0;
    return style;
}

tTextStyle LabelStyle(double size, eTypeface face)
{
    tTextStyle style;
    style.face = face;
    style.size = size;
    style.fill = palette::kCream;
    style.outline = palette::kInk;
    style.outlineWidth = std::fmax(1.2, size / 12.0);
    return style;
}

void DrawBackdrop(cairo_t* cr, double width, double height, uint64_t seed)
{
    cairo_rectangle(cr, 0.0, 0.0, width, height);
    FillVertical(cr, palette::kNavyDeep, palette::kNavy);
    cairo_new_path(cr);
    CRandom random(seed);
    for (int i = 0; i < 90; ++i)
    {
        const double x = random.Range(12.0, width - 12.0);
        const double y = random.Range(12.0, height - 12.0);
        const double r = random.Range(0.5, 1.3);
        Circle(cr, x, y, r);
        SetSource(cr, WithAlpha(palette::kCreamShade, random.Range(0.15, 0.5)));
        cairo_fill(cr);
    }
    // Double copper frame.
    RoundedRect(cr, 7.5, 7.5, width - 15.0, height - 15.0, 10.0);
    SetSource(cr, palette::kCopper);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
    RoundedRect(cr, 12.5, 12.5, width - 25.0, height - 25.0, 7.0);
    SetSource(cr, WithAlpha(palette::kCopperDark, 0.9));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void DrawHorizon(cairo_t* cr, double width, double height, double horizonY, uint64_t seed)
{
    cairo_save(cr);
    RoundedRect(cr, 9.0, 9.0, width - 18.0, height - 18.0, 9.0);
    cairo_clip(cr);
    cairo_rectangle(cr, 0.0, horizonY - 120.0, width, 120.0);
    cairo_pattern_t* glow = cairo_pattern_create_linear(0.0, horizonY - 120.0, 0.0, horizonY);
    AddStop(glow, 0.0, WithAlpha(palette::kDusk, 0.0));
    AddStop(glow, 1.0, WithAlpha(palette::kDusk, 0.45));
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    CRandom random(seed);
    const tColor layers[3] = {Hex(0x2C3C58), Hex(0x22304A), Hex(0x18233A)};
    for (int layer = 0; layer < 3; ++layer)
    {
        const double base = horizonY + layer * 22.0;
        const double amplitude = 18.0 - layer * 3.0;
        const double phase = random.Range(0.0, 6.28);
        const double waves = random.Range(1.5, 3.0);
        cairo_move_to(cr, 0.0, height);
        for (int x = 0; x <= static_cast<int>(width); x += 8)
        {
            const double y = base - amplitude * (0.6 + 0.4 * std::sin(phase + x / width * waves * 6.28)) -
                             6.0 * std::sin(phase * 2.0 + x / 37.0);
            cairo_line_to(cr, x, y);
        }
        cairo_line_to(cr, width, height);
        cairo_close_path(cr);
        SetSource(cr, layers[layer]);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void DrawPanel(cairo_t* cr, double x, double y, double width, double height, double radius, double alpha)
{
    RoundedRect(cr, x + 0.5, y + 0.5, width - 1.0, height - 1.0, radius);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0.0, y, 0.0, y + height);
    AddStop(fill, 0.0, WithAlpha(palette::kNavyMid, alpha));
    AddStop(fill, 1.0, WithAlpha(palette::kNavy, alpha));
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    RoundedRect(cr, x + 2.0, y + 2.0, width - 4.0, height - 4.0, std::fmax(1.0, radius - 1.5));
    SetSource(cr, palette::kCopper);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
}

void DrawTitle(cairo_t* cr, const std::string& text, double centerX, double baseline, double size)
{
    DrawText(cr, text, centerX, baseline, TitleStyle(size), eAlign::Center);
}

void DrawLabel(cairo_t* cr, const std::string& text, double x, double baseline, double size, eAlign align,
               eTypeface face)
{
    DrawText(cr, text, x, baseline, LabelStyle(size, face), align);
}

void DrawHint(cairo_t* cr, const std::string& text, double x, double baseline, double size, eAlign align,
              double maxWidth)
{
    tTextStyle style = LabelStyle(size, eTypeface::Sans);
    style.fill = palette::kCreamShade;
    if (maxWidth > 0.0)
        style = FitWidth(cr, text, style, maxWidth);
    DrawText(cr, text, x, baseline, style, align);
}

namespace
{
// The cream of a key cap, so that keys and pad buttons read as one family.
void FillCapFace(cairo_t* cr)
{
    FillVertical(cr, Hex(0xF1E6CC), Hex(0xCDB98F));
}
} // namespace

void DrawPadCross(cairo_t* cr, double cx, double cy, double size)
{
    const double arm = size / 2.0;
    const double half = size / 6.0;
    // The shadow a little below, then the cross itself.
    cairo_new_path(cr);
    cairo_rectangle(cr, cx - half, cy - arm + 2.0, 2.0 * half, size);
    cairo_rectangle(cr, cx - arm, cy - half + 2.0, size, 2.0 * half);
    SetSource(cr, palette::kInk);
    cairo_fill(cr);
    cairo_rectangle(cr, cx - half, cy - arm, 2.0 * half, size);
    cairo_rectangle(cr, cx - arm, cy - half, size, 2.0 * half);
    FillCapFace(cr);
    // Its outline, and a dimple in the middle.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - half, cy - arm);
    cairo_line_to(cr, cx + half, cy - arm);
    cairo_line_to(cr, cx + half, cy - half);
    cairo_line_to(cr, cx + arm, cy - half);
    cairo_line_to(cr, cx + arm, cy + half);
    cairo_line_to(cr, cx + half, cy + half);
    cairo_line_to(cr, cx + half, cy + arm);
    cairo_line_to(cr, cx - half, cy + arm);
    cairo_line_to(cr, cx - half, cy + half);
    cairo_line_to(cr, cx - arm, cy + half);
    cairo_line_to(cr, cx - arm, cy - half);
    cairo_line_to(cr, cx - half, cy - half);
    cairo_close_path(cr);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    Circle(cr, cx, cy, half * 0.55);
    SetSource(cr, WithAlpha(palette::kInk, 0.35));
    cairo_fill(cr);
}

void DrawPadStick(cairo_t* cr, double cx, double cy, double r)
{
    Circle(cr, cx, cy, r);
    SetSource(cr, palette::kInk);
    cairo_fill(cr);
    Circle(cr, cx, cy - 1.0, r * 0.72);
    FillCapFace(cr);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    Circle(cr, cx, cy - 1.0, r * 0.4);
    SetSource(cr, WithAlpha(palette::kInk, 0.25));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void DrawPadFaceButtons(cairo_t* cr, double cx, double cy, double spread, ePadFace lit)
{
    const struct
    {
        ePadFace face;
        double dx;
        double dy;
    } buttons[] = {{ePadFace::South, 0.0, 1.0},
                   {ePadFace::East, 1.0, 0.0},
                   {ePadFace::West, -1.0, 0.0},
                   {ePadFace::North, 0.0, -1.0}};
    const double r = spread * 0.52;
    for (const auto& button : buttons)
    {
        const double x = cx + button.dx * spread;
        const double y = cy + button.dy * spread;
        Circle(cr, x, y + 1.5, r);
        SetSource(cr, palette::kInk);
        cairo_fill(cr);
        Circle(cr, x, y, r);
        if (button.face == lit)
            FillVertical(cr, palette::kCopperPale, palette::kCopper);
        else
            SetSource(cr, palette::kNavyLight);
        cairo_fill_preserve(cr);
        SetSource(cr, button.face == lit ? palette::kCream : palette::kSlate);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
}

void DrawPadPill(cairo_t* cr, double x, double y, double width, double height, const std::string& legend)
{
    RoundedRect(cr, x + 0.5, y + 2.0, width - 1.0, height - 1.5, height / 2.0);
    SetSource(cr, palette::kInk);
    cairo_fill(cr);
    RoundedRect(cr, x + 0.5, y + 0.5, width - 1.0, height - 2.5, (height - 2.5) / 2.0);
    FillCapFace(cr);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    tTextStyle style;
    style.face = eTypeface::SansBold;
    style.size = 11.0;
    style.fill = palette::kInk;
    style = FitWidth(cr, legend, style, width - 10.0);
    DrawText(cr, legend, x + width / 2.0, y + height / 2.0 + style.size * 0.3, style, eAlign::Center);
}

void DrawKeyCap(cairo_t* cr, double x, double y, double width, double height, const std::string& legend)
{
    RoundedRect(cr, x + 0.5, y + 2.5, width - 1.0, height - 2.0, 5.0);
    SetSource(cr, palette::kInk);
    cairo_fill(cr);
    RoundedRect(cr, x + 0.5, y + 0.5, width - 1.0, height - 3.5, 5.0);
    FillVertical(cr, Hex(0xF1E6CC), Hex(0xCDB98F));
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    RoundedRect(cr, x + 4.0, y + 3.0, width - 8.0, height - 11.0, 3.0);
    SetSource(cr, WithAlpha(Hex(0xFFF8E8), 0.6));
    cairo_fill(cr);
    tTextStyle style;
    style.face = eTypeface::SansBold;
    style.size = legend.size() > 2 ? 12.0 : 15.0;
    style.fill = palette::kInk;
    style = FitWidth(cr, legend, style, width - 10.0);
    DrawText(cr, legend, x + width / 2.0, y + height / 2.0 + style.size * 0.33, style, eAlign::Center);
}

void DrawChevron(cairo_t* cr, double x, double y, double size, bool left)
{
    const double d = left ? -1.0 : 1.0;
    cairo_move_to(cr, x - d * size * 0.5, y - size * 0.6);
    cairo_line_to(cr, x + d * size * 0.5, y);
    cairo_line_to(cr, x - d * size * 0.5, y + size * 0.6);
    cairo_line_to(cr, x - d * size * 0.2, y);
    cairo_close_path(cr);
    FillAndStroke(cr, palette::kCopperLight, palette::kInk, 1.0);
}
} // namespace assetgen
