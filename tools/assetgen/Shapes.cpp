#include "Shapes.h"

#include <cmath>

namespace assetgen
{
void RoundedRect(cairo_t* cr, double x, double y, double width, double height, double radius)
{
    const double r = std::fmin(radius, std::fmin(width, height) / 2.0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - r, y + r, r, -M_PI / 2.0, 0.0);
    cairo_arc(cr, x + width - r, y + height - r, r, 0.0, M_PI / 2.0);
    cairo_arc(cr, x + r, y + height - r, r, M_PI / 2.0, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0.0, 0.0, 1.0, 0.0, 2.0 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0.0, 2.0 * M_PI);
    cairo_close_path(cr);
}

void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double rotation)
{
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i)
    {
        const double angle = rotation + M_PI * i / points - M_PI / 2.0;
        const double radius = (i % 2 == 0) ? outer : inner;
        const double x = cx + std::cos(angle) * radius;
        const double y = cy + std::sin(angle) * radius;
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

void FillAndStroke(cairo_t* cr, const tColor& fill, const tColor& outline, double width)
{
    SetSource(cr, fill);
    if (width > 0.0)
    {
        cairo_fill_preserve(cr);
        SetSource(cr, outline);
        cairo_set_line_width(cr, width);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    else
    {
        cairo_fill(cr);
    }
}

void FillVertical(cairo_t* cr, const tColor& top, const tColor& bottom)
{
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0.0, y1, 0.0, y2);
    AddStop(gradient, 0.0, top);
    AddStop(gradient, 1.0, bottom);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
}

void FillRadial(cairo_t* cr, double cx, double cy, double radius, const tColor& inner, const tColor& outer)
{
    cairo_pattern_t* gradient = cairo_pattern_create_radial(cx, cy, 0.0, cx, cy, radius);
    AddStop(gradient, 0.0, inner);
    AddStop(gradient, 1.0, outer);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
}
} // namespace assetgen
