#include "Color.h"

namespace assetgen
{
tColor Hex(uint32_t rgb, double alpha)
{
    return tColor{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

tColor WithAlpha(const tColor& color, double alpha)
{
    return tColor{color.r, color.g, color.b, alpha};
}

tColor Mix(const tColor& a, const tColor& b, double t)
{
    return tColor{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

tColor Shade(const tColor& color, double amount)
{
    const tColor target = amount >= 0.0 ? tColor{1.0, 1.0, 1.0, color.a} : tColor{0.0, 0.0, 0.0, color.a};
    return Mix(color, target, amount >= 0.0 ? amount : -amount);
}

void SetSource(cairo_t* cr, const tColor& color)
{
    cairo_set_source_rgba(cr, color.r, color.g, color.b, color.a);
}

void AddStop(cairo_pattern_t* pattern, double offset, const tColor& color)
{
    cairo_pattern_add_color_stop_rgba(pattern, offset, color.r, color.g, color.b, color.a);
}
} // namespace assetgen
