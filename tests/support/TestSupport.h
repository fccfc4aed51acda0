// Shared helpers for the test suites: files, a headless renderer, and (from the headless game
// library) temporary folders, input events pushed into SDL's real queue and a hand-driven clock.
#pragma once

#include "InputEvents.h"
#include "ManualClock.h"
#include "ScopedTempDir.h"
#include "ScopedWorkingDir.h"

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

namespace test
{
using headless::ManualClock;
using headless::PushKey;
using headless::PushKeyPress;
using headless::PushText;
using headless::PushWindowEvent;
using headless::ScopedTempDir;
using headless::ScopedWorkingDir;

// The build folder, where the generated Resource/ folder lives.
std::string BuildDir();
std::string SourceDir();

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
void MakeDirs(const std::string& path);

// Writes a PNG of width x height from ARGB pixels (row by row).
void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb);

// SDL video on the dummy driver with one hidden 640 x 480 window, plus the game's renderer and
// texture manager on it (software renderer). Shuts all of it down again on destruction.
class HeadlessRenderer
{
public:
    HeadlessRenderer(int width = 640, int height = 480);
    ~HeadlessRenderer();
    SDL_Window* Window() const { return m_window; }
    // Runs Clear(r, g, b), SpriteBegin, the draws, SpriteEnd and reads the back buffer back.
    template <typename Draws>
    std::vector<uint32_t> Frame(Draws draws, uint8_t r = 0, uint8_t g = 0, uint8_t b = 128);
    std::vector<uint32_t> ReadBack() const;
    uint32_t Pixel(const std::vector<uint32_t>& frame, int x, int y) const { return frame[y * m_width + x]; }

private:
    void BeginFrame(uint8_t r, uint8_t g, uint8_t b);
    void EndFrame();

    SDL_Window* m_window = nullptr;
    int m_width;
};

template <typename Draws>
std::vector<uint32_t> HeadlessRenderer::Frame(Draws draws, uint8_t r, uint8_t g, uint8_t b)
{
    BeginFrame(r, g, b);
    draws();
    EndFrame();
    return ReadBack();
}
} // namespace test
