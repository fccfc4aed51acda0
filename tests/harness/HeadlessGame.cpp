#include "HeadlessGame.h"

#include "Files.h"
#include "FrameComparison.h"

#include "CGame.h"
#include "CReplayPlayer.h"
#include "CReplayRecorder.h"
#include "IGameState.h"
#include "WinMain.h"

#include "CVKT_Direct3D.h"
#include "CVKT_Window.h"

#include <cassert>
#include <cstdlib>
#include <stdexcept>

namespace headless
{
namespace
{
void UseHeadlessDrivers()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
}
} // namespace

HeadlessGame::HeadlessGame(const Options& options)
{
    UseHeadlessDrivers();
    const std::string resourceDir =
        options.resourceDir.empty() ? BuildDir() + "/Resource" : options.resourceDir;
    m_pFolder = std::make_unique<ScratchFolder>(resourceDir, options.settingsXml);
    m_pClock = std::make_unique<ManualClock>(options.startTick);
    m_bRecord = options.record;
    m_bStrict = options.strict;
    Start();
}

HeadlessGame::~HeadlessGame()
{
    Stop();
}

void HeadlessGame::Start()
{
    CVKT_Window* pWindow = CVKT_Window::GetInstance();
    if (!pWindow->InitPlatform())
        throw std::runtime_error("the platform did not start");
    const tDisplaySettings display = RememberedDisplay();
    m_pWindow = OpenGameWindow(pWindow, display);
    if (!m_pWindow)
    {
        pWindow->ShutdownPlatform();
        throw std::runtime_error("no game window");
    }
    CReplayRecorder::GetInstance()->Enable(m_bRecord);
    CGame::GetInstance()->Initialize(m_pWindow, nullptr, FRAME_WIDTH, FRAME_HEIGHT, !display.bFullScreen);
}

void HeadlessGame::Stop()
{
    CVKT_Direct3D* pD3D = CVKT_Direct3D::GetInstance();
    pD3D->SetFrameCapture(false);
    pD3D->SetScreenCapture(false);
    CGame::GetInstance()->Shutdown();
    CReplayRecorder::GetInstance()->Enable(false);
    m_vPads.clear();
    CVKT_Window::GetInstance()->ShutdownPlatform();
    m_pWindow = nullptr;
}

void HeadlessGame::Restart()
{
    Stop();
    Start();
}

bool HeadlessGame::Frame(uint32_t milliseconds)
{
    m_pClock->Advance(milliseconds);
    // The pump's quit message ends the loop before Main, as in the program's loop.
    const bool bGoesOn = CVKT_Window::GetInstance()->PeekMessages() && CGame::GetInstance()->Main();
    if (!bGoesOn && m_bStrict)
        throw std::runtime_error("the game ended unexpectedly");
    return bGoesOn;
}

void HeadlessGame::Run(uint32_t milliseconds, uint32_t step)
{
    for (uint32_t elapsed = 0; elapsed < milliseconds; elapsed += step)
        Frame(step);
}

std::vector<uint32_t> HeadlessGame::CaptureFrame(uint32_t milliseconds)
{
    CVKT_Direct3D* pD3D = CVKT_Direct3D::GetInstance();
    pD3D->SetFrameCapture(true);
    Frame(milliseconds);
    pD3D->SetFrameCapture(false);
    std::vector<uint32_t> frame = pD3D->GetCapturedFrame();
    if (m_bStrict && frame.size() != static_cast<size_t>(FRAME_WIDTH) * FRAME_HEIGHT)
        throw std::runtime_error("no frame was captured");
    return frame;
}

tScreenPixels HeadlessGame::CaptureScreen(uint32_t milliseconds)
{
    CVKT_Direct3D* pD3D = CVKT_Direct3D::GetInstance();
    pD3D->SetScreenCapture(true);
    Frame(milliseconds);
    tScreenPixels screen = pD3D->GetCapturedScreen();
    pD3D->SetScreenCapture(false);
    return screen;
}

void HeadlessGame::Tap(SDL_Scancode key, uint32_t milliseconds)
{
    Hold(key);
    Frame(milliseconds);
    Release(key);
    Frame(milliseconds);
}

void HeadlessGame::Type(SDL_Scancode key, const char* szText, Uint16 modifiers)
{
    Hold(key, modifiers);
    PushText(szText);
    Frame();
    Release(key, modifiers);
    Frame();
}

void HeadlessGame::Type(const char* szLetters)
{
    for (const char* p = szLetters; *p; ++p)
    {
        assert(*p >= 'a' && *p <= 'z' && "Type takes lower-case letters only");
        Tap(static_cast<SDL_Scancode>(SDL_SCANCODE_A + (*p - 'a')));
    }
}

void HeadlessGame::Tap(VirtualPad& pad, SDL_GameControllerButton button, uint32_t milliseconds)
{
    pad.Press(button);
    Frame(milliseconds);
    pad.Release(button);
    Frame(milliseconds);
}

void HeadlessGame::QuickTap(SDL_Scancode key, uint32_t milliseconds)
{
    PushKeyPress(key);
    Frame(milliseconds);
}

void HeadlessGame::QuickTap(VirtualPad& pad, SDL_GameControllerButton button, uint32_t milliseconds)
{
    pad.Press(button);
    SDL_PumpEvents();
    pad.Release(button);
    Frame(milliseconds);
}

VirtualPad& HeadlessGame::PlugPad(const SDL_VirtualJoystickDesc& desc)
{
    m_vPads.push_back(std::make_unique<VirtualPad>(desc));
    return *m_vPads.back();
}

std::vector<IGameState*> HeadlessGame::Stack() const
{
    return CGame::GetInstance()->GetStateStack();
}

IGameState* HeadlessGame::Top() const
{
    const std::vector<IGameState*> stack = Stack();
    return stack.empty() ? nullptr : stack.back();
}

size_t HeadlessGame::Depth() const
{
    return Stack().size();
}

std::string HeadlessGame::SettingsText() const
{
    return ReadFile(SettingsPath());
}

void HeadlessGame::TimedOut(const char* szWhat, uint32_t milliseconds) const
{
    if (m_bStrict)
        throw std::runtime_error(std::string(szWhat) + " did not come within " +
                                 std::to_string(milliseconds) + " ms");
}
} // namespace headless
