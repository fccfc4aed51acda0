// Straight (not premultiplied) RGBA colours in 0..1 and the few operations the art code mixes them with.
#pragma once

#include <cairo.h>

#include <cstdint>

namespace assetgen
{
struct tColor
{
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    double a = 1.0;
};

// 0xRRGGBB, opaque.
tColor Hex(uint32_t rgb, double alpha = 1.0);
tColor WithAlpha(const tColor& color, double alpha);
// Linear blend: t = 0 gives a, t = 1 gives b (alpha blended too).
tColor Mix(const tColor& a, const tColor& b, double t);
// Towards white (amount > 0) or black (amount < 0) by |amount| in 0..1.
tColor Shade(const tColor& color, double amount);

void SetSource(cairo_t* cr, const tColor& color);
void AddStop(cairo_pattern_t* pattern, double offset, const tColor& color);
} // namespace assetgen
