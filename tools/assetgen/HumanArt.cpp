#include "HumanArt.h"

#include "CCanvas.h"
#include "Palette.h"
#include "Shapes.h"

#include <cmath>

namespace assetgen
{
namespace
{
// Rotation that turns a figure drawn facing down the screen (+y) into each row's direction.
const double kRowAngles[4] = {0.0, M_PI / 2.0, -M_PI / 2.0, M_PI};

// How far the left foot is ahead in each frame of the cycle (the right foot mirrors it). Frames 1 and 3
// are the passing positions, each with the other foot slightly ahead, so no two frames are alike.
const double kStride[kHumanFramesPerRow] = {1.0, 0.3, -1.0, -0.3};

const tColor kSkins[] = {Hex(0xF1C7A0), Hex(0xE0AC80), Hex(0xC48A5A), Hex(0x9A6440), Hex(0x6E4429)};
const tColor kHairs[] = {Hex(0x2B2018), Hex(0x5A3A1E), Hex(0xA0622D),
                         Hex(0xD9B05A), Hex(0x9A9A9A), Hex(0xC0452A)};
const tColor kShirts[] = {Hex(0xD9463B), Hex(0x3B7DD8), Hex(0xF2C33D), Hex(0x8E4FC9),
                          Hex(0xF08A2E), Hex(0xEDE6D3), Hex(0xE86FA6), Hex(0x2FB3A6),
                          Hex(0x9BD14A), Hex(0x2A5DA8), Hex(0xB8322E), Hex(0xF5EE8A)};
const tColor kPants[] = {Hex(0x3A4A6B), Hex(0x5B4632), Hex(0x2E2E34), Hex(0x7A7F6A), Hex(0x8A3A3A)};
const tColor kHats[] = {Hex(0xD9463B), Hex(0x3B7DD8), Hex(0xF2C33D), Hex(0x2FB3A6), Hex(0xEDE6D3)};
const tColor kShoe = Hex(0x3A2A20);
const tColor kStraw = Hex(0xE8C872);
const tColor kRock = Hex(0x9A958C);

enum class eHair
{
    Short,
    Long,
    Ponytail,
    Bun,
    Bald,
    Cap,
    StrawHat,
    Beanie,
    Count
};

struct tPerson
{
    tColor skin;
    tColor hair;
    tColor shirt;
    tColor sleeve;
    tColor pants;
    tColor hat;
    eHair hairStyle = eHair::Short;
    bool backpack = false;
    tColor pack;
    bool rock = false;  // the rock thrower's stone
    bool rifle = false; // the hunter's gun
};

constexpr double kOutline = 1.0;
// Figures are modelled about 16 pixels across the shoulders and drawn a little larger.
constexpr double kFigureScale = 1.18;
constexpr double kSwimmerScale = 0.92;

template <typename T, size_t N>
const T& Pick(const T (&list)[N], int index)
{
    return list[static_cast<size_t>(index) % N];
}

// Walker look for variants 2..58: every variant a different mix of the lists above.
tPerson Walker(int variant)
{
    const int v = variant - 2;
    tPerson person;
    person.skin = Pick(kSkins, v * 3 + v / 7);
    person.hair = Pick(kHairs, v * 7 + 1);
    person.shirt = Pick(kShirts, v);
    person.sleeve = person.shirt;
    person.pants = Pick(kPants, v * 11 + 2);
    person.hat = Pick(kHats, v * 3 + 1);
    person.hairStyle = static_cast<eHair>((v * 5 + v / 12) % static_cast<int>(eHair::Count));
    person.backpack = (v % 4) == 1;
    person.pack = Pick(kPants, v + 3);
    return person;
}

tPerson RockThrower()
{
    tPerson person;
    person.skin = kSkins[2];
    person.hair = kHairs[0];
    person.shirt = Hex(0x8A6E52);
    person.sleeve = Hex(0x8A6E52);
    person.pants = kPants[1];
    person.hat = palette::kRed;
    person.hairStyle = eHair::Short;
    person.rock = true;
    return person;
}

tPerson Hunter()
{
    tPerson person;
    person.skin = kSkins[1];
    person.hair = kHairs[1];
    person.shirt = Hex(0xE8742A); // safety vest
    person.sleeve = Hex(0x4E6B3A);
    person.pants = Hex(0x5E5A3A);
    person.hat = Hex(0x7A5634);
    person.hairStyle = eHair::StrawHat;
    person.rifle = true;
    return person;
}

tPerson PersonFor(int variant)
{
    if (variant == 0)
        return RockThrower();
    if (variant == 1)
        return Hunter();
    return Walker(variant);
}

// A rounded limb; `outlined` false for parts seen through the water.
void Capsule(cairo_t* cr, double x0, double y0, double x1, double y1, double width, const tColor& fill,
             bool outlined = true)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    if (outlined)
    {
        SetSource(cr, palette::kInk);
        cairo_set_line_width(cr, width + 2.0 * kOutline);
        cairo_stroke_preserve(cr);
    }
    SetSource(cr, fill);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void DrawLegs(cairo_t* cr, const tPerson& person, double stride)
{
    for (int side = -1; side <= 1; side += 2)
    {
        const double x = side * 2.8;
        const double foot = -side * stride * 5.5; // left (side -1) forward when stride > 0
        Capsule(cr, x, 0.0, x, foot, 3.4, person.pants);
        Ellipse(cr, x, foot + (foot >= 0 ? 1.2 : -1.2), 1.9, 2.3);
        FillAndStroke(cr, kShoe, palette::kInk, kOutline);
    }
}

void DrawArms(cairo_t* cr, const tPerson& person, double stride, int frame)
{
    for (int side = -1; side <= 1; side += 2)
    {
        const double x = side * 7.6;
        double hand = side * stride * 4.2; // arms swing against the legs
        double handX = x + side * 0.8;
        if (person.rock)
        {
            // Both hands hold the stone, swinging it from behind the head to the front.
            const double swing[kHumanFramesPerRow] = {5.5, 1.0, -4.0, 1.5};
            hand = swing[frame];
            handX = side * 3.0;
        }
        else if (person.rifle)
        {
            const double aim[kHumanFramesPerRow] = {6.0, 6.5, 6.0, 5.5};
            hand = aim[frame] - (side < 0 ? 2.5 : 0.0);
            handX = side < 0 ? -1.5 : 3.5;
        }
        Capsule(cr, x, 0.0, handX, hand, 3.2, person.sleeve);
        Circle(cr, handX, hand + (hand >= 0 ? 0.8 : -0.8), 1.6);
        FillAndStroke(cr, person.skin, palette::kInk, kOutline);
    }
}

void DrawTorso(cairo_t* cr, const tPerson& person)
{
    if (person.backpack)
    {
        RoundedRect(cr, -4.5, -7.0, 9.0, 6.0, 1.8);
        FillAndStroke(cr, person.pack, palette::kInk, kOutline);
    }
    Ellipse(cr, 0.0, 0.0, 8.2, 4.4);
    FillAndStroke(cr, person.shirt, palette::kInk, kOutline);
    // Shoulder light: the sun is up and to the left for every figure.
    Ellipse(cr, -2.5, -1.4, 3.5, 1.4);
    SetSource(cr, WithAlpha(Shade(person.shirt, 0.45), 0.55));
    cairo_fill(cr);
    if (person.rifle)
    {
        // Hunter's vest stripe.
        cairo_rectangle(cr, -7.0, -0.6, 14.0, 1.3);
        SetSource(cr, Hex(0xF3E46A));
        cairo_fill(cr);
    }
}

void DrawHead(cairo_t* cr, const tPerson& person)
{
    const double headY = 0.8;
    if (person.hairStyle == eHair::Long)
    {
        Ellipse(cr, 0.0, headY - 2.8, 4.6, 5.6);
        FillAndStroke(cr, person.hair, palette::kInk, kOutline);
    }
    if (person.hairStyle == eHair::Ponytail)
    {
        Ellipse(cr, 0.0, headY - 5.8, 1.8, 2.6);
        FillAndStroke(cr, person.hair, palette::kInk, kOutline);
    }
    Circle(cr, 0.0, headY, 4.5);
    FillAndStroke(cr, person.skin, palette::kInk, kOutline);
    switch (person.hairStyle)
    {
    case eHair::Bald:
        Ellipse(cr, -1.3, headY - 1.3, 1.6, 1.2);
        SetSource(cr, WithAlpha(Shade(person.skin, 0.5), 0.8));
        cairo_fill(cr);
        break;
    case eHair::Cap:
        Ellipse(cr, 0.0, headY + 3.6, 3.4, 2.0); // visor over the face
        FillAndStroke(cr, Shade(person.hat, -0.25), palette::kInk, kOutline);
        Circle(cr, 0.0, headY - 0.4, 4.3);
        FillAndStroke(cr, person.hat, palette::kInk, kOutline);
        Circle(cr, 0.0, headY - 0.4, 0.9);
        SetSource(cr, Shade(person.hat, -0.35));
        cairo_fill(cr);
        break;
    case eHair::StrawHat:
    {
        const tColor brim = person.rifle ? person.hat : kStraw;
        Circle(cr, 0.0, headY - 0.2, person.rifle ? 5.9 : 7.0);
        FillAndStroke(cr, brim, palette::kInk, kOutline);
        Circle(cr, 0.0, headY - 0.2, 4.0);
        FillAndStroke(cr, Shade(brim, -0.15), Shade(brim, -0.45), 1.0);
        Circle(cr, 0.0, headY - 0.2, 4.0);
        SetSource(cr, person.rifle ? Hex(0x3E2C1A) : palette::kRed);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        break;
    }
    case eHair::Beanie:
        Circle(cr, 0.0, headY - 0.6, 4.4);
        FillAndStroke(cr, person.hat, palette::kInk, kOutline);
        Circle(cr, 0.0, headY - 0.9, 1.6);
        FillAndStroke(cr, Shade(person.hat, 0.4), palette::kInk, 0.8);
        break;
    default:
        // Hair over the crown and the back of the head; the face shows at the front (+y).
        cairo_save(cr);
        Circle(cr, 0.0, headY, 4.5);
        cairo_clip(cr);
        Ellipse(cr, 0.0, headY - 1.6, 5.2, 4.6);
        SetSource(cr, person.hair);
        cairo_fill(cr);
        Ellipse(cr, -1.4, headY - 2.0, 1.8, 1.2);
        SetSource(cr, WithAlpha(Shade(person.hair, 0.4), 0.7));
        cairo_fill(cr);
        cairo_restore(cr);
        Circle(cr, 0.0, headY, 4.5);
        SetSource(cr, palette::kInk);
        cairo_set_line_width(cr, kOutline);
        cairo_stroke(cr);
        if (person.hairStyle == eHair::Bun)
        {
            Circle(cr, 0.0, headY - 2.2, 2.0);
            FillAndStroke(cr, Shade(person.hair, 0.15), palette::kInk, kOutline);
        }
        if (person.rock)
        {
            // Headband across the brow, its knot trailing behind.
            cairo_arc(cr, 0.0, headY, 3.6, 0.15 * M_PI, 0.85 * M_PI);
            SetSource(cr, person.hat);
            cairo_set_line_width(cr, 1.6);
            cairo_stroke(cr);
            cairo_move_to(cr, 0.0, headY - 4.0);
            cairo_line_to(cr, 1.5, headY - 7.0);
            cairo_set_line_width(cr, 1.4);
            cairo_stroke(cr);
        }
        break;
    }
}

void DrawRock(cairo_t* cr, int frame)
{
    const double positions[kHumanFramesPerRow] = {8.0, 3.0, -5.5, 3.5};
    const double y = positions[frame];
    cairo_move_to(cr, -3.0, y - 1.0);
    cairo_line_to(cr, -1.0, y - 3.0);
    cairo_line_to(cr, 2.5, y - 2.5);
    cairo_line_to(cr, 3.2, y + 0.5);
    cairo_line_to(cr, 1.0, y + 2.8);
    cairo_line_to(cr, -2.5, y + 2.0);
    cairo_close_path(cr);
    FillAndStroke(cr, kRock, palette::kInk, kOutline);
    Circle(cr, -0.6, y - 1.0, 0.9);
    SetSource(cr, Shade(kRock, 0.5));
    cairo_fill(cr);
}

void DrawRifle(cairo_t* cr, int frame)
{
    const double sway = (frame % 2 == 0) ? 0.0 : 0.4;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 2.5 + sway, -2.0);
    cairo_line_to(cr, 1.0 + sway, 12.5);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke_preserve(cr);
    SetSource(cr, Hex(0x5A4030));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_move_to(cr, 1.8 + sway, 6.0);
    cairo_line_to(cr, 1.0 + sway, 12.5);
    SetSource(cr, Hex(0x6C6F78));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// One 32 x 32 frame with its centre at the origin.
void DrawPerson(cairo_t* cr, const tPerson& person, int row, int frame)
{
    Ellipse(cr, 1.5, 2.5, 8.5, 6.5);
    SetSource(cr, WithAlpha(palette::kInk, 0.28));
    cairo_fill(cr);
    cairo_save(cr);
    cairo_rotate(cr, kRowAngles[row]);
    cairo_scale(cr, kFigureScale, kFigureScale);
    const double stride = (person.rock || person.rifle) ? 0.15 * kStride[frame] : kStride[frame];
    DrawLegs(cr, person, stride);
    if (person.rifle)
        DrawRifle(cr, frame);
    DrawArms(cr, person, stride, frame);
    DrawTorso(cr, person);
    DrawHead(cr, person);
    if (person.rock)
        DrawRock(cr, frame);
    cairo_restore(cr);
}

void DrawBlock(cairo_t* cr, double blockX, double blockY, int variant,
               void (*draw)(cairo_t*, int variant, int row, int frame))
{
    for (int row = 0; row < 4; ++row)
    {
        for (int frame = 0; frame < kHumanFramesPerRow; ++frame)
        {
            const double x = blockX + frame * kHumanFrame;
            const double y = blockY + row * kHumanFrame;
            cairo_save(cr);
            cairo_rectangle(cr, x, y, kHumanFrame, kHumanFrame);
            cairo_clip(cr);
            cairo_translate(cr, x + kHumanFrame / 2.0, y + kHumanFrame / 2.0);
            draw(cr, variant, row, frame);
            cairo_restore(cr);
        }
    }
}

void DrawEnemyFrame(cairo_t* cr, int variant, int row, int frame)
{
    DrawPerson(cr, PersonFor(variant), row, frame);
}

// ---- Swimmers ----

const tColor kFoam = Hex(0xEAF4F6);
const tColor kCaps[kSwimmerVariants] = {Hex(0xE04A3A), Hex(0xF2C33D), Hex(0xF08A2E), Hex(0x9BD14A)};

// Skin seen through the water: tinted and half transparent, without an outline.
tColor Submerged(const tColor& skin)
{
    return WithAlpha(Mix(skin, Hex(0x7FB8C8), 0.45), 0.55);
}

void DrawWake(cairo_t* cr, int frame)
{
    // Ripples behind the swimmer; they step backwards frame by frame.
    const double shift = frame * 0.9;
    SetSource(cr, WithAlpha(kFoam, 0.55));
    cairo_set_line_width(cr, 1.2);
    for (int i = 0; i < 2; ++i)
    {
        const double y = -7.0 - i * 4.0 - shift;
        const double w = 6.0 + i * 2.5 + shift * 0.6;
        cairo_move_to(cr, -w, y - 2.0);
        cairo_curve_to(cr, -w * 0.5, y + 1.5, w * 0.5, y + 1.5, w, y - 2.0);
        cairo_stroke(cr);
    }
}

void DrawUnderwaterBody(cairo_t* cr, const tColor& skin, int frame)
{
    const tColor tinted = Submerged(skin);
    Ellipse(cr, 0.0, -4.0, 4.6, 7.5);
    SetSource(cr, tinted);
    cairo_fill(cr);
    // Kicking feet, alternating, with splashes.
    for (int side = -1; side <= 1; side += 2)
    {
        const bool up = ((frame + (side > 0 ? 1 : 0)) % 2) == 0;
        Ellipse(cr, side * 2.0, -12.0 - (up ? 1.5 : 0.0), 1.4, 2.6);
        SetSource(cr, tinted);
        cairo_fill(cr);
        if (up)
        {
            Circle(cr, side * 2.2, -14.5, 1.6);
            SetSource(cr, WithAlpha(kFoam, 0.85));
            cairo_fill(cr);
        }
    }
}

// Front crawl: an arm reaches forward over the head, pulls down the side under water, and swings back
// over the water, bent, to reach forward again.
void DrawSwimArm(cairo_t* cr, const tColor& skin, int side, int phase)
{
    const double sx = side * 5.0;
    switch (phase)
    {
    case 0: // reaching forward, hand entering the water
        Capsule(cr, sx, 0.0, side * 2.5, 10.5, 2.6, skin);
        Circle(cr, side * 2.5, 12.0, 2.2);
        SetSource(cr, WithAlpha(kFoam, 0.9));
        cairo_fill(cr);
        break;
    case 1: // pulling under the water
        Capsule(cr, sx, 0.0, side * 6.5, -6.0, 2.4, Submerged(skin), false);
        break;
    case 2: // pushed back along the body
        Capsule(cr, sx, 0.0, side * 5.0, -9.0, 2.4, Submerged(skin), false);
        break;
    default: // recovering above the water, elbow high and out
        Capsule(cr, sx, 0.0, side * 10.0, 1.5, 2.8, skin);
        Capsule(cr, side * 10.0, 1.5, side * 7.5, 6.0, 2.6, skin);
        break;
    }
}

void DrawSwimRing(cairo_t* cr)
{
    Circle(cr, 0.0, -1.0, 8.5);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 5.4);
    cairo_stroke(cr);
    for (int i = 0; i < 8; ++i)
    {
        cairo_arc(cr, 0.0, -1.0, 8.5, i * M_PI / 4.0, (i + 1) * M_PI / 4.0);
        SetSource(cr, i % 2 == 0 ? Hex(0xE86FA6) : Hex(0xF6EEF0));
        cairo_set_line_width(cr, 3.6);
        cairo_stroke(cr);
    }
}

void DrawSwimmerFrame(cairo_t* cr, int variant, int row, int frame)
{
    const tColor skin = kSkins[(variant * 2 + 1) % 5];
    Circle(cr, 0.0, 0.0, 11.5);
    SetSource(cr, WithAlpha(Hex(0x1D435C), 0.22));
    cairo_fill(cr);
    cairo_save(cr);
    cairo_rotate(cr, kRowAngles[row]);
    // A swimmer is longer than a walker (arms reach past the head, feet kick behind): drawn smaller so
    // the kicks and the wake stay inside the 32 x 32 frame.
    cairo_scale(cr, kSwimmerScale, kSwimmerScale);
    DrawWake(cr, frame);
    if (variant == 3)
    {
        // Floating in a ring, paddling with both hands at the sides.
        DrawUnderwaterBody(cr, skin, frame);
        DrawSwimRing(cr);
        const double paddle = (frame % 2 == 0) ? 2.0 : -2.0;
        Capsule(cr, -6.0, 0.0, -10.5, 4.0 + paddle, 2.6, skin);
        Capsule(cr, 6.0, 0.0, 10.5, 4.0 - paddle, 2.6, skin);
        Circle(cr, -11.0, 5.5 + paddle, 1.8);
        Circle(cr, 11.0, 5.5 - paddle, 1.8);
        SetSource(cr, WithAlpha(kFoam, 0.85));
        cairo_fill(cr);
    }
    else
    {
        DrawUnderwaterBody(cr, skin, frame);
        // Left and right arms half a cycle apart.
        DrawSwimArm(cr, skin, -1, frame);
        DrawSwimArm(cr, skin, 1, (frame + 2) % 4);
    }
    // Shoulders just breaking the surface.
    Ellipse(cr, 0.0, 0.0, 5.8, 2.8);
    FillAndStroke(cr, skin, palette::kInk, kOutline);
    // Head with a swimming cap; goggles strap across it.
    Circle(cr, 0.0, 2.0, 4.2);
    FillAndStroke(cr, kCaps[variant], palette::kInk, kOutline);
    Ellipse(cr, -1.2, 0.8, 1.5, 1.1);
    SetSource(cr, WithAlpha(Shade(kCaps[variant], 0.5), 0.8));
    cairo_fill(cr);
    cairo_move_to(cr, -4.0, 3.2);
    cairo_line_to(cr, 4.0, 3.2);
    SetSource(cr, palette::kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    if (variant == 2)
    {
        // Snorkel tube beside the head.
        Capsule(cr, 3.5, 3.5, 5.5, -3.0, 1.6, Hex(0x3FC0E0));
    }
    cairo_restore(cr);
}
} // namespace

bool WriteEnemySheet(const tOutput& out)
{
    const int rows = (kEnemyVariants + kEnemyBlocksPerRow - 1) / kEnemyBlocksPerRow;
    CCanvas canvas(kEnemyBlocksPerRow * kHumanBlock, rows * kHumanBlock);
    cairo_t* cr = canvas.Cr();
    for (int variant = 0; variant < kEnemyVariants; ++variant)
    {
        DrawBlock(cr, (variant % kEnemyBlocksPerRow) * kHumanBlock,
                  (variant / kEnemyBlocksPerRow) * kHumanBlock, variant, DrawEnemyFrame);
    }
    return canvas.SavePng(out.Graphics("OxM_EnemyChar.png"), eColorKey::None);
}

bool WriteSwimmerSheet(const tOutput& out)
{
    const int rows = (kSwimmerVariants + kSwimmerBlocksPerRow - 1) / kSwimmerBlocksPerRow;
    CCanvas canvas(kSwimmerBlocksPerRow * kHumanBlock, rows * kHumanBlock);
    cairo_t* cr = canvas.Cr();
    for (int variant = 0; variant < kSwimmerVariants; ++variant)
    {
        DrawBlock(cr, (variant % kSwimmerBlocksPerRow) * kHumanBlock,
                  (variant / kSwimmerBlocksPerRow) * kHumanBlock, variant, DrawSwimmerFrame);
    }
    return canvas.SavePng(out.Graphics("OxM_EnemySwimmers.png"), eColorKey::None);
}
} // namespace assetgen
