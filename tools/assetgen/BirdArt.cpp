#include "BirdArt.h"

#include "CCanvas.h"
#include "Palette.h"
#include "Shapes.h"

#include <cmath>

namespace assetgen
{
namespace
{
// Colours of one kind of bird; the soldier and the hostile crows share one anatomy.
struct tPlumage
{
    tColor feather;
    tColor featherShade;
    tColor primary;
    tColor primaryLight;
};

const tPlumage kSoldierPlumage = {Hex(0xEDE7DA), Hex(0xC4BBA9), Hex(0x434A5C), Hex(0x68728A)};
const tPlumage kCrowPlumage = {Hex(0x4A4058), Hex(0x3A3246), Hex(0x2A2432), Hex(0x7E7298)};
const tColor kHelmet = Hex(0x6E7D36);
const tColor kHelmetLight = Hex(0x9AAA55);
const tColor kHelmetDark = Hex(0x46531F);
const tColor kBeak = Hex(0xF2A53A);
const tColor kPack = Hex(0x8B6A3E);
const tColor kPackDark = Hex(0x5E4526);

struct tWingPose
{
    double span;  // from the body's centre line to the wing tip
    double tipDy; // forward (negative) or back (positive) shift of the tip
    double shade; // darkening of a wing turned away from the viewer
};

// Wing beat, seen from above: spread, rising (foreshortened), high, sweeping down.
const tWingPose kPlayerPoses[kPlayerFrames] = {
    {29.5, 0.0, 0.0}, {23.5, -4.0, 0.08}, {16.5, -6.5, 0.16}, {25.0, 4.0, 0.04}};

// The inner wing (coverts and secondaries) as a closed path from the shoulder to the wrist and back.
void InnerWingPath(cairo_t* cr, const tWingPose& pose)
{
    const double wx = -pose.span * 0.56;
    const double wy = -6.0 + pose.tipDy * 0.6;
    cairo_move_to(cr, -3.5, -7.5);
    cairo_curve_to(cr, wx * 0.4, -11.0 + pose.tipDy * 0.3, wx * 0.8, wy - 3.5, wx, wy - 2.5);
    cairo_curve_to(cr, wx - 2.5, wy + 1.0, wx - 1.0, wy + 6.0, wx + 1.0, wy + 8.5);
    // Two soft scallops of the secondaries back to the body.
    const double midX = wx * 0.55;
    const double midY = 6.5 + pose.tipDy * 0.3;
    cairo_curve_to(cr, wx * 0.85, wy + 11.0, midX - 2.0, midY + 2.5, midX, midY);
    cairo_curve_to(cr, midX * 0.6, midY + 3.0, -5.0, 8.5, -3.5, 6.5);
    cairo_close_path(cr);
}

// One primary flight feather, from the wrist outwards.
void PrimaryFeather(cairo_t* cr, const tPlumage& plumage, double x, double y, double angle, double length,
                    double shade)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0.0, -1.8);
    cairo_curve_to(cr, -length * 0.5, -2.6, -length * 0.9, -2.2, -length, 0.0);
    cairo_curve_to(cr, -length * 0.9, 2.0, -length * 0.5, 2.4, 0.0, 1.8);
    cairo_close_path(cr);
    SetSource(cr, Shade(plumage.primary, -shade));
    cairo_fill_preserve(cr);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_move_to(cr, -1.0, -0.6);
    cairo_line_to(cr, -length * 0.8, -0.6);
    SetSource(cr, Shade(plumage.primaryLight, -shade));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawWing(cairo_t* cr, const tPlumage& plumage, const tWingPose& pose)
{
    const double wx = -pose.span * 0.56;
    const double wy = -6.0 + pose.tipDy * 0.6 + 1.5;
    const double reach = pose.span - pose.span * 0.56 + 2.0;
    // Back feathers first so the front ones overlap them.
    const double angles[4] = {0.62, 0.38, 0.16, -0.06};
    const double lengths[4] = {0.72, 0.86, 0.96, 1.0};
    for (int i = 0; i < 4; ++i)
    {
        const double a = angles[i] + pose.tipDy * -0.02;
        PrimaryFeather(cr, plumage, wx + 1.5, wy + i * 1.6, a, reach * lengths[i], pose.shade);
    }
    InnerWingPath(cr, pose);
    SetSource(cr, Shade(plumage.feather, -pose.shade));
    cairo_fill_preserve(cr);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // Coverts: a shaded band along the leading edge.
    cairo_save(cr);
    InnerWingPath(cr, pose);
    cairo_clip(cr);
    Ellipse(cr, wx * 0.55, -4.0 + pose.tipDy * 0.45, -wx * 0.5, 2.6);
    SetSource(cr, WithAlpha(Shade(plumage.featherShade, -pose.shade), 0.9));
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawTail(cairo_t* cr, const tPlumage& plumage)
{
    const double angles[5] = {-0.38, 0.38, -0.19, 0.19, 0.0};
    for (double angle : angles)
    {
        cairo_save(cr);
        cairo_translate(cr, 0.0, 9.0);
        cairo_rotate(cr, angle);
        Ellipse(cr, 0.0, 7.5, 2.6, 7.5);
        FillAndStroke(cr, plumage.featherShade, palette::kInk, 1.0);
        Ellipse(cr, 0.0, 12.5, 2.0, 2.4);
        SetSource(cr, plumage.primaryLight);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

void DrawBody(cairo_t* cr)
{
    Ellipse(cr, 0.0, 2.0, 7.5, 11.5);
    FillAndStroke(cr, kSoldierPlumage.feather, palette::kInk, 1.2);
    // Pack on the back, with its straps over the shoulders.
    SetSource(cr, kPackDark);
    cairo_set_line_width(cr, 1.4);
    cairo_move_to(cr, -3.0, 1.0);
    cairo_line_to(cr, -4.5, -5.0);
    cairo_move_to(cr, 3.0, 1.0);
    cairo_line_to(cr, 4.5, -5.0);
    cairo_stroke(cr);
    RoundedRect(cr, -4.5, 0.5, 9.0, 8.5, 2.0);
    FillAndStroke(cr, kPack, palette::kInk, 1.0);
    cairo_rectangle(cr, -4.0, 3.5, 8.0, 1.4);
    SetSource(cr, kPackDark);
    cairo_fill(cr);
}

void DrawScarf(cairo_t* cr, int frame)
{
    // A neckerchief; its knot swings with the beat.
    const double swing = (frame % 2 == 0) ? 1.0 : -1.0;
    Ellipse(cr, 3.0 + swing, -3.5, 2.0, 1.6);
    FillAndStroke(cr, palette::kRedDark, palette::kInk, 0.9);
    Ellipse(cr, 0.0, -5.5, 5.0, 2.2);
    FillAndStroke(cr, palette::kRed, palette::kInk, 1.0);
}
} // namespace

void DrawSoldierHead(cairo_t* cr)
{
    // Beak first, so the head overlaps its root.
    cairo_move_to(cr, -3.4, -3.0);
    cairo_curve_to(cr, -2.4, -7.5, -0.9, -11.0, 0.0, -13.0);
    cairo_curve_to(cr, 0.9, -11.0, 2.4, -7.5, 3.4, -3.0);
    cairo_close_path(cr);
    FillAndStroke(cr, kBeak, palette::kInk, 1.0);
    Circle(cr, 0.0, 0.0, 6.0);
    FillAndStroke(cr, kSoldierPlumage.feather, palette::kInk, 1.2);
    // Eyes at the sides of the head, in front of the helmet's rim.
    Circle(cr, -3.6, -3.0, 1.15);
    Circle(cr, 3.6, -3.0, 1.15);
    SetSource(cr, palette::kInk);
    cairo_fill(cr);
    // Helmet: a dome over the back two thirds of the head, with a rim and a shine.
    Ellipse(cr, 0.0, 2.4, 6.0, 4.8);
    FillAndStroke(cr, kHelmet, palette::kInk, 1.1);
    Ellipse(cr, 0.0, 2.8, 3.8, 2.9);
    SetSource(cr, kHelmetDark);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    Ellipse(cr, -1.8, 1.4, 1.5, 1.2);
    SetSource(cr, kHelmetLight);
    cairo_fill(cr);
}

void DrawSoldier(cairo_t* cr, int frame)
{
    const tWingPose& pose = kPlayerPoses[frame % kPlayerFrames];
    DrawTail(cr, kSoldierPlumage);
    cairo_save(cr);
    DrawWing(cr, kSoldierPlumage, pose);
    cairo_scale(cr, -1.0, 1.0);
    DrawWing(cr, kSoldierPlumage, pose);
    cairo_restore(cr);
    DrawBody(cr);
    DrawScarf(cr, frame);
    cairo_save(cr);
    cairo_translate(cr, 0.0, -10.5);
    DrawSoldierHead(cr);
    cairo_restore(cr);
}

bool WritePlayerSheet(const tOutput& out)
{
    CCanvas canvas(kPlayerFrameWidth * kPlayerFrames, kPlayerFrameHeight);
    cairo_t* cr = canvas.Cr();
    for (int frame = 0; frame < kPlayerFrames; ++frame)
    {
        cairo_save(cr);
        cairo_rectangle(cr, frame * kPlayerFrameWidth, 0, kPlayerFrameWidth, kPlayerFrameHeight);
        cairo_clip(cr);
        cairo_translate(cr, frame * kPlayerFrameWidth + kPlayerFrameWidth / 2.0, 27.5);
        DrawSoldier(cr, frame);
        cairo_restore(cr);
    }
    return canvas.SavePng(out.Graphics("OxM_PlayerChar.png"), eColorKey::None);
}

namespace
{
// A crow: the soldier's anatomy in dark plumage, smaller, with a pale beak and angry red eyes, drawn
// facing up and turned to fly down the screen.
void DrawCrow(cairo_t* cr, int frame)
{
    const tWingPose& pose = kPlayerPoses[frame == 0 ? 0 : 2];
    cairo_save(cr);
    cairo_rotate(cr, M_PI);
    cairo_scale(cr, 0.68, 0.68);
    DrawTail(cr, kCrowPlumage);
    cairo_save(cr);
    DrawWing(cr, kCrowPlumage, pose);
    cairo_scale(cr, -1.0, 1.0);
    DrawWing(cr, kCrowPlumage, pose);
    cairo_restore(cr);
    Ellipse(cr, 0.0, 2.0, 7.0, 11.0);
    FillAndStroke(cr, kCrowPlumage.feather, palette::kInk, 1.3);
    Ellipse(cr, -2.0, 0.0, 2.5, 6.0);
    SetSource(cr, WithAlpha(kCrowPlumage.primaryLight, 0.7));
    cairo_fill(cr);
    cairo_translate(cr, 0.0, -10.5);
    cairo_move_to(cr, -3.0, -3.0);
    cairo_curve_to(cr, -2.0, -8.0, -0.8, -11.0, 0.0, -13.0);
    cairo_curve_to(cr, 0.8, -11.0, 2.0, -8.0, 3.0, -3.0);
    cairo_close_path(cr);
    FillAndStroke(cr, Hex(0xCFC7B0), palette::kInk, 1.1);
    Circle(cr, 0.0, 0.0, 5.6);
    FillAndStroke(cr, kCrowPlumage.feather, palette::kInk, 1.3);
    Circle(cr, -3.4, -2.6, 1.5);
    Circle(cr, 3.4, -2.6, 1.5);
    SetSource(cr, Hex(0xF0503A));
    cairo_fill(cr);
    cairo_restore(cr);
}
} // namespace

bool WriteEnemyBirdSheet(const tOutput& out)
{
    CCanvas canvas(kBirdFrameWidth * kBirdFrames, kBirdFrameHeight);
    cairo_t* cr = canvas.Cr();
    for (int frame = 0; frame < kBirdFrames; ++frame)
    {
        cairo_save(cr);
        cairo_rectangle(cr, frame * kBirdFrameWidth, 0, kBirdFrameWidth, kBirdFrameHeight);
        cairo_clip(cr);
        cairo_translate(cr, frame * kBirdFrameWidth + kBirdFrameWidth / 2.0, 17.0);
        DrawCrow(cr, frame);
        cairo_restore(cr);
    }
    return canvas.SavePng(out.Graphics("OxM_EnemyBirds.png"), eColorKey::None);
}
} // namespace assetgen
