// The renderer's bench: a hidden window (see HiddenWindow) with the game's renderer and texture
// manager on it (the software renderer under the dummy driver), frames drawn by hand and read back.
// Shuts all of it down again on destruction.
#pragma once

#include "HiddenWindow.h"

#include "CVKT_Sprite.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace headless
{
class RendererBench
{
public:
    // Throws std::runtime_error when the window or the renderer does not start.
    explicit RendererBench(int width = 640, int height = 480);
    ~RendererBench();
    RendererBench(const RendererBench&) = delete;
    RendererBench& operator=(const RendererBench&) = delete;

    SDL_Window* Window() const { return m_window.Get(); }
    // Runs Clear(r, g, b), SpriteBegin, the draws, SpriteEnd and reads the back buffer back.
    template <typename Draws>
    std::vector<uint32_t> Frame(Draws draws, uint8_t r = 0, uint8_t g = 0, uint8_t b = 128);
    std::vector<uint32_t> ReadBack() const;
    // The draws that `draws` queues into one sprite batch, taken before the batch ends.
    template <typename Draws>
    std::vector<CVKT_Sprite::tDraw> DrawsOf(Draws draws);
    uint32_t Pixel(const std::vector<uint32_t>& frame, int x, int y) const { return frame[y * m_width + x]; }

private:
    void BeginFrame(uint8_t r, uint8_t g, uint8_t b);
    void EndFrame();
    void SpriteBegin();
    // Ends the batch; the draws it had queued.
    std::vector<CVKT_Sprite::tDraw> SpriteEnd();

    HiddenWindow m_window;
    int m_width;
};

template <typename Draws>
std::vector<uint32_t> RendererBench::Frame(Draws draws, uint8_t r, uint8_t g, uint8_t b)
{
    BeginFrame(r, g, b);
    draws();
    EndFrame();
    return ReadBack();
}

template <typename Draws>
std::vector<CVKT_Sprite::tDraw> RendererBench::DrawsOf(Draws draws)
{
    SpriteBegin();
    draws();
    return SpriteEnd();
}
} // namespace headless
