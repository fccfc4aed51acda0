// The software renderer's picture shown in a Wayland window through the compositor's shared memory.
// SDL 2.26 has no shared-memory path on Wayland: it shows a software renderer's picture through an
// OpenGL texture, and where OpenGL itself runs in software (no graphics card) that costs five times
// what an X11 window's shared-memory image does. This class puts the picture into shared-memory
// buffers and commits them to the window's own surface instead, scaled as the renderer would scale
// it: a whole multiple of its size pixel for pixel, any other size filtered, centred between black
// bars (CVKT_ScreenFit::Letterbox).
//
// Its requests and events go through an event queue of its own on SDL's connection: SDL's event pump
// reads them in, and this class handles them; SDL's own handling of the window is untouched. It is
// closed before the window is destroyed.
#pragma once

#include "CVKT_ScreenFit.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct SDL_Surface;
struct SDL_Window;
struct wl_buffer;
struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_shm;
struct wl_surface;

class CVKT_WaylandSurface
{
public:
    CVKT_WaylandSurface() = default;
    ~CVKT_WaylandSurface();
    CVKT_WaylandSurface(const CVKT_WaylandSurface&) = delete;
    CVKT_WaylandSurface& operator=(const CVKT_WaylandSurface&) = delete;

    // True when pWindow is a window of SDL's Wayland driver and the compositor offers shared memory:
    // Present may be called from now on. False (and nothing kept) otherwise.
    bool Open(SDL_Window* pWindow);
    // Gives back every buffer and the queue; safe to call twice.
    void Close();
    bool IsOpen() const { return m_pShm != nullptr; }

    // Shows pPicture (32-bit RGB888) in the window, whose drawable has `output` pixels, letterboxed.
    // False when nothing was shown: the window is hidden (a hidden window has no role a buffer may
    // be given to), the compositor still holds every buffer, or none could be made.
    bool Present(SDL_Surface* pPicture, tSize output);
    // The pixels last shown (ARGB, opaque, row by row) and their size. False before any present.
    bool ReadShown(std::vector<uint32_t>& argb, tSize& size) const;

    // The most buffers held at once: one on the screen, one waiting for the compositor, one drawn.
    static constexpr size_t MAX_BUFFERS = 3;

private:
    struct tBuffer
    {
        wl_buffer* pBuffer = nullptr;
        void* pData = nullptr;
        size_t nBytes = 0;
        SDL_Surface* pPixels = nullptr; // the shared memory as a surface to blit into
        bool bBusy = false;             // the compositor holds it
    };
    static void OnGlobal(void* pData, wl_registry* pRegistry, uint32_t nName, const char* szInterface,
                         uint32_t nVersion);
    static void OnGlobalRemoved(void* pData, wl_registry* pRegistry, uint32_t nName);
    static void OnRelease(void* pData, wl_buffer* pBuffer);

    tBuffer* FreeBuffer(tSize size);
    bool MakeBuffer(tBuffer& buffer, tSize size);
    static void DestroyBuffer(tBuffer& buffer);

    SDL_Window* m_pWindow = nullptr;
    wl_display* m_pDisplay = nullptr;
    wl_surface* m_pSurface = nullptr;
    wl_event_queue* m_pQueue = nullptr;
    wl_display* m_pDisplayOnQueue = nullptr; // SDL's connection, its new objects on m_pQueue
    wl_registry* m_pRegistry = nullptr;
    wl_shm* m_pShm = nullptr;
    // Pointers stay where they are: the compositor's release events point at them.
    std::vector<std::unique_ptr<tBuffer>> m_Buffers;
    const tBuffer* m_pShown = nullptr;
};
