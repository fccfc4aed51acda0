// The renderer: owns the graphics device (an SDL renderer on the game window) and the sprite batch,
// opens and closes each frame, switches between window and full screen, survives a lost device and
// offers three primitives: a filled rectangle, a line and a line of text.
//
// The back buffer is a logical 640 x 480 picture; a resized or full-screen window shows it
// letterboxed. Failures are written to standard error (the debugger output) with a false result.
//
// A frame made of nothing but the clear and the sprite batch that asks for exactly the picture
// already on show is not drawn or presented again: a menu standing still costs the graphics driver
// nothing. The clear therefore waits until the frame's first drawing; anything that may have
// changed the window's picture (a rectangle, line or text, a display switch, an exposed or resized
// window, a lost device, a texture made or freed) has the next frame drawn.
#pragma once

#include "VKT_Types.h"

#include <cstdint>
#include <memory>
#include <vector>

class CVKT_Sprite;

// What the device was created with, kept for resets and display switches.
struct tPresentParams
{
    int nBackBufferWidth = 0;
    int nBackBufferHeight = 0;
    bool bWindowed = true;
    bool bVsync = false;
};

class CVKT_Direct3D
{
public:
    static CVKT_Direct3D* GetInstance();

    // False for a null window or when the device cannot be made. Nothing made so far is released
    // on failure; ShutdownDirect3D does that.
    bool InitDirect3D(HWND hWnd, int nScreenWidth, int nScreenHeight, bool bWindowed = true,
                      bool bVsync = false);
    // Releases the sprite batch and the device; safe to call twice.
    void ShutdownDirect3D();

    // Clears the whole back buffer to the opaque colour, then recovers a lost device.
    void Clear(unsigned char ucRed, unsigned char ucGreen, unsigned char ucBlue);
    bool DeviceBegin();
    bool SpriteBegin();
    bool LineBegin();
    bool DeviceEnd();
    bool SpriteEnd();
    bool LineEnd();
    void Present();

    // Switches between a window with a client area of nWidth x nHeight, centred, cursor shown, and
    // desktop full screen with the picture letterboxed and the cursor hidden.
    void ChangeDisplayParam(int nWidth, int nHeight, bool bWindowed);

    // Fills the rectangle at once, ignoring blending: sprites queued in the same frame land on top.
    void DrawRect(RECT rRect, unsigned char ucRed, unsigned char ucGreen, unsigned char ucBlue);
    // A 3-pixel wide segment, drawn at once.
    void DrawLine(int nX1, int nY1, int nX2, int nY2, unsigned char ucRed, unsigned char ucGreen,
                  unsigned char ucBlue);
    // One line of text in a small built-in font, transparent background, drawn at once.
    void DrawText(const char* szText, int nX, int nY, unsigned char ucRed, unsigned char ucGreen,
                  unsigned char ucBlue);

    SDL_Renderer* GetDirect3DDevice() const { return m_pDevice; }
    CVKT_Sprite* GetSprite() const { return m_pSprite.get(); }
    const tPresentParams* GetPresentParams() const { return &m_PresentParams; }
    HWND GetWindow() const { return m_hWnd; }

    // Platform: the event pump reports SDL_RENDER_TARGETS_RESET and SDL_RENDER_DEVICE_RESET here.
    // The next Clear tells the sprite batch, which has its listeners re-create their textures.
    void OnDeviceLost() { m_bDeviceLost = true; }
    // Platform: the window's picture may be gone (exposed, resized, shown again): the next frame is
    // drawn whatever it shows.
    void OnWindowInvalidated();

    // Frame capture: while on, Present first copies the back buffer (ARGB, width x height) into a
    // buffer that GetCapturedFrame returns. Used by tests and the screenshot tools.
    void SetFrameCapture(bool bOn) { m_bCapture = bOn; }
    const std::vector<uint32_t>& GetCapturedFrame() const { return m_CapturedFrame; }
    // Reads the back buffer as it is now (ARGB, row by row). False without a device.
    // A frame held back as unchanged is drawn first.
    bool ReadBackBuffer(std::vector<uint32_t>& pixels);

    // Called right after every present has returned (null: none). Frame timing and tests watch the
    // presents through it.
    using PresentListener = void (*)(void* pUser);
    void SetPresentListener(PresentListener pListener, void* pUser);

private:
    CVKT_Direct3D() = default;
    void RecoverLostDevice();
    void PlaceWindowCentred(int nWidth, int nHeight);
    void IssueClear();
    void DrawHeldFrame();
    void BeginImmediateDraw();

    HWND m_hWnd = nullptr;
    SDL_Renderer* m_pDevice = nullptr;
    std::unique_ptr<CVKT_Sprite> m_pSprite;
    tPresentParams m_PresentParams;
    bool m_bDeviceLost = false;
    bool m_bInScene = false;
    // The frame under way: its clear colour while the clear waits for the first drawing; whether it
    // is still only clear and sprites (and may repeat the last picture); whether its batch was held
    // back undrawn because it does.
    VKT_COLOR m_dwClearColor = 0;
    bool m_bClearPending = false;
    bool m_bRepeatable = false;
    bool m_bBatchClosed = false;
    bool m_bHeldBack = false;
    // The last picture presented from clear and sprites alone (its sprites are in the batch's memory).
    VKT_COLOR m_dwShownClearColor = 0;
    bool m_bShownRepeatable = false;
    bool m_bCapture = false;
    std::vector<uint32_t> m_CapturedFrame;
    PresentListener m_pPresentListener = nullptr;
    void* m_pPresentUser = nullptr;
};
