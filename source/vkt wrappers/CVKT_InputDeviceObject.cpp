#include "CVKT_InputDeviceObject.h"

#include <SDL_video.h>

#include <algorithm>
#include <cstring>

namespace
{
bool g_bWindowFocus = true;
// Sequence numbers are shared by all devices so that records of different devices can be ordered.
uint32_t g_dwNextSequence = 1;

bool IsValidCooperativeLevel(unsigned int flags)
{
    const bool exclusive = (flags & DISCL_EXCLUSIVE) != 0;
    const bool nonExclusive = (flags & DISCL_NONEXCLUSIVE) != 0;
    const bool foreground = (flags & DISCL_FOREGROUND) != 0;
    const bool background = (flags & DISCL_BACKGROUND) != 0;
    const unsigned int known =
        DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_BACKGROUND | DISCL_NOWINKEY;
    return exclusive != nonExclusive && foreground != background && (flags & ~known) == 0;
}
} // namespace

CVKT_InputDeviceObject::CVKT_InputDeviceObject(size_t stateSize) : m_stateSize(stateSize) {}

void CVKT_InputDeviceObject::SetWindowFocus(bool bFocus)
{
    g_bWindowFocus = bFocus;
}

bool CVKT_InputDeviceObject::HasWindowFocus()
{
    return g_bWindowFocus;
}

DIRESULT CVKT_InputDeviceObject::SetDataFormat(size_t stateSize)
{
    if (m_bAcquired)
        return DIERR_ACQUIRED;
    if (stateSize != m_stateSize)
        return DIERR_INVALIDPARAM;
    m_bFormatSet = true;
    return DI_OK;
}

DIRESULT CVKT_InputDeviceObject::SetCooperativeLevel(HWND window, unsigned int flags)
{
    if (m_bAcquired)
        return DIERR_ACQUIRED;
    if (!IsValidCooperativeLevel(flags))
        return DIERR_INVALIDPARAM;
    if (!window || SDL_GetWindowID(window) == 0)
        return DIERR_HANDLE;
    m_hWindow = window;
    m_unCooperativeFlags = flags;
    return DI_OK;
}

DIRESULT CVKT_InputDeviceObject::SetBufferSize(unsigned int records)
{
    if (m_bAcquired)
        return DIERR_ACQUIRED;
    m_unBufferSize = records;
    return DI_OK;
}

DIRESULT CVKT_InputDeviceObject::Acquire()
{
    if (m_bAcquired)
        return DI_NOEFFECT;
    if (!m_bFormatSet)
        return DIERR_INVALIDPARAM;
    if (!IsAttached())
        return DIERR_UNPLUGGED;
    if ((m_unCooperativeFlags & DISCL_FOREGROUND) && !g_bWindowFocus)
        return DIERR_OTHERAPPHASPRIO;
    m_bAcquired = true;
    m_bOverflowed = false;
    OnAcquired();
    return DI_OK;
}

DIRESULT CVKT_InputDeviceObject::Unacquire()
{
    if (!m_bAcquired)
        return DI_NOEFFECT;
    MarkLost();
    return DI_OK;
}

void CVKT_InputDeviceObject::MarkLost()
{
    m_bAcquired = false;
    m_Buffer.clear();
    OnUnacquired();
}

DIRESULT CVKT_InputDeviceObject::Poll()
{
    if (!m_bAcquired)
        return DIERR_NOTACQUIRED;
    if (!IsAttached())
    {
        MarkLost();
        return DIERR_INPUTLOST;
    }
    return DI_NOEFFECT;
}

DIRESULT CVKT_InputDeviceObject::GetDeviceState(size_t size, void* out)
{
    if (!out || size != m_stateSize || !m_bFormatSet)
        return DIERR_INVALIDPARAM;
    if (!m_bAcquired)
        return DIERR_NOTACQUIRED;
    CopyLiveState(out);
    return DI_OK;
}

DIRESULT CVKT_InputDeviceObject::GetDeviceData(size_t recordSize, tInputRecord* out, unsigned int* count,
                                               unsigned int flags)
{
    if (recordSize != sizeof(tInputRecord) || !count || flags != 0 || (!out && *count > 0))
        return DIERR_INVALIDPARAM;
    if (m_unBufferSize == 0)
        return DIERR_NOTBUFFERED;
    if (!m_bAcquired)
        return DIERR_NOTACQUIRED;
    const size_t moved = std::min<size_t>(*count, m_Buffer.size());
    std::copy_n(m_Buffer.begin(), moved, out);
    m_Buffer.erase(m_Buffer.begin(), m_Buffer.begin() + static_cast<std::ptrdiff_t>(moved));
    *count = static_cast<unsigned int>(moved);
    const bool overflowed = m_bOverflowed;
    m_bOverflowed = false;
    return overflowed ? DI_BUFFEROVERFLOW : DI_OK;
}

uint32_t CVKT_InputDeviceObject::AddRecord(uint32_t dwOfs, uint32_t dwData, uint32_t dwTimeStamp,
                                           uint32_t uAppData)
{
    if (!m_bAcquired)
        return 0;
    if (m_Buffer.size() >= m_unBufferSize)
    {
        m_bOverflowed = m_unBufferSize > 0;
        return 0;
    }
    const uint32_t sequence = g_dwNextSequence++;
    // Zero is "not kept" for the callers; the counter skips it when it wraps.
    if (g_dwNextSequence == 0)
        g_dwNextSequence = 1;
    m_Buffer.push_back({dwOfs, dwData, dwTimeStamp, sequence, uAppData});
    return sequence;
}

tInputRecord* CVKT_InputDeviceObject::FindRecord(uint32_t dwSequence)
{
    if (dwSequence == 0)
        return nullptr;
    for (tInputRecord& record : m_Buffer)
    {
        if (record.dwSequence == dwSequence)
            return &record;
    }
    return nullptr;
}

bool CVKT_InputDeviceObject::SeesInput() const
{
    return !(m_unCooperativeFlags & DISCL_FOREGROUND) || g_bWindowFocus;
}

void CVKT_InputDeviceObject::LoseDevice()
{
    Unacquire();
    ClearLiveState();
}
