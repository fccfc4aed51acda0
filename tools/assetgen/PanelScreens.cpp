#include "PanelScreens.h"

#include "BirdArt.h"
#include "CCanvas.h"
#include "CRandom.h"
#include "Palette.h"
#include "Shapes.h"
#include "UiKit.h"

#include <cmath>

namespace assetgen
{
namespace
{
void TinyCaption(cairo_t* cr, const char* text, double x, double baseline)
{
    tTextStyle style = LabelStyle(9.0);
    style.fill = palette::kCopperLight;
    style.outlineWidth = 0.0;
    style.letterSpacing = 1.2;
    DrawText(cr, text, x, baseline, style);
}

// A dark recessed window for digits or a bar.
void Inset(cairo_t* cr, double x, double y, double width, double height, double radius)
{
    RoundedRect(cr, x + 0.5, y + 0.5, width - 1.0, height - 1.0, radius);
    SetSource(cr, WithAlpha(palette::kNavyDeep, 0.95));
    cairo_fill_preserve(cr);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_move_to(cr, x + radius, y + height - 0.5);
    cairo_line_to(cr, x + width - radius, y + height - 0.5);
    SetSource(cr, WithAlpha(palette::kCopperDark, 0.9));
    cairo_stroke(cr);
}
} // namespace

bool WriteHud(const tOutput& out)
{
    // Score digits print at (25, 17), lives at (184, 17) (16 x 24 glyphs); the charge bar, 134 x 4,
    // is laid at (62, 46).
    CCanvas canvas(243, 65);
    cairo_t* cr = canvas.Cr();
    cairo_move_to(cr, 0.0, 0.0);
    cairo_line_to(cr, 242.0, 0.0);
    cairo_line_to(cr, 242.0, 50.0);
    cairo_arc(cr, 228.0, 50.0, 14.0, 0.0, M_PI / 2.0);
    cairo_line_to(cr, 0.0, 64.0);
    cairo_close_path(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0.0, 0.0, 0.0, 65.0);
    AddStop(fill, 0.0, WithAlpha(palette::kNavyMid, 0.92));
    AddStop(fill, 1.0, WithAlpha(palette::kNavy, 0.92));
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    cairo_move_to(cr, 239.5, 0.0);
    cairo_line_to(cr, 239.5, 50.0);
    cairo_arc(cr, 228.0, 50.0, 11.5, 0.0, M_PI / 2.0);
    cairo_line_to(cr, 0.0, 61.5);
    SetSource(cr, palette::kCopper);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    TinyCaption(cr, "SCORE", 25.0, 11.0);
    Inset(cr, 19.0, 13.0, 146.0, 31.0, 5.0);
    TinyCaption(cr, "LIVES", 184.0, 11.0);
    Inset(cr, 178.0, 13.0, 48.0, 31.0, 5.0);
    TinyCaption(cr, "CHARGE", 12.0, 52.0);
    Inset(cr, 59.0, 43.0, 140.0, 10.0, 3.0);
    // The slot itself, which the white bar covers at full charge.
    cairo_rectangle(cr, 62.0, 46.0, 134.0, 4.0);
    SetSource(cr, Hex(0x0A1020));
    cairo_fill(cr);
    return canvas.SavePng(out.Graphics("OxM_HUD.png"), eColorKey::None);
}

bool WriteWhite(const tOutput& out)
{
    // Wider than the 134-pixel bar: a long frame can push the charge a step past full.
    CCanvas canvas(256, 8);
    cairo_t* cr = canvas.Cr();
    cairo_rectangle(cr, 0, 0, 256, 8);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_fill(cr);
    return canvas.SavePng(out.Graphics("OxM_White.png"), eColorKey::None);
}

namespace
{
void PausePlate(cairo_t* cr, double x, double y, double width, const char* label)
{
    RoundedRect(cr, x + 0.5, y + 0.5, width, 26.0, 7.0);
    SetSource(cr, WithAlpha(palette::kNavyDeep, 0.9));
    cairo_fill_preserve(cr);
    SetSource(cr, palette::kCopperDark);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    DrawLabel(cr, label, x + 32.0, y + 19.5, 17.0);
}
} // namespace

bool WritePauseMenu(const tOutput& out)
{
    // Drawn at (160, 120); the cursor lands at (65, 124) for resume and (109, 169) for quit.
    CCanvas canvas(320, 240);
    cairo_t* cr = canvas.Cr();
    DrawPanel(cr, 0.0, 0.0, 320.0, 240.0, 16.0, 0.93);
    DrawTitle(cr, "PAUSED", 160.0, 62.0, 34.0);
    cairo_move_to(cr, 70.0, 80.5);
    cairo_line_to(cr, 250.0, 80.5);
    SetSource(cr, palette::kCopperDark);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    PausePlate(cr, 61.0, 123.0, 150.0, "Resume");
    PausePlate(cr, 105.0, 168.0, 170.0, "Quit to menu");
    DrawHint(cr, "Return to choose, Esc or P to resume", 160.0, 222.0, 11.0, eAlign::Center);
    return canvas.SavePng(out.Graphics("OxM_PauseMenu.png"), eColorKey::None);
}

bool WriteMenuCursor(const tOutput& out)
{
    // A talon-tipped pointer facing right, on white (the key).
    CCanvas canvas(24, 24);
    cairo_t* cr = canvas.Cr();
    cairo_move_to(cr, 3.0, 4.0);
    cairo_curve_to(cr, 10.0, 5.0, 17.0, 8.0, 22.0, 12.0);
    cairo_curve_to(cr, 17.0, 16.0, 10.0, 19.0, 3.0, 20.0);
    cairo_curve_to(cr, 7.0, 16.0, 8.0, 8.0, 3.0, 4.0);
    cairo_close_path(cr);
    FillVertical(cr, palette::kCopperPale, palette::kCopper);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    Ellipse(cr, 11.0, 10.0, 3.0, 1.3);
    SetSource(cr, WithAlpha(Hex(0xFFF3DA), 0.85));
    cairo_fill(cr);
    return canvas.SavePng(out.Graphics("VKT_MenuCursor.png"), eColorKey::White);
}

namespace
{
// "Pad: [D-pad] picks, [South] next / done", centred on the panel.
void DrawPadLine(cairo_t* cr, double baseline)
{
    const std::string lead = "Pad:";
    const std::string picks = "picks,";
    const std::string enters = "next / done";
    tTextStyle style = LabelStyle(12.0, eTypeface::Sans);
    const double gap = 5.0;
    const double icon = 14.0;
    const double width = TextWidth(cr, lead, style) + TextWidth(cr, picks, style) +
                         TextWidth(cr, enters, style) + 2.0 * icon + 4.0 * gap;
    double x = 160.0 - width / 2.0;
    DrawHint(cr, lead, x, baseline, 12.0);
    x += TextWidth(cr, lead, style) + gap;
    DrawPadCross(cr, x + icon / 2.0, baseline - 4.0, icon);
    x += icon + gap;
    DrawHint(cr, picks, x, baseline, 12.0);
    x += TextWidth(cr, picks, style) + gap;
    DrawPadFaceButtons(cr, x + icon / 2.0, baseline - 4.0, icon / 3.0, ePadFace::South);
    x += icon + gap;
    DrawHint(cr, enters, x, baseline, 12.0);
}
} // namespace

bool WriteEnterScore(const tOutput& out)
{
    // Drawn at (160, 120); the name prints at screen (282, 228), panel (122, 108), in 32 x 48 glyphs.
    CCanvas canvas(320, 240);
    cairo_t* cr = canvas.Cr();
    // Opaque: the line that ends the game is printed on the name's row of the screen beneath.
    DrawPanel(cr, 0.0, 0.0, 320.0, 240.0, 16.0, 1.0);
    DrawText(cr, "NEW HIGH SCORE!", 160.0, 44.0, FitWidth(cr, "NEW HIGH SCORE!", TitleStyle(26.0), 280.0),
             eAlign::Center);
    DrawLabel(cr, "Enter your initials", 160.0, 80.0, 16.0, eAlign::Center);
    Inset(cr, 110.0, 100.0, 120.0, 64.0, 8.0);
    for (int slot = 0; slot < 3; ++slot)
    {
        const double x = 122.0 + 32.0 * slot;
        cairo_rectangle(cr, x + 3.0, 157.0, 26.0, 3.0);
        SetSource(cr, palette::kCopperLight);
        cairo_fill(cr);
    }
    DrawHint(cr, "Type three letters, then press Return", 160.0, 192.0, 12.0, eAlign::Center);
    DrawHint(cr, "Backspace erases", 160.0, 208.0, 12.0, eAlign::Center);
    DrawPadLine(cr, 224.0);
    return canvas.SavePng(out.Graphics("OxM_EnterScore.png"), eColorKey::None);
}

namespace
{
// The roost: a great tree with platforms and pennants, seen against the dusk.
void DrawRoost(cairo_t* cr, double x, double groundY)
{
    const tColor bark = Hex(0x241A20);
    cairo_move_to(cr, x - 24.0, groundY);
    cairo_curve_to(cr, x - 14.0, groundY - 80.0, x - 18.0, groundY - 180.0, x - 8.0, groundY - 300.0);
    cairo_line_to(cr, x + 10.0, groundY - 300.0);
    cairo_curve_to(cr, x + 14.0, groundY - 180.0, x + 12.0, groundY - 80.0, x + 26.0, groundY);
    cairo_close_path(cr);
    SetSource(cr, bark);
    cairo_fill(cr);
    const double branches[4][3] = {
        {-1.0, 120.0, 90.0}, {1.0, 170.0, 80.0}, {-1.0, 230.0, 70.0}, {1.0, 270.0, 60.0}};
    for (const auto& branch : branches)
    {
        const double side = branch[0];
        const double y = groundY - branch[1];
        const double length = branch[2];
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + side * length * 0.4, y - 10.0, x + side * length * 0.8, y - 8.0,
                       x + side * length, y - 20.0);
        SetSource(cr, bark);
        cairo_set_line_width(cr, 7.0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        // A platform of planks and a pennant on each branch.
        RoundedRect(cr, x + side * length * 0.55 - 22.0, y - 16.0, 44.0, 6.0, 2.0);
        SetSource(cr, Hex(0x4A3324));
        cairo_fill(cr);
        const double px = x + side * length * 0.9;
        cairo_move_to(cr, px, y - 18.0);
        cairo_line_to(cr, px, y - 44.0);
        SetSource(cr, bark);
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
        cairo_move_to(cr, px, y - 44.0);
        cairo_line_to(cr, px + side * 18.0, y - 39.0);
        cairo_line_to(cr, px, y - 34.0);
        cairo_close_path(cr);
        SetSource(cr, palette::kRed);
        cairo_fill(cr);
    }
    // Foliage clumps.
    CRandom random(77);
    for (int i = 0; i < 14; ++i)
    {
        const double fx = x + random.Range(-110.0, 110.0);
        const double fy = groundY - random.Range(200.0, 330.0);
        Circle(cr, fx, fy, random.Range(18.0, 34.0));
        SetSource(cr, Mix(Hex(0x1F2A2A), Hex(0x2C3A32), random.Uniform()));
        cairo_fill(cr);
    }
}

void DrawFlyingSilhouettes(cairo_t* cr)
{
    const double birds[5][3] = {{430.0, 70.0, 1.0},
                                {470.0, 95.0, 0.8},
                                {505.0, 62.0, 0.9},
                                {540.0, 110.0, 0.7},
                                {395.0, 118.0, 0.75}};
    for (const auto& bird : birds)
    {
        const double x = bird[0];
        const double y = bird[1];
        const double s = bird[2] * 9.0;
        cairo_move_to(cr, x - s, y - s * 0.2);
        cairo_curve_to(cr, x - s * 0.5, y - s * 0.6, x - s * 0.2, y - s * 0.3, x, y);
        cairo_curve_to(cr, x + s * 0.2, y - s * 0.3, x + s * 0.5, y - s * 0.6, x + s, y - s * 0.2);
        SetSource(cr, Hex(0x1B1622));
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
    }
}
} // namespace

bool WriteIntroMenu(const tOutput& out)
{
    // The portrait (124 x 88) lands at (258, 240) and the text box (480 x 88) at (60, 392).
    CCanvas canvas(640, 480);
    cairo_t* cr = canvas.Cr();
    cairo_rectangle(cr, 0, 0, 640, 480);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0.0, 0.0, 0.0, 480.0);
    AddStop(sky, 0.0, palette::kNavyDeep);
    AddStop(sky, 0.45, Hex(0x3A3552));
    AddStop(sky, 0.75, Hex(0x9A5A4A));
    AddStop(sky, 1.0, Hex(0xD98A5C));
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    Circle(cr, 470.0, 300.0, 46.0);
    SetSource(cr, WithAlpha(Hex(0xF6C68A), 0.85));
    cairo_fill(cr);
    DrawHorizon(cr, 640.0, 480.0, 360.0, 61);
    DrawFlyingSilhouettes(cr);
    DrawRoost(cr, 110.0, 480.0);
    // The same picture stands behind the briefing and behind the ending lines of a lost game.
    DrawTitle(cr, "THE CAPTAIN SPEAKS", 340.0, 64.0, 32.0);
    // Frame and name plate around the portrait.
    RoundedRect(cr, 250.0, 232.0, 140.0, 104.0, 8.0);
    SetSource(cr, palette::kInk);
    cairo_fill(cr);
    RoundedRect(cr, 252.5, 234.5, 135.0, 99.0, 7.0);
    FillVertical(cr, palette::kCopperLight, palette::kCopperDark);
    cairo_new_path(cr);
    DrawPanel(cr, 262.0, 340.0, 116.0, 28.0, 6.0, 0.95);
    tTextStyle plate = LabelStyle(13.0);
    plate.letterSpacing = 1.5;
    DrawText(cr, "THE CAPTAIN", 320.0, 359.0, plate, eAlign::Center);
    // The text box covers y 392..479; its frame is drawn by the box itself.
    return canvas.SavePng(out.Graphics("OxM_IntroMenu.png"), eColorKey::None);
}

namespace
{
void DrawCaptainHead(cairo_t* cr)
{
    // A sea eagle: white head, brown neck, a heavy hooked yellow beak.
    const tColor feather = Hex(0xEDE6D6);
    const tColor featherLight = Hex(0xFFFBF0);
    const tColor brown = Hex(0x6E4A2E);
    // Shoulders in a navy coat with copper epaulettes.
    cairo_move_to(cr, 8.0, 88.0);
    cairo_curve_to(cr, 14.0, 66.0, 34.0, 60.0, 62.0, 60.0);
    cairo_curve_to(cr, 90.0, 60.0, 110.0, 66.0, 116.0, 88.0);
    cairo_close_path(cr);
    FillAndStroke(cr, palette::kNavyMid, palette::kInk, 1.5);
    Ellipse(cr, 24.0, 70.0, 13.0, 5.0);
    Ellipse(cr, 100.0, 70.0, 13.0, 5.0);
    FillAndStroke(cr, palette::kCopper, palette::kInk, 1.2);
    for (int i = 0; i < 3; ++i)
    {
        Circle(cr, 40.0 + i * 8.0, 78.0, 3.0);
        FillAndStroke(cr, i == 1 ? palette::kRed : palette::kGold, palette::kInk, 0.8);
    }
    // Brown neck feathers under the white head, front view.
    cairo_move_to(cr, 42.0, 66.0);
    cairo_curve_to(cr, 46.0, 50.0, 78.0, 50.0, 82.0, 66.0);
    cairo_curve_to(cr, 72.0, 72.0, 52.0, 72.0, 42.0, 66.0);
    FillAndStroke(cr, brown, palette::kInk, 1.2);
    Ellipse(cr, 62.0, 40.0, 24.0, 22.0);
    FillAndStroke(cr, feather, palette::kInk, 1.5);
    Ellipse(cr, 54.0, 34.0, 9.0, 7.0);
    SetSource(cr, WithAlpha(featherLight, 0.8));
    cairo_fill(cr);
    // Stern eyes under heavy brows.
    for (int side = -1; side <= 1; side += 2)
    {
        const double ex = 62.0 + side * 11.0;
        Ellipse(cr, ex, 38.0, 5.5, 4.5);
        FillAndStroke(cr, Hex(0xF2D24C), palette::kInk, 1.0);
        Circle(cr, ex + side * -0.8, 38.5, 2.2);
        SetSource(cr, palette::kInk);
        cairo_fill(cr);
        cairo_move_to(cr, ex - side * 8.0, 31.0);
        cairo_line_to(cr, ex + side * 7.0, 34.0);
        SetSource(cr, Hex(0x4A4450));
        cairo_set_line_width(cr, 3.0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    // Hooked beak: broad at the base, the tip curling down.
    cairo_move_to(cr, 54.0, 43.0);
    cairo_curve_to(cr, 57.0, 39.0, 67.0, 39.0, 70.0, 43.0);
    cairo_curve_to(cr, 72.0, 50.0, 68.0, 57.0, 63.0, 60.0);
    cairo_curve_to(cr, 61.5, 58.0, 62.5, 55.0, 61.0, 53.0);
    cairo_curve_to(cr, 57.0, 51.0, 54.0, 48.0, 54.0, 43.0);
    cairo_close_path(cr);
    FillAndStroke(cr, Hex(0xF2B53A), palette::kInk, 1.2);
    cairo_move_to(cr, 57.0, 47.0);
    cairo_curve_to(cr, 60.0, 49.0, 64.0, 49.0, 67.0, 47.0);
    SetSource(cr, WithAlpha(palette::kInk, 0.6));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // Officer's peaked cap with a copper talon badge.
    cairo_move_to(cr, 34.0, 24.0);
    cairo_curve_to(cr, 36.0, 6.0, 88.0, 6.0, 90.0, 24.0);
    cairo_close_path(cr);
    FillAndStroke(cr, palette::kNavy, palette::kInk, 1.5);
    Ellipse(cr, 62.0, 25.0, 30.0, 5.0);
    FillAndStroke(cr, palette::kInk, palette::kInk, 0.0);
    cairo_rectangle(cr, 36.0, 19.0, 52.0, 4.0);
    SetSource(cr, palette::kRed);
    cairo_fill(cr);
    Star(cr, 62.0, 14.0, 5.5, 2.5, 5, 0.0);
    FillAndStroke(cr, palette::kCopperLight, palette::kInk, 0.8);
}
} // namespace

bool WriteCaptain(const tOutput& out)
{
    CCanvas canvas(124, 88);
    cairo_t* cr = canvas.Cr();
    cairo_rectangle(cr, 0, 0, 124, 88);
    FillRadial(cr, 62.0, 30.0, 90.0, Hex(0x9CC3DC), Hex(0x3C5A7E));
    cairo_new_path(cr);
    // Crossed flags behind the captain.
    for (int side = -1; side <= 1; side += 2)
    {
        cairo_move_to(cr, 62.0 + side * 50.0, 88.0);
        cairo_line_to(cr, 62.0 + side * 30.0, 4.0);
        SetSource(cr, Hex(0x4A3324));
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
        cairo_move_to(cr, 62.0 + side * 30.0, 5.0);
        cairo_line_to(cr, 62.0 + side * 52.0, 10.0);
        cairo_line_to(cr, 62.0 + side * 34.0, 20.0);
        cairo_close_path(cr);
        SetSource(cr, palette::kRed);
        cairo_fill(cr);
    }
    DrawCaptainHead(cr);
    return canvas.SavePng(out.Graphics("OxM_CaptainChar.png"), eColorKey::None);
}

bool WriteTextBox(const tOutput& out)
{
    // Drawn at (60, 392); up to four lines print from (75, 400) in 8 x 12 glyphs.
    CCanvas canvas(480, 88);
    cairo_t* cr = canvas.Cr();
    DrawPanel(cr, 0.0, 0.0, 480.0, 88.0, 10.0, 0.95);
    DrawHint(cr, "SPACE", 446.0, 80.0, 10.0, eAlign::Right);
    DrawChevron(cr, 458.0, 76.5, 9.0, false);
    return canvas.SavePng(out.Graphics("OxM_TextBox.png"), eColorKey::None);
}
} // namespace assetgen
