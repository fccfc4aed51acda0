// The renderer on a real X server: its choice of device, and the picture scaled into the window by
// the software renderer and by OpenGL alike. tests/scripts/input_x11.sh runs this under a private
// Xvfb (TALONREACH_XVFB=1), which, like a machine without a graphics card, offers no direct
// rendering: OpenGL there is Mesa's software rasteriser. Anywhere else every case is skipped.
#include "CVKT_Direct3D.h"
#include "CVKT_TextureManager.h"

#include "Files.h"
#include "ScopedTempDir.h"
#include "ScreenComparison.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace
{
bool OnPrivateXServer()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const char* xvfb = std::getenv("TALONREACH_XVFB");
    return driver && std::strcmp(driver, "x11") == 0 && xvfb && std::strcmp(xvfb, "1") == 0;
}

// The shared objects of an OpenGL driver mapped into this process, one per line; empty for none.
std::string MappedOpenGLDrivers()
{
    std::ifstream maps("/proc/self/maps");
    std::string line, found;
    while (std::getline(maps, line))
        if (line.find("libGLX") != std::string::npos || line.find("libgallium") != std::string::npos ||
            line.find("_dri.so") != std::string::npos || line.find("libLLVM") != std::string::npos)
            found += line + "\n";
    return found;
}

// The exit status of a child that found the renderer it was asked for missing.
constexpr int kNoSuchRenderer = 77;

// The pattern in a shown window of each size, on the renderer SDL_RENDER_DRIVER names: crisp at 2x,
// letterboxed at 1000 x 600. Runs in the calling process; the assertions count as its failures.
void CheckScaling(const char* szDriver)
{
    setenv("SDL_RENDER_DRIVER", szDriver, 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("scaling", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                                          SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    ASSERT_TRUE(d3d->InitDirect3D(window, 640, 480, true, false));
    SDL_RendererInfo info;
    ASSERT_EQ(SDL_GetRendererInfo(d3d->GetDirect3DDevice(), &info), 0);
    if (std::strcmp(info.name, szDriver) != 0)
        _exit(kNoSuchRenderer);
    CVKT_TextureManager::GetInstance()->InitTextureManager(d3d->GetDirect3DDevice(), d3d->GetSprite());
    headless::ScopedTempDir dir;
    const std::string path = dir / "pattern.png";
    headless::WritePng(path, 32, 32, headless::PixelPattern(32));
    const int pattern = CVKT_TextureManager::GetInstance()->LoadTexture(path.c_str(), 0);

    const struct
    {
        tSize window;
        tViewport view;
    } cases[] = {{{1280, 960}, {0, 0, 1280, 960, true}}, {{1000, 600}, {100, 0, 800, 600, false}}};
    for (const auto& c : cases)
    {
        SDL_SetWindowSize(window, c.window.nWidth, c.window.nHeight);
        SDL_PumpEvents();
        // OpenGL may draw one frame more at the size the X server had before; the window's events
        // have the game draw the next one again, as here.
        std::vector<uint32_t> backBuffer;
        headless::PresentPattern(pattern, backBuffer);
        d3d->OnWindowInvalidated();
        const tScreenPixels screen = headless::PresentPattern(pattern, backBuffer);
        ASSERT_EQ(screen.nWidth, c.window.nWidth) << szDriver;
        ASSERT_EQ(screen.nHeight, c.window.nHeight) << szDriver;
        const headless::ScreenComparison seen =
            headless::CompareScreen(screen, backBuffer, c.view, headless::BAR_COLOR);
        EXPECT_EQ(seen.wrongBars, 0) << szDriver << " at " << c.window.nWidth;
        EXPECT_EQ(seen.barInside, 0) << szDriver << " at " << c.window.nWidth;
        if (c.view.bWholeMultiple)
            EXPECT_TRUE(seen.IsCrisp())
                << szDriver << ": " << seen.unlikeNearest << " pixels unlike their own";
        else
            EXPECT_GT(seen.blended, headless::PATTERN_PIXELS / 2) << szDriver << " filters linearly";
    }
}
} // namespace

TEST(RendererX11, WithoutDirectRenderingTheSoftwareRendererDrawsAndNoOpenGLDriverIsLoaded)
{
    if (!OnPrivateXServer())
        GTEST_SKIP() << "needs the private X server of tests/scripts/input_x11.sh";
    // SDL's default choice, as a player's start has it.
    unsetenv("SDL_RENDER_DRIVER");
    unsetenv("LIBGL_ALWAYS_SOFTWARE");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("renderer", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640,
                                          480, SDL_WINDOW_SHOWN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    CVKT_Direct3D* renderer = CVKT_Direct3D::GetInstance();
    ASSERT_TRUE(renderer->InitDirect3D(window, 640, 480, true, true));

    SDL_RendererInfo info;
    ASSERT_EQ(SDL_GetRendererInfo(renderer->GetDirect3DDevice(), &info), 0);
    EXPECT_STREQ(info.name, "software");
    renderer->Clear(0, 0, 128);
    EXPECT_TRUE(renderer->DeviceBegin());
    EXPECT_TRUE(renderer->DeviceEnd());
    renderer->Present();
    EXPECT_EQ(MappedOpenGLDrivers(), "");

    renderer->ShutdownDirect3D();
    SDL_DestroyWindow(window);
    SDL_Quit();
}

TEST(RendererX11, TheSoftwareRendererAndOpenGLScaleThePictureAlike)
{
    if (!OnPrivateXServer())
        GTEST_SKIP() << "needs the private X server of tests/scripts/input_x11.sh";
    for (const char* driver : {"software", "opengl"})
    {
        // A process of its own: Mesa's driver, once loaded, is unloaded before LeakSanitizer looks at
        // the process, which then cannot name what the driver's globals held. The child leaves
        // without that check.
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0)
        {
            CheckScaling(driver);
            _exit(::testing::Test::HasFailure() ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << driver;
        if (WEXITSTATUS(status) == kNoSuchRenderer)
        {
            ADD_FAILURE() << "SDL could not start its " << driver << " renderer here";
            continue;
        }
        EXPECT_EQ(WEXITSTATUS(status), 0) << driver << " (its failures are listed above)";
    }
}
