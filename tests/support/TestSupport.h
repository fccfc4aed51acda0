// Shared helpers for the test suites: temporary folders, a headless renderer, key events pushed into
// SDL's real queue, and a hand-driven millisecond clock.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

namespace test
{
// The build folder, where the generated Resource/ folder lives.
std::string BuildDir();
std::string SourceDir();

// A fresh folder under /tmp, removed with everything in it when the object goes.
class ScopedTempDir
{
public:
    ScopedTempDir();
    ~ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& relative) const { return m_path + "/" + relative; }

private:
    std::string m_path;
};

// Changes the working directory for the lifetime of the object.
class ScopedWorkingDir
{
public:
    explicit ScopedWorkingDir(const std::string& path);
    ~ScopedWorkingDir();

private:
    std::string m_previous;
};

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

// Key events as the window system delivers them, pushed into SDL's queue.
void PushKey(SDL_Scancode scancode, bool down, Uint16 modifiers = KMOD_NONE);
void PushKeyPress(SDL_Scancode scancode, Uint16 modifiers = KMOD_NONE); // down then up
void PushText(const char* utf8);
void PushWindowEvent(SDL_Window* window, Uint8 windowEvent);

// A hand-driven millisecond clock for the game's tick seam. Installing it replaces the system
// clock until the object goes.
class ManualClock
{
public:
    explicit ManualClock(uint32_t start = 1000);
    ~ManualClock();
    void Set(uint32_t tick);
    void Advance(uint32_t milliseconds);
    uint32_t Now() const;
};
} // namespace test
