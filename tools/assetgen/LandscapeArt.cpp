#include "LandscapeArt.h"

#include "CCanvas.h"
#include "CRandom.h"
#include "CValueNoise.h"
#include "Palette.h"
#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace assetgen
{
namespace
{
uint32_t PackOpaque(const tColor& color)
{
    auto channel = [](double v)
    { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
    return 0xFF000000u | (channel(color.r) << 16) | (channel(color.g) << 8) | channel(color.b);
}

// Fills every pixel from a colour function of (x, y).
void PaintPixels(CCanvas& canvas, const std::function<tColor(int, int)>& colorAt)
{
    canvas.Flush();
    for (int y = 0; y < canvas.Height(); ++y)
    {
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.Width(); ++x)
            row[x] = PackOpaque(colorAt(x, y));
    }
    canvas.MarkDirty();
}

// Ground of two or three tones blended by smooth noise, with fine grain.
void PaintGround(CCanvas& canvas, uint64_t seed, const tColor& low, const tColor& mid, const tColor& high)
{
    const CValueNoise broad(seed);
    const CValueNoise grain(seed + 1);
    PaintPixels(canvas,
                [&](int x, int y)
                {
                    const double n = broad.Fractal(x / 170.0, y / 170.0, 4);
                    const double g = grain.Value(x / 2.5, y / 2.5) * 0.025;
                    tColor c = n < 0.0 ? Mix(mid, low, std::min(1.0, -n * 1.8))
                                       : Mix(mid, high, std::min(1.0, n * 1.8));
                    return Shade(c, g);
                });
}

// A path down the whole level: its centre x for each y.
struct tPath
{
    double base;
    double amplitude1, period1, phase1;
    double amplitude2, period2, phase2;

    double X(double y) const
    {
        return base + amplitude1 * std::sin(y / period1 + phase1) +
               amplitude2 * std::sin(y / period2 + phase2);
    }
};

void StrokePath(cairo_t* cr, const tPath& path, double width, const tColor& color)
{
    cairo_move_to(cr, path.X(-20.0), -20.0);
    for (double y = -20.0; y <= kLevelHeight + 20.0; y += 6.0)
        cairo_line_to(cr, path.X(y), y);
    SetSource(cr, color);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A dirt road with darker verges and worn wheel tracks.
void DrawRoad(cairo_t* cr, const tPath& path, double width, const tColor& dirt)
{
    StrokePath(cr, path, width + 6.0, WithAlpha(Shade(dirt, -0.3), 0.5));
    StrokePath(cr, path, width, dirt);
    for (int side = -1; side <= 1; side += 2)
    {
        tPath track = path;
        track.base += side * width * 0.22;
        StrokePath(cr, track, 2.5, WithAlpha(Shade(dirt, -0.12), 0.8));
    }
}

// Keeps decorations apart: circles that must not overlap, and paths to keep clear of.
class CLayout
{
public:
    void AddPath(const tPath& path, double halfWidth) { m_paths.push_back({path, halfWidth}); }
    void AddDisc(double x, double y, double r) { m_discs.push_back({x, y, r}); }

    bool IsFree(double x, double y, double r) const
    {
        for (const auto& p : m_paths)
        {
            if (std::fabs(p.path.X(y) - x) < p.halfWidth + r)
                return false;
        }
        for (const auto& d : m_discs)
        {
            const double dx = d.x - x;
            const double dy = d.y - y;
            if (dx * dx + dy * dy < (d.r + r) * (d.r + r))
                return false;
        }
        return true;
    }

private:
    struct tKeptPath
    {
        tPath path;
        double halfWidth;
    };
    struct tDisc
    {
        double x, y, r;
    };
    std::vector<tKeptPath> m_paths;
    std::vector<tDisc> m_discs;
};

// A tree from above: soft shadow to the lower right, a canopy of overlapping lobes, a light top-left.
void DrawTree(cairo_t* cr, CRandom& random, double x, double y, double r, const tColor& leaf)
{
    Circle(cr, x + r * 0.35, y + r * 0.45, r * 1.02);
    SetSource(cr, WithAlpha(Hex(0x1A2414), 0.28));
    cairo_fill(cr);
    const tColor dark = Shade(leaf, -0.22);
    for (int i = 0; i < 5; ++i)
    {
        const double a = i * 1.2566 + random.Range(-0.3, 0.3);
        Circle(cr, x + std::cos(a) * r * 0.45, y + std::sin(a) * r * 0.45, r * random.Range(0.5, 0.62));
    }
    SetSource(cr, dark);
    cairo_fill(cr);
    Circle(cr, x - r * 0.12, y - r * 0.12, r * 0.62);
    SetSource(cr, leaf);
    cairo_fill(cr);
    Circle(cr, x - r * 0.28, y - r * 0.3, r * 0.3);
    SetSource(cr, WithAlpha(Shade(leaf, 0.18), 0.8));
    cairo_fill(cr);
}

// A house from above: pitched roof split along the ridge, with a shadow.
void DrawHouse(cairo_t* cr, double x, double y, double w, double h, double angle, const tColor& roof)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_rectangle(cr, -w / 2.0 + 3.0, -h / 2.0 + 4.0, w, h);
    SetSource(cr, WithAlpha(Hex(0x1A1814), 0.3));
    cairo_fill(cr);
    cairo_rectangle(cr, -w / 2.0, -h / 2.0, w, h / 2.0);
    SetSource(cr, Shade(roof, 0.08));
    cairo_fill(cr);
    cairo_rectangle(cr, -w / 2.0, 0.0, w, h / 2.0);
    SetSource(cr, Shade(roof, -0.15));
    cairo_fill(cr);
    cairo_move_to(cr, -w / 2.0, 0.0);
    cairo_line_to(cr, w / 2.0, 0.0);
    SetSource(cr, Shade(roof, -0.3));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_rectangle(cr, -w / 2.0 + 0.5, -h / 2.0 + 0.5, w - 1.0, h - 1.0);
    SetSource(cr, WithAlpha(Shade(roof, -0.4), 0.6));
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawBoulder(cairo_t* cr, CRandom& random, double x, double y, double r, const tColor& stone)
{
    cairo_new_sub_path(cr);
    const int corners = 7;
    for (int i = 0; i < corners; ++i)
    {
        const double a = i * 2.0 * M_PI / corners;
        const double rr = r * random.Range(0.75, 1.1);
        cairo_line_to(cr, x + std::cos(a) * rr, y + std::sin(a) * rr);
    }
    cairo_close_path(cr);
    cairo_save(cr);
    cairo_translate(cr, r * 0.3, r * 0.35);
    SetSource(cr, WithAlpha(Hex(0x1A1814), 0.25));
    cairo_fill_preserve(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_new_sub_path(cr);
    for (int i = 0; i < corners; ++i)
    {
        const double a = i * 2.0 * M_PI / corners;
        const double rr = r * (0.85 + 0.15 * std::sin(i * 2.3));
        cairo_line_to(cr, x + std::cos(a) * rr, y + std::sin(a) * rr);
    }
    cairo_close_path(cr);
    SetSource(cr, stone);
    cairo_fill(cr);
    Circle(cr, x - r * 0.3, y - r * 0.3, r * 0.35);
    SetSource(cr, WithAlpha(Shade(stone, 0.2), 0.8));
    cairo_fill(cr);
}

// A patch of field rows, rotated, blended softly into the ground.
void DrawField(cairo_t* cr, double x, double y, double w, double h, double angle, const tColor& crop,
               bool rows)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    RoundedRect(cr, -w / 2.0, -h / 2.0, w, h, 6.0);
    SetSource(cr, WithAlpha(crop, 0.75));
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    if (rows)
    {
        SetSource(cr, WithAlpha(Shade(crop, -0.14), 0.6));
        cairo_set_line_width(cr, 2.0);
        for (double rx = -w / 2.0 + 3.0; rx < w / 2.0; rx += 6.0)
        {
            cairo_move_to(cr, rx, -h / 2.0);
            cairo_line_to(cr, rx, h / 2.0);
        }
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void DrawHedge(cairo_t* cr, CRandom& random, double x0, double y0, double x1, double y1, const tColor& leaf)
{
    const double length = std::hypot(x1 - x0, y1 - y0);
    const int bushes = static_cast<int>(length / 6.0);
    for (int i = 0; i <= bushes; ++i)
    {
        const double t = bushes == 0 ? 0.0 : i / static_cast<double>(bushes);
        const double x = x0 + (x1 - x0) * t;
        const double y = y0 + (y1 - y0) * t;
        Circle(cr, x + 1.5, y + 2.0, 4.0);
        SetSource(cr, WithAlpha(Hex(0x1A2414), 0.2));
        cairo_fill(cr);
        Circle(cr, x, y, random.Range(3.0, 4.5));
        SetSource(cr, Mix(leaf, Shade(leaf, -0.2), random.Uniform()));
        cairo_fill(cr);
    }
}

// Plank bridges wherever the road crosses the stream.
void DrawBridges(cairo_t* cr, const tPath& road, const tPath& stream)
{
    double previous = road.X(0.0) - stream.X(0.0);
    for (double y = 1.0; y < kLevelHeight; y += 1.0)
    {
        const double gap = road.X(y) - stream.X(y);
        if ((gap < 0.0) != (previous < 0.0))
        {
            const double x = road.X(y);
            const double slope = road.X(y + 1.0) - road.X(y - 1.0);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, -std::atan2(slope, 2.0));
            cairo_rectangle(cr, -15.0, -20.0, 30.0, 40.0);
            SetSource(cr, WithAlpha(Hex(0x1A1814), 0.3));
            cairo_fill(cr);
            for (int plank = 0; plank < 8; ++plank)
            {
                cairo_rectangle(cr, -13.0, -19.0 + plank * 5.0, 26.0, 4.2);
                SetSource(cr, plank % 2 == 0 ? Hex(0x8A6A4A) : Hex(0x7E6044));
                cairo_fill(cr);
            }
            cairo_restore(cr);
        }
        previous = gap;
    }
}

// Rows of fields in a loose grid, each rotated a little; hedges along some of their edges.
void DrawFarmland(cairo_t* cr, CRandom& random, double top, double bottom, const std::vector<tColor>& crops,
                  const tColor& hedge)
{
    for (double y = top; y < bottom; y += random.Range(110.0, 150.0))
    {
        for (double x = -30.0; x < kLevelWidth + 30.0; x += random.Range(120.0, 170.0))
        {
            if (random.Chance(0.25))
                continue;
            const double w = random.Range(80.0, 130.0);
            const double h = random.Range(70.0, 110.0);
            const double angle = random.Range(-0.12, 0.12);
            DrawField(cr, x + w / 2.0, y + h / 2.0, w, h, angle, crops[random.Next() % crops.size()],
                      random.Chance(0.7));
            if (random.Chance(0.5))
                DrawHedge(cr, random, x, y + h + 8.0, x + w, y + h + 8.0 + w * std::sin(angle), hedge);
        }
    }
}

// Up to `count` trees at random places between `top` and `bottom`, wherever the layout has room.
void ScatterTrees(cairo_t* cr, CRandom& random, CLayout& layout, int count, double top, double bottom,
                  const std::vector<tColor>& leaves, double minR, double maxR)
{
    for (int i = 0; i < count; ++i)
    {
        const double x = random.Range(0.0, kLevelWidth);
        const double y = random.Range(top, bottom);
        const double r = random.Range(minR, maxR);
        if (!layout.IsFree(x, y, r))
            continue;
        layout.AddDisc(x, y, r * 0.8);
        DrawTree(cr, random, x, y, r, leaves[random.Next() % leaves.size()]);
    }
}

void ScatterDots(cairo_t* cr, CRandom& random, int count, double top, double bottom, const tColor& color,
                 double radius)
{
    for (int i = 0; i < count; ++i)
    {
        Circle(cr, random.Range(0.0, kLevelWidth), random.Range(top, bottom),
               radius * random.Range(0.6, 1.2));
        SetSource(cr, color);
        cairo_fill(cr);
    }
}

// A pond with a muddy bank and a few reeds.
void DrawPond(cairo_t* cr, CRandom& random, double x, double y, double rx, double ry)
{
    Ellipse(cr, x, y, rx + 5.0, ry + 5.0);
    SetSource(cr, Hex(0x7A7452));
    cairo_fill(cr);
    Ellipse(cr, x, y, rx, ry);
    FillRadial(cr, x - rx * 0.2, y - ry * 0.2, std::max(rx, ry), Hex(0x6F9AA0), Hex(0x557E88));
    cairo_new_path(cr);
    for (int i = 0; i < 14; ++i)
    {
        const double a = random.Range(0.0, 2.0 * M_PI);
        const double px = x + std::cos(a) * (rx + 2.0);
        const double py = y + std::sin(a) * (ry + 2.0);
        cairo_move_to(cr, px, py);
        cairo_line_to(cr, px + random.Range(-2.0, 2.0), py - random.Range(4.0, 7.0));
    }
    SetSource(cr, Hex(0x4E6B38));
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
}
} // namespace

bool WriteLevel1(const tOutput& out)
{
    CCanvas canvas(kLevelWidth, kLevelHeight);
    cairo_t* cr = canvas.Cr();
    PaintGround(canvas, 101, Hex(0x5F7D45), Hex(0x6B8A4C), Hex(0x789653));
    CRandom random(102);
    const std::vector<tColor> crops = {Hex(0xA3A05E), Hex(0x86A058), Hex(0x8C7A55), Hex(0x9AAE62),
                                       Hex(0x7E9A50)};
    DrawFarmland(cr, random, 1150.0, 2048.0, crops, Hex(0x4F7039));
    DrawFarmland(cr, random, 0.0, 520.0, crops, Hex(0x4F7039));
    const tPath road{300.0, 130.0, 260.0, 0.6, 40.0, 90.0, 1.3};
    CLayout layout;
    layout.AddPath(road, 16.0);
    DrawRoad(cr, road, 22.0, Hex(0xAA9670));
    // A pond and a wood in the middle of the level.
    DrawPond(cr, random, 480.0, 900.0, 70.0, 42.0);
    layout.AddDisc(480.0, 900.0, 78.0);
    DrawPond(cr, random, 110.0, 1520.0, 40.0, 28.0);
    layout.AddDisc(110.0, 1520.0, 46.0);
    const std::vector<tColor> leaves = {Hex(0x4C7439), Hex(0x557E3E), Hex(0x48693A)};
    ScatterTrees(cr, random, layout, 420, 560.0, 1120.0, leaves, 9.0, 15.0);
    ScatterTrees(cr, random, layout, 90, 0.0, 2048.0, leaves, 8.0, 13.0);
    // A farmstead beside the road near the start and a hamlet near the end.
    const double farms[5][2] = {
        {1820.0, 70.0}, {1850.0, 105.0}, {330.0, 60.0}, {300.0, -70.0}, {360.0, 95.0}};
    for (const auto& farm : farms)
    {
        const double y = farm[0];
        const double x = road.X(y) + farm[1];
        DrawHouse(cr, x, y, random.Range(30.0, 40.0), random.Range(22.0, 28.0), random.Range(-0.2, 0.2),
                  random.Chance(0.5) ? Hex(0x9C6048) : Hex(0x8A6A52));
    }
    for (int i = 0; i < 40; ++i)
    {
        const double x = random.Range(0.0, kLevelWidth);
        const double y = random.Range(0.0, kLevelHeight);
        if (layout.IsFree(x, y, 5.0))
            DrawBoulder(cr, random, x, y, random.Range(3.0, 6.0), Hex(0x8F8C80));
    }
    ScatterDots(cr, random, 700, 0.0, kLevelHeight, WithAlpha(Hex(0xD9CF8A), 0.35), 1.2);
    ScatterDots(cr, random, 300, 0.0, kLevelHeight, WithAlpha(Hex(0xC98A8A), 0.3), 1.1);
    return canvas.SavePng(out.Graphics("OxM_Level1.png"), eColorKey::None);
}

bool WriteLevel2(const tOutput& out)
{
    CCanvas canvas(kLevelWidth, kLevelHeight);
    cairo_t* cr = canvas.Cr();
    PaintGround(canvas, 201, Hex(0x8C7E55), Hex(0x9A8B5E), Hex(0xA69868));
    CRandom random(202);
    const std::vector<tColor> crops = {Hex(0xB09A5E), Hex(0x9E7E50), Hex(0xA88E58), Hex(0x8E8A58)};
    DrawFarmland(cr, random, 1500.0, 2048.0, crops, Hex(0x7A6A3A));
    // A stream winding through the land: a pebbly bank and slow grey-blue water.
    const tPath stream{420.0, 160.0, 330.0, 2.0, 30.0, 70.0, 0.4};
    StrokePath(cr, stream, 26.0, WithAlpha(Hex(0x8C8064), 0.8));
    StrokePath(cr, stream, 14.0, Hex(0x6A8A8E));
    StrokePath(cr, stream, 4.0, WithAlpha(Hex(0x86A4A6), 0.7));
    const tPath road{250.0, 110.0, 300.0, 1.9, 35.0, 110.0, 0.2};
    CLayout layout;
    layout.AddPath(road, 16.0);
    layout.AddPath(stream, 16.0);
    DrawRoad(cr, road, 20.0, Hex(0xB59E74));
    DrawBridges(cr, road, stream);
    // Rocky outcrops.
    for (int i = 0; i < 26; ++i)
    {
        const double x = random.Range(0.0, kLevelWidth);
        const double y = random.Range(0.0, 1500.0);
        if (!layout.IsFree(x, y, 26.0))
            continue;
        layout.AddDisc(x, y, 26.0);
        for (int j = 0; j < 5; ++j)
        {
            DrawBoulder(cr, random, x + random.Range(-16.0, 16.0), y + random.Range(-12.0, 12.0),
                        random.Range(6.0, 13.0), Mix(Hex(0x8C8474), Hex(0x9C9282), random.Uniform()));
        }
    }
    // A village around a square, where the road passes.
    const double squareY = 760.0;
    const double squareX = road.X(squareY);
    Circle(cr, squareX, squareY, 46.0);
    SetSource(cr, Hex(0xB3A27A));
    cairo_fill(cr);
    Circle(cr, squareX, squareY, 7.0);
    SetSource(cr, Hex(0x7E8A90));
    cairo_fill(cr);
    layout.AddDisc(squareX, squareY, 52.0);
    const tColor roofs[3] = {Hex(0xA0583E), Hex(0x8E5E48), Hex(0x7E6A5C)};
    for (int i = 0; i < 26; ++i)
    {
        const double a = random.Range(0.0, 2.0 * M_PI);
        const double d = random.Range(70.0, 170.0);
        const double x = squareX + std::cos(a) * d;
        const double y = squareY + std::sin(a) * d * 1.4;
        if (!layout.IsFree(x, y, 16.0))
            continue;
        layout.AddDisc(x, y, 18.0);
        DrawHouse(cr, x, y, random.Range(26.0, 38.0), random.Range(20.0, 26.0),
                  a + M_PI / 2.0 + random.Range(-0.2, 0.2), roofs[random.Next() % 3]);
    }
    // Autumn leaves, kept dusky so the walkers' bright clothes stand out against them.
    const std::vector<tColor> autumn = {Hex(0x9A6E42), Hex(0x8A5E40), Hex(0x9C8848), Hex(0x76703E)};
    ScatterTrees(cr, random, layout, 160, 0.0, kLevelHeight, autumn, 8.0, 14.0);
    ScatterDots(cr, random, 900, 0.0, kLevelHeight, WithAlpha(Hex(0x6E6440), 0.3), 1.3);
    return canvas.SavePng(out.Graphics("OxM_Level2.png"), eColorKey::None);
}

namespace
{
// Where the beach meets the sea, as a y for each x (the sand lies below it). The beach is only a strip
// along the bottom of the first screen, so the swimmers coming in at either edge are in the water.
double Shoreline(double x)
{
    return 1985.0 + 16.0 * std::sin(x / 90.0 + 0.5) + 8.0 * std::sin(x / 31.0);
}

void DrawIslet(cairo_t* cr, CRandom& random, double x, double y, double r)
{
    Ellipse(cr, x, y, r * 1.9, r * 1.5);
    SetSource(cr, WithAlpha(Hex(0x7FB4B8), 0.45));
    cairo_fill(cr);
    Ellipse(cr, x, y, r * 1.25, r);
    SetSource(cr, WithAlpha(Hex(0xD8E8E6), 0.5));
    cairo_set_line_width(cr, 2.0);
    cairo_stroke_preserve(cr);
    SetSource(cr, Hex(0xBBA676));
    cairo_fill(cr);
    for (int i = 0; i < 3; ++i)
        DrawBoulder(cr, random, x + random.Range(-r * 0.5, r * 0.5), y + random.Range(-r * 0.4, r * 0.4),
                    r * random.Range(0.3, 0.45), Hex(0x8A8678));
    if (r > 14.0)
        DrawTree(cr, random, x + r * 0.2, y - r * 0.1, r * 0.55, Hex(0x5A7E42));
}
} // namespace

// Reefs and kelp seen through the water, faint so they stay behind the swimmers.
void DrawSeaFloor(cairo_t* cr, CRandom& random)
{
    for (int i = 0; i < 7; ++i)
    {
        const double x = random.Range(40.0, kLevelWidth - 40.0);
        const double y = random.Range(80.0, 1850.0);
        for (int lobe = 0; lobe < 6; ++lobe)
        {
            Ellipse(cr, x + random.Range(-40.0, 40.0), y + random.Range(-30.0, 30.0),
                    random.Range(18.0, 34.0), random.Range(12.0, 24.0));
        }
        SetSource(cr, WithAlpha(Hex(0x5E9EA6), 0.22));
        cairo_fill(cr);
        for (int spot = 0; spot < 10; ++spot)
        {
            Circle(cr, x + random.Range(-45.0, 45.0), y + random.Range(-30.0, 30.0), random.Range(2.0, 4.5));
            SetSource(cr, WithAlpha(Hex(0x35586A), 0.35));
            cairo_fill(cr);
        }
    }
    for (int i = 0; i < 10; ++i)
    {
        const double x = random.Range(20.0, kLevelWidth - 20.0);
        const double y = random.Range(60.0, 1850.0);
        for (int strand = 0; strand < 7; ++strand)
        {
            const double sx = x + random.Range(-22.0, 22.0);
            const double sy = y + random.Range(-14.0, 14.0);
            const double length = random.Range(14.0, 28.0);
            cairo_move_to(cr, sx, sy);
            cairo_curve_to(cr, sx + 5.0, sy + length * 0.33, sx - 5.0, sy + length * 0.66, sx + 2.0,
                           sy + length);
        }
        SetSource(cr, WithAlpha(Hex(0x2E5A4A), 0.4));
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
    }
}

// A buoy bobbing at anchor: red and cream with a ring of foam.
void DrawBuoy(cairo_t* cr, double x, double y)
{
    Circle(cr, x, y, 7.0);
    SetSource(cr, WithAlpha(Hex(0xDCEAEA), 0.45));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Circle(cr, x + 1.5, y + 2.0, 4.5);
    SetSource(cr, WithAlpha(Hex(0x15303C), 0.3));
    cairo_fill(cr);
    Circle(cr, x, y, 4.0);
    SetSource(cr, Hex(0xA85A4A));
    cairo_fill(cr);
    Circle(cr, x, y, 1.8);
    SetSource(cr, Hex(0xD8CDB4));
    cairo_fill(cr);
}

// A small moored sailing boat from above: hull, deck, furled sail along the boom.
void DrawBoat(cairo_t* cr, double x, double y, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0.0, -22.0);
    cairo_curve_to(cr, 9.0, -10.0, 9.0, 10.0, 6.0, 18.0);
    cairo_line_to(cr, -6.0, 18.0);
    cairo_curve_to(cr, -9.0, 10.0, -9.0, -10.0, 0.0, -22.0);
    cairo_close_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 3.0, 4.0);
    SetSource(cr, WithAlpha(Hex(0x15303C), 0.3));
    cairo_fill_preserve(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 0.0, -22.0);
    cairo_curve_to(cr, 9.0, -10.0, 9.0, 10.0, 6.0, 18.0);
    cairo_line_to(cr, -6.0, 18.0);
    cairo_curve_to(cr, -9.0, 10.0, -9.0, -10.0, 0.0, -22.0);
    cairo_close_path(cr);
    SetSource(cr, Hex(0xC9C2B0));
    cairo_fill(cr);
    RoundedRect(cr, -4.5, -8.0, 9.0, 22.0, 3.0);
    SetSource(cr, Hex(0x9C7E5C));
    cairo_fill(cr);
    cairo_move_to(cr, 0.0, -6.0);
    cairo_line_to(cr, 0.0, 14.0);
    SetSource(cr, Hex(0xB8B0A0));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

bool WriteLevel3(const tOutput& out)
{
    CCanvas canvas(kLevelWidth, kLevelHeight);
    cairo_t* cr = canvas.Cr();
    const CValueNoise depth(301);
    const CValueNoise ripple(302);
    const tColor deep = Hex(0x2F5F7C);
    const tColor sea = Hex(0x3A6F8C);
    const tColor shallow = Hex(0x4E8C9C);
    const tColor sand = Hex(0xC4AE7E);
    PaintPixels(canvas,
                [&](int x, int y)
                {
                    const double shore = Shoreline(x);
                    if (y > shore + 6.0)
                    {
                        const double n = depth.Fractal(x / 40.0, y / 40.0, 3) * 0.05;
                        return Shade(sand, n);
                    }
                    // Shallows near the beach fade into the open sea; broad noise gives deeper patches.
                    const double toShore = std::clamp((y - (shore - 260.0)) / 260.0, 0.0, 1.0);
                    const double n = depth.Fractal(x / 220.0, y / 220.0, 4);
                    tColor water =
                        n < 0.0 ? Mix(sea, deep, std::min(1.0, -n * 2.0)) : Mix(sea, Shade(sea, 0.06), n);
                    water = Mix(water, shallow, toShore * toShore);
                    const double r = ripple.Fractal(x / 14.0, y / 5.0, 2);
                    return Shade(water, r * 0.035);
                });
    CRandom random(303);
    // Foam along the water's edge and a wet band on the sand.
    cairo_move_to(cr, 0.0, Shoreline(0.0));
    for (double x = 0.0; x <= kLevelWidth; x += 4.0)
        cairo_line_to(cr, x, Shoreline(x) + 5.0);
    SetSource(cr, WithAlpha(Hex(0xA89468), 0.6));
    cairo_set_line_width(cr, 8.0);
    cairo_stroke(cr);
    for (int band = 0; band < 3; ++band)
    {
        cairo_move_to(cr, 0.0, Shoreline(0.0) - band * 14.0);
        for (double x = 0.0; x <= kLevelWidth; x += 4.0)
            cairo_line_to(cr, x, Shoreline(x) - band * 14.0 - 3.0 * std::sin(x / 13.0 + band));
        SetSource(cr, WithAlpha(Hex(0xE6F0EE), 0.55 - band * 0.16));
        cairo_set_line_width(cr, 3.0 - band * 0.7);
        cairo_stroke(cr);
    }
    // Beach things: a few pebbles and towels left on the sand.
    for (int i = 0; i < 10; ++i)
    {
        const double x = random.Range(10.0, kLevelWidth - 10.0);
        const double y = random.Range(Shoreline(x) + 20.0, kLevelHeight - 6.0);
        DrawBoulder(cr, random, x, y, random.Range(3.0, 7.0), Hex(0x9A9282));
    }
    const tColor towels[3] = {Hex(0xB86A5E), Hex(0x6A8AB0), Hex(0xC0A050)};
    for (int i = 0; i < 5; ++i)
    {
        const double x = 60.0 + i * 120.0 + random.Range(-20.0, 20.0);
        const double y = random.Range(Shoreline(x) + 22.0, kLevelHeight - 12.0);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, random.Range(-0.4, 0.4));
        cairo_rectangle(cr, -7.0, -10.0, 14.0, 20.0);
        SetSource(cr, WithAlpha(towels[i % 3], 0.8));
        cairo_fill(cr);
        cairo_restore(cr);
    }
    DrawSeaFloor(cr, random);
    // Islets out at sea, buoys and a few moored boats.
    const double islets[5][3] = {{130.0, 1180.0, 22.0},
                                 {520.0, 760.0, 16.0},
                                 {90.0, 420.0, 12.0},
                                 {470.0, 240.0, 26.0},
                                 {330.0, 1480.0, 10.0}};
    for (const auto& islet : islets)
        DrawIslet(cr, random, islet[0], islet[1], islet[2]);
    const double buoys[6][2] = {{200.0, 1850.0}, {560.0, 1700.0}, {60.0, 980.0},
                                {380.0, 600.0},  {250.0, 330.0},  {600.0, 120.0}};
    for (const auto& buoy : buoys)
        DrawBuoy(cr, buoy[0], buoy[1]);
    DrawBoat(cr, 560.0, 1300.0, 0.5);
    DrawBoat(cr, 80.0, 700.0, -0.3);
    DrawBoat(cr, 300.0, 60.0, 1.2);
    // Wave glints: short light strokes, sparse so the swimmers stay clear.
    for (int i = 0; i < 900; ++i)
    {
        const double x = random.Range(0.0, kLevelWidth);
        const double y = random.Range(0.0, kLevelHeight);
        if (y > Shoreline(x) - 20.0)
            continue;
        const double w = random.Range(4.0, 10.0);
        cairo_move_to(cr, x - w, y);
        cairo_curve_to(cr, x - w * 0.4, y - 2.0, x + w * 0.4, y - 2.0, x + w, y);
        SetSource(cr, WithAlpha(Hex(0xCFE6EE), random.Range(0.12, 0.3)));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    return canvas.SavePng(out.Graphics("OxM_Level3.png"), eColorKey::None);
}

bool WriteClouds(const tOutput& out)
{
    // Noise with a vertical period of the image's height, so the top row continues the bottom row.
    CCanvas canvas(kLevelWidth, kCloudsHeight);
    const int cell = 128;
    const CValueNoise shape(401, kLevelWidth / cell, kCloudsHeight / cell);
    const CValueNoise detail(402, kLevelWidth / 32, kCloudsHeight / 32);
    canvas.Flush();
    for (int y = 0; y < kCloudsHeight; ++y)
    {
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < kLevelWidth; ++x)
        {
            const double n = shape.Fractal(x / static_cast<double>(cell), y / static_cast<double>(cell), 3) +
                             0.25 * detail.Value(x / 32.0, y / 32.0);
            const double cover = std::clamp((n - 0.2) / 0.4, 0.0, 1.0);
            const double alpha = cover * cover * (3.0 - 2.0 * cover) * 0.6;
            // Undersides a little greyer than tops.
            const double light = 0.93 + 0.05 * std::clamp(n, -1.0, 1.0);
            const auto a = static_cast<uint32_t>(std::lround(alpha * 255.0));
            auto channel = [&](double v)
            { return static_cast<uint32_t>(std::lround(v * light * alpha * 255.0)); };
            row[x] = (a << 24) | (channel(0.97) << 16) | (channel(0.98) << 8) | channel(1.0);
        }
    }
    canvas.MarkDirty();
    return canvas.SavePng(out.Graphics("OxM_Clouds.png"), eColorKey::None);
}
} // namespace assetgen
