// The look shared by every screen: a deep navy backdrop with a copper frame, serif titles in cream and
// copper, rounded navy panels with copper rims, and key caps and pad buttons for the controls picture.
#pragma once

#include "Color.h"
#include "Text.h"

#include <cairo.h>

#include <cstdint>
#include <string>

namespace assetgen
{
// Night-blue gradient with faint stars and a copper double frame inset from the edges.
void DrawBackdrop(cairo_t* cr, double width, double height, uint64_t seed);
// A glow of dusk along the bottom and rolling hills in silhouette; used behind the menus.
void DrawHorizon(cairo_t* cr, double width, double height, double horizonY, uint64_t seed);
void DrawPanel(cairo_t* cr, double x, double y, double width, double height, double radius,
               double alpha = 0.9);
void DrawTitle(cairo_t* cr, const std::string& text, double centerX, double baseline, double size);
// Cream label with a dark outline.
void DrawLabel(cairo_t* cr, const std::string& text, double x, double baseline, double size,
               eAlign align = eAlign::Left, eTypeface face = eTypeface::SansBold);
// Smaller hint text in a muted cream; made smaller where it would be wider than maxWidth (0: any width).
void DrawHint(cairo_t* cr, const std::string& text, double x, double baseline, double size,
              eAlign align = eAlign::Left, double maxWidth = 0.0);
// A keyboard key seen from above with its legend.
void DrawKeyCap(cairo_t* cr, double x, double y, double width, double height, const std::string& legend);
// A game pad's parts, seen from above and named by where they sit, as no maker prints them alike.
// The D-pad: a cross `size` wide centred on (cx, cy).
void DrawPadCross(cairo_t* cr, double cx, double cy, double size);
// The left stick: a cap of radius r in its well.
void DrawPadStick(cairo_t* cr, double cx, double cy, double r);
enum class ePadFace
{
    South,
    East,
    West,
    North
};
// The four face buttons in their diamond around (cx, cy), `spread` from the centre, the one the
// control uses lit in copper.
void DrawPadFaceButtons(cairo_t* cr, double cx, double cy, double spread, ePadFace lit);
// A small pill-shaped button with its legend (Start).
void DrawPadPill(cairo_t* cr, double x, double y, double width, double height, const std::string& legend);
// A small copper chevron pointing right (or left when `left`), centred on (x, y).
void DrawChevron(cairo_t* cr, double x, double y, double size, bool left);
tTextStyle TitleStyle(double size);
tTextStyle LabelStyle(double size, eTypeface face = eTypeface::SansBold);
} // namespace assetgen
