#include "CVKT_Window.h"

#include "CVKT_Clock.h"
#include "CVKT_Direct3D.h"
#include "CVKT_DirectInput.h"
#include "CVKT_ImageFile.h"
#include "CVKT_MessageBox.h"
#include "CVKT_SingleInstance.h"
#include "CVKT_StopSignals.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

namespace
{
// The window system's frame around the client area: borders and a title bar.
struct tFrame
{
    int nTop = 0;
    int nLeft = 0;
    int nBottom = 0;
    int nRight = 0;

    tSize Size() const { return {nLeft + nRight, nTop + nBottom}; }
};

// What a window manager usually puts around a window, until the window is on the screen and its
// real frame can be asked for. Guessed a little large: a window that fits with it fits with less.
constexpr tFrame ESTIMATED_FRAME = {36, 4, 4, 4};

// The primary display less its panels and docks, as the window system reports it.
SDL_Rect UsableArea()
{
    SDL_Rect area = {0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &area) != 0)
        SDL_GetDisplayBounds(0, &area);
    return area;
}

tSize SizeOf(const SDL_Rect& area)
{
    return {area.w, area.h};
}

// Where the client area goes so that the whole window, frame included, sits in the middle of the
// area; never above or left of it.
SDL_Point CentredIn(const SDL_Rect& area, tSize client, const tFrame& frame)
{
    const tSize outer = {client.nWidth + frame.Size().nWidth, client.nHeight + frame.Size().nHeight};
    const int nLeft = area.x + std::max(0, (area.w - outer.nWidth) / 2);
    const int nTop = area.y + std::max(0, (area.h - outer.nHeight) / 2);
    return {nLeft + frame.nLeft, nTop + frame.nTop};
}
} // namespace

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
    m_bMinimized = false;
    m_bHidden = false;
    m_FittedSize = tSize();
    m_PointerHider = CVKT_PointerHider();
    SDL_Quit();
}

namespace
{
// SDL 2.26 tries X11 before Wayland: on a Wayland desktop with XWayland the game is an X11 client,
// which keeps it away from SDL 2.26's Wayland keyboard code, which crashes on virtual keyboards that
// send a modifier before their keymap. Said here, so that a later SDL preferring Wayland does not
// move the game; SDL_VIDEODRIVER in the environment still decides.
void PreferX11WhereBothRun()
{
    const char* szX11 = std::getenv("DISPLAY");
    const char* szWayland = std::getenv("WAYLAND_DISPLAY");
    if (szX11 && *szX11 && szWayland && *szWayland)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
}

struct tSurfaceDeleter
{
    void operator()(SDL_Surface* pSurface) const { SDL_FreeSurface(pSurface); }
};
} // namespace

bool CVKT_Window::StartVideo(const char* szClassName, const char* szTitle)
{
    // SDL's drivers read the window class from these variables when video starts (X11 for WM_CLASS,
    // Wayland for the app_id), so video starts here rather than in InitPlatform.
    if (szClassName)
    {
        SDL_setenv("SDL_VIDEO_X11_WMCLASS", szClassName, 1);
        SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", szClassName, 1);
    }
    if (szTitle && *szTitle)
        SDL_SetHint(SDL_HINT_APP_NAME, szTitle);
    // SDL holds the screensaver off from the start by default; the game decides screen by screen.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    PreferX11WhereBothRun();
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

HWND CVKT_Window::CreateGameWindow(const char* szClassName, const char* szTitle, int nClientWidth,
                                   int nClientHeight, WNDPROC pfnWndProc)
{
    if (!StartVideo(szClassName, szTitle))
        return nullptr;
    m_FittedSize = {nClientWidth, nClientHeight};
    return OpenWindow(szTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, m_FittedSize, pfnWndProc);
}

HWND CVKT_Window::CreateFittedWindow(const char* szClassName, const char* szTitle, tSize base,
                                     tSize remembered, WNDPROC pfnWndProc)
{
    if (!StartVideo(szClassName, szTitle))
        return nullptr;
    const SDL_Rect area = UsableArea();
    m_FittedSize = CVKT_ScreenFit::LargestWindow(SizeOf(area), ESTIMATED_FRAME.Size(), base);
    const bool bRemembered = CVKT_ScreenFit::Fits(remembered, ESTIMATED_FRAME.Size(), SizeOf(area));
    const tSize size = bRemembered ? remembered : m_FittedSize;
    const SDL_Point at = CentredIn(area, size, ESTIMATED_FRAME);
    if (!OpenWindow(szTitle, at.x, at.y, size, pfnWndProc))
        return nullptr;
    FitToFrame(base, bRemembered);
    return m_hWnd;
}

void CVKT_Window::FitToFrame(tSize base, bool bKeepSize)
{
    // The window manager tells the frame's size in a property of the window; the events that carry
    // it are waiting once the window is mapped. They stay queued for the next pump.
    SDL_PumpEvents();
    tFrame frame;
    if (SDL_GetWindowBordersSize(m_hWnd, &frame.nTop, &frame.nLeft, &frame.nBottom, &frame.nRight) != 0 ||
        frame.Size() == tSize())
        return; // no frame reported (or none yet): the estimate stands
    const SDL_Rect area = UsableArea();
    m_FittedSize = CVKT_ScreenFit::LargestWindow(SizeOf(area), frame.Size(), base);
    tSize size;
    SDL_GetWindowSize(m_hWnd, &size.nWidth, &size.nHeight);
    if (!bKeepSize && size != m_FittedSize)
    {
        size = m_FittedSize;
        SDL_SetWindowSize(m_hWnd, size.nWidth, size.nHeight);
    }
    const SDL_Point at = CentredIn(area, size, frame);
    SDL_SetWindowPosition(m_hWnd, at.x, at.y);
}

HWND CVKT_Window::OpenWindow(const char* szTitle, int nX, int nY, tSize size, WNDPROC pfnWndProc)
{
    m_pfnWndProc = pfnWndProc;
    m_bDestroyed = false;
    // High-DPI aware: where the desktop scales windows, the drawable has more pixels than the
    // window has points, and the renderer fits the picture to the pixels.
    m_hWnd = SDL_CreateWindow(szTitle ? szTitle : "", nX, nY, size.nWidth, size.nHeight,
                              SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!m_hWnd)
        return nullptr;
    const Uint32 flags = SDL_GetWindowFlags(m_hWnd);
    m_bMinimized = (flags & SDL_WINDOW_MINIMIZED) != 0;
    m_bHidden = (flags & SDL_WINDOW_HIDDEN) != 0;
    m_PointerHider.OnPointerMoved(CVKT_Clock::GetTickCount());
    SendMessage(WM_CREATE, 0);
    return m_hWnd;
}

bool CVKT_Window::SetIcon(const char* szPath)
{
    if (!m_hWnd || !szPath)
        return false;
    std::unique_ptr<SDL_Surface, tSurfaceDeleter> pIcon(CVKT_ImageFile::LoadARGB(szPath));
    if (!pIcon)
    {
        const std::string text = std::string("Failed to load the window icon - ") + szPath;
        CVKT_MessageBox::Show(m_hWnd, text.c_str(), "CVKT_Window Error");
        return false;
    }
    SDL_SetWindowIcon(m_hWnd, pIcon.get()); // SDL keeps a copy
    return true;
}

void CVKT_Window::AllowScreenSaver(bool bAllow)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO) || (SDL_IsScreenSaverEnabled() == SDL_TRUE) == bAllow)
        return;
    if (bAllow)
        SDL_EnableScreenSaver();
    else
        SDL_DisableScreenSaver();
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
    UpdatePointer();
    return !m_bQuitPosted;
}

void CVKT_Window::UpdatePointer()
{
    if (!m_hWnd)
        return;
    const bool bFullScreen = (SDL_GetWindowFlags(m_hWnd) & SDL_WINDOW_FULLSCREEN) != 0;
    const int nWanted =
        m_PointerHider.IsShown(CVKT_Clock::GetTickCount(), bFullScreen) ? SDL_ENABLE : SDL_DISABLE;
    // Asked rather than remembered: the renderer's display switch sets the pointer too.
    if (SDL_ShowCursor(SDL_QUERY) != nWanted)
        SDL_ShowCursor(nWanted);
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
    case SDL_MOUSEMOTION:
        m_PointerHider.OnPointerMoved(CVKT_Clock::GetTickCount());
        CVKT_DirectInput::GetInstance()->HandleEvent(event);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_TEXTINPUT:
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
        CVKT_Direct3D::GetInstance()->OnWindowInvalidated();
        SendMessage(WM_PAINT, 0);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        CVKT_Direct3D::GetInstance()->OnWindowInvalidated();
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        m_bMinimized = true;
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
        m_bMinimized = false;
        CVKT_Direct3D::GetInstance()->OnWindowInvalidated();
        break;
    case SDL_WINDOWEVENT_HIDDEN:
        m_bHidden = true;
        break;
    case SDL_WINDOWEVENT_SHOWN:
        m_bHidden = false;
        CVKT_Direct3D::GetInstance()->OnWindowInvalidated();
        break;
    case SDL_WINDOWEVENT_CLOSE:
        if (!m_bDestroyed)
            SendMessage(WM_CLOSE, 0);
        break;
    default:
        break;
    }
}

void CVKT_Window::WaitForMessage(int nTimeoutMs)
{
    // Only peeking would leave SDL's end-of-poll marker at the head of the queue, and the next pump
    // would stop at it before the events behind it; the event is therefore taken and routed here.
    SDL_Event event;
    if (!m_bQuitPosted && SDL_WaitEventTimeout(&event, nTimeoutMs))
        RouteEvent(event);
}

int CVKT_Window::GetRefreshRate() const
{
    if (!m_hWnd)
        return 0;
    const int display = SDL_GetWindowDisplayIndex(m_hWnd);
    SDL_DisplayMode mode;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0)
        return 0;
    return mode.refresh_rate;
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
