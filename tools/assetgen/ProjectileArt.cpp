#include "ProjectileArt.h"

#include "BirdArt.h"
#include "CCanvas.h"
#include "Palette.h"
#include "Shapes.h"

#include <cmath>

namespace assetgen
{
bool WritePlayerBullet(const tOutput& out)
{
    // The soldier's dropping, falling away from the viewer: a pale blob with a short speed trail above.
    CCanvas canvas(16, 32);
    cairo_t* cr = canvas.Cr();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 3; ++i)
    {
        cairo_move_to(cr, 5.0 + i * 3.0, 3.0 + (i % 2) * 3.0);
        cairo_line_to(cr, 5.0 + i * 3.0, 13.0);
        SetSource(cr, WithAlpha(Hex(0xE8F0F2), 0.55 - 0.1 * (i % 2)));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, 8.0, 8.0);
    cairo_curve_to(cr, 10.0, 13.0, 14.5, 17.0, 14.5, 22.5);
    cairo_curve_to(cr, 14.5, 27.5, 11.5, 30.5, 8.0, 30.5);
    cairo_curve_to(cr, 4.5, 30.5, 1.5, 27.5, 1.5, 22.5);
    cairo_curve_to(cr, 1.5, 17.0, 6.0, 13.0, 8.0, 8.0);
    cairo_close_path(cr);
    SetSource(cr, Hex(0xF1EEE2));
    cairo_fill_preserve(cr);
    FillRadial(cr, 6.0, 20.0, 11.0, Hex(0xFBF8EE), Hex(0xB9C1B0));
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    Ellipse(cr, 9.5, 25.0, 2.3, 1.6);
    SetSource(cr, Hex(0x8E9684));
    cairo_fill(cr);
    Ellipse(cr, 5.5, 19.5, 1.4, 2.4);
    SetSource(cr, Hex(0xFFFDF6));
    cairo_fill(cr);
    return canvas.SavePng(out.Graphics("OxM_PlayerBullet.png"), eColorKey::Black);
}

bool WriteHunterBullet(const tOutput& out)
{
    // A hot slug with a muzzle-flash star: hard edged, since a BMP has no alpha.
    CCanvas canvas(24, 26);
    cairo_t* cr = canvas.Cr();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    Star(cr, 12.0, 13.0, 12.0, 6.0, 8, 0.2);
    SetSource(cr, palette::kRedDark);
    cairo_fill(cr);
    Star(cr, 12.0, 13.0, 10.5, 5.2, 8, 0.2);
    SetSource(cr, Hex(0xE8542E));
    cairo_fill(cr);
    Circle(cr, 12.0, 13.0, 6.5);
    SetSource(cr, Hex(0xF6A23A));
    cairo_fill(cr);
    Circle(cr, 12.0, 13.0, 4.0);
    SetSource(cr, Hex(0xFBE27A));
    cairo_fill(cr);
    Circle(cr, 11.0, 12.0, 2.0);
    SetSource(cr, Hex(0xFFF9E0));
    cairo_fill(cr);
    return canvas.SaveBmp(out.Graphics("OxM_HunterBullet.bmp"), eColorKey::White);
}

bool WriteRock(const tOutput& out)
{
    CCanvas canvas(16, 16);
    cairo_t* cr = canvas.Cr();
    cairo_move_to(cr, 2.0, 7.0);
    cairo_line_to(cr, 5.0, 2.5);
    cairo_line_to(cr, 10.5, 1.5);
    cairo_line_to(cr, 14.5, 5.5);
    cairo_line_to(cr, 14.0, 11.0);
    cairo_line_to(cr, 9.5, 14.5);
    cairo_line_to(cr, 4.0, 13.5);
    cairo_line_to(cr, 1.5, 10.5);
    cairo_close_path(cr);
    SetSource(cr, Hex(0x8F8A80));
    cairo_fill_preserve(cr);
    FillRadial(cr, 6.0, 5.0, 12.0, Hex(0xC9C4B8), Hex(0x6E695F));
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, 9.0, 6.0);
    cairo_line_to(cr, 11.0, 9.5);
    cairo_line_to(cr, 8.5, 11.5);
    SetSource(cr, WithAlpha(palette::kInk, 0.5));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    return canvas.SavePng(out.Graphics("OxM_ProjectileRock.png"), eColorKey::Black);
}

bool WriteBubble(const tOutput& out)
{
    // A soap-film shield: faint fill, bright rim, and a highlight towards the light (top left).
    CCanvas canvas(64, 64);
    cairo_t* cr = canvas.Cr();
    Circle(cr, 32.0, 32.0, 30.5);
    cairo_pattern_t* film = cairo_pattern_create_radial(26.0, 26.0, 4.0, 32.0, 32.0, 31.0);
    AddStop(film, 0.0, WithAlpha(Hex(0xBFEFFF), 0.10));
    AddStop(film, 0.75, WithAlpha(Hex(0x8FD8F0), 0.18));
    AddStop(film, 1.0, WithAlpha(Hex(0x6FC8F0), 0.55));
    cairo_set_source(cr, film);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(film);
    SetSource(cr, WithAlpha(Hex(0xCFF4FF), 0.95));
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    cairo_arc(cr, 32.0, 32.0, 25.0, M_PI * 1.05, M_PI * 1.45);
    SetSource(cr, WithAlpha(Hex(0xF4FCFF), 0.9));
    cairo_set_line_width(cr, 3.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    Circle(cr, 44.0, 45.0, 2.2);
    SetSource(cr, WithAlpha(Hex(0xF4FCFF), 0.7));
    cairo_fill(cr);
    return canvas.SavePng(out.Graphics("OxM_Bubble.png"), eColorKey::Black);
}

namespace
{
// Little feathered wings either side of the badge: a power-up flies down to the soldier.
void DrawBadgeWings(cairo_t* cr)
{
    for (int side = -1; side <= 1; side += 2)
    {
        cairo_save(cr);
        cairo_translate(cr, 23.0, 17.0);
        cairo_scale(cr, side, 1.0);
        cairo_move_to(cr, 10.0, -5.0);
        cairo_curve_to(cr, 15.0, -12.0, 20.0, -12.0, 22.5, -10.0);
        cairo_line_to(cr, 19.5, -6.5);
        cairo_line_to(cr, 22.0, -5.5);
        cairo_line_to(cr, 18.5, -2.0);
        cairo_line_to(cr, 20.5, -0.5);
        cairo_curve_to(cr, 17.0, 3.0, 13.0, 4.0, 10.0, 3.0);
        cairo_close_path(cr);
        FillAndStroke(cr, Hex(0xEDE7DA), palette::kInk, 1.1);
        cairo_restore(cr);
    }
}

// Round badge with a copper rim, shared by both power-ups; the picture is 46 x 34, the size the game
// gives a power-up, so drawing it centred on the object puts the badge on its centre.
void DrawBadge(cairo_t* cr, const tColor& inner, const tColor& outer)
{
    DrawBadgeWings(cr);
    cairo_translate(cr, 7.0, 1.0);
    Circle(cr, 16.0, 16.0, 14.5);
    SetSource(cr, palette::kInk);
    cairo_fill(cr);
    Circle(cr, 16.0, 16.0, 13.2);
    SetSource(cr, palette::kCopper);
    cairo_fill(cr);
    Circle(cr, 16.0, 16.0, 11.0);
    cairo_new_path(cr);
    Circle(cr, 16.0, 16.0, 11.0);
    FillRadial(cr, 13.0, 12.0, 13.0, inner, outer);
    cairo_new_path(cr);
    cairo_arc(cr, 16.0, 16.0, 12.2, M_PI * 1.1, M_PI * 1.6);
    SetSource(cr, palette::kCopperPale);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}
} // namespace

bool WriteLifePowerup(const tOutput& out)
{
    CCanvas canvas(46, 34);
    cairo_t* cr = canvas.Cr();
    DrawBadge(cr, Hex(0xFFF3E0), Hex(0xF2C9A0));
    // A heart.
    cairo_move_to(cr, 16.0, 24.0);
    cairo_curve_to(cr, 9.0, 19.0, 7.5, 15.0, 9.0, 12.0);
    cairo_curve_to(cr, 10.5, 9.0, 14.5, 9.0, 16.0, 12.5);
    cairo_curve_to(cr, 17.5, 9.0, 21.5, 9.0, 23.0, 12.0);
    cairo_curve_to(cr, 24.5, 15.0, 23.0, 19.0, 16.0, 24.0);
    cairo_close_path(cr);
    FillAndStroke(cr, palette::kRed, palette::kInk, 1.3);
    Ellipse(cr, 11.8, 13.2, 1.6, 1.2);
    SetSource(cr, Hex(0xF7A79A));
    cairo_fill(cr);
    return canvas.SavePng(out.Graphics("OxM_PowLife.png"), eColorKey::None);
}

bool WriteChargePowerup(const tOutput& out)
{
    CCanvas canvas(46, 34);
    cairo_t* cr = canvas.Cr();
    DrawBadge(cr, Hex(0x5C8AC0), palette::kNavyMid);
    // A lightning bolt.
    cairo_move_to(cr, 18.5, 6.5);
    cairo_line_to(cr, 10.0, 17.5);
    cairo_line_to(cr, 15.5, 17.5);
    cairo_line_to(cr, 13.0, 25.5);
    cairo_line_to(cr, 22.0, 14.0);
    cairo_line_to(cr, 16.5, 14.0);
    cairo_close_path(cr);
    FillAndStroke(cr, palette::kGold, palette::kInk, 1.2);
    return canvas.SavePng(out.Graphics("OxM_PowCharge.png"), eColorKey::None);
}
} // namespace assetgen
