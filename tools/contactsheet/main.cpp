// contactsheet: one PNG for reviewing the game's art at a glance. The top part shows screenshots of
// the running game (the PNGs of a folder, as the screenshots tool writes them, captioned with their
// file names); below come the sprite sheets enlarged and every picture of Resource/Graphics at 1:1 on
// a checkerboard.
//
// usage: contactsheet <Resource folder> <output.png> [<screenshot folder>]
#include <SDL.h>
#include <SDL_image.h>
#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr uint32_t kWhiteKey = 0xFFFFFFFFu;
constexpr uint32_t kBlackKey = 0xFF000000u;

// The key each loader passes (the rest load with none).
const std::map<std::string, uint32_t> kKeys = {
    {"OxM_MainMenu.png", kWhiteKey},       {"OxM_OptionsSelection.png", kWhiteKey},
    {"OxM_HighScoresMenu.png", kWhiteKey}, {"OxM_Arrow.png", kWhiteKey},
    {"VKT_MenuCursor.png", kWhiteKey},     {"OxM_HunterBullet.bmp", kWhiteKey},
    {"OxM_Bubble.png", kBlackKey},         {"OxM_PlayerBullet.png", kBlackKey},
    {"OxM_ProjectileRock.png", kBlackKey},
};

struct tSurfaceDeleter
{
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using tImage = std::unique_ptr<cairo_surface_t, tSurfaceDeleter>;

// Decodes with SDL2_image like the game, turns the key colour transparent, and premultiplies for Cairo.
tImage LoadImage(const std::string& path, uint32_t key)
{
    SDL_Surface* decoded = IMG_Load(path.c_str());
    if (!decoded)
    {
        std::fprintf(stderr, "contactsheet: cannot load %s: %s\n", path.c_str(), IMG_GetError());
        return nullptr;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (!argb)
        return nullptr;
    tImage image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, argb->w, argb->h));
    cairo_surface_flush(image.get());
    unsigned char* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    for (int y = 0; y < argb->h; ++y)
    {
        const auto* in =
            reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(argb->pixels) + y * argb->pitch);
        auto* out = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < argb->w; ++x)
        {
            uint32_t p = in[x];
            if (key != 0 && p == key)
                p = 0;
            const uint32_t a = p >> 24;
            auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
            out[x] = (a << 24) | (pre((p >> 16) & 0xFF) << 16) | (pre((p >> 8) & 0xFF) << 8) | pre(p & 0xFF);
        }
    }
    cairo_surface_mark_dirty(image.get());
    SDL_FreeSurface(argb);
    return image;
}

class CLibrary
{
public:
    explicit CLibrary(std::string root) : m_root(std::move(root)) {}

    // The picture loaded with the key its loader uses.
    cairo_surface_t* Get(const std::string& name)
    {
        const uint32_t key = kKeys.count(name) ? kKeys.at(name) : 0u;
        auto found = m_cache.find(name);
        if (found == m_cache.end())
            found = m_cache.emplace(name, LoadImage(m_root + "/Graphics/" + name, key)).first;
        return found->second.get();
    }

private:
    std::string m_root;
    std::map<std::string, tImage> m_cache;
};

struct tRect
{
    int left, top, right, bottom;
};

// The game's DrawTexture: top-left at (x, y), scaled about that corner, nearest-neighbour.
void Draw(cairo_t* cr, cairo_surface_t* image, double x, double y, const tRect* source = nullptr,
          double scaleX = 1.0, double scaleY = 1.0)
{
    if (!image)
        return;
    const tRect whole{0, 0, cairo_image_surface_get_width(image), cairo_image_surface_get_height(image)};
    const tRect& src = source ? *source : whole;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scaleX, scaleY);
    cairo_rectangle(cr, 0, 0, src.right - src.left, src.bottom - src.top);
    cairo_clip(cr);
    cairo_set_source_surface(cr, image, -src.left, -src.top);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
}

// Captions use DejaVu Sans Bold straight from its file (no font configuration involved).
struct tCaptionFont
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    cairo_font_face_t* cairoFace = nullptr;

    tCaptionFont()
    {
        if (FT_Init_FreeType(&library) == 0 &&
            FT_New_Face(library, "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 0, &face) == 0)
            cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    }
    ~tCaptionFont()
    {
        if (cairoFace)
            cairo_font_face_destroy(cairoFace);
        cairo_debug_reset_static_data();
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

tCaptionFont* g_captionFont = nullptr;

void Caption(cairo_t* cr, const std::string& text, double x, double y, double size = 14.0)
{
    if (!g_captionFont || !g_captionFont->cairoFace)
        return;
    cairo_set_font_face(cr, g_captionFont->cairoFace);
    cairo_set_font_size(cr, size);
    cairo_set_source_rgb(cr, 0.92, 0.92, 0.92);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

void Checkerboard(cairo_t* cr, double x, double y, double w, double h)
{
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int cy = 0; cy * 8 < h; ++cy)
    {
        for (int cx = 0; cx * 8 < w; ++cx)
        {
            const double shade = ((cx + cy) % 2 == 0) ? 0.42 : 0.55;
            cairo_set_source_rgb(cr, shade, shade, shade + 0.04);
            cairo_rectangle(cr, x + cx * 8, y + cy * 8, 8, 8);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

// "07_controls" -> "07  controls": the number apart, underscores as spaces.
std::string CaptionOf(std::string stem)
{
    std::replace(stem.begin(), stem.end(), '_', ' ');
    const size_t number = stem.find(' ');
    if (number != std::string::npos)
        stem.insert(number, " ");
    return stem;
}

// The screenshots, sorted by file name, three to a row, each captioned with its name ("07_controls.png"
// reads "07  controls"). A picture larger than a screen is scaled down to fit one.
void ComposeScreenshots(cairo_t* cr, const std::string& folder, double originY, double* endY)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == ".png")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    const int columns = 3;
    size_t placed = 0;
    for (const std::filesystem::path& file : files)
    {
        tImage image = LoadImage(file.string(), 0);
        if (!image)
            continue;
        const double x = 20.0 + (placed % columns) * 660.0;
        const double y = originY + (placed / columns) * 520.0;
        ++placed;
        Caption(cr, CaptionOf(file.stem().string()), x, y + 18.0);
        const double w = cairo_image_surface_get_width(image.get());
        const double h = cairo_image_surface_get_height(image.get());
        const double scale = std::min({1.0, 640.0 / w, 480.0 / h});
        Draw(cr, image.get(), x, y + 28.0, nullptr, scale, scale);
    }
    *endY = originY + ((placed + columns - 1) / columns) * 520.0;
}

// Every picture at 1:1 on a checkerboard, laid out in rows; big sheets are scaled to fit.
void ComposeFiles(cairo_t* cr, CLibrary& library, const std::string& root, double originY, double width,
                  double* endY)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root + "/Graphics"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    double x = 20.0;
    double y = originY;
    double rowHeight = 0.0;
    for (const std::string& name : names)
    {
        cairo_surface_t* image = library.Get(name);
        if (!image)
            continue;
        const int w = cairo_image_surface_get_width(image);
        const int h = cairo_image_surface_get_height(image);
        const bool level =
            name.find("Level") != std::string::npos || name.find("Clouds") != std::string::npos;
        const double scale = level ? 0.5 : 1.0;
        const double shownW = std::max(w * scale, 150.0);
        if (x + shownW > width - 20.0)
        {
            x = 20.0;
            y += rowHeight + 40.0;
            rowHeight = 0.0;
        }
        char caption[160];
        std::snprintf(caption, sizeof caption, "%s %dx%d%s", name.c_str(), w, h, level ? " (shown 1:2)" : "");
        Caption(cr, caption, x, y + 14.0, 11.0);
        Checkerboard(cr, x, y + 20.0, w * scale, h * scale);
        Draw(cr, image, x, y + 20.0, nullptr, scale, scale);
        x += shownW + 24.0;
        rowHeight = std::max(rowHeight, h * scale + 20.0);
    }
    *endY = y + rowHeight + 40.0;
}

// Sprite sheets enlarged for a close look.
void ComposeZoomed(cairo_t* cr, CLibrary& library, double originY, double* endY)
{
    struct tZoom
    {
        const char* name;
        double scale;
        tRect part;
    };
    const tZoom zooms[] = {
        {"OxM_PlayerChar.png", 3.0, {0, 0, 248, 53}},    {"OxM_EnemyBirds.png", 3.0, {0, 0, 92, 34}},
        {"OxM_EnemyChar.png", 3.0, {0, 0, 512, 128}},    {"OxM_EnemySwimmers.png", 3.0, {0, 0, 256, 256}},
        {"OxM_Font2.png", 2.0, {0, 0, 320, 120}},        {"OxM_Font1.png", 4.0, {0, 0, 160, 60}},
        {"OxM_PlayerBullet.png", 4.0, {0, 0, 16, 32}},   {"OxM_HunterBullet.bmp", 4.0, {0, 0, 24, 26}},
        {"OxM_ProjectileRock.png", 4.0, {0, 0, 16, 16}}, {"OxM_Bubble.png", 3.0, {0, 0, 64, 64}},
        {"OxM_PowLife.png", 3.0, {0, 0, 46, 34}},        {"OxM_PowCharge.png", 3.0, {0, 0, 46, 34}},
        {"VKT_MenuCursor.png", 4.0, {0, 0, 24, 24}},     {"OxM_Arrow.png", 3.0, {0, 0, 32, 40}},
    };
    double x = 20.0;
    double y = originY;
    double rowHeight = 0.0;
    for (const tZoom& zoom : zooms)
    {
        const double w = (zoom.part.right - zoom.part.left) * zoom.scale;
        const double h = (zoom.part.bottom - zoom.part.top) * zoom.scale;
        if (x + w > 1980.0)
        {
            x = 20.0;
            y += rowHeight + 40.0;
            rowHeight = 0.0;
        }
        Caption(cr, std::string(zoom.name) + " x" + std::to_string(static_cast<int>(zoom.scale)), x, y + 14.0,
                11.0);
        cairo_rectangle(cr, x, y + 20.0, w, h);
        cairo_set_source_rgb(cr, 0.38, 0.5, 0.33);
        cairo_fill(cr);
        Draw(cr, library.Get(zoom.name), x, y + 20.0, &zoom.part, zoom.scale, zoom.scale);
        x += w + 24.0;
        rowHeight = std::max(rowHeight, h + 20.0);
    }
    *endY = y + rowHeight + 40.0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4)
    {
        std::fprintf(stderr, "usage: %s <Resource folder> <output.png> [<screenshot folder>]\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    if (argc == 4 && !std::filesystem::is_directory(argv[3]))
    {
        std::fprintf(stderr, "contactsheet: no screenshot folder %s\n", argv[3]);
        return 1;
    }
    tCaptionFont captionFont;
    g_captionFont = &captionFont;
    CLibrary library(root);
    const double width = 2000.0;
    // Everything is drawn onto an unbounded recording first, so the sheet is as tall as its content.
    cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    cairo_t* cr = cairo_create(recording);
    Caption(cr, "Talonreach: every picture of " + root, 20.0, 30.0, 20.0);
    double y = 50.0;
    if (argc == 4)
        ComposeScreenshots(cr, argv[3], y, &y);
    ComposeZoomed(cr, library, y, &y);
    ComposeFiles(cr, library, root, y, width, &y);
    cairo_destroy(cr);

    const int height = static_cast<int>(y + 10.0);
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width), height);
    cairo_t* copy = cairo_create(out);
    cairo_set_source_rgb(copy, 0.14, 0.14, 0.16);
    cairo_paint(copy);
    cairo_set_source_surface(copy, recording, 0, 0);
    cairo_paint(copy);
    cairo_destroy(copy);
    const cairo_status_t status = cairo_surface_write_to_png(out, argv[2]);
    cairo_surface_destroy(out);
    cairo_surface_destroy(recording);
    if (status != CAIRO_STATUS_SUCCESS)
    {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("contactsheet: wrote %s (%dx%d)\n", argv[2], static_cast<int>(width), height);
    return 0;
}
