// How the game is shown: a window sized for the desktop, full screen and the window's size kept
// across a restart, F11 beside Alt+Return, and the mouse pointer that goes when it stands still. The
// real game through the headless harness; the desktop's usable area comes from SDL's own override
// of it (SDL_DISPLAY_USABLE_BOUNDS), the dummy driver's desktop being 1024 x 768.
#include "CGame.h"

#include "CVKT_PointerHider.h"

#include "Files.h"
#include "HeadlessGame.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
// A settings file of the game's own shape, with `display` (an element, or "") after the table.
std::string SettingsWith(const std::string& display)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\n<root>\n"
                      "    <sound_settings music=\"40\" fx=\"60\" />\n    <high_scores>\n";
    for (int i = 10; i > 0; --i)
        xml += "        <score points=\"" + std::to_string(i * 10) + "\">OWL</score>\n";
    return xml + "    </high_scores>\n" + display + "</root>\n";
}

// The usable area the window system reports, "x,y,w,h", while the object lives.
class UsableArea
{
public:
    explicit UsableArea(const char* szBounds) { setenv("SDL_DISPLAY_USABLE_BOUNDS", szBounds, 1); }
    ~UsableArea() { unsetenv("SDL_DISPLAY_USABLE_BOUNDS"); }
    UsableArea(const UsableArea&) = delete;
    UsableArea& operator=(const UsableArea&) = delete;
};

tSize WindowSize(SDL_Window* pWindow)
{
    tSize size;
    SDL_GetWindowSize(pWindow, &size.nWidth, &size.nHeight);
    return size;
}

bool IsFullScreen(SDL_Window* pWindow)
{
    return (SDL_GetWindowFlags(pWindow) & SDL_WINDOW_FULLSCREEN) != 0;
}

bool PointerShows()
{
    return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
}
} // namespace

TEST(DisplayTest, TheWindowTakesTheRememberedSizeThatFitsOrTheLargestWholeMultipleOfTheUsableArea)
{
    const struct
    {
        const char* area;
        const char* display;
        tSize window;
    } cases[] = {
        {"0,0,1920,1080", "", {1280, 960}},
        {"0,0,3840,2160", "", {2560, 1920}},
        {"0,0,1366,768", "", {640, 480}},
        {"0,0,800,600", "", {640, 480}},
        // 1080 rows less a top bar of 32 and a dock of 58: no room for twice the height.
        {"0,32,1920,990", "", {640, 480}},
        {"0,0,1920,1080", "    <display fullscreen=\"0\" width=\"1000\" height=\"750\" />\n", {1000, 750}},
        {"0,0,1366,768", "    <display fullscreen=\"0\" width=\"1000\" height=\"750\" />\n", {640, 480}},
        {"0,0,1920,1080", "    <display fullscreen=\"0\" width=\"3000\" height=\"2000\" />\n", {1280, 960}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.area) + " " + c.display);
        const UsableArea area(c.area);
        headless::HeadlessGame::Options options;
        options.settingsXml = SettingsWith(c.display);
        headless::HeadlessGame game(options);
        EXPECT_EQ(WindowSize(game.Window()), c.window);
        EXPECT_TRUE(CGame::GetInstance()->IsWindowed());
        SDL_Rect usable;
        ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
        int x = 0;
        int y = 0;
        SDL_GetWindowPosition(game.Window(), &x, &y);
        EXPECT_TRUE(x >= usable.x && y >= usable.y && x + c.window.nWidth <= usable.x + usable.w &&
                    y + c.window.nHeight <= usable.y + usable.h)
            << "at " << x << ", " << y;
    }
}

TEST(DisplayTest, FullScreenAndTheWindowSizeSurviveARestartAndTheSuggestedSizeIsNotKept)
{
    const UsableArea area("0,0,1920,1080");
    headless::HeadlessGame game;
    CGame* pGame = CGame::GetInstance();

    game.Tap(SDL_SCANCODE_F11);
    ASSERT_FALSE(pGame->IsWindowed()) << "F11 switches as Alt+Return does";
    game.Restart();
    EXPECT_FALSE(pGame->IsWindowed());
    EXPECT_TRUE(IsFullScreen(game.Window()));
    EXPECT_NE(headless::ReadFile(game.SettingsPath()).find("<display fullscreen=\"1\" />"),
              std::string::npos);

    game.Tap(SDL_SCANCODE_F11);
    ASSERT_TRUE(pGame->IsWindowed());
    EXPECT_EQ(WindowSize(game.Window()), (tSize{1280, 960})) << "the size it opened with";
    SDL_SetWindowSize(game.Window(), 1000, 750); // as the player drags its edge
    game.Frame();
    game.Restart();
    EXPECT_TRUE(pGame->IsWindowed());
    EXPECT_EQ(WindowSize(game.Window()), (tSize{1000, 750}));
    EXPECT_NE(headless::ReadFile(game.SettingsPath())
                  .find("<display fullscreen=\"0\" width=\"1000\" height=\"750\" />"),
              std::string::npos);

    // Back at the size the desktop suggests: nothing is kept, and a larger desktop would offer more.
    SDL_SetWindowSize(game.Window(), 1280, 960);
    game.Frame();
    game.Restart();
    EXPECT_EQ(WindowSize(game.Window()), (tSize{1280, 960}));
    EXPECT_EQ(headless::ReadFile(game.SettingsPath()).find("<display"), std::string::npos);
}

TEST(DisplayTest, AStartAndAnEndWithoutAnyChangeWriteNoSettingsFile)
{
    headless::HeadlessGame game;
    game.Run(500);
    game.Restart();
    EXPECT_FALSE(headless::FileExists(game.SettingsPath()))
        << "the logo screen saves nothing, nor does the way out";
}

TEST(DisplayTest, ThePointerGoesAfterTwoStillSecondsInAWindowAndNeverShowsInFullScreen)
{
    headless::HeadlessGame game;
    ASSERT_TRUE(PointerShows()) << "over a window just opened";
    const struct
    {
        const char* what;
        bool move;
        SDL_Scancode key; // tapped first (SDL_SCANCODE_UNKNOWN: none)
        uint32_t ms;      // then one frame this long
        bool shows;
    } steps[] = {
        {"still for 1.99 s", false, SDL_SCANCODE_UNKNOWN, 1990, true},
        {"still for 2 s", false, SDL_SCANCODE_UNKNOWN, 10, false},
        {"moved", true, SDL_SCANCODE_UNKNOWN, 16, true},
        {"still for 1.99 s after the move", false, SDL_SCANCODE_UNKNOWN, 1990, true},
        {"moved again just in time", true, SDL_SCANCODE_UNKNOWN, 9, true},
        {"1.99 s after that", false, SDL_SCANCODE_UNKNOWN, 1990, true},
        {"2 s after that", false, SDL_SCANCODE_UNKNOWN, 10, false},
        {"full screen, moving", true, SDL_SCANCODE_F11, 16, false},
        {"full screen, moving on", true, SDL_SCANCODE_UNKNOWN, 16, false},
        {"a window again", false, SDL_SCANCODE_F11, 16, true},
        {"still in the window again", false, SDL_SCANCODE_UNKNOWN, 2000, false},
    };
    for (const auto& step : steps)
    {
        if (step.key != SDL_SCANCODE_UNKNOWN)
            game.Tap(step.key, 0);
        if (step.move)
            headless::PushMouseMotion(3, -2);
        game.Frame(step.ms);
        EXPECT_EQ(PointerShows(), step.shows) << step.what;
    }
}

TEST(PointerHiderTest, ShownUntilTwoSecondsAfterTheLastMovementNeverInFullScreenAcrossTheTickWrap)
{
    const struct
    {
        bool move;
        uint32_t tick;
        bool fullScreen;
        bool shows;
    } steps[] = {
        {true, 1000, false, true},          {false, 2999, false, true},
        {false, 3000, false, false},        {true, 3500, true, false},
        {false, 3600, true, false},         {false, 9000, false, true},
        {false, 10999, false, true},        {false, 11000, false, false},
        {true, 0xFFFFFF00u, false, true},   {false, 0x000006CFu, false, true},
        {false, 0x000006D0u, false, false},
    };
    CVKT_PointerHider hider;
    for (const auto& step : steps)
    {
        if (step.move)
            hider.OnPointerMoved(step.tick);
        EXPECT_EQ(hider.IsShown(step.tick, step.fullScreen), step.shows) << "at tick " << step.tick;
    }
}
