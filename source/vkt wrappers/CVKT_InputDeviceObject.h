// One input device as DirectInput models it, fed from SDL's events: the object a device wrapper
// owns and talks to. It keeps the device's live state (what is held right now, as far as the events
// tell), hands out a copy of it on request while acquired, and collects buffered records between two
// reads. Like DirectInput's devices it must be acquired before it gives data; a device with a
// foreground cooperative level can only be acquired while the game's window has the input focus, and
// losing the focus takes it away.
//
// Buffered records are only collected while the device is acquired. When the buffer is full, further
// records are lost until the next read empties it; the live state keeps following the events.
#pragma once

#include "VKT_InputTypes.h"
#include "VKT_Types.h"

#include <cstddef>
#include <cstdint>
#include <deque>

union SDL_Event;

class CVKT_InputDeviceObject
{
public:
    virtual ~CVKT_InputDeviceObject() = default;
    CVKT_InputDeviceObject(const CVKT_InputDeviceObject&) = delete;
    CVKT_InputDeviceObject& operator=(const CVKT_InputDeviceObject&) = delete;

    // Set-up. Each fails with DIERR_ACQUIRED while the device is acquired.
    // The state record handed out by GetDeviceState has stateSize bytes; only the device's own size is
    // accepted.
    DIRESULT SetDataFormat(size_t stateSize);
    // flags: exactly one of DISCL_EXCLUSIVE / DISCL_NONEXCLUSIVE and one of DISCL_FOREGROUND /
    // DISCL_BACKGROUND, optionally DISCL_NOWINKEY. The window must be a live SDL window (DIERR_HANDLE
    // otherwise). Until a level is set the device is non-exclusive and background.
    DIRESULT SetCooperativeLevel(HWND window, unsigned int flags);
    // How many records are kept between two reads. 0 (the initial value) means not buffered.
    DIRESULT SetBufferSize(unsigned int records);

    // DI_OK when acquired now, DI_NOEFFECT when already acquired; fails without a data format
    // (DIERR_INVALIDPARAM), for an unplugged device (DIERR_UNPLUGGED) and, at the foreground level,
    // while the window does not have the focus (DIERR_OTHERAPPHASPRIO).
    DIRESULT Acquire();
    // Releases the device and drops the records not yet read; DI_NOEFFECT when it was not acquired.
    DIRESULT Unacquire();
    bool IsAcquired() const { return m_bAcquired; }
    // Checks the device is still there: DIERR_NOTACQUIRED when not acquired, DIERR_INPUTLOST (and no
    // longer acquired) when it has gone, otherwise DI_NOEFFECT.
    virtual DIRESULT Poll();

    // Copies the live state (size must equal the data format's) to out. out is untouched on failure:
    // DIERR_NOTACQUIRED, DIERR_INVALIDPARAM.
    DIRESULT GetDeviceState(size_t size, void* out);
    // Moves up to *count of the oldest records to out and sets *count to the number moved. recordSize
    // must be sizeof(tInputRecord) and flags 0. DI_BUFFEROVERFLOW when records were lost since the
    // previous read. Fails with DIERR_NOTACQUIRED, DIERR_NOTBUFFERED or DIERR_INVALIDPARAM, leaving
    // *count as it was.
    DIRESULT GetDeviceData(size_t recordSize, tInputRecord* out, unsigned int* count, unsigned int flags);

    // Platform side: one event from SDL's queue. Devices ignore events that are not theirs.
    virtual void HandleEvent(const SDL_Event& event) = 0;
    // Platform side: the window lost the focus. The device is lost (unacquired) and forgets what was
    // held, since the releases will not be seen.
    void LoseDevice();

    // Whether the game's window has the input focus; true until told otherwise (a window on a
    // headless driver never reports it).
    static void SetWindowFocus(bool bFocus);
    static bool HasWindowFocus();

protected:
    explicit CVKT_InputDeviceObject(size_t stateSize);

    // Whether the device is still connected.
    virtual bool IsAttached() const { return true; }
    // Writes the live state (StateSize() bytes) to out for one read.
    virtual void CopyLiveState(void* out) = 0;
    virtual void ClearLiveState() = 0;
    // Called after the device became acquired / stopped being acquired.
    virtual void OnAcquired() {}
    virtual void OnUnacquired() {}

    size_t StateSize() const { return m_stateSize; }
    HWND CooperativeWindow() const { return m_hWindow; }
    bool IsExclusive() const { return (m_unCooperativeFlags & DISCL_EXCLUSIVE) != 0; }
    // False for a foreground device while the window does not have the focus: what happens then is
    // another program's input.
    bool SeesInput() const;
    // Appends one record while acquired and the buffer has room. Returns its sequence number, or 0
    // when it was not kept.
    uint32_t AddRecord(uint32_t dwOfs, uint32_t dwData, uint32_t dwTimeStamp, uint32_t uAppData = 0);
    // The record not yet read with that sequence number, or null.
    tInputRecord* FindRecord(uint32_t dwSequence);
    // The device went away while acquired.
    void MarkLost();

private:
    size_t m_stateSize;
    bool m_bFormatSet = false;
    HWND m_hWindow = nullptr;
    unsigned int m_unCooperativeFlags = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;
    unsigned int m_unBufferSize = 0;
    bool m_bAcquired = false;
    bool m_bOverflowed = false;
    std::deque<tInputRecord> m_Buffer;
};
