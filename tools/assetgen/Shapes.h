// Path and fill helpers shared by the art code.
#pragma once

#include "Color.h"

#include <cairo.h>

namespace assetgen
{
void RoundedRect(cairo_t* cr, double x, double y, double width, double height, double radius);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void Circle(cairo_t* cr, double cx, double cy, double radius);
// A star or burst with `points` tips between the inner and outer radius.
void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double rotation);

// Fills the current path, then strokes it with the outline (width 0: no stroke). Clears the path.
void FillAndStroke(cairo_t* cr, const tColor& fill, const tColor& outline, double width);
// Fills the current path with a vertical gradient from top to bottom (path extents). Keeps the path.
void FillVertical(cairo_t* cr, const tColor& top, const tColor& bottom);
// Fills the current path with a radial gradient centred at (cx, cy). Keeps the path.
void FillRadial(cairo_t* cr, double cx, double cy, double radius, const tColor& inner, const tColor& outer);
} // namespace assetgen
