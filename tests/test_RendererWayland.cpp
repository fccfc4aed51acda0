// The renderer on a real Wayland compositor: where OpenGL is a software rasteriser (a machine without
// a graphics card), SDL's software renderer draws and its frames reach the window through shared
// memory, scaled as on X11: crisp at a whole multiple, letterboxed and filtered otherwise.
// tests/scripts/under_sway.sh runs this on a private headless sway (TALONREACH_SWAY=1); anywhere
// else every case is skipped.
#include "CVKT_Direct3D.h"
#include "CVKT_TextureManager.h"
#include "CVKT_Window.h"

#include "Files.h"
#include "ScopedTempDir.h"
#include "ScreenComparison.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <glob.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
bool OnPrivateSway()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const char* sway = std::getenv("TALONREACH_SWAY");
    return driver && std::strcmp(driver, "wayland") == 0 && sway && std::strcmp(sway, "1") == 0;
}

// A graphics card's render node: OpenGL would run on it rather than in software.
bool HasRenderNode()
{
    glob_t found = {};
    const bool bAny = glob("/dev/dri/renderD*", 0, nullptr, &found) == 0 && found.gl_pathc > 0;
    globfree(&found);
    return bAny;
}

class RendererWayland : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!OnPrivateSway())
            GTEST_SKIP() << "needs the private sway of tests/scripts/under_sway.sh";
        if (HasRenderNode())
            GTEST_SKIP() << "OpenGL runs on a graphics card here";
        // The game's own choice, as a player's start has it.
        unsetenv("SDL_RENDER_DRIVER");
        unsetenv("LIBGL_ALWAYS_SOFTWARE");
        ASSERT_TRUE(window->InitPlatform());
        hWnd = window->CreateGameWindow("org.talonreach.Talonreach", "Talonreach", 640, 480, nullptr);
        ASSERT_NE(hWnd, nullptr) << SDL_GetError();
        ASSERT_TRUE(d3d->InitDirect3D(hWnd, 640, 480, true, true));
    }

    void TearDown() override
    {
        CVKT_TextureManager::GetInstance()->ShutdownTextureManager();
        d3d->ShutdownDirect3D();
        window->ShutdownPlatform();
    }

    // Resizes the window and presents the pattern until a present has the window's new size: the
    // compositor takes a floating window's size from the frames it gets, and while it has not yet
    // configured the window it may send back an earlier size, which the request overrides again.
    // What the last present put into the window, or nothing after two seconds.
    tScreenPixels ResizeAndPresent(tSize size, int nPattern, std::vector<uint32_t>& backBuffer)
    {
        tScreenPixels screen;
        for (int i = 0; i < 100; ++i)
        {
            SDL_PumpEvents();
            tSize now;
            SDL_GetWindowSizeInPixels(hWnd, &now.nWidth, &now.nHeight);
            if (now != size)
                SDL_SetWindowSize(hWnd, size.nWidth, size.nHeight);
            d3d->OnWindowInvalidated();
            screen = headless::PresentPattern(nPattern, backBuffer);
            if (screen.nWidth == size.nWidth && screen.nHeight == size.nHeight)
                return screen;
            SDL_Delay(20);
        }
        return tScreenPixels();
    }

    CVKT_Window* window = CVKT_Window::GetInstance();
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    HWND hWnd = nullptr;
};
} // namespace

TEST_F(RendererWayland, TheSoftwareRendererDrawsAndItsFramesReachTheWindowScaledAsOnX11)
{
    SDL_RendererInfo info;
    ASSERT_EQ(SDL_GetRendererInfo(d3d->GetDirect3DDevice(), &info), 0);
    EXPECT_STREQ(info.name, "software");
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr) << "no OpenGL context was left to draw with";

    CVKT_TextureManager::GetInstance()->InitTextureManager(d3d->GetDirect3DDevice(), d3d->GetSprite());
    headless::ScopedTempDir dir;
    const std::string path = dir / "pattern.png";
    headless::WritePng(path, 32, 32, headless::PixelPattern(32));
    const int pattern = CVKT_TextureManager::GetInstance()->LoadTexture(path.c_str(), 0);
    d3d->SetScreenCapture(true);
    const struct
    {
        tSize window;
        tViewport view;
    } cases[] = {{{1280, 960}, {0, 0, 1280, 960, true}}, {{1000, 600}, {100, 0, 800, 600, false}}};
    for (const auto& c : cases)
    {
        std::vector<uint32_t> backBuffer;
        const tScreenPixels screen = ResizeAndPresent(c.window, pattern, backBuffer);
        ASSERT_EQ(screen.nWidth, c.window.nWidth);
        ASSERT_EQ(screen.nHeight, c.window.nHeight);
        const headless::ScreenComparison seen =
            headless::CompareScreen(screen, backBuffer, c.view, headless::BAR_COLOR);
        EXPECT_EQ(seen.wrongBars, 0) << c.window.nWidth;
        EXPECT_EQ(seen.barInside, 0) << c.window.nWidth;
        if (c.view.bWholeMultiple)
            EXPECT_TRUE(seen.IsCrisp()) << seen.unlikeNearest << " pixels unlike their own";
        else
            EXPECT_GT(seen.blended, headless::PATTERN_PIXELS / 2) << "filtered linearly";
    }
}
