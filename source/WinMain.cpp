#include "WinMain.h"

#include "CGame.h"
#include "CGamePlayState.h"
#include "CPauseState.h"
#include "GameResourceFiles.h"

#include "CVKT_Clock.h"
#include "CVKT_DataLocation.h"
#include "CVKT_FramePacer.h"
#include "CVKT_SingleInstance.h"
#include "CVKT_StopSignals.h"

#include <cstdlib>

namespace
{
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;

// A few wake-ups a second keep a minimised game answering a second copy's request to come back.
constexpr int kHiddenWaitMs = 250;

// Runs frames until the game ends (Main returns false) or the quit message arrives.
void RunMessageLoop(CVKT_Window* pWindow, CGame* pGame)
{
    CVKT_FramePacer pacer;
    while (RunLoopPass(pWindow, pGame, &pacer))
    {
    }
}

} // namespace

bool RunLoopPass(CVKT_Window* pWindow, CGame* pGame, CVKT_FramePacer* pPacer)
{
    if (!pWindow->PeekMessages())
        return false;
    if (!pWindow->IsShowing())
    {
        pWindow->WaitForMessage(kHiddenWaitMs);
        return true;
    }
    if (!pGame->Main())
        return false;
    pPacer->WaitForNextFrame(pWindow->GetRefreshRate());
    return true;
}

tDisplaySettings RememberedDisplay()
{
    tGameSettings settings;
    CSettingsFile::Load(SETTINGS_FILE, settings);
    return settings.display;
}

HWND OpenGameWindow(CVKT_Window* pWindow, const tDisplaySettings& display)
{
    return pWindow->CreateFittedWindow(VKT_WINDOW_CLASS, VKT_WINDOW_TITLE, {kClientWidth, kClientHeight},
                                       {display.nWindowWidth, display.nWindowHeight}, WndProc);
}

namespace
{
// Everything after the one-copy check; returns the exit code.
int RunGame(HINSTANCE hInstance, CVKT_SingleInstance& singleInstance)
{
    if (!CVKT_DataLocation::GetInstance()->Locate())
        return 1;
    CVKT_Window* window = CVKT_Window::GetInstance();
    if (!window->InitPlatform())
        return 0;
    const tDisplaySettings display = RememberedDisplay();
    HWND hWnd = OpenGameWindow(window, display);
    if (!hWnd)
    {
        window->ShutdownPlatform();
        return 0;
    }
    window->SetSingleInstance(&singleInstance);

    std::srand(CVKT_Clock::GetTickCount());

    CGame* game = CGame::GetInstance();
    game->Initialize(hWnd, hInstance, kClientWidth, kClientHeight, !display.bFullScreen);
    RunMessageLoop(window, game);
    game->Shutdown();

    const int exitCode = window->GetQuitCode();
    window->ShutdownPlatform();
    return exitCode;
}
} // namespace

int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, const char*, int)
{
    CVKT_SingleInstance singleInstance;
    if (!hPrevInstance && !singleInstance.Claim(VKT_WINDOW_CLASS))
        return 0;

    // From here on SIGTERM, SIGINT and SIGHUP end the game through its shutdown (before SDL starts,
    // so that SDL leaves them alone).
    CVKT_StopSignals* signals = CVKT_StopSignals::GetInstance();
    signals->InitStopSignals();
    const int exitCode = RunGame(hInstance, singleInstance);
    signals->ShutdownStopSignals();
    return exitCode;
}

intptr_t WndProc(HWND hWnd, unsigned int uMsg, uintptr_t wParam, intptr_t lParam)
{
    CVKT_Window* window = CVKT_Window::GetInstance();
    switch (uMsg)
    {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        window->PostQuitMessage(0);
        return 0;
    case WM_ACTIVATE:
        if ((wParam & 0xFFFF) == WA_INACTIVE)
        {
            const std::vector<IGameState*> stack = CGame::GetInstance()->GetStateStack();
            if (!stack.empty() && stack.back() == CGamePlayState::GetInstance())
                CGame::GetInstance()->PushState(CPauseState::GetInstance());
        }
        break;
    case WM_PAINT:
        return 0; // all drawing happens in the frame loop
    case WM_CLOSE:
        window->DestroyWindow(hWnd);
        break;
    default:
        break;
    }
    return window->DefWindowProc(hWnd, uMsg, wParam, lParam);
}
