// contactsheet: one PNG for reviewing the game's art at a glance. The top part shows each screen
// composed the way the game draws it (same files, colour keys, positions, source rectangles and text
// from the glyph sheets); below come every picture of Resource/Graphics at 1:1 on a checkerboard, and the
// sprite sheets enlarged.
//
// usage: contactsheet <Resource folder> <output.png>
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
#include <functional>
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

    // The picture loaded with the key its loader uses, or with an explicit key.
    cairo_surface_t* Get(const std::string& name, int keyOverride = -1)
    {
        const uint32_t key =
            keyOverride >= 0 ? static_cast<uint32_t>(keyOverride) : (kKeys.count(name) ? kKeys.at(name) : 0u);
        const std::string id = name + "#" + std::to_string(key);
        auto found = m_cache.find(id);
        if (found == m_cache.end())
            found = m_cache.emplace(id, LoadImage(m_root + "/Graphics/" + name, key)).first;
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
          double scaleX = 1.0, double scaleY = 1.0, double alpha = 1.0)
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
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

// The game's bitmap font: 20 cells per row from the space.
void Print(cairo_t* cr, cairo_surface_t* sheet, int cellW, int cellH, const std::string& text, int x, int y,
           double scale = 1.0)
{
    int column = 0;
    for (char c : text)
    {
        if (c == '\n')
        {
            y += static_cast<int>(cellH * scale);
            column = 0;
            continue;
        }
        const int n = static_cast<unsigned char>(c) - 32;
        const tRect cell{(n % 20) * cellW, (n / 20) * cellH, (n % 20) * cellW + cellW,
                         (n / 20) * cellH + cellH};
        Draw(cr, sheet, static_cast<int>(x + column * cellW * scale), y, &cell, scale, scale);
        ++column;
    }
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

// ---- Screens as the game composes them (each 640 x 480 at the given origin) ----

class CScreens
{
public:
    explicit CScreens(CLibrary& library) : m_lib(library) {}

    void Clear(cairo_t* cr)
    {
        cairo_set_source_rgb(cr, 0.0, 0.0, 128.0 / 255.0);
        cairo_rectangle(cr, 0, 0, 640, 480);
        cairo_fill(cr);
    }

    void Logo(cairo_t* cr)
    {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        const tRect src{0, 0, 640, 480};
        Draw(cr, m_lib.Get("OxM_Copperfen_logo.png"), 0, 0, &src);
    }

    void MainMenu(cairo_t* cr, int selection)
    {
        Clear(cr);
        cairo_surface_t* sheet = m_lib.Get("OxM_MainMenu.png");
        const tRect whole{0, 0, 640, 480};
        Draw(cr, sheet, 0, 0, &whole);
        const tRect item{641, 222 + 27 * selection, 838, 249 + 27 * selection};
        Draw(cr, sheet, 222, 222 + 27 * selection, &item);
    }

    void Options(cairo_t* cr, int selection)
    {
        Clear(cr);
        cairo_surface_t* font = m_lib.Get("OxM_Font2.png", kBlackKey);
        const tRect whole{0, 0, 640, 480};
        Draw(cr, m_lib.Get("OxM_OptionsMenu.png"), 0, 0, &whole);
        Print(cr, font, 16, 24, "80", 460, 116);
        Print(cr, font, 16, 24, "100", 460, 189);
        const tRect marker{0, 0, 426, 65};
        Draw(cr, m_lib.Get("OxM_OptionsSelection.png"), 130, 83 + 72 * selection, &marker);
        Print(cr, font, 16, 24, "press ESC", 480, 450);
    }

    void Controls(cairo_t* cr)
    {
        Clear(cr);
        const tRect whole{0, 0, 640, 480};
        Draw(cr, m_lib.Get("OxM_ControlsMenu.png"), 0, 0, &whole);
        Print(cr, m_lib.Get("OxM_Font2.png", kBlackKey), 16, 24, "press ESC", 480, 450);
    }

    void Credits(cairo_t* cr, int scrollY)
    {
        Clear(cr);
        const tRect whole{0, 0, 640, 480};
        Draw(cr, m_lib.Get("OxM_CreditsMenu.png"), 0, 0, &whole);
        const tRect text{0, 0, 350, 500};
        Draw(cr, m_lib.Get("OxM_CreditsText.png"), 100, scrollY, &text);
    }

    void HighScores(cairo_t* cr, int page)
    {
        Clear(cr);
        const tRect whole{0, 0, 640, 480};
        Draw(cr, m_lib.Get("OxM_HighScoresMenu.png"), 0, 0, &whole);
        cairo_surface_t* arrow = m_lib.Get("OxM_Arrow.png");
        if (page == 1)
            Draw(cr, arrow, 598, 84, nullptr, 1.0, -1.0);
        else
            Draw(cr, arrow, 598, 396);
        const char* names[10] = {"ACE", "BOB", "CAW", "DEE", "EGG", "FLY", "GUS", "HAL", "IVY", "JAY"};
        cairo_surface_t* font = m_lib.Get("OxM_Font2.png", kBlackKey);
        for (int i = 0; i < 5; ++i)
        {
            const int n = page * 5 + i;
            char line[128];
            std::snprintf(line, sizeof line, "%i. %s - %i", n + 1, names[n], 12000 - n * 1130);
            Print(cr, font, 16, 24, line, 145, 113 + 59 * i);
        }
        Print(cr, font, 16, 24, "press ESC", 480, 450);
    }

    void Story(cairo_t* cr, const std::string& text)
    {
        Clear(cr);
        const tRect whole{0, 0, 640, 480};
        Draw(cr, m_lib.Get("OxM_IntroMenu.png"), 0, 0, &whole);
        const tRect portrait{0, 0, 124, 88};
        Draw(cr, m_lib.Get("OxM_CaptainChar.png"), 258, 240, &portrait);
        const tRect box{0, 0, 480, 88};
        Draw(cr, m_lib.Get("OxM_TextBox.png"), 60, 392, &box);
        Print(cr, m_lib.Get("OxM_Font1.png", kWhiteKey), 8, 12, text, 75, 400);
    }

    struct tEnemy
    {
        int variant, row, frame;
        double x, y;
    };

    void Gameplay(cairo_t* cr, int level, double offset, const std::vector<tEnemy>& enemies, bool bubble,
                  int playerFrame)
    {
        Clear(cr);
        const char* backgrounds[3] = {"OxM_Level1.png", "OxM_Level2.png", "OxM_Level3.png"};
        const tRect window{0, static_cast<int>(-offset), 640, static_cast<int>(-(offset - 480))};
        Draw(cr, m_lib.Get(backgrounds[level - 1]), 0, 0, &window);
        cairo_surface_t* sheet = m_lib.Get(level == 3 ? "OxM_EnemySwimmers.png" : "OxM_EnemyChar.png");
        const int perRow = level == 3 ? 2 : 8;
        for (const tEnemy& e : enemies)
        {
            const int left = e.frame * 32 + 128 * (e.variant % perRow);
            const int top = 128 * (e.variant / perRow) + e.row * 32;
            const tRect frame{left, top, left + 32, top + 32};
            Draw(cr, sheet, static_cast<int>(e.x) - 16, static_cast<int>(e.y - 16), &frame);
        }
        // Shots: a falling player shot, a rising rock and a hunter's bullet.
        Draw(cr, m_lib.Get("OxM_PlayerBullet.png"), 300 - 8, 330 - 16, nullptr, 1.0, 1.0);
        Draw(cr, m_lib.Get("OxM_PlayerBullet.png"), 330 - 8, 250 - 16, nullptr, 0.55, 0.55);
        if (level != 3)
        {
            Draw(cr, m_lib.Get("OxM_ProjectileRock.png"), 210 - 8, 300 - 8, nullptr, 0.8, 0.8);
            Draw(cr, m_lib.Get("OxM_HunterBullet.bmp"), 420 - 12, 320 - 13);
        }
        // Power-ups: whole image centred on a 46 x 34 object.
        Draw(cr, m_lib.Get("OxM_PowLife.png"), 560 - 23, 180 - 17);
        Draw(cr, m_lib.Get("OxM_PowCharge.png"), 80 - 23, 230 - 17);
        const tRect bird{46, 0, 92, 34};
        Draw(cr, m_lib.Get("OxM_EnemyBirds.png"), 500 - 23, 90 - 17, &bird);
        const tRect player{playerFrame * 62, 0, playerFrame * 62 + 62, 53};
        Draw(cr, m_lib.Get("OxM_PlayerChar.png"), 300 - 31, static_cast<int>(400 - 26), &player);
        if (bubble)
            Draw(cr, m_lib.Get("OxM_Bubble.png"), 300 - 32, 400 - 32);
        if (level == 3)
        {
            const tRect clouds{0, 544, 640, 1024};
            Draw(cr, m_lib.Get("OxM_Clouds.png"), 0, 0, &clouds);
        }
        const tRect hud{0, 0, 243, 65};
        Draw(cr, m_lib.Get("OxM_HUD.png"), 0, 0, &hud);
        const tRect bar{0, 0, static_cast<int>(133 * 0.7 + 1.0), 4};
        Draw(cr, m_lib.Get("OxM_White.png"), 62, 46, &bar);
        cairo_surface_t* font = m_lib.Get("OxM_Font2.png", kWhiteKey);
        Print(cr, font, 16, 24, std::to_string(1230 * level), 25, 17);
        Print(cr, font, 16, 24, std::to_string(4 - level), 184, 17);
    }

    void Pause(cairo_t* cr, int selection)
    {
        const tRect panel{0, 0, 320, 240};
        Draw(cr, m_lib.Get("OxM_PauseMenu.png"), 160, 120, &panel);
        Draw(cr, m_lib.Get("VKT_MenuCursor.png"), 225 + 44 * selection, 244 + 45 * selection);
    }

    void EnterScore(cairo_t* cr, const std::string& name)
    {
        Print(cr, m_lib.Get("OxM_Font2.png", kWhiteKey), 16, 24, "GAME OVER", 248, 228);
        const tRect panel{0, 0, 320, 240};
        Draw(cr, m_lib.Get("OxM_EnterScore.png"), 160, 120, &panel);
        Print(cr, m_lib.Get("OxM_Font2.png", kWhiteKey), 16, 24, name, 282, 228, 2.0);
    }

private:
    CLibrary& m_lib;
};

struct tPlaced
{
    std::string caption;
    double x, y;
};

std::vector<CScreens::tEnemy> Walkers(int level)
{
    std::vector<CScreens::tEnemy> list;
    if (level == 3)
    {
        for (int i = 0; i < 10; ++i)
            list.push_back({i % 4, i % 4, i % 4, 60.0 + i * 58.0, 110.0 + (i * 97) % 300});
        return list;
    }
    for (int i = 0; i < 12; ++i)
        list.push_back(
            {2 + (i * 5 + level * 13) % 57, i % 4, i % 4, 50.0 + i * 49.0, 100.0 + (i * 131) % 320});
    list.push_back({0, 0, 0, 150.0, 170.0});
    if (level == 2)
        list.push_back({1, 0, 0, 450.0, 230.0});
    return list;
}

void ComposeScreens(cairo_t* cr, CScreens& screens, double originY, double* endY)
{
    const std::string line4 =
        "Too long, too long has humanity laughed in your face.\nToo long have they captured "
        "our compatriots and\nforced them to do silly tricks. Too long have they\nhunted us for "
        "sport. Today we exact our revenge.";
    struct tScreen
    {
        std::string caption;
        std::function<void(cairo_t*)> draw;
    };
    const std::vector<std::pair<std::string, std::function<void(cairo_t*)>>> list = {
        {"logo (full fade)", [&](cairo_t* c) { screens.Logo(c); }},
        {"main menu, item 0", [&](cairo_t* c) { screens.MainMenu(c, 0); }},
        {"main menu, item 3", [&](cairo_t* c) { screens.MainMenu(c, 3); }},
        {"options, row 0", [&](cairo_t* c) { screens.Options(c, 0); }},
        {"options, row 1", [&](cairo_t* c) { screens.Options(c, 1); }},
        {"controls", [&](cairo_t* c) { screens.Controls(c); }},
        {"credits (scroll y 0)", [&](cairo_t* c) { screens.Credits(c, 0); }},
        {"high scores page 0", [&](cairo_t* c) { screens.HighScores(c, 0); }},
        {"high scores page 1", [&](cairo_t* c) { screens.HighScores(c, 1); }},
        {"story, line 1 half typed", [&](cairo_t* c) { screens.Story(c, "Hello, comarade! I'm am"); }},
        {"story, line 4", [&](cairo_t* c) { screens.Story(c, line4); }},
        {"level 1 start, bubble", [&](cairo_t* c) { screens.Gameplay(c, 1, -1568.0, Walkers(1), true, 0); }},
        {"level 1 end", [&](cairo_t* c) { screens.Gameplay(c, 1, -20.0, Walkers(1), false, 1); }},
        {"level 2 middle", [&](cairo_t* c) { screens.Gameplay(c, 2, -800.0, Walkers(2), false, 2); }},
        {"level 2 start", [&](cairo_t* c) { screens.Gameplay(c, 2, -1568.0, Walkers(2), false, 3); }},
        {"level 3 start, clouds", [&](cairo_t* c) { screens.Gameplay(c, 3, -1568.0, Walkers(3), false, 0); }},
        {"level 3 middle", [&](cairo_t* c) { screens.Gameplay(c, 3, -700.0, Walkers(3), false, 1); }},
        {"pause over level 2, quit",
         [&](cairo_t* c)
         {
             screens.Gameplay(c, 2, -1200.0, Walkers(2), false, 0);
             screens.Pause(c, 1);
         }},
        {"score entry over game over",
         [&](cairo_t* c)
         {
             screens.Gameplay(c, 1, -900.0, Walkers(1), false, 0);
             screens.EnterScore(c, "Ab3");
         }},
    };
    const int columns = 3;
    for (size_t i = 0; i < list.size(); ++i)
    {
        const double x = 20.0 + (i % columns) * 660.0;
        const double y = originY + (i / columns) * 520.0;
        Caption(cr, list[i].first, x, y + 18.0);
        cairo_save(cr);
        cairo_translate(cr, x, y + 28.0);
        cairo_rectangle(cr, 0, 0, 640, 480);
        cairo_clip(cr);
        list[i].second(cr);
        cairo_restore(cr);
    }
    *endY = originY + ((list.size() + columns - 1) / columns) * 520.0;
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
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s <Resource folder> <output.png>\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    tCaptionFont captionFont;
    g_captionFont = &captionFont;
    CLibrary library(root);
    CScreens screens(library);
    const double width = 2000.0;
    const double height = 16000.0; // cropped to what is drawn
    cairo_surface_t* sheet =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height));
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.14, 0.14, 0.16);
    cairo_paint(cr);
    Caption(cr, "Talonreach: every picture of " + root, 20.0, 30.0, 20.0);
    double y = 50.0;
    ComposeScreens(cr, screens, y, &y);
    ComposeZoomed(cr, library, y, &y);
    ComposeFiles(cr, library, root, y, width, &y);
    cairo_destroy(cr);
    // Crop to what was drawn.
    const int usedHeight = static_cast<int>(std::min(height, y + 10.0));
    cairo_surface_t* cropped = cairo_surface_create_for_rectangle(sheet, 0, 0, width, usedHeight);
    cairo_surface_t* out =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width), usedHeight);
    cairo_t* copy = cairo_create(out);
    cairo_set_source_surface(copy, cropped, 0, 0);
    cairo_paint(copy);
    cairo_destroy(copy);
    const cairo_status_t status = cairo_surface_write_to_png(out, argv[2]);
    cairo_surface_destroy(out);
    cairo_surface_destroy(cropped);
    cairo_surface_destroy(sheet);
    if (status != CAIRO_STATUS_SUCCESS)
    {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("contactsheet: wrote %s (%dx%d)\n", argv[2], static_cast<int>(width), usedHeight);
    return 0;
}
