#include "CVKT_DirectInputDevice.h"

#include "CVKT_InputDeviceObject.h"
#include "CVKT_MessageBox.h"

#include <cstring>

CVKT_DirectInputDevice::~CVKT_DirectInputDevice()
{
    if (m_pDevice)
        m_pDevice->Unacquire();
}

void CVKT_DirectInputDevice::SetDevice(std::unique_ptr<CVKT_InputDeviceObject> pDevice)
{
    m_pDevice = std::move(pDevice);
}

bool CVKT_DirectInputDevice::Check(DIRESULT result, HWND hWnd, const char* szText)
{
    if (DISucceeded(result))
        return true;
    CVKT_MessageBox::Show(hWnd, szText, "CVKT_DirectInput Error");
    return false;
}

void CVKT_DirectInputDevice::ResetRecords()
{
    std::memset(m_Records, 0, sizeof m_Records);
    m_unRecordCount = BUFFER_SIZE;
}

DIRESULT CVKT_DirectInputDevice::ReadRecords()
{
    ResetRecords();
    const DIRESULT result = m_pDevice->GetDeviceData(sizeof(tInputRecord), m_Records, &m_unRecordCount, 0);
    // A failed read delivers nothing; the count must not claim the zeroed array as records.
    if (!DISucceeded(result))
        m_unRecordCount = 0;
    return result;
}

bool CVKT_DirectInputDevice::ReadBufferedDevice()
{
    m_unRecordCount = 0;
    if (!m_pDevice)
        return false;
    if (DISucceeded(ReadRecords()))
        return true;
    if (!DISucceeded(m_pDevice->Acquire()))
        return false;
    return DISucceeded(ReadRecords());
}

bool CVKT_DirectInputDevice::Acquire()
{
    return m_pDevice && DISucceeded(m_pDevice->Acquire());
}

bool CVKT_DirectInputDevice::Unacquire()
{
    return m_pDevice && DISucceeded(m_pDevice->Unacquire());
}

void CVKT_DirectInputDevice::HandleEvent(const SDL_Event& event)
{
    if (m_pDevice)
        m_pDevice->HandleEvent(event);
}

void CVKT_DirectInputDevice::LoseDevice()
{
    if (m_pDevice)
        m_pDevice->LoseDevice();
}

void CVKT_DirectInputDevice::SetRecords(const tInputRecord* pRecords, unsigned int unCount)
{
    ResetRecords();
    m_unRecordCount = unCount < BUFFER_SIZE ? unCount : BUFFER_SIZE;
    for (unsigned int i = 0; i < m_unRecordCount; ++i)
        m_Records[i] = pRecords[i];
}

bool CVKT_DirectInputDevice::HasRecord(uint32_t dwOfs, bool bDown) const
{
    for (unsigned int i = 0; i < m_unRecordCount; ++i)
    {
        if (m_Records[i].dwOfs == dwOfs && ((m_Records[i].dwData & 0x80) != 0) == bDown)
            return true;
    }
    return false;
}

const tInputRecord* CVKT_DirectInputDevice::LastPressRecord(uint32_t dwFirst, uint32_t dwEnd) const
{
    for (unsigned int i = m_unRecordCount; i-- > 0;)
    {
        const tInputRecord& record = m_Records[i];
        if ((record.dwData & 0x80) && record.dwOfs >= dwFirst && record.dwOfs < dwEnd)
            return &record;
    }
    return nullptr;
}

bool CVKT_DirectInputDevice::TakeFrame(CVKT_PressQueue& queue, int (*pfnControl)(uint32_t dwOfs),
                                       const CVKT_PressQueue::tControls& live,
                                       CVKT_PressQueue::tControls& held, CVKT_PressQueue::tControls& wasHeld)
{
    wasHeld = held;
    m_unRecordCount = 0;
    if (!m_pDevice)
        return false;
    tInputRecord waiting[PENDING_RECORDS];
    unsigned int unCount = PENDING_RECORDS;
    const DIRESULT result = m_pDevice->GetDeviceData(sizeof(tInputRecord), waiting, &unCount, 0);
    if (!DISucceeded(result))
        return false;
    // Only the changes of controls wait; movement is in the state, and no query asks its records.
    for (unsigned int i = 0; i < unCount; ++i)
    {
        const int nControl = pfnControl(waiting[i].dwOfs);
        if (nControl >= 0)
            queue.Push(waiting[i], nControl);
    }
    if (result == DI_BUFFEROVERFLOW || queue.Overflowed())
    {
        // Changes were lost: the order of what is left cannot be trusted, the held state can.
        queue.Clear();
        held = live;
        return true;
    }
    ResetRecords();
    m_unRecordCount = queue.NextFrame(held, wasHeld, m_Records, BUFFER_SIZE);
    // With nothing left waiting the frame has caught up with the device; where they differ a change
    // was never seen (the focus went and came back), and the device is right.
    if (queue.Empty())
        held = live;
    return true;
}
