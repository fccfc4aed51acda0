// SDL video (the dummy driver unless one is chosen) with one hidden window, for the benches that
// need a window but not the game's.
#pragma once

#include <SDL.h>

namespace headless
{
class HiddenWindow
{
public:
    // Throws std::runtime_error when SDL's video or the window does not start.
    explicit HiddenWindow(int width = 64, int height = 64);
    // Closes the window and stops SDL's video.
    ~HiddenWindow();
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    SDL_Window* Get() const { return m_window; }

private:
    SDL_Window* m_window = nullptr;
};
} // namespace headless
