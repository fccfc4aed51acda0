#include "ScreenRig.h"

#include "CGame.h"
#include "IGameState.h"
#include "WinMain.h"

#include "CVKT_Direct3D.h"
#include "CVKT_Window.h"

#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace test
{
namespace
{
int Channel(uint32_t argb, int shift)
{
    return static_cast<int>((argb >> shift) & 0xFF);
}

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift <= 16; shift += 8)
        if (std::abs(Channel(a, shift) - Channel(b, shift)) > tolerance)
            return false;
    return true;
}

void Note(Comparison& result, int x, int y, uint32_t expected, uint32_t actual)
{
    ++result.mismatched;
    if (!result.firstMismatch.empty())
        return;
    char text[96];
    std::snprintf(text, sizeof text, "at (%d, %d): expected %08X, frame has %08X", x, y, expected, actual);
    result.firstMismatch = text;
}
} // namespace

Picture LoadPicture(const std::string& file, uint32_t colorKey)
{
    const std::string path = BuildDir() + "/Resource/Graphics/" + file;
    SDL_Surface* decoded = IMG_Load(path.c_str());
    if (!decoded)
        throw std::runtime_error("cannot load " + path);
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (!argb)
        throw std::runtime_error("cannot convert " + path);
    Picture picture;
    picture.width = argb->w;
    picture.height = argb->h;
    picture.argb.resize(static_cast<size_t>(argb->w) * argb->h);
    for (int y = 0; y < argb->h; ++y)
    {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < argb->w; ++x)
        {
            const uint32_t p = row[x];
            picture.argb[static_cast<size_t>(y) * argb->w + x] = (colorKey != 0 && p == colorKey) ? 0u : p;
        }
    }
    SDL_FreeSurface(argb);
    return picture;
}

Comparison CompareSection(const std::vector<uint32_t>& frame, const Picture& picture, int sx, int sy, int w,
                          int h, int dx, int dy, bool bMirrorY, int tolerance)
{
    Comparison result;
    for (int v = 0; v < h; ++v)
        for (int u = 0; u < w; ++u)
        {
            if (!picture.Opaque(sx + u, sy + v))
                continue;
            const int x = dx + u;
            const int y = bMirrorY ? dy - 1 - v : dy + v;
            if (x < 0 || x >= 640 || y < 0 || y >= 480)
                continue;
            ++result.compared;
            const uint32_t expected = picture.At(sx + u, sy + v);
            const uint32_t actual = FramePixel(frame, x, y);
            if (!Near(expected, actual, tolerance))
                Note(result, x, y, expected, actual);
        }
    return result;
}

Comparison CompareText(const std::vector<uint32_t>& frame, const Picture& sheet, int cellW, int cellH,
                       int columns, const std::string& text, int x, int y, int scale)
{
    Comparison result;
    const int cells = (sheet.height / cellH) * columns;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const int cell = static_cast<signed char>(text[i]) - 32;
        if (cell < 0 || cell >= cells)
            continue;
        const int left = (cell % columns) * cellW;
        const int top = (cell / columns) * cellH;
        const int glyphX = x + static_cast<int>(i) * cellW * scale;
        for (int v = 0; v < cellH * scale; ++v)
            for (int u = 0; u < cellW * scale; ++u)
            {
                if (!sheet.Opaque(left + u / scale, top + v / scale))
                    continue;
                ++result.compared;
                const uint32_t expected = sheet.At(left + u / scale, top + v / scale);
                const uint32_t actual = FramePixel(frame, glyphX + u, y + v);
                if (!Near(expected, actual, 2))
                    Note(result, glyphX + u, y + v, expected, actual);
            }
    }
    return result;
}

int CountDifferences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int x, int y, int w,
                     int h)
{
    int count = 0;
    for (int row = y; row < y + h; ++row)
        for (int column = x; column < x + w; ++column)
            count += FramePixel(a, column, row) != FramePixel(b, column, row);
    return count;
}

ScreenRig::ScreenRig(const std::string& settingsXml)
{
    // Headless whatever the runner passed on: no real audio device, the software renderer. Values
    // that are already set win.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    // The pictures and sounds are shared with the build (linked, never written); the settings file
    // is this folder's own.
    MakeDirs(m_dir / "Resource");
    std::filesystem::create_directory_symlink(BuildDir() + "/Resource/Graphics", m_dir / "Resource/Graphics");
    std::filesystem::create_directory_symlink(BuildDir() + "/Resource/Sound", m_dir / "Resource/Sound");
    if (!settingsXml.empty())
        WriteFile(SettingsPath(), settingsXml);
    m_cwd = std::make_unique<ScopedWorkingDir>(m_dir.Path());
    m_clock = std::make_unique<ManualClock>(10000);

    CVKT_Window* window = CVKT_Window::GetInstance();
    if (!window->InitPlatform())
        throw std::runtime_error("the platform did not start");
    m_hWnd = window->CreateGameWindow(VKT_WINDOW_CLASS, VKT_WINDOW_TITLE, 640, 480, WndProc);
    if (!m_hWnd)
        throw std::runtime_error("no window");
    CGame::GetInstance()->Initialize(m_hWnd, nullptr, 640, 480, true);
}

ScreenRig::~ScreenRig()
{
    CVKT_Direct3D::GetInstance()->SetFrameCapture(false);
    CGame::GetInstance()->Shutdown();
    CVKT_Window::GetInstance()->ShutdownPlatform();
}

bool ScreenRig::Frame(uint32_t milliseconds)
{
    m_clock->Advance(milliseconds);
    CVKT_Window::GetInstance()->PeekMessages();
    return CGame::GetInstance()->Main();
}

std::vector<uint32_t> ScreenRig::CaptureFrame(uint32_t milliseconds)
{
    CVKT_Direct3D* pD3D = CVKT_Direct3D::GetInstance();
    pD3D->SetFrameCapture(true);
    Frame(milliseconds);
    pD3D->SetFrameCapture(false);
    return pD3D->GetCapturedFrame();
}

void ScreenRig::Tap(SDL_Scancode key, Uint16 modifiers)
{
    Hold(key, modifiers);
    Frame();
    Release(key, modifiers);
    Frame();
}

void ScreenRig::Type(SDL_Scancode key, const char* text, Uint16 modifiers)
{
    Hold(key, modifiers);
    PushText(text);
    Frame();
    Release(key, modifiers);
    Frame();
}

IGameState* ScreenRig::Top() const
{
    const std::vector<IGameState*> stack = CGame::GetInstance()->GetStateStack();
    return stack.empty() ? nullptr : stack.back();
}

size_t ScreenRig::Depth() const
{
    return CGame::GetInstance()->GetStateStack().size();
}
} // namespace test
