// The part every input device shares: the owned device object and the records of the latest
// buffered read (at most BUFFER_SIZE; what arrived beyond that between two reads is lost).
#pragma once

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
    // Shows text (with "CVKT_DirectInput Error") when result is a failure; returns whether it succeeded.
    static bool Check(DIRESULT result, HWND hWnd, const char* szText);

private:
    void ResetRecords();
    DIRESULT ReadRecords();

    std::unique_ptr<CVKT_InputDeviceObject> m_pDevice;
    tInputRecord m_Records[BUFFER_SIZE] = {};
    unsigned int m_unRecordCount = 0;
};
