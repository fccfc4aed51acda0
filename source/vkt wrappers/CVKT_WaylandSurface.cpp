#include "CVKT_WaylandSurface.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <wayland-client.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace
{
// A memory file of nBytes, mapped; -1 and null on failure.
int MakeSharedMemory(size_t nBytes, void*& pData)
{
    pData = nullptr;
    const int fd = memfd_create("talonreach-frame", MFD_CLOEXEC);
    if (fd < 0)
        return -1;
    if (ftruncate(fd, static_cast<off_t>(nBytes)) != 0)
    {
        close(fd);
        return -1;
    }
    void* pMapped = mmap(nullptr, nBytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pMapped == MAP_FAILED)
    {
        close(fd);
        return -1;
    }
    pData = pMapped;
    return fd;
}
} // namespace

CVKT_WaylandSurface::~CVKT_WaylandSurface()
{
    Close();
}

void CVKT_WaylandSurface::OnGlobal(void* pData, wl_registry* pRegistry, uint32_t nName,
                                   const char* szInterface, uint32_t)
{
    CVKT_WaylandSurface* pSelf = static_cast<CVKT_WaylandSurface*>(pData);
    if (!pSelf->m_pShm && std::strcmp(szInterface, wl_shm_interface.name) == 0)
        pSelf->m_pShm = static_cast<wl_shm*>(wl_registry_bind(pRegistry, nName, &wl_shm_interface, 1));
}

void CVKT_WaylandSurface::OnGlobalRemoved(void*, wl_registry*, uint32_t) {}

void CVKT_WaylandSurface::OnRelease(void* pData, wl_buffer*)
{
    static_cast<tBuffer*>(pData)->bBusy = false;
}

bool CVKT_WaylandSurface::Open(SDL_Window* pWindow)
{
    Close();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!pWindow || !SDL_GetWindowWMInfo(pWindow, &info) || info.subsystem != SDL_SYSWM_WAYLAND ||
        !info.info.wl.display || !info.info.wl.surface)
        return false;
    m_pWindow = pWindow;
    m_pDisplay = info.info.wl.display;
    m_pSurface = info.info.wl.surface;
    m_pQueue = wl_display_create_queue(m_pDisplay);
    m_pDisplayOnQueue = static_cast<wl_display*>(wl_proxy_create_wrapper(m_pDisplay));
    if (!m_pQueue || !m_pDisplayOnQueue)
    {
        Close();
        return false;
    }
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(m_pDisplayOnQueue), m_pQueue);
    static const wl_registry_listener registryListener = {OnGlobal, OnGlobalRemoved};
    m_pRegistry = wl_display_get_registry(m_pDisplayOnQueue);
    wl_registry_add_listener(m_pRegistry, &registryListener, this);
    if (wl_display_roundtrip_queue(m_pDisplay, m_pQueue) < 0 || !m_pShm)
    {
        Close();
        return false;
    }
    return true;
}

void CVKT_WaylandSurface::Close()
{
    for (auto& pBuffer : m_Buffers)
        DestroyBuffer(*pBuffer);
    m_Buffers.clear();
    m_pShown = nullptr;
    if (m_pShm)
        wl_shm_destroy(m_pShm);
    if (m_pRegistry)
        wl_registry_destroy(m_pRegistry);
    if (m_pDisplayOnQueue)
        wl_proxy_wrapper_destroy(m_pDisplayOnQueue);
    if (m_pQueue)
        wl_event_queue_destroy(m_pQueue);
    m_pShm = nullptr;
    m_pRegistry = nullptr;
    m_pDisplayOnQueue = nullptr;
    m_pQueue = nullptr;
    m_pSurface = nullptr;
    m_pDisplay = nullptr;
    m_pWindow = nullptr;
}

bool CVKT_WaylandSurface::MakeBuffer(tBuffer& buffer, tSize size)
{
    const int nStride = size.nWidth * 4;
    buffer.nBytes = static_cast<size_t>(nStride) * size.nHeight;
    const int fd = MakeSharedMemory(buffer.nBytes, buffer.pData);
    if (fd < 0)
        return false;
    wl_shm_pool* pPool = wl_shm_create_pool(m_pShm, fd, static_cast<int32_t>(buffer.nBytes));
    buffer.pBuffer =
        wl_shm_pool_create_buffer(pPool, 0, size.nWidth, size.nHeight, nStride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pPool);
    close(fd);
    static const wl_buffer_listener listener = {OnRelease};
    wl_buffer_add_listener(buffer.pBuffer, &listener, &buffer);
    buffer.pPixels = SDL_CreateRGBSurfaceWithFormatFrom(buffer.pData, size.nWidth, size.nHeight, 32, nStride,
                                                        SDL_PIXELFORMAT_RGB888);
    return buffer.pPixels != nullptr;
}

void CVKT_WaylandSurface::DestroyBuffer(tBuffer& buffer)
{
    if (buffer.pPixels)
        SDL_FreeSurface(buffer.pPixels);
    if (buffer.pBuffer)
        wl_buffer_destroy(buffer.pBuffer);
    if (buffer.pData)
        munmap(buffer.pData, buffer.nBytes);
    buffer = tBuffer();
}

CVKT_WaylandSurface::tBuffer* CVKT_WaylandSurface::FreeBuffer(tSize size)
{
    // Releases that SDL's pump has read in are handled here.
    wl_display_dispatch_queue_pending(m_pDisplay, m_pQueue);
    tBuffer* pFree = nullptr;
    for (auto& pBuffer : m_Buffers)
    {
        if (pBuffer->bBusy)
            continue;
        if (pBuffer->pPixels && pBuffer->pPixels->w == size.nWidth && pBuffer->pPixels->h == size.nHeight)
            return pBuffer.get();
        pFree = pBuffer.get(); // of another size: made again
    }
    if (!pFree && m_Buffers.size() < MAX_BUFFERS)
    {
        m_Buffers.push_back(std::make_unique<tBuffer>());
        pFree = m_Buffers.back().get();
    }
    if (!pFree)
        return nullptr;
    if (m_pShown == pFree)
        m_pShown = nullptr;
    DestroyBuffer(*pFree);
    if (MakeBuffer(*pFree, size))
        return pFree;
    DestroyBuffer(*pFree);
    return nullptr;
}

bool CVKT_WaylandSurface::Present(SDL_Surface* pPicture, tSize output)
{
    if (!IsOpen() || !pPicture || output.nWidth <= 0 || output.nHeight <= 0 ||
        (SDL_GetWindowFlags(m_pWindow) & SDL_WINDOW_HIDDEN))
        return false;
    tBuffer* pBuffer = FreeBuffer(output);
    if (!pBuffer)
        return false;
    SDL_Surface* pTarget = pBuffer->pPixels;
    const tViewport view = CVKT_ScreenFit::Letterbox(output, {pPicture->w, pPicture->h});
    SDL_Rect area = {view.nX, view.nY, view.nWidth, view.nHeight};
    // Black bars, as a film's; the picture covers the rest.
    if (view.nWidth != output.nWidth || view.nHeight != output.nHeight)
        SDL_FillRect(pTarget, nullptr, 0);
    SDL_SetSurfaceBlendMode(pPicture, SDL_BLENDMODE_NONE);
    // Nearest neighbour at a whole multiple (each picture pixel a square of one colour), filtered
    // otherwise.
    const int nResult = view.bWholeMultiple ? SDL_BlitScaled(pPicture, nullptr, pTarget, &area)
                                            : SDL_SoftStretchLinear(pPicture, nullptr, pTarget, &area);
    if (nResult != 0)
        return false;
    wl_surface_attach(m_pSurface, pBuffer->pBuffer, 0, 0);
    wl_surface_damage(m_pSurface, 0, 0, INT32_MAX, INT32_MAX);
    wl_surface_commit(m_pSurface);
    wl_display_flush(m_pDisplay);
    pBuffer->bBusy = true;
    m_pShown = pBuffer;
    return true;
}

bool CVKT_WaylandSurface::ReadShown(std::vector<uint32_t>& argb, tSize& size) const
{
    if (!m_pShown || !m_pShown->pPixels)
        return false;
    const SDL_Surface* pPixels = m_pShown->pPixels;
    size = {pPixels->w, pPixels->h};
    argb.resize(static_cast<size_t>(pPixels->w) * pPixels->h);
    for (int y = 0; y < pPixels->h; ++y)
    {
        const uint32_t* pRow = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(pPixels->pixels) + y * pPixels->pitch);
        for (int x = 0; x < pPixels->w; ++x)
            argb[static_cast<size_t>(y) * pPixels->w + x] = pRow[x] | 0xFF000000u;
    }
    return true;
}
