#include "WinMain.h"

#include "CGame.h"
#include "CGamePlayState.h"
#include "CPauseState.h"
#include "CReplayFile.h"
#include "CReplayPlayer.h"
#include "CReplayRecorder.h"
#include "GameResourceFiles.h"

#include "CVKT_Clock.h"
#include "CVKT_DataLocation.h"
#include "CVKT_FramePacer.h"
#include "CVKT_SingleInstance.h"
#include "CVKT_StopSignals.h"

#include <cstdio>
#include <cstdlib>

namespace
{
constexpr int CLIENT_WIDTH = 640;
constexpr int CLIENT_HEIGHT = 480;

// A few wake-ups a second keep a minimised game answering a second copy's request to come back.
constexpr int HIDDEN_WAIT_MS = 250;

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
        pWindow->WaitForMessage(HIDDEN_WAIT_MS);
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
    HWND hWnd = pWindow->CreateFittedWindow(VKT_WINDOW_CLASS, VKT_WINDOW_TITLE, {CLIENT_WIDTH, CLIENT_HEIGHT},
                                            {display.nWindowWidth, display.nWindowHeight}, WndProc);
    if (hWnd)
        pWindow->SetIcon(IMAGE_WINDOW_ICON);
    return hWnd;
}

namespace
{
// Everything after the one-copy check; returns the exit code. With a replay the game shows it and
// ends; otherwise it is played, and every game is recorded.
int RunGame(HINSTANCE hInstance, CVKT_SingleInstance* pSingleInstance, const tReplay* pReplay)
{
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
    window->SetSingleInstance(pSingleInstance);

    std::srand(CVKT_Clock::GetTickCount());
    CReplayRecorder::GetInstance()->Enable(pReplay == nullptr);

    CGame* game = CGame::GetInstance();
    game->Initialize(hWnd, hInstance, CLIENT_WIDTH, CLIENT_HEIGHT, !display.bFullScreen);
    if (pReplay)
    {
        game->SetSettingsReadOnly(true);
        CReplayPlayer::GetInstance()->Start(*pReplay, nullptr);
    }
    RunMessageLoop(window, game);
    game->Shutdown();

    const int exitCode = window->GetQuitCode();
    window->ShutdownPlatform();
    return exitCode;
}

// Runs with the stop signals set up; returns the exit code.
template <typename Body>
int WithStopSignals(Body body)
{
    // From here on SIGTERM, SIGINT and SIGHUP end the game through its shutdown (before SDL starts,
    // so that SDL leaves them alone).
    CVKT_StopSignals* signals = CVKT_StopSignals::GetInstance();
    signals->InitStopSignals();
    const int exitCode = body();
    signals->ShutdownStopSignals();
    return exitCode;
}
} // namespace

int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, const char*, int)
{
    CVKT_SingleInstance singleInstance;
    if (!hPrevInstance && !singleInstance.Claim(VKT_INSTANCE_NAME))
        return 0;
    return WithStopSignals(
        [&]
        {
            if (!CVKT_DataLocation::GetInstance()->Locate())
                return 1;
            return RunGame(hInstance, &singleInstance, nullptr);
        });
}

int WatchReplay(const char* szFile)
{
    // Watching writes nothing and takes nothing from a running game: it needs no lock of its own.
    return WithStopSignals(
        [&]
        {
            if (!CVKT_DataLocation::GetInstance()->Locate())
                return 1;
            tReplay replay;
            const CReplayFile::eError error = CReplayFile::Load(szFile, replay);
            if (error != CReplayFile::eError::None)
            {
                std::fprintf(stderr, "talonreach: %s\n", CReplayFile::Message(error, szFile).c_str());
                return 1;
            }
            const int exitCode = RunGame(nullptr, nullptr, &replay);
            if (exitCode != 0)
                return exitCode;
            return CReplayPlayer::GetInstance()->GetResult() == CReplayPlayer::eResult::Departed ? 3 : 0;
        });
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
        // Pauses play (and a replay's watching).
        if ((wParam & 0xFFFF) == WA_INACTIVE)
            CGame::GetInstance()->FocusLost();
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
