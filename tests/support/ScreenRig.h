// A bench for the game's screens: the real CGame on a hidden dummy-driver window with the game's own
// window procedure, run in a temporary copy of the build's Resource folder (pictures and sounds
// linked, settings.xml the folder's own) under a hand-driven clock. Frames run the way the program's
// loop runs them; key events go into SDL's real queue; presented frames can be read back and
// compared with the pictures the screens draw from.
#pragma once

#include "TestSupport.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IGameState;

namespace test
{
// A decoded picture as ARGB pixels, with the colour key applied the way the texture manager does
// (pixels of exactly the key become transparent black).
struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
    bool Opaque(int x, int y) const { return (At(x, y) >> 24) == 0xFF; }
};

// Loads a file of the build's Resource/Graphics folder.
Picture LoadPicture(const std::string& file, uint32_t colorKey);

// The result of laying a section of a picture over a frame and comparing every opaque pixel.
struct Comparison
{
    int compared = 0;
    int mismatched = 0;
    std::string firstMismatch;
};

// Compares the frame with the section (sx, sy, w, h) of the picture drawn at (dx, dy), pixel by
// pixel where the picture is opaque; channels may differ by `tolerance`. bMirrorY: the section was
// drawn with scale y = -1, so its row v lands on screen row dy - 1 - v.
Comparison CompareSection(const std::vector<uint32_t>& frame, const Picture& picture, int sx, int sy, int w,
                          int h, int dx, int dy, bool bMirrorY = false, int tolerance = 2);

// Compares the frame with a text drawn by the bitmap font from a glyph sheet (cells of cellW x
// cellH, `columns` per row, first character 32) at (x, y) and integer `scale`. Characters without
// a cell are skipped (they take their place but draw nothing).
Comparison CompareText(const std::vector<uint32_t>& frame, const Picture& sheet, int cellW, int cellH,
                       int columns, const std::string& text, int x, int y, int scale = 1);

// How many pixels of the rectangle differ between two frames.
int CountDifferences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int x, int y, int w,
                     int h);

inline uint32_t FramePixel(const std::vector<uint32_t>& frame, int x, int y)
{
    return frame[static_cast<size_t>(y) * 640 + x];
}

class ScreenRig
{
public:
    // settingsXml: the content of Resource/settings.xml before the game starts; empty: no file.
    explicit ScreenRig(const std::string& settingsXml = "");
    ~ScreenRig();
    ScreenRig(const ScreenRig&) = delete;
    ScreenRig& operator=(const ScreenRig&) = delete;

    // One pass of the program's loop: the clock moves on, every waiting event is pumped, one frame.
    // The result is Main's: false ends the game.
    bool Frame(uint32_t milliseconds = 16);
    // Runs frames of `step` ms until `milliseconds` have passed or the condition holds; true when
    // it held.
    template <typename Condition>
    bool RunUntil(Condition condition, uint32_t milliseconds, uint32_t step = 16);
    // Like Frame, and returns the presented picture.
    std::vector<uint32_t> CaptureFrame(uint32_t milliseconds = 16);

    // The key goes down (one frame), then up (one more frame).
    void Tap(SDL_Scancode key, Uint16 modifiers = KMOD_NONE);
    void Hold(SDL_Scancode key, Uint16 modifiers = KMOD_NONE) { PushKey(key, true, modifiers); }
    void Release(SDL_Scancode key, Uint16 modifiers = KMOD_NONE) { PushKey(key, false, modifiers); }
    // A key press that types `text` (as the window system sends it), then its release.
    void Type(SDL_Scancode key, const char* text, Uint16 modifiers = KMOD_NONE);

    IGameState* Top() const;
    size_t Depth() const;
    ManualClock& Clock() { return *m_clock; }
    SDL_Window* Window() const { return m_hWnd; }
    // The working folder the game runs in, and its settings file.
    const std::string& Folder() const { return m_dir.Path(); }
    std::string SettingsPath() const { return m_dir / "Resource/settings.xml"; }
    std::string SettingsText() const { return ReadFile(SettingsPath()); }

private:
    ScopedTempDir m_dir;
    std::unique_ptr<ScopedWorkingDir> m_cwd;
    std::unique_ptr<ManualClock> m_clock;
    SDL_Window* m_hWnd = nullptr;
};

template <typename Condition>
bool ScreenRig::RunUntil(Condition condition, uint32_t milliseconds, uint32_t step)
{
    for (uint32_t elapsed = 0; elapsed < milliseconds; elapsed += step)
    {
        if (condition())
            return true;
        Frame(step);
    }
    return condition();
}
} // namespace test
