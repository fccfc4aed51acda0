// The renderer's choice of device on a real X server. tests/scripts/input_x11.sh runs this under a
// private Xvfb (TALONREACH_XVFB=1), which, like a machine without a graphics card, offers no direct
// rendering: OpenGL there would be Mesa's software rasteriser. Anywhere else every case is skipped.
#include "CVKT_Direct3D.h"

#include <SDL.h>

#include <gtest/gtest.h>

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
