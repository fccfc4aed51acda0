#include "CVKT_Direct3D.h"

#include "CVKT_Sprite.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <SDL_test_font.h>

// EGL's own types, not Xlib's: Xlib comes last (below).
#define EGL_NO_X11
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <wayland-client.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// Last: Xlib's macros (None, Bool, Status) would clash with the headers above.
#include <X11/Xlib.h>

namespace
{
void DebugOutput(const char* text)
{
    std::fputs(text, stderr);
    std::fputs("\n", stderr);
}

// True when the X server offers none of the direct-rendering extensions (DRI2, DRI3) nor NVIDIA's
// own: OpenGL there is Mesa's software rasteriser, which costs a core's worth of threads and some
// 100 MB of driver to show what SDL's software renderer draws for a tenth of that.
bool X11WithoutDirectRendering(Display* pDisplay)
{
    for (const char* extension : {"DRI3", "DRI2", "NV-GLX"})
    {
        int opcode = 0, firstEvent = 0, firstError = 0;
        if (XQueryExtension(pDisplay, extension, &opcode, &firstEvent, &firstError))
            return false;
    }
    return true;
}

// The renderer string of an OpenGL ES context made on the display without a surface; empty when
// none can be made.
std::string RendererOfContext(EGLDisplay display)
{
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_ES2_BIT, EGL_NONE};
    const EGLint contextAttributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint nConfigs = 0;
    if (!eglBindAPI(EGL_OPENGL_ES_API) ||
        !eglChooseConfig(display, configAttributes, &config, 1, &nConfigs) || nConfigs == 0)
        return "";
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT)
        return "";
    std::string renderer;
    // No surface: the context is only asked, never drawn with.
    if (eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
    {
        using GetString = const unsigned char* (*)(unsigned int);
        constexpr unsigned int RENDERER_NAME = 0x1F01; // GL_RENDERER
        const auto getString = reinterpret_cast<GetString>(eglGetProcAddress("glGetString"));
        const unsigned char* text = getString ? getString(RENDERER_NAME) : nullptr;
        if (text)
            renderer = reinterpret_cast<const char*>(text);
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    eglDestroyContext(display, context);
    return renderer;
}

// What OpenGL ES on the Wayland display runs on: the renderer string of a context made only to ask,
// such as "llvmpipe (LLVM 15.0.6, 256 bits)". Empty when EGL makes no context there. The question
// goes over a connection of its own: EGL keeps one display per connection, and ending SDL's would
// take the window's own EGL surface with it.
std::string WaylandOpenGLRenderer()
{
    wl_display* pConnection = wl_display_connect(nullptr);
    if (!pConnection)
        return "";
    std::string renderer;
    EGLDisplay display = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, pConnection, nullptr);
    if (display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr))
    {
        renderer = RendererOfContext(display);
        eglTerminate(display);
    }
    eglReleaseThread();
    wl_display_disconnect(pConnection);
    return renderer;
}

// Mesa's software rasterisers name themselves in the renderer string.
bool IsSoftwareRenderer(const std::string& renderer)
{
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
        if (renderer.find(name) != std::string::npos)
            return true;
    return false;
}

// True when OpenGL in the window could only run in software: an X server without direct rendering,
// a Wayland display whose OpenGL is a software rasteriser or makes no context at all, or
// LIBGL_ALWAYS_SOFTWARE set. Other window systems say nothing here.
bool OnlySoftwareOpenGL(SDL_Window* pWindow)
{
    const char* forced = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    if (forced && *forced && std::strcmp(forced, "0") != 0)
        return true;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(pWindow, &info))
        return false;
    if (info.subsystem == SDL_SYSWM_X11 && info.info.x11.display)
        return X11WithoutDirectRendering(info.info.x11.display);
    if (info.subsystem == SDL_SYSWM_WAYLAND && info.info.wl.display)
    {
        const std::string renderer = WaylandOpenGLRenderer();
        return renderer.empty() || IsSoftwareRenderer(renderer);
    }
    return false;
}

tSize WindowPixels(SDL_Window* pWindow)
{
    tSize size;
    SDL_GetWindowSizeInPixels(pWindow, &size.nWidth, &size.nHeight);
    return size;
}
} // namespace

void CVKT_Direct3D::tTextureDeleter::operator()(SDL_Texture* pTexture) const
{
    SDL_DestroyTexture(pTexture);
}

void CVKT_Direct3D::tSurfaceDeleter::operator()(SDL_Surface* pSurface) const
{
    SDL_FreeSurface(pSurface);
}

SDL_Renderer* CVKT_Direct3D::CreateDevice(uint32_t unVsync)
{
    const char* chosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const bool userChose = chosen && *chosen;
    const bool bSoftware = userChose ? SDL_strcasecmp(chosen, "software") == 0 : OnlySoftwareOpenGL(m_hWnd);
    SDL_Renderer* device = bSoftware ? CreateWaylandDevice() : nullptr;
    if (!device && (userChose || !bSoftware))
        device = SDL_CreateRenderer(m_hWnd, -1, SDL_RENDERER_ACCELERATED | unVsync);
    if (!device)
        device = SDL_CreateRenderer(m_hWnd, -1, SDL_RENDERER_SOFTWARE | unVsync);
    return device;
}

SDL_Renderer* CVKT_Direct3D::CreateWaylandDevice()
{
    if (!m_WaylandSurface.Open(m_hWnd))
        return nullptr;
    m_pCanvas.reset(SDL_CreateRGBSurfaceWithFormat(
        0, m_PresentParams.nBackBufferWidth, m_PresentParams.nBackBufferHeight, 32, SDL_PIXELFORMAT_RGB888));
    SDL_Renderer* device = m_pCanvas ? SDL_CreateSoftwareRenderer(m_pCanvas.get()) : nullptr;
    if (!device)
    {
        m_pCanvas.reset();
        m_WaylandSurface.Close();
    }
    return device;
}

CVKT_Direct3D* CVKT_Direct3D::GetInstance()
{
    static CVKT_Direct3D instance;
    return &instance;
}

bool CVKT_Direct3D::InitDirect3D(HWND hWnd, int nScreenWidth, int nScreenHeight, bool bWindowed, bool bVsync)
{
    if (!hWnd)
        return false;
    m_hWnd = hWnd;

    m_PresentParams.nBackBufferWidth = nScreenWidth;
    m_PresentParams.nBackBufferHeight = nScreenHeight;
    m_PresentParams.bWindowed = bWindowed;
    m_PresentParams.bVsync = bVsync;

    // Sprites drawn scaled into the back buffer keep their pixels crisp; how the back buffer itself
    // is scaled to the window is chosen at every present.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // The software renderer copies its picture to the window directly. Left to itself, SDL first
    // opens an OpenGL context only to ask who made the driver, which loads the whole GL driver
    // (some 60 MB with Mesa) into a renderer that never uses it. The user's own setting wins.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const Uint32 vsync = bVsync ? SDL_RENDERER_PRESENTVSYNC : 0;
    m_pDevice = CreateDevice(vsync);
    if (!m_pDevice)
    {
        DebugOutput("Failed to Create D3D Device");
        return false;
    }
    ResetBackBuffer();
    SDL_GetWindowSize(hWnd, &m_WindowedSize.nWidth, &m_WindowedSize.nHeight);

    m_pSprite = std::make_unique<CVKT_Sprite>(m_pDevice);
    if (!bWindowed)
        ApplyWindowMode(false);
    return true;
}

void CVKT_Direct3D::ResetBackBuffer()
{
    if (MakeBackBuffer())
        return;
    SDL_RenderSetLogicalSize(m_pDevice, m_PresentParams.nBackBufferWidth, m_PresentParams.nBackBufferHeight);
}

bool CVKT_Direct3D::MakeBackBuffer()
{
    SDL_SetRenderTarget(m_pDevice, nullptr);
    m_pBackBuffer.reset();
    // The window itself is drawn 1:1 in output pixels; only the back buffer has the game's size.
    SDL_RenderSetLogicalSize(m_pDevice, 0, 0);
    // No alpha: the picture is opaque, and its copy into the window ignores blending.
    SDL_Texture* pTexture =
        SDL_CreateTexture(m_pDevice, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                          m_PresentParams.nBackBufferWidth, m_PresentParams.nBackBufferHeight);
    if (!pTexture)
        return false;
    m_pBackBuffer.reset(pTexture);
    SDL_SetTextureBlendMode(pTexture, SDL_BLENDMODE_NONE);
    if (SDL_SetRenderTarget(m_pDevice, pTexture) == 0)
        return true;
    m_pBackBuffer.reset();
    return false;
}

void CVKT_Direct3D::ShutdownDirect3D()
{
    m_pSprite.reset();
    m_pBackBuffer.reset();
    // The text font caches glyph textures of this renderer.
    SDLTest_CleanupTextDrawing();
    if (m_pDevice)
    {
        SDL_DestroyRenderer(m_pDevice);
        m_pDevice = nullptr;
    }
    m_pCanvas.reset();
    m_WaylandSurface.Close();
    m_bInScene = false;
    m_bDeviceLost = false;
    m_bClearPending = false;
    m_bRepeatable = false;
    m_bBatchClosed = false;
    m_bHeldBack = false;
    m_bShownRepeatable = false;
    m_ShownOutput = tSize();
    m_WindowedSize = tSize();
}

void CVKT_Direct3D::Clear(unsigned char ucRed, unsigned char ucGreen, unsigned char ucBlue)
{
    // A new picture from scratch: whatever of the last frame was held back is overdrawn unseen.
    m_bHeldBack = false;
    m_bBatchClosed = false;
    m_dwClearColor = VKT_XRGB(ucRed, ucGreen, ucBlue);
    m_bClearPending = true;
    m_bRepeatable = true;
    if (m_bDeviceLost)
        RecoverLostDevice();
}

void CVKT_Direct3D::IssueClear()
{
    if (!m_bClearPending || !m_pDevice)
        return;
    m_bClearPending = false;
    SDL_SetRenderDrawBlendMode(m_pDevice, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(m_pDevice, (m_dwClearColor >> 16) & 0xFF, (m_dwClearColor >> 8) & 0xFF,
                           m_dwClearColor & 0xFF, 0xFF);
    // The whole back buffer (or, drawing straight into the window, the whole output, letterbox bars
    // included, not only the logical viewport).
    SDL_RenderClear(m_pDevice);
}

void CVKT_Direct3D::DrawHeldFrame()
{
    IssueClear();
    if (m_bHeldBack && m_pSprite)
        m_pSprite->Flush();
    m_bHeldBack = false;
}

void CVKT_Direct3D::BeginImmediateDraw()
{
    // Drawn at once over what the frame has so far; the back buffer then holds more than the clear
    // and the batch describe.
    DrawHeldFrame();
    m_bRepeatable = false;
    m_bShownRepeatable = false;
}

void CVKT_Direct3D::OnWindowInvalidated()
{
    m_bShownRepeatable = false;
}

void CVKT_Direct3D::RecoverLostDevice()
{
    m_bDeviceLost = false;
    m_bShownRepeatable = false;
    if (!m_pSprite)
        return;
    m_pSprite->OnLostDevice();
    SDLTest_CleanupTextDrawing();
    // SDL keeps the renderer itself; only its textures are gone, the back buffer's among them. The
    // listeners re-create theirs from the file bytes they keep, without touching any file.
    ResetBackBuffer();
    m_pSprite->OnResetDevice();
}

bool CVKT_Direct3D::DeviceBegin()
{
    if (!m_pDevice || m_bInScene)
    {
        DebugOutput("Failed to begin device scene.");
        return false;
    }
    m_bInScene = true;
    return true;
}

bool CVKT_Direct3D::SpriteBegin()
{
    if (m_bBatchClosed || m_bHeldBack)
    {
        // A second batch in one frame: the first one's draws must reach the back buffer before its
        // queue is reused, and the batch's memory no longer describes the whole frame.
        DrawHeldFrame();
        m_bRepeatable = false;
    }
    if (!m_pSprite || !m_pSprite->Begin())
    {
        DebugOutput("Failed to begin sprite scene.");
        return false;
    }
    return true;
}

// Lines are drawn at once; the begin/end pair only brackets them as the game's callers expect.
bool CVKT_Direct3D::LineBegin()
{
    if (!m_pDevice)
    {
        DebugOutput("Failed to begin line scene.");
        return false;
    }
    return true;
}

bool CVKT_Direct3D::DeviceEnd()
{
    if (!m_pDevice || !m_bInScene)
    {
        DebugOutput("Failed to end device scene.");
        return false;
    }
    m_bInScene = false;
    return true;
}

bool CVKT_Direct3D::SpriteEnd()
{
    if (!m_pSprite || !m_pSprite->Close())
    {
        DebugOutput("Failed to end sprite scene.");
        return false;
    }
    m_bBatchClosed = true;
    const bool bSamePicture = m_bRepeatable && m_bClearPending && m_bShownRepeatable &&
                              m_dwClearColor == m_dwShownClearColor && m_pSprite->RepeatsLastFrame() &&
                              !OutputChanged();
    if (bSamePicture)
    {
        m_bHeldBack = true; // drawn only if someone reads the back buffer
        return true;
    }
    IssueClear();
    m_pSprite->Flush();
    return true;
}

bool CVKT_Direct3D::LineEnd()
{
    if (!m_pDevice)
    {
        DebugOutput("Failed to end line scene.");
        return false;
    }
    return true;
}

void CVKT_Direct3D::Present()
{
    if (!m_pDevice)
        return;
    if (m_bCapture)
        ReadBackBuffer(m_CapturedFrame);
    // Only a frame of one clear and one batch is fully described by the batch's memory.
    const bool bRepeatable = m_bRepeatable && m_bBatchClosed && m_pSprite;
    m_bRepeatable = false;
    m_bBatchClosed = false;
    if (m_bHeldBack)
        return; // the window shows this very picture already; it stays held until someone reads it
    IssueClear();
    const bool bShown = ShowBackBuffer();
    SDL_RenderPresent(m_pDevice);
    if (m_pBackBuffer)
        SDL_SetRenderTarget(m_pDevice, m_pBackBuffer.get());
    // A picture that did not reach the window is drawn again next time, whatever it shows.
    m_bShownRepeatable = bRepeatable && bShown;
    if (m_bShownRepeatable)
    {
        m_dwShownClearColor = m_dwClearColor;
        m_pSprite->RememberFrame();
    }
    if (m_pPresentListener)
        m_pPresentListener(m_pPresentUser);
}

bool CVKT_Direct3D::ShowBackBuffer()
{
    m_ShownOutput = WindowPixels(m_hWnd);
    if (!m_pBackBuffer)
        return true; // drawn straight into the window already; no screen capture then
    SDL_SetRenderTarget(m_pDevice, nullptr);
    if (m_WaylandSurface.IsOpen())
        return ShowOnWaylandSurface();
    tSize output;
    SDL_GetRendererOutputSize(m_pDevice, &output.nWidth, &output.nHeight);
    const tSize base = {m_PresentParams.nBackBufferWidth, m_PresentParams.nBackBufferHeight};
    const tViewport view = CVKT_ScreenFit::Letterbox(output, base);
    // Black bars, as a film's or a television's: the frames' dark blue belongs to the picture.
    SDL_SetRenderDrawColor(m_pDevice, 0, 0, 0, 0xFF);
    SDL_RenderClear(m_pDevice);
    SDL_SetTextureScaleMode(m_pBackBuffer.get(),
                            view.bWholeMultiple ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    const SDL_Rect area = {view.nX, view.nY, view.nWidth, view.nHeight};
    SDL_RenderCopy(m_pDevice, m_pBackBuffer.get(), nullptr, &area);
    CaptureScreen(output);
    return true;
}

bool CVKT_Direct3D::ShowOnWaylandSurface()
{
    // The renderer's own surface (the canvas) takes the back buffer 1:1; the window's surface scales
    // it into the window.
    SDL_RenderCopy(m_pDevice, m_pBackBuffer.get(), nullptr, nullptr);
    if (!m_WaylandSurface.Present(m_pCanvas.get(), m_ShownOutput))
        return false;
    if (m_bCaptureScreen)
    {
        tSize shown;
        m_WaylandSurface.ReadShown(m_CapturedScreen.argb, shown);
        m_CapturedScreen.nWidth = shown.nWidth;
        m_CapturedScreen.nHeight = shown.nHeight;
    }
    return true;
}

void CVKT_Direct3D::CaptureScreen(tSize output)
{
    if (!m_bCaptureScreen)
        return;
    m_CapturedScreen.nWidth = output.nWidth;
    m_CapturedScreen.nHeight = output.nHeight;
    m_CapturedScreen.argb.resize(static_cast<size_t>(output.nWidth) * output.nHeight);
    if (SDL_RenderReadPixels(m_pDevice, nullptr, SDL_PIXELFORMAT_ARGB8888, m_CapturedScreen.argb.data(),
                             output.nWidth * static_cast<int>(sizeof(uint32_t))) != 0)
        m_CapturedScreen = tScreenPixels();
}

bool CVKT_Direct3D::OutputChanged() const
{
    // A window resized or moved to a display of another density must be drawn again, even when no
    // window event has said so yet.
    return WindowPixels(m_hWnd) != m_ShownOutput;
}

void CVKT_Direct3D::SetPresentListener(PresentListener pListener, void* pUser)
{
    m_pPresentListener = pListener;
    m_pPresentUser = pListener ? pUser : nullptr;
}

bool CVKT_Direct3D::ReadBackBuffer(std::vector<uint32_t>& pixels)
{
    if (!m_pDevice)
        return false;
    DrawHeldFrame();
    const int width = m_PresentParams.nBackBufferWidth;
    const int height = m_PresentParams.nBackBufferHeight;
    pixels.resize(static_cast<size_t>(width) * height);
    const int pitch = width * static_cast<int>(sizeof(uint32_t));
    if (m_pBackBuffer)
        return SDL_RenderReadPixels(m_pDevice, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), pitch) == 0;
    // With a logical size SDL reads in output pixels; the logical viewport maps 1:1 only when the
    // window is at its natural size, which is how tests and captures run.
    SDL_Rect viewport;
    SDL_RenderGetViewport(m_pDevice, &viewport);
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    SDL_RenderGetScale(m_pDevice, &scaleX, &scaleY);
    const SDL_Rect area = {static_cast<int>(viewport.x * scaleX), static_cast<int>(viewport.y * scaleY),
                           width, height};
    return SDL_RenderReadPixels(m_pDevice, &area, SDL_PIXELFORMAT_ARGB8888, pixels.data(), pitch) == 0;
}

void CVKT_Direct3D::ChangeDisplayParam(int nWidth, int nHeight, bool bWindowed)
{
    const bool bResized =
        nWidth != m_PresentParams.nBackBufferWidth || nHeight != m_PresentParams.nBackBufferHeight;
    m_PresentParams.nBackBufferWidth = nWidth;
    m_PresentParams.nBackBufferHeight = nHeight;
    m_PresentParams.bWindowed = bWindowed;
    m_bShownRepeatable = false;
    if (!m_hWnd)
        return;

    if (m_pSprite)
        m_pSprite->OnLostDevice();
    ApplyWindowMode(bWindowed);
    if (m_pDevice && (bResized || !m_pBackBuffer))
        ResetBackBuffer();
}

tSize CVKT_Direct3D::GetWindowedSize() const
{
    if (!m_hWnd)
        return tSize();
    const Uint32 notAWindow = SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED;
    if (SDL_GetWindowFlags(m_hWnd) & notAWindow)
        return m_WindowedSize;
    tSize size;
    SDL_GetWindowSize(m_hWnd, &size.nWidth, &size.nHeight);
    return size;
}

void CVKT_Direct3D::ApplyWindowMode(bool bWindowed)
{
    // The size a window has now is the one it comes back to: the player may have resized it.
    m_WindowedSize = GetWindowedSize();
    if (!bWindowed)
    {
        SDL_SetWindowFullscreen(m_hWnd, SDL_WINDOW_FULLSCREEN_DESKTOP);
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_SetWindowFullscreen(m_hWnd, 0);
    PlaceWindowCentred(m_WindowedSize);
    SDL_ShowCursor(SDL_ENABLE);
}

void CVKT_Direct3D::PlaceWindowCentred(tSize size)
{
    SDL_RestoreWindow(m_hWnd);
    SDL_SetWindowSize(m_hWnd, size.nWidth, size.nHeight);
    SDL_SetWindowPosition(m_hWnd, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void CVKT_Direct3D::DrawRect(RECT rRect, unsigned char ucRed, unsigned char ucGreen, unsigned char ucBlue)
{
    if (!m_pDevice)
        return;
    BeginImmediateDraw();
    const SDL_Rect area = {rRect.left, rRect.top, rRect.right - rRect.left, rRect.bottom - rRect.top};
    SDL_SetRenderDrawBlendMode(m_pDevice, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(m_pDevice, ucRed, ucGreen, ucBlue, 0xFF);
    SDL_RenderFillRect(m_pDevice, &area);
}

void CVKT_Direct3D::DrawLine(int nX1, int nY1, int nX2, int nY2, unsigned char ucRed, unsigned char ucGreen,
                             unsigned char ucBlue)
{
    if (!m_pDevice)
        return;
    BeginImmediateDraw();
    const float dx = static_cast<float>(nX2 - nX1);
    const float dy = static_cast<float>(nY2 - nY1);
    const float length = std::sqrt(dx * dx + dy * dy);
    SDL_SetRenderDrawBlendMode(m_pDevice, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(m_pDevice, ucRed, ucGreen, ucBlue, 0xFF);
    if (length == 0.0f)
    {
        const SDL_FRect dot = {nX1 - 1.5f, nY1 - 1.5f, 3.0f, 3.0f};
        SDL_RenderFillRectF(m_pDevice, &dot);
        return;
    }
    // A quad 3 pixels wide around the segment.
    const float nx = -dy / length * 1.5f;
    const float ny = dx / length * 1.5f;
    const SDL_Color color = {ucRed, ucGreen, ucBlue, 0xFF};
    const SDL_Vertex vertices[4] = {{{nX1 + nx, nY1 + ny}, color, {0, 0}},
                                    {{nX2 + nx, nY2 + ny}, color, {0, 0}},
                                    {{nX2 - nx, nY2 - ny}, color, {0, 0}},
                                    {{nX1 - nx, nY1 - ny}, color, {0, 0}}};
    const int indices[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(m_pDevice, nullptr, vertices, 4, indices, 6);
}

void CVKT_Direct3D::DrawText(const char* szText, int nX, int nY, unsigned char ucRed, unsigned char ucGreen,
                             unsigned char ucBlue)
{
    if (!m_pDevice || !szText)
        return;
    BeginImmediateDraw();
    SDL_SetRenderDrawBlendMode(m_pDevice, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(m_pDevice, ucRed, ucGreen, ucBlue, 0xFF);
    SDLTest_DrawString(m_pDevice, nX, nY, szText);
}
