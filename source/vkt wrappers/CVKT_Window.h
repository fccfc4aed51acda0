// The game window and the one place where SDL's events are taken from the queue. Each pass of the
// program's loop calls PeekMessages once: input events go to the input layer, render-device resets
// to the renderer, and what the game's window procedure cares about becomes a window message with
// its Win32 number (activation, paint, close, destroy), delivered at once to that procedure. The
// pump also hides the mouse pointer once it has stood still over the window for a while.
#pragma once

#include "CVKT_PointerHider.h"
#include "CVKT_ScreenFit.h"
#include "VKT_Types.h"

#include <cstdint>

class CVKT_SingleInstance;
union SDL_Event;

// Window messages, numbered as on Win32.
constexpr unsigned int WM_CREATE = 0x0001;
constexpr unsigned int WM_DESTROY = 0x0002;
constexpr unsigned int WM_ACTIVATE = 0x0006;
constexpr unsigned int WM_PAINT = 0x000F;
constexpr unsigned int WM_CLOSE = 0x0010;
constexpr unsigned int WM_QUIT = 0x0012;
// The low word of WM_ACTIVATE's wParam.
constexpr unsigned int WA_INACTIVE = 0;
constexpr unsigned int WA_ACTIVE = 1;

using WNDPROC = intptr_t (*)(HWND hWnd, unsigned int uMsg, uintptr_t wParam, intptr_t lParam);

class CVKT_Window
{
public:
    static CVKT_Window* GetInstance();

    // Starts SDL's event subsystem; video starts with the window.
    bool InitPlatform();
    // Destroys the window (if any) and stops SDL.
    void ShutdownPlatform();

    // Starts SDL video and makes a resizable window with a client area of nClientWidth x nClientHeight,
    // centred on the primary display, showing, known to the window system by szClassName (the X11
    // WM_CLASS and the Wayland app_id) and by szTitle as the application's name. The screensaver is
    // allowed until AllowScreenSaver says otherwise. Where both an X server and a Wayland compositor
    // run, the window is an X11 one unless SDL_VIDEODRIVER names the driver. WM_CREATE reaches the
    // procedure before this returns. Null on failure.
    HWND CreateGameWindow(const char* szClassName, const char* szTitle, int nClientWidth, int nClientHeight,
                          WNDPROC pfnWndProc);
    // The same with the client area sized for the desktop: `remembered` when that fits, with the
    // window's frame, in the primary display's usable area (the desktop less its panels); otherwise
    // the largest whole multiple of `base` that fits there, at least `base` itself. The window is
    // centred in the usable area. The frame is estimated until the window is on the screen, then
    // the window system's own is used.
    HWND CreateFittedWindow(const char* szClassName, const char* szTitle, tSize base, tSize remembered,
                            WNDPROC pfnWndProc);
    // The client size the desktop suggests for the window: what CreateFittedWindow chose or would
    // have chosen without a remembered size, or the size CreateGameWindow was given. 0 x 0 before
    // any window.
    tSize GetFittedSize() const { return m_FittedSize; }
    HWND GetHandle() const { return m_hWnd; }
    // Gives the window the picture in the PNG file szPath (a game's resource name) as its icon, for
    // docks and task switchers. False, reported once in a box titled "CVKT_Window Error", when the
    // file cannot be read; the window keeps the window system's default icon then.
    bool SetIcon(const char* szPath);
    // Lets the desktop's screensaver (and its display power saving) come on, or holds it off while
    // the window is shown. SDL is asked only when the wish changes; nothing happens without video.
    void AllowScreenSaver(bool bAllow);

    // Takes every event waiting in SDL's queue and routes it (see above). Returns false once the quit
    // message has been taken, or a stop signal (CVKT_StopSignals) has arrived: the loop must end
    // before another frame.
    bool PeekMessages();
    // The exit code carried by the quit message; 128 + the signal's number after a stop signal.
    int GetQuitCode() const { return m_nQuitCode; }

    // False while the window is minimised or hidden, as its show and hide events have told: then
    // nothing it would draw can be seen.
    bool IsShowing() const { return m_hWnd && !m_bMinimized && !m_bHidden; }
    // Sleeps until an event arrives in SDL's queue or nTimeoutMs have passed; an event that arrives
    // is routed as PeekMessages routes it.
    void WaitForMessage(int nTimeoutMs);
    // The refresh rate in Hz of the display the window is on, or 0 when the display reports none.
    int GetRefreshRate() const;

    // What the window procedure calls.
    void PostQuitMessage(int nExitCode);
    // Sends WM_DESTROY and hides the window; the SDL window itself is freed by ShutdownPlatform,
    // after the renderer that draws into it.
    void DestroyWindow(HWND hWnd);
    intptr_t DefWindowProc(HWND hWnd, unsigned int uMsg, uintptr_t wParam, intptr_t lParam);

    // Raise requests from a second copy of the program are taken while pumping.
    void SetSingleInstance(CVKT_SingleInstance* pInstance) { m_pSingleInstance = pInstance; }
    // The running copy's lock, so that waits outside the pump answer a second copy too; may be null.
    CVKT_SingleInstance* GetSingleInstance() const { return m_pSingleInstance; }
    // Restores the window if it is minimised and brings it to the front.
    void RaiseWindow();

private:
    CVKT_Window() = default;
    bool StartVideo(const char* szClassName, const char* szTitle);
    HWND OpenWindow(const char* szTitle, int nX, int nY, tSize size, WNDPROC pfnWndProc);
    void FitToFrame(tSize base, bool bKeepSize);
    intptr_t SendMessage(unsigned int uMsg, uintptr_t wParam);
    void RouteEvent(const SDL_Event& event);
    void RouteWindowEvent(const SDL_Event& event);
    void UpdatePointer();

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnWndProc = nullptr;
    CVKT_SingleInstance* m_pSingleInstance = nullptr;
    bool m_bDestroyed = false;
    bool m_bMinimized = false;
    bool m_bHidden = false;
    bool m_bQuitPosted = false;
    int m_nQuitCode = 0;
    tSize m_FittedSize;
    CVKT_PointerHider m_PointerHider;
};
