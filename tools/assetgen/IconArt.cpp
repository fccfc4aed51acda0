#include "IconArt.h"

#include "BirdArt.h"
#include "CCanvas.h"
#include "Palette.h"
#include "Shapes.h"

#include <cairo-svg.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace assetgen
{
namespace
{
// The icon is designed on a 64-unit square.
constexpr double kDesign = 64.0;
// Below this many pixels the whole soldier is too small to read.
constexpr double kWholeBirdFrom = 48.0;
// The scalable icon's nominal size.
constexpr int kSvgSize = 256;

void DrawBadge(cairo_t* cr)
{
    RoundedRect(cr, 2.0, 2.0, 60.0, 60.0, 13.0);
    FillVertical(cr, palette::kNavyLight, palette::kNavyDeep);
    SetSource(cr, palette::kCopper);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    // A low dusk glow behind the bird, as on the menu screens' horizon.
    cairo_save(cr);
    RoundedRect(cr, 3.25, 3.25, 57.5, 57.5, 11.75);
    cairo_clip(cr);
    Ellipse(cr, 32.0, 62.0, 34.0, 16.0);
    FillRadial(cr, 32.0, 62.0, 34.0, WithAlpha(palette::kDusk, 0.55), WithAlpha(palette::kDusk, 0.0));
    cairo_new_path(cr);
    cairo_restore(cr);
}

// The soldier with spread wings fills the badge (its sprite is 62 x 53 around the body's centre).
void DrawWholeBird(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 32.0, 33.5);
    cairo_scale(cr, 0.92, 0.92);
    DrawSoldier(cr, 0);
    cairo_restore(cr);
}

// The helmeted head with its beak spans y -13 to 7.2 and x -6.2 to 6.2 around its centre.
void DrawHead(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 32.0, 38.5);
    cairo_scale(cr, 2.35, 2.35);
    DrawSoldierHead(cr);
    cairo_restore(cr);
}

bool WritePng(const std::string& path, int size)
{
    CCanvas canvas(size, size);
    DrawIcon(canvas.Cr(), size);
    return canvas.SavePng(path, eColorKey::None);
}

bool WriteSvg(const std::string& path)
{
    cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), kSvgSize, kSvgSize);
    cairo_svg_surface_restrict_to_version(surface, CAIRO_SVG_VERSION_1_1);
    // Sized in pixels, not Cairo's default points, so that the icon's nominal size is 256.
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    DrawIcon(cr, kSvgSize);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

bool MakeFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        std::fprintf(stderr, "assetgen: cannot create %s: %s\n", folder.c_str(), error.message().c_str());
    return !error;
}
} // namespace

const std::vector<int>& IconSizes()
{
    static const std::vector<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

void DrawIcon(cairo_t* cr, double size)
{
    cairo_save(cr);
    cairo_scale(cr, size / kDesign, size / kDesign);
    DrawBadge(cr);
    if (size >= kWholeBirdFrom)
        DrawWholeBird(cr);
    else
        DrawHead(cr);
    cairo_restore(cr);
}

bool WriteWindowIcon(const tOutput& out)
{
    return WritePng(out.Graphics("OxM_WindowIcon.png"), WINDOW_ICON_SIZE);
}

bool WriteIcons(const std::string& folder, const std::string& name)
{
    bool ok = true;
    for (int size : IconSizes())
    {
        const std::string apps =
            folder + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        ok = MakeFolder(apps) && WritePng(apps + "/" + name + ".png", size) && ok;
    }
    const std::string scalable = folder + "/hicolor/scalable/apps";
    return MakeFolder(scalable) && WriteSvg(scalable + "/" + name + ".svg") && ok;
}
} // namespace assetgen
