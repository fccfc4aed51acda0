// The part every input device shares: the owned device object and the records of the latest
// buffered read (at most BUFFER_SIZE). Devices whose presses must never be lost (keyboard, mouse)
// take their frames through a press queue instead (TakeFrame): what does not fit in one read waits
// for the next.
#pragma once

#include "CVKT_PressQueue.h"
#include "IVKT_DirectInputDevice.h"
#include "VKT_InputTypes.h"
#include "VKT_Types.h"

#include <cstdint>
#include <memory>

class CVKT_InputDeviceObject;
union SDL_Event;

class CVKT_DirectInputDevice : public IVKT_DirectInputDevice
{
public:
    static constexpr unsigned int BUFFER_SIZE = 10;
    // The records a device with a press queue keeps between two reads: far more than one frame sees.
    // Beyond them the device's buffer overflows and the queue starts again from the held state.
    static constexpr unsigned int PENDING_RECORDS = 256;

    // Unacquires and releases the device object.
    ~CVKT_DirectInputDevice() override;

    // Takes the waiting records into the record array. When the read fails the device is acquired and
    // read once more. After a failure the array holds no records.
    bool ReadBufferedDevice() override;
    bool Acquire() override;
    bool Unacquire() override;

    // Platform side: an event from SDL's queue, and the loss of the window focus.
    void HandleEvent(const SDL_Event& event);
    void LoseDevice();

    bool HasDevice() const { return m_pDevice != nullptr; }
    // The records of the latest buffered read, oldest first.
    const tInputRecord* GetRecords() const { return m_Records; }
    unsigned int GetRecordCount() const { return m_unRecordCount; }

protected:
    CVKT_DirectInputDevice() = default;
    CVKT_DirectInputDevice(const CVKT_DirectInputDevice&) = delete;
    CVKT_DirectInputDevice& operator=(const CVKT_DirectInputDevice&) = delete;

    void SetDevice(std::unique_ptr<CVKT_InputDeviceObject> pDevice);
    CVKT_InputDeviceObject* Device() const { return m_pDevice.get(); }

    // A record of the latest read with that offset and the 0x80 bit set (bDown) or clear.
    bool HasRecord(uint32_t dwOfs, bool bDown) const;
    // The latest record of the latest read that has the 0x80 bit and an offset in [dwFirst, dwEnd);
    // null when there is none.
    const tInputRecord* LastPressRecord(uint32_t dwFirst, uint32_t dwEnd) const;
    // Replaces the records of the latest read (at most BUFFER_SIZE of them are kept).
    void SetRecords(const tInputRecord* pRecords, unsigned int unCount);
    // One frame through a press queue: every record of a control waiting in the device joins queue
    // (pfnControl names the control of a record's offset; -1, movement, is left out), then this
    // frame's part of it is taken:
    // held comes in as the last frame's controls and leaves as this frame's, wasHeld as
    // CVKT_PressQueue::NextFrame sets it, and the records taken become this read's records. Once
    // nothing waits, and after an overflow of the device's buffer or the queue (which starts the
    // queue again), held is live: the device's own held state. False, with held unchanged and no
    // records, when the device gives no records.
    bool TakeFrame(CVKT_PressQueue& queue, int (*pfnControl)(uint32_t dwOfs),
                   const CVKT_PressQueue::tControls& live, CVKT_PressQueue::tControls& held,
                   CVKT_PressQueue::tControls& wasHeld);
    // Shows text (with "CVKT_DirectInput Error") when result is a failure; returns whether it succeeded.
    static bool Check(DIRESULT result, HWND hWnd, const char* szText);

private:
    void ResetRecords();
    DIRESULT ReadRecords();

    std::unique_ptr<CVKT_InputDeviceObject> m_pDevice;
    tInputRecord m_Records[BUFFER_SIZE] = {};
    unsigned int m_unRecordCount = 0;
};
