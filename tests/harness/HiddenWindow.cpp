#include "HiddenWindow.h"

#include <stdexcept>
#include <string>

namespace headless
{
HiddenWindow::HiddenWindow(int width, int height)
{
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("SDL video: ") + SDL_GetError());
    m_window = SDL_CreateWindow("headless", 0, 0, width, height, SDL_WINDOW_HIDDEN);
    if (!m_window)
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw std::runtime_error(std::string("SDL window: ") + SDL_GetError());
    }
}

HiddenWindow::~HiddenWindow()
{
    SDL_DestroyWindow(m_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
} // namespace headless
