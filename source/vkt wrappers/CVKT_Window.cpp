#include "CVKT_Window.h"

#include "CVKT_Direct3D.h"
#include "CVKT_DirectInput.h"
#include "CVKT_SingleInstance.h"
#include "CVKT_StopSignals.h"

#include <SDL.h>

CVKT_Window* CVKT_Window::GetInstance()
{
    static CVKT_Window instance;
    return &instance;
}

bool CVKT_Window::InitPlatform()
{
    m_bDestroyed = false;
    m_bQuitPosted = false;
    m_nQuitCode = 0;
    return SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
}

void CVKT_Window::ShutdownPlatform()
{
    if (m_hWnd)
        SDL_DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    m_pfnWndProc = nullptr;
    m_pSingleInstance = nullptr;
    SDL_Quit();
}

HWND CVKT_Window::CreateGameWindow(const char* szClassName, const char* szTitle, int nClientWidth,
                                   int nClientHeight, WNDPROC pfnWndProc)
{
    // SDL's X11 driver reads the window class from this variable when video starts, so video starts
    // here rather than in InitPlatform.
    if (szClassName)
        SDL_setenv("SDL_VIDEO_X11_WMCLASS", szClassName, 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return nullptr;
    m_pfnWndProc = pfnWndProc;
    m_bDestroyed = false;
    m_hWnd = SDL_CreateWindow(szTitle ? szTitle : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              nClientWidth, nClientHeight, SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
    if (!m_hWnd)
        return nullptr;
    SendMessage(WM_CREATE, 0);
    return m_hWnd;
}

intptr_t CVKT_Window::SendMessage(unsigned int uMsg, uintptr_t wParam)
{
    if (!m_pfnWndProc)
        return 0;
    return m_pfnWndProc(m_hWnd, uMsg, wParam, 0);
}

bool CVKT_Window::PeekMessages()
{
    // A stop signal ends the loop like the quit message, before another frame, and its number
    // becomes the exit code.
    if (const int nSignalExitCode = CVKT_StopSignals::GetInstance()->GetExitCode())
    {
        PostQuitMessage(nSignalExitCode);
        return false;
    }
    if (m_pSingleInstance && m_pSingleInstance->PollRaiseRequest())
        RaiseWindow();

    SDL_Event event;
    while (!m_bQuitPosted && SDL_PollEvent(&event))
        RouteEvent(event);
    return !m_bQuitPosted;
}

void CVKT_Window::RouteEvent(const SDL_Event& event)
{
    switch (event.type)
    {
    case SDL_QUIT:
        if (!m_bDestroyed)
            SendMessage(WM_CLOSE, 0);
        break;
    case SDL_WINDOWEVENT:
        RouteWindowEvent(event);
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        CVKT_Direct3D::GetInstance()->OnDeviceLost();
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_TEXTINPUT:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
    case SDL_JOYAXISMOTION:
    case SDL_JOYBALLMOTION:
    case SDL_JOYHATMOTION:
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
    case SDL_CONTROLLERAXISMOTION:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERDEVICEREMAPPED:
        CVKT_DirectInput::GetInstance()->HandleEvent(event);
        break;
    default:
        break;
    }
}

void CVKT_Window::RouteWindowEvent(const SDL_Event& event)
{
    if (m_hWnd && event.window.windowID != SDL_GetWindowID(m_hWnd))
        return;
    switch (event.window.event)
    {
    case SDL_WINDOWEVENT_FOCUS_LOST:
        // Like a lost device: nothing stays held while the window is in the background.
        CVKT_DirectInput::GetInstance()->OnFocusLost();
        SendMessage(WM_ACTIVATE, WA_INACTIVE);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        CVKT_DirectInput::GetInstance()->OnFocusGained();
        SendMessage(WM_ACTIVATE, WA_ACTIVE);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        SendMessage(WM_PAINT, 0);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        if (!m_bDestroyed)
            SendMessage(WM_CLOSE, 0);
        break;
    default:
        break;
    }
}

void CVKT_Window::PostQuitMessage(int nExitCode)
{
    m_bQuitPosted = true;
    m_nQuitCode = nExitCode;
}

void CVKT_Window::DestroyWindow(HWND hWnd)
{
    if (m_bDestroyed || !hWnd || hWnd != m_hWnd)
        return;
    m_bDestroyed = true;
    SDL_HideWindow(m_hWnd);
    SendMessage(WM_DESTROY, 0);
}

intptr_t CVKT_Window::DefWindowProc(HWND, unsigned int, uintptr_t, intptr_t)
{
    return 0;
}

void CVKT_Window::RaiseWindow()
{
    if (!m_hWnd)
        return;
    if (SDL_GetWindowFlags(m_hWnd) & SDL_WINDOW_MINIMIZED)
        SDL_RestoreWindow(m_hWnd);
    SDL_RaiseWindow(m_hWnd);
}
