// The renderer: owns the graphics device (an SDL renderer on the game window) and the sprite batch,
// opens and closes each frame, switches between window and full screen, survives a lost device and
// offers three primitives: a filled rectangle, a line and a line of text.
//
// The back buffer is a 640 x 480 texture that every draw of a frame lands in; Present copies it into
// the window as large as the window allows, centred, with bars of the clear colour where the shape
// differs. At a whole multiple of its size each back-buffer pixel becomes a square of identical
// screen pixels (nearest neighbour); at any other size the picture is filtered linearly. The size
// that counts is the drawable's, in pixels, so a high-DPI desktop gets its pixels' worth. (A
// renderer that cannot draw into a texture draws straight into the window at a logical 640 x 480.)
//
// Where OpenGL could only run in software (see InitDirect3D) SDL's software renderer draws; on a
// Wayland window its picture goes to the window through shared memory (CVKT_WaylandSurface), which
// SDL itself would show through OpenGL.
// Failures are written to standard error (the debugger output) with a false result.
//
// A frame made of nothing but the clear and the sprite batch that asks for exactly the picture
// already on show is not drawn or presented again: a menu standing still costs the graphics driver
// nothing. The clear therefore waits until the frame's first drawing; anything that may have
// changed the window's picture (a rectangle, line or text, a display switch, an exposed or resized
// window, a lost device, a texture made or freed) has the next frame drawn.
#pragma once

#include "CVKT_ScreenFit.h"
#include "CVKT_WaylandSurface.h"
#include "VKT_Types.h"

#include <cstdint>
#include <memory>
#include <vector>

class CVKT_Sprite;
struct SDL_Surface;
struct SDL_Texture;

// What the device was created with, kept for resets and display switches.
struct tPresentParams
{
    int nBackBufferWidth = 0;
    int nBackBufferHeight = 0;
    bool bWindowed = true;
    bool bVsync = false;
};

// Pixels of the window as a present put them there, row by row.
struct tScreenPixels
{
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint32_t> argb;
};

class CVKT_Direct3D
{
public:
    static CVKT_Direct3D* GetInstance();

    // False for a null window or when the device cannot be made. Nothing made so far is released
    // on failure; ShutdownDirect3D does that. With bWindowed false the window goes full screen at
    // once; the size it has now is the one it gets back as a window.
    //
    // The device is SDL's accelerated renderer unless OpenGL could only run in software there: on
    // an X server without direct rendering, on a Wayland display whose OpenGL names a software
    // rasteriser (llvmpipe, softpipe, swrast) or makes no context at all, or with
    // LIBGL_ALWAYS_SOFTWARE set. Then, and when SDL_RENDER_DRIVER is "software", SDL's software
    // renderer draws. A renderer named in SDL_RENDER_DRIVER always wins.
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

    // Makes the back buffer nWidth x nHeight and switches between a window, centred, cursor shown,
    // and desktop full screen (the desktop's resolution) with the cursor hidden. A window gets back
    // the client size it had before it went full screen; one that stays a window keeps its size.
    void ChangeDisplayParam(int nWidth, int nHeight, bool bWindowed);
    // The client size of the window as a window: its size now, or, while it is full screen,
    // maximised or minimised, the size it had before. 0 x 0 without a window.
    tSize GetWindowedSize() const;

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
    // Screen capture: while on, Present also copies what it puts into the window (the picture
    // scaled, with its bars) into a buffer that GetCapturedScreen returns (empty for a renderer that
    // draws straight into the window). Switching it either way empties the buffer.
    void SetScreenCapture(bool bOn)
    {
        m_bCaptureScreen = bOn;
        m_CapturedScreen = tScreenPixels();
    }
    const tScreenPixels& GetCapturedScreen() const { return m_CapturedScreen; }
    // Reads the back buffer as it is now (ARGB, row by row). False without a device.
    // A frame held back as unchanged is drawn first.
    bool ReadBackBuffer(std::vector<uint32_t>& pixels);

    // Called right after every present has returned (null: none). Frame timing and tests watch the
    // presents through it.
    using PresentListener = void (*)(void* pUser);
    void SetPresentListener(PresentListener pListener, void* pUser);

private:
    CVKT_Direct3D() = default;
    struct tTextureDeleter
    {
        void operator()(SDL_Texture* pTexture) const;
    };
    struct tSurfaceDeleter
    {
        void operator()(SDL_Surface* pSurface) const;
    };

    SDL_Renderer* CreateDevice(uint32_t unVsync);
    SDL_Renderer* CreateWaylandDevice();
    void RecoverLostDevice();
    void ResetBackBuffer();
    bool MakeBackBuffer();
    bool ShowBackBuffer();
    bool ShowOnWaylandSurface();
    void CaptureScreen(tSize output);
    bool OutputChanged() const;
    void ApplyWindowMode(bool bWindowed);
    void PlaceWindowCentred(tSize size);
    void IssueClear();
    void DrawHeldFrame();
    void BeginImmediateDraw();

    HWND m_hWnd = nullptr;
    SDL_Renderer* m_pDevice = nullptr;
    std::unique_ptr<CVKT_Sprite> m_pSprite;
    // What every draw lands in; null when the renderer draws straight into the window.
    std::unique_ptr<SDL_Texture, tTextureDeleter> m_pBackBuffer;
    // On a Wayland window drawn in software: the software renderer's own surface, of the back
    // buffer's size, and the window's surface that its picture is shown on.
    std::unique_ptr<SDL_Surface, tSurfaceDeleter> m_pCanvas;
    CVKT_WaylandSurface m_WaylandSurface;
    tPresentParams m_PresentParams;
    tSize m_WindowedSize;
    // The window's size in pixels at the last present.
    tSize m_ShownOutput;
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
    bool m_bCaptureScreen = false;
    tScreenPixels m_CapturedScreen;
    PresentListener m_pPresentListener = nullptr;
    void* m_pPresentUser = nullptr;
};
