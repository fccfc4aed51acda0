#include "MenuScreens.h"

#include "BirdArt.h"
#include "CCanvas.h"
#include "CRandom.h"
#include "Palette.h"
#include "Shapes.h"
#include "UiKit.h"

#include <cmath>
#include <string>

namespace assetgen
{
namespace
{
constexpr double kScreenW = 640.0;
constexpr double kScreenH = 480.0;

// ---- Logo ----

void DrawReeds(cairo_t* cr, double cx, double baseY, CRandom& random)
{
    for (int i = 0; i < 9; ++i)
    {
        const double x = cx - 58.0 + i * 14.5 + random.Range(-3.0, 3.0);
        const double h = random.Range(55.0, 95.0);
        const double lean = random.Range(-8.0, 8.0);
        cairo_move_to(cr, x, baseY);
        cairo_curve_to(cr, x, baseY - h * 0.5, x + lean * 0.5, baseY - h * 0.8, x + lean, baseY - h);
        SetSource(cr, palette::kCopperDark);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
        if (i % 2 == 0)
        {
            // Cattail head.
            Ellipse(cr, x + lean * 0.85, baseY - h * 0.9, 3.2, 9.0);
            SetSource(cr, palette::kCopper);
            cairo_fill(cr);
        }
    }
}

void DrawHeron(cairo_t* cr, double x, double y)
{
    // A standing heron facing left, in pale copper: thin legs, a tilted body, an S-shaped neck.
    SetSource(cr, palette::kCopperPale);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2.2);
    cairo_move_to(cr, x - 2.0, y);
    cairo_line_to(cr, x + 2.0, y - 42.0);
    cairo_move_to(cr, x + 7.0, y - 1.0);
    cairo_line_to(cr, x + 6.0, y - 42.0);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, x + 10.0, y - 52.0);
    cairo_rotate(cr, 0.35);
    Ellipse(cr, 0.0, 0.0, 22.0, 10.0);
    cairo_restore(cr);
    cairo_fill(cr);
    // Tail feathers.
    cairo_move_to(cr, x + 26.0, y - 50.0);
    cairo_line_to(cr, x + 38.0, y - 38.0);
    cairo_line_to(cr, x + 28.0, y - 42.0);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_set_line_width(cr, 6.0);
    cairo_move_to(cr, x - 6.0, y - 56.0);
    cairo_curve_to(cr, x - 14.0, y - 66.0, x + 4.0, y - 78.0, x - 2.0, y - 88.0);
    cairo_curve_to(cr, x - 5.0, y - 93.0, x - 8.0, y - 96.0, x - 8.0, y - 99.0);
    cairo_stroke(cr);
    Ellipse(cr, x - 8.0, y - 101.0, 6.5, 4.8);
    cairo_fill(cr);
    cairo_move_to(cr, x - 12.0, y - 103.0);
    cairo_line_to(cr, x - 36.0, y - 98.0);
    cairo_line_to(cr, x - 12.0, y - 98.5);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, x - 4.0, y - 104.0);
    cairo_line_to(cr, x + 12.0, y - 110.0);
    cairo_stroke(cr);
    Circle(cr, x - 9.5, y - 102.0, 1.2);
    SetSource(cr, Hex(0x1A0E08));
    cairo_fill(cr);
}

void DrawWaterLines(cairo_t* cr, double cx, double y, double halfWidth)
{
    for (int i = 0; i < 3; ++i)
    {
        const double w = halfWidth - i * 14.0;
        const double yy = y + i * 9.0;
        cairo_move_to(cr, cx - w, yy);
        for (double x = -w; x <= w; x += 4.0)
            cairo_line_to(cr, cx + x, yy + 2.0 * std::sin(x / 6.0));
        SetSource(cr, WithAlpha(palette::kCopperLight, 0.9 - i * 0.2));
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
    }
}
} // namespace

bool WriteLogo(const tOutput& out)
{
    CCanvas canvas(640, 480);
    cairo_t* cr = canvas.Cr();
    cairo_rectangle(cr, 0, 0, kScreenW, kScreenH);
    SetSource(cr, Hex(0x000000));
    cairo_fill(cr);
    const double cx = 320.0;
    const double cy = 190.0;
    // Emblem: a copper medallion with a heron among reeds over the water of a fen.
    Circle(cr, cx, cy, 112.0);
    FillRadial(cr, cx - 30.0, cy - 40.0, 150.0, Hex(0x3A2416), Hex(0x140C08));
    cairo_new_path(cr);
    Circle(cr, cx, cy, 112.0);
    SetSource(cr, palette::kCopper);
    cairo_set_line_width(cr, 6.0);
    cairo_stroke(cr);
    Circle(cr, cx, cy, 102.0);
    SetSource(cr, palette::kCopperDark);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    cairo_save(cr);
    Circle(cr, cx, cy, 100.0);
    cairo_clip(cr);
    CRandom random(0xC0FFEE);
    Circle(cr, cx - 52.0, cy - 38.0, 16.0);
    SetSource(cr, WithAlpha(palette::kCopperLight, 0.85));
    cairo_fill(cr);
    DrawReeds(cr, cx - 10.0, cy + 52.0, random);
    DrawHeron(cr, cx + 18.0, cy + 50.0);
    DrawWaterLines(cr, cx, cy + 54.0, 96.0);
    cairo_restore(cr);
    tTextStyle word = TitleStyle(58.0);
    word.letterSpacing = 9.0;
    DrawText(cr, "COPPERFEN", cx, 380.0, word, eAlign::Center);
    tTextStyle sub = LabelStyle(16.0, eTypeface::Sans);
    sub.fill = palette::kCopperLight;
    sub.outlineWidth = 0.0;
    sub.letterSpacing = 8.0;
    DrawText(cr, "GAMES", cx, 414.0, sub, eAlign::Center);
    return canvas.SavePng(out.Graphics("OxM_Copperfen_logo.png"), eColorKey::None);
}

namespace
{
const char* const kMenuLabels[kMenuItemCount] = {"New Game", "High Scores", "Controls",
                                                 "Options",  "Credits",     "Exit"};

void MenuItemPlate(cairo_t* cr, double x, double y, bool highlighted)
{
    RoundedRect(cr, x + 1.5, y + 1.5, kMenuItemWidth - 3.0, kMenuItemHeight - 3.0, 7.0);
    if (highlighted)
    {
        FillVertical(cr, palette::kCopperLight, palette::kCopper);
        SetSource(cr, palette::kInk);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        RoundedRect(cr, x + 3.5, y + 3.5, kMenuItemWidth - 7.0, kMenuItemHeight - 7.0, 5.0);
        SetSource(cr, WithAlpha(palette::kCopperPale, 0.8));
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    else
    {
        SetSource(cr, WithAlpha(palette::kNavyMid, 0.85));
        cairo_fill_preserve(cr);
        SetSource(cr, WithAlpha(palette::kCopperDark, 0.9));
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
}

void MenuItemLabel(cairo_t* cr, int item, double x, double y, bool highlighted)
{
    tTextStyle style = LabelStyle(17.0);
    if (highlighted)
    {
        style.fill = Hex(0xFFF8E6);
        style.outlineWidth = 2.0;
    }
    DrawText(cr, kMenuLabels[item], x + kMenuItemWidth / 2.0, y + 19.5, style, eAlign::Center);
    if (highlighted)
    {
        DrawChevron(cr, x + 16.0, y + kMenuItemHeight / 2.0, 10.0, false);
        DrawChevron(cr, x + kMenuItemWidth - 16.0, y + kMenuItemHeight / 2.0, 10.0, true);
    }
}

void DrawMenuItem(cairo_t* cr, int item, double x, double y, bool highlighted)
{
    MenuItemPlate(cr, x, y, highlighted);
    MenuItemLabel(cr, item, x, y, highlighted);
}

void DrawMenuPicture(cairo_t* cr)
{
    DrawBackdrop(cr, kScreenW, kScreenH, 11);
    DrawHorizon(cr, kScreenW, kScreenH, 410.0, 12);
    DrawTitle(cr, "TALONREACH", kScreenW / 2.0, 118.0, 62.0);
    tTextStyle tagline = LabelStyle(15.0, eTypeface::Serif);
    tagline.fill = palette::kCopperPale;
    tagline.letterSpacing = 2.0;
    DrawText(cr, "the birds strike back", kScreenW / 2.0, 150.0, tagline, eAlign::Center);
    // A pair of soldiers on patrol beside the menu.
    cairo_save(cr);
    cairo_translate(cr, 530.0, 275.0);
    cairo_rotate(cr, 0.25);
    cairo_scale(cr, 2.2, 2.2);
    DrawSoldier(cr, 0);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, 105.0, 320.0);
    cairo_rotate(cr, -0.3);
    cairo_scale(cr, 1.6, 1.6);
    DrawSoldier(cr, 2);
    cairo_restore(cr);
    DrawPanel(cr, kMenuItemX - 16.0, kMenuItemY - 14.0, kMenuItemWidth + 32.0,
              kMenuItemHeight * kMenuItemCount + 28.0, 12.0, 0.75);
    for (int item = 0; item < kMenuItemCount; ++item)
        DrawMenuItem(cr, item, kMenuItemX, kMenuItemY + kMenuItemHeight * item, false);
    DrawHint(cr, "Arrows to choose, Return or Space to confirm", kScreenW / 2.0, 448.0, 12.0, eAlign::Center);
}
} // namespace

bool WriteMainMenu(const tOutput& out)
{
    CCanvas canvas(kMenuSheetWidth, 480);
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, kScreenW, kScreenH);
    cairo_clip(cr);
    DrawMenuPicture(cr);
    cairo_restore(cr);
    for (int item = 0; item < kMenuItemCount; ++item)
        DrawMenuItem(cr, item, kMenuHighlightX, kMenuItemY + kMenuItemHeight * item, true);
    return canvas.SavePng(out.Graphics("OxM_MainMenu.png"), eColorKey::White);
}

namespace
{
constexpr double kMarkerX = 130.0;
constexpr double kMarkerY = 83.0;
constexpr double kMarkerStep = 72.0;
constexpr double kMarkerW = 426.0;
constexpr double kMarkerH = 65.0;

void DrawNoteIcon(cairo_t* cr, double x, double y)
{
    Ellipse(cr, x + 4.0, y + 16.0, 4.5, 3.5);
    Ellipse(cr, x + 16.0, y + 13.0, 4.5, 3.5);
    SetSource(cr, palette::kCopperLight);
    cairo_fill(cr);
    cairo_move_to(cr, x + 8.0, y + 16.0);
    cairo_line_to(cr, x + 8.0, y + 1.0);
    cairo_line_to(cr, x + 20.0, y - 2.0);
    cairo_line_to(cr, x + 20.0, y + 13.0);
    SetSource(cr, palette::kCopperLight);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    cairo_move_to(cr, x + 8.0, y + 3.5);
    cairo_line_to(cr, x + 20.0, y + 0.5);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
}

void DrawSpeakerIcon(cairo_t* cr, double x, double y)
{
    cairo_move_to(cr, x, y + 5.0);
    cairo_line_to(cr, x + 5.0, y + 5.0);
    cairo_line_to(cr, x + 12.0, y - 1.0);
    cairo_line_to(cr, x + 12.0, y + 19.0);
    cairo_line_to(cr, x + 5.0, y + 13.0);
    cairo_line_to(cr, x, y + 13.0);
    cairo_close_path(cr);
    SetSource(cr, palette::kCopperLight);
    cairo_fill(cr);
    for (int i = 0; i < 2; ++i)
    {
        cairo_arc(cr, x + 12.0, y + 9.0, 5.0 + i * 4.5, -0.8, 0.8);
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
    }
}
} // namespace

bool WriteOptionsMenu(const tOutput& out)
{
    CCanvas canvas(640, 480);
    cairo_t* cr = canvas.Cr();
    DrawBackdrop(cr, kScreenW, kScreenH, 21);
    DrawHorizon(cr, kScreenW, kScreenH, 430.0, 22);
    DrawTitle(cr, "OPTIONS", kScreenW / 2.0, 62.0, 40.0);
    const char* const labels[2] = {"Music Volume", "Sound Effects"};
    for (int row = 0; row < 2; ++row)
    {
        const double top = kMarkerY + kMarkerStep * row;
        DrawPanel(cr, kMarkerX + 6.0, top + 6.0, kMarkerW - 12.0, kMarkerH - 12.0, 8.0, 0.85);
        if (row == 0)
            DrawNoteIcon(cr, kMarkerX + 22.0, top + 24.0);
        else
            DrawSpeakerIcon(cr, kMarkerX + 24.0, top + 23.0);
        // The game prints the numbers at (460, 116) and (460, 189) in the 16 x 24 font; each label shares
        // its number's baseline, 18 pixels below the glyphs' top.
        DrawLabel(cr, labels[row], kMarkerX + 56.0, 134.0 + (row == 0 ? 0.0 : 73.0), 20.0);
        const double boxTop = (row == 0 ? 116.0 : 189.0) - 6.0;
        RoundedRect(cr, 451.5, boxTop + 0.5, 72.0, 35.0, 6.0);
        SetSource(cr, WithAlpha(palette::kNavyDeep, 0.95));
        cairo_fill_preserve(cr);
        SetSource(cr, palette::kCopperDark);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    DrawPanel(cr, 130.0, 250.0, 426.0, 92.0, 10.0, 0.7);
    DrawHint(cr, "Up and Down choose a setting.", 343.0, 282.0, 15.0, eAlign::Center);
    DrawHint(cr, "Hold Left or Right to change it.", 343.0, 306.0, 15.0, eAlign::Center);
    DrawHint(cr, "Volumes run from 0 to 100.", 343.0, 330.0, 15.0, eAlign::Center);
    return canvas.SavePng(out.Graphics("OxM_OptionsMenu.png"), eColorKey::None);
}

bool WriteOptionsMarker(const tOutput& out)
{
    CCanvas canvas(426, 65);
    cairo_t* cr = canvas.Cr();
    RoundedRect(cr, 2.5, 2.5, kMarkerW - 5.0, kMarkerH - 5.0, 11.0);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 5.0);
    cairo_stroke_preserve(cr);
    SetSource(cr, palette::kCopperLight);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
    DrawChevron(cr, 12.0, kMarkerH / 2.0, 14.0, false);
    DrawChevron(cr, kMarkerW - 12.0, kMarkerH / 2.0, 14.0, true);
    return canvas.SavePng(out.Graphics("OxM_OptionsSelection.png"), eColorKey::White);
}

namespace
{
// Three columns: the keys, the pad's buttons beside them, then what they do.
constexpr double kKeysCentre = 126.0;
constexpr double kPadCentre = 252.0;
constexpr double kTextX = 304.0;
constexpr double kTextWidth = 288.0;

void DrawArrowKeys(cairo_t* cr, double x, double y)
{
    const double k = 30.0;
    DrawKeyCap(cr, x + k + 2.0, y, k, k, "\xE2\x86\x91");
    DrawKeyCap(cr, x, y + k + 2.0, k, k, "\xE2\x86\x90");
    DrawKeyCap(cr, x + k + 2.0, y + k + 2.0, k, k, "\xE2\x86\x93");
    DrawKeyCap(cr, x + 2.0 * (k + 2.0), y + k + 2.0, k, k, "\xE2\x86\x92");
}

// A row whose keys (and pad buttons) stand at `top`, 32 pixels high.
void ControlRow(cairo_t* cr, double top, const std::string& action, const std::string& detail)
{
    DrawLabel(cr, action, kTextX, top + 15.0, 19.0);
    DrawHint(cr, detail, kTextX, top + 33.0, 13.0, eAlign::Left, kTextWidth);
}
} // namespace

bool WriteControlsMenu(const tOutput& out)
{
    CCanvas canvas(640, 480);
    cairo_t* cr = canvas.Cr();
    DrawBackdrop(cr, kScreenW, kScreenH, 31);
    DrawTitle(cr, "CONTROLS", kScreenW / 2.0, 62.0, 40.0);
    DrawPanel(cr, 40.0, 84.0, 560.0, 350.0, 12.0, 0.85);
    DrawHint(cr, "Keys (defaults)", kKeysCentre, 102.0, 12.0, eAlign::Center);
    DrawHint(cr, "Pad", kPadCentre, 102.0, 12.0, eAlign::Center);

    DrawArrowKeys(cr, kKeysCentre - 47.0, 108.0);
    DrawPadCross(cr, kPadCentre - 20.0, 140.0, 34.0);
    DrawPadStick(cr, kPadCentre + 22.0, 140.0, 14.0);
    ControlRow(cr, 124.0, "Fly", "Steer the soldier over the land.");

    DrawKeyCap(cr, kKeysCentre - 66.0, 180.0, 132.0, 32.0, "Space");
    DrawPadFaceButtons(cr, kPadCentre, 194.0, 11.0, ePadFace::South);
    ControlRow(cr, 180.0, "Drop shots", "Hold to keep firing; each shot spends charge.");

    DrawKeyCap(cr, kKeysCentre - 44.0, 228.0, 44.0, 32.0, "Esc");
    DrawHint(cr, "or", kKeysCentre + 12.0, 250.0, 13.0, eAlign::Center);
    DrawKeyCap(cr, kKeysCentre + 24.0, 228.0, 32.0, 32.0, "P");
    DrawPadPill(cr, kPadCentre - 26.0, 234.0, 52.0, 20.0, "Start");
    ControlRow(cr, 228.0, "Pause", "Resume or quit from the pause menu.");

    DrawKeyCap(cr, kKeysCentre - 22.0, 276.0, 44.0, 32.0, "Esc");
    DrawPadFaceButtons(cr, kPadCentre, 290.0, 11.0, ePadFace::East);
    ControlRow(cr, 276.0, "Back", "Leave options, controls or scores.");

    DrawKeyCap(cr, kKeysCentre - 66.0, 324.0, 30.0, 30.0, "\xE2\x86\x91");
    DrawKeyCap(cr, kKeysCentre - 32.0, 324.0, 30.0, 30.0, "\xE2\x86\x93");
    DrawKeyCap(cr, kKeysCentre + 4.0, 324.0, 70.0, 30.0, "Return");
    DrawPadCross(cr, kPadCentre - 20.0, 339.0, 28.0);
    DrawPadFaceButtons(cr, kPadCentre + 22.0, 339.0, 9.0, ePadFace::South);
    ControlRow(cr, 324.0, "Menus", "Choose with the arrows, confirm with Return.");

    DrawKeyCap(cr, kKeysCentre - 68.0, 372.0, 44.0, 32.0, "Alt");
    DrawHint(cr, "+", kKeysCentre - 10.0, 394.0, 15.0, eAlign::Center);
    DrawKeyCap(cr, kKeysCentre + 4.0, 372.0, 70.0, 32.0, "Return");
    ControlRow(cr, 372.0, "Full screen", "Switches between window and full screen.");

    DrawHint(cr, "The bar under your score is your charge: it refills slowly.", 320.0, 424.0, 13.0,
             eAlign::Center);

    // Bottom left, beside the game's "press ESC": the way to the change of controls.
    DrawKeyCap(cr, 44.0, 442.0, 30.0, 30.0, "C");
    DrawHint(cr, "or", 88.0, 462.0, 13.0, eAlign::Center);
    DrawPadFaceButtons(cr, 118.0, 457.0, 9.0, ePadFace::North);
    DrawLabel(cr, "Change controls", 142.0, 463.0, 17.0);
    return canvas.SavePng(out.Graphics("OxM_ControlsMenu.png"), eColorKey::None);
}

namespace
{
// Where CChangeControlsState prints: row n's text has its top at 112 + 34n, the keys from x 248
// (up to twelve 16-pixel cells), the pad buttons from x 456 (up to ten), the cursor at x 34.
constexpr double kChangeRowTop = 112.0;
constexpr double kChangeRowStep = 34.0;
constexpr double kChangeKeyX = 248.0;
constexpr double kChangePadX = 456.0;
constexpr double kChangeLabelX = 72.0;

// The dark box a name is printed in, `cells` wide, around the text of the row at `top`.
void NameBox(cairo_t* cr, double x, double top, int cells)
{
    RoundedRect(cr, x - 6.5, top - 4.5, cells * 16.0 + 12.0, 32.0, 6.0);
    SetSource(cr, WithAlpha(palette::kNavyDeep, 0.95));
    cairo_fill_preserve(cr);
    SetSource(cr, palette::kCopperDark);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}
} // namespace

bool WriteChangeControls(const tOutput& out)
{
    CCanvas canvas(640, 480);
    cairo_t* cr = canvas.Cr();
    DrawBackdrop(cr, kScreenW, kScreenH, 33);
    DrawTitle(cr, "CHANGE CONTROLS", kScreenW / 2.0, 62.0, 36.0);
    DrawPanel(cr, 16.0, 84.0, 608.0, 360.0, 12.0, 0.85);
    DrawHint(cr, "Action", kChangeLabelX, 102.0, 12.0);
    DrawHint(cr, "Key", kChangeKeyX, 102.0, 12.0);
    DrawHint(cr, "Pad", kChangePadX, 102.0, 12.0);
    const char* const labels[8] = {"Fly up", "Fly down", "Fly left",          "Fly right",
                                   "Fire",   "Pause",    "Reset to defaults", "Back"};
    for (int row = 0; row < 8; ++row)
    {
        const double top = kChangeRowTop + kChangeRowStep * row;
        DrawLabel(cr, labels[row], kChangeLabelX, top + 18.0, 19.0);
        if (row < 6)
            NameBox(cr, kChangeKeyX, top, 12);
        if (row == 4 || row == 5)
            NameBox(cr, kChangePadX, top, 10);
        if (row < 4)
        {
            // The pad flies by its D-pad and left stick, whatever else is chosen.
            DrawPadCross(cr, kChangePadX + 12.0, top + 12.0, 24.0);
            DrawPadStick(cr, kChangePadX + 44.0, top + 12.0, 10.0);
        }
    }
    DrawHint(cr, "Up, Down: choose    Return, South: change    Esc, East: back", 320.0, 466.0, 14.0,
             eAlign::Center, 560.0);
    return canvas.SavePng(out.Graphics("OxM_ChangeControls.png"), eColorKey::None);
}

bool WriteCreditsMenu(const tOutput& out)
{
    CCanvas canvas(640, 480);
    cairo_t* cr = canvas.Cr();
    DrawBackdrop(cr, kScreenW, kScreenH, 41);
    DrawHorizon(cr, kScreenW, kScreenH, 400.0, 42);
    // The credits picture scrolls up at x 100..449 from below the screen to above it; a dim column
    // keeps it readable, running off both edges so that no frame line crosses the text.
    RoundedRect(cr, 90.0, -20.0, 370.0, 520.0, 10.0);
    SetSource(cr, WithAlpha(palette::kNavyDeep, 0.7));
    cairo_fill_preserve(cr);
    SetSource(cr, WithAlpha(palette::kCopperDark, 0.8));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, 545.0, 150.0);
    cairo_rotate(cr, 0.15);
    cairo_scale(cr, 1.8, 1.8);
    DrawSoldier(cr, 1);
    cairo_restore(cr);
    tTextStyle side = TitleStyle(24.0);
    DrawText(cr, "CREDITS", 545.0, 262.0, side, eAlign::Center);
    DrawHint(cr, "Return or Space", 545.0, 300.0, 12.0, eAlign::Center);
    DrawHint(cr, "to go back", 545.0, 316.0, 12.0, eAlign::Center);
    return canvas.SavePng(out.Graphics("OxM_CreditsMenu.png"), eColorKey::None);
}

namespace
{
void CreditHeading(cairo_t* cr, const std::string& text, double y)
{
    tTextStyle style = LabelStyle(13.0);
    style.fill = palette::kCopperLight;
    style.letterSpacing = 2.5;
    DrawText(cr, text, 175.0, y, style, eAlign::Center);
}

void CreditLine(cairo_t* cr, const std::string& text, double y)
{
    DrawText(cr, text, 175.0, y, LabelStyle(15.0, eTypeface::Sans), eAlign::Center);
}
} // namespace

bool WriteCreditsText(const tOutput& out)
{
    CCanvas canvas(350, 500);
    cairo_t* cr = canvas.Cr();
    DrawText(cr, "TALONREACH", 175.0, 42.0, TitleStyle(34.0), eAlign::Center);
    tTextStyle sub = LabelStyle(14.0, eTypeface::Serif);
    sub.fill = palette::kCopperPale;
    DrawText(cr, "a Copperfen game", 175.0, 66.0, sub, eAlign::Center);
    double y = 108.0;
    CreditHeading(cr, "MADE BY", y);
    CreditLine(cr, "The Talonreach project", y + 21.0);
    y += 56.0;
    CreditHeading(cr, "ART", y);
    CreditLine(cr, "Drawn in code with Cairo", y + 21.0);
    y += 56.0;
    CreditHeading(cr, "MUSIC AND SOUND", y);
    CreditLine(cr, "Synthesised in code", y + 21.0);
    y += 56.0;
    CreditHeading(cr, "BUILT WITH", y);
    CreditLine(cr, "SDL2 and SDL2_image", y + 21.0);
    CreditLine(cr, "TinyXML, Cairo and FreeType", y + 40.0);
    CreditLine(cr, "GoogleTest", y + 59.0);
    y += 94.0;
    CreditHeading(cr, "FONTS", y);
    CreditLine(cr, "DejaVu Sans, Sans Mono, Serif", y + 21.0);
    tTextStyle note = LabelStyle(12.0, eTypeface::Sans);
    note.fill = palette::kCreamShade;
    DrawText(cr, "free fonts derived from Bitstream Vera", 175.0, y + 39.0, note, eAlign::Center);
    y += 80.0;
    tTextStyle thanks = LabelStyle(17.0);
    thanks.fill = palette::kCopperPale;
    DrawText(cr, "Thank you for playing!", 175.0, y, thanks, eAlign::Center);
    return canvas.SavePng(out.Graphics("OxM_CreditsText.png"), eColorKey::None);
}

namespace
{
void DrawLaurel(cairo_t* cr, double x, double y, double direction)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, direction, 1.0);
    cairo_move_to(cr, 0.0, 18.0);
    cairo_curve_to(cr, -14.0, 10.0, -18.0, -4.0, -12.0, -18.0);
    SetSource(cr, palette::kCopper);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    for (int i = 0; i < 5; ++i)
    {
        const double t = i / 4.0;
        const double lx = -14.0 * std::sin(t * 2.2) - 2.0;
        const double ly = 14.0 - t * 30.0;
        cairo_save(cr);
        cairo_translate(cr, lx, ly);
        cairo_rotate(cr, -0.9 + t * 0.6);
        Ellipse(cr, -4.0, 0.0, 5.0, 2.2);
        FillAndStroke(cr, palette::kCopperLight, palette::kInk, 0.8);
        cairo_restore(cr);
    }
    cairo_restore(cr);
}
} // namespace

bool WriteHighScoresMenu(const tOutput& out)
{
    CCanvas canvas(640, 480);
    cairo_t* cr = canvas.Cr();
    DrawBackdrop(cr, kScreenW, kScreenH, 51);
    DrawTitle(cr, "HIGH SCORES", kScreenW / 2.0, 66.0, 38.0);
    DrawLaurel(cr, 132.0, 52.0, 1.0);
    DrawLaurel(cr, 508.0, 52.0, -1.0);
    // Rows print at (145, 113 + 59i) in the 16 x 24 font.
    for (int i = 0; i < 5; ++i)
    {
        const double top = 113.0 + 59.0 * i;
        DrawPanel(cr, 96.0, top - 10.0, 484.0, 44.0, 9.0, i % 2 == 0 ? 0.85 : 0.7);
        Circle(cr, 120.0, top + 12.0, 8.0);
        FillAndStroke(cr, palette::kCopper, palette::kInk, 1.2);
    }
    DrawHint(cr, "Up and Down turn the page", 300.0, 432.0, 12.0, eAlign::Center);
    return canvas.SavePng(out.Graphics("OxM_HighScoresMenu.png"), eColorKey::White);
}

bool WriteArrow(const tOutput& out)
{
    // Points down; the table mirrors it to point up.
    CCanvas canvas(32, 40);
    cairo_t* cr = canvas.Cr();
    cairo_move_to(cr, 10.0, 2.0);
    cairo_line_to(cr, 22.0, 2.0);
    cairo_line_to(cr, 22.0, 20.0);
    cairo_line_to(cr, 30.0, 20.0);
    cairo_line_to(cr, 16.0, 38.0);
    cairo_line_to(cr, 2.0, 20.0);
    cairo_line_to(cr, 10.0, 20.0);
    cairo_close_path(cr);
    FillVertical(cr, palette::kCopperPale, palette::kCopper);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 2.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    return canvas.SavePng(out.Graphics("OxM_Arrow.png"), eColorKey::White);
}
} // namespace assetgen
