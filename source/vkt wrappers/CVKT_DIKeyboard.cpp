#include "CVKT_DIKeyboard.h"

#include "CVKT_KeyboardDeviceObject.h"
#include "CVKT_MessageBox.h"

#include <cstring>

namespace
{
// Every key record names its key by its DIK code.
int KeyOf(uint32_t dwOfs)
{
    return dwOfs < 256 ? static_cast<int>(dwOfs) : -1;
}

CVKT_PressQueue::tControls ToControls(const unsigned char* pKeys)
{
    CVKT_PressQueue::tControls keys;
    for (size_t code = 0; code < 256; ++code)
        keys[code] = (pKeys[code] & 0x80) != 0;
    return keys;
}

void FromControls(const CVKT_PressQueue::tControls& keys, unsigned char* pKeys)
{
    for (size_t code = 0; code < 256; ++code)
        pKeys[code] = keys[code] ? 0x80 : 0;
}
} // namespace

CVKT_DIKeyboard::CVKT_DIKeyboard(HWND hWnd, bool bExclusive)
{
    std::unique_ptr<CVKT_KeyboardDeviceObject> keyboard = CVKT_KeyboardDeviceObject::Create();
    if (!keyboard)
    {
        // Every later step needs the device; one message says it all.
        Check(DIERR_NOTINITIALIZED, hWnd, "Failed to create Keyboard device.");
        return;
    }
    m_pKeyboard = keyboard.get();
    SetDevice(std::move(keyboard));

    Check(m_pKeyboard->SetDataFormat(sizeof m_ucKeysCurrent), hWnd, "Failed to set data format on Keyboard.");
    const unsigned int level = bExclusive ? DISCL_EXCLUSIVE | DISCL_FOREGROUND
                                          : DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_NOWINKEY;
    Check(m_pKeyboard->SetCooperativeLevel(hWnd, level), hWnd,
          "Failed to set cooperative level on Keyboard.");
    Check(m_pKeyboard->SetBufferSize(PENDING_RECORDS), hWnd,
          "Could not Set the Properties for Buffered Input for Keyboard.");
    Check(m_pKeyboard->Acquire(), hWnd, "Failed to acquire Keyboard.");
    ClearStates();
}

void CVKT_DIKeyboard::ClearStates()
{
    std::memset(m_ucKeysCurrent, 0, sizeof m_ucKeysCurrent);
    std::memset(m_ucKeysPrevious, 0, sizeof m_ucKeysPrevious);
    m_Changes.Clear();
}

bool CVKT_DIKeyboard::ReadDevice()
{
    m_bFrameTaken = false;
    if (!m_pKeyboard)
    {
        std::memcpy(m_ucKeysPrevious, m_ucKeysCurrent, sizeof m_ucKeysCurrent);
        SetRecords(nullptr, 0);
        return false;
    }
    unsigned char live[256];
    const bool read = ReadLiveState(live);
    CVKT_PressQueue::tControls held = ToControls(m_ucKeysCurrent);
    CVKT_PressQueue::tControls wasHeld = held;
    m_bFrameTaken = read && TakeFrame(m_Changes, &KeyOf, ToControls(live), held, wasHeld);
    if (!m_bFrameTaken)
        SetRecords(nullptr, 0);
    FromControls(held, m_ucKeysCurrent);
    FromControls(wasHeld, m_ucKeysPrevious);
    CaptureModifiers();
    return read;
}

bool CVKT_DIKeyboard::ReadLiveState(unsigned char* pLive)
{
    if (DISucceeded(m_pKeyboard->GetDeviceState(256, pLive)))
        return true;
    return DISucceeded(m_pKeyboard->Acquire()) && DISucceeded(m_pKeyboard->GetDeviceState(256, pLive));
}

void CVKT_DIKeyboard::CaptureModifiers()
{
    m_Modifiers = CVKT_KeyMap::ModifiersFor(m_ucKeysCurrent, m_pKeyboard ? m_pKeyboard->GetLockMod() : 0);
}

bool CVKT_DIKeyboard::Acquire()
{
    ClearStates();
    return CVKT_DirectInputDevice::Acquire();
}

bool CVKT_DIKeyboard::Unacquire()
{
    ClearStates();
    return CVKT_DirectInputDevice::Unacquire();
}

char CVKT_DIKeyboard::CheckKeys() const
{
    unsigned char character = 0;
    for (int code = 0; code < 256; ++code)
    {
        if (!KeyDown(static_cast<unsigned char>(code)))
            continue;
        if (const unsigned char typed =
                CVKT_KeyMap::ToCharacter(static_cast<unsigned char>(code), m_Modifiers))
            character = typed;
    }
    return static_cast<char>(character);
}

char CVKT_DIKeyboard::CheckBufferedKeysEx() const
{
    // The character of each press was fixed when it happened (see the keyboard device object).
    unsigned char character = 0;
    for (unsigned int i = 0; i < GetRecordCount(); ++i)
    {
        const tInputRecord& record = GetRecords()[i];
        if ((record.dwData & 0x80) && record.uAppData != 0)
            character = static_cast<unsigned char>(record.uAppData);
    }
    return static_cast<char>(character);
}

unsigned char CVKT_DIKeyboard::GetDIKCode() const
{
    for (int code = 0; code < 256; ++code)
    {
        if (KeyDown(static_cast<unsigned char>(code)))
            return static_cast<unsigned char>(code);
    }
    return 0;
}

unsigned char CVKT_DIKeyboard::GetBufferedDIKCodeEx() const
{
    const tInputRecord* press = LastPressRecord(0, 256);
    return press ? static_cast<unsigned char>(press->dwOfs) : 0;
}

void CVKT_DIKeyboard::SaveFrame(tInputFrame& frame) const
{
    for (unsigned int code = 0; code < 256; ++code)
    {
        tInputFrame::SetBit(frame.keysDown, code, (m_ucKeysCurrent[code] & 0x80) != 0);
        tInputFrame::SetBit(frame.keysWereDown, code, (m_ucKeysPrevious[code] & 0x80) != 0);
    }
    frame.ucModifiers = static_cast<uint8_t>((m_Modifiers.bShift ? tInputFrame::MOD_SHIFT : 0) |
                                             (m_Modifiers.bCapsLock ? tInputFrame::MOD_CAPS_LOCK : 0) |
                                             (m_Modifiers.bNumLock ? tInputFrame::MOD_NUM_LOCK : 0) |
                                             (m_Modifiers.bCtrl ? tInputFrame::MOD_CTRL : 0) |
                                             (m_Modifiers.bAltGr ? tInputFrame::MOD_ALT_GR : 0));
    const unsigned int count =
        GetRecordCount() < tInputFrame::MAX_KEY_RECORDS ? GetRecordCount() : tInputFrame::MAX_KEY_RECORDS;
    frame.ucRecordCount = static_cast<uint8_t>(count);
    for (unsigned int i = 0; i < count; ++i)
    {
        const tInputRecord& record = GetRecords()[i];
        frame.records[i].ucKey = static_cast<uint8_t>(record.dwOfs);
        frame.records[i].bDown = (record.dwData & 0x80) != 0;
        frame.records[i].ucChar = static_cast<uint8_t>(record.uAppData);
    }
}

void CVKT_DIKeyboard::LoadFrame(const tInputFrame& frame)
{
    for (unsigned int code = 0; code < 256; ++code)
    {
        m_ucKeysCurrent[code] = tInputFrame::Bit(frame.keysDown, code) ? 0x80 : 0;
        m_ucKeysPrevious[code] = tInputFrame::Bit(frame.keysWereDown, code) ? 0x80 : 0;
    }
    m_Modifiers.bShift = (frame.ucModifiers & tInputFrame::MOD_SHIFT) != 0;
    m_Modifiers.bCapsLock = (frame.ucModifiers & tInputFrame::MOD_CAPS_LOCK) != 0;
    m_Modifiers.bNumLock = (frame.ucModifiers & tInputFrame::MOD_NUM_LOCK) != 0;
    m_Modifiers.bCtrl = (frame.ucModifiers & tInputFrame::MOD_CTRL) != 0;
    m_Modifiers.bAltGr = (frame.ucModifiers & tInputFrame::MOD_ALT_GR) != 0;
    tInputRecord records[tInputFrame::MAX_KEY_RECORDS] = {};
    const unsigned int count = frame.ucRecordCount < tInputFrame::MAX_KEY_RECORDS
                                   ? frame.ucRecordCount
                                   : tInputFrame::MAX_KEY_RECORDS;
    for (unsigned int i = 0; i < count; ++i)
    {
        records[i].dwOfs = frame.records[i].ucKey;
        records[i].dwData = frame.records[i].bDown ? 0x80 : 0;
        records[i].uAppData = frame.records[i].ucChar;
    }
    SetRecords(records, count);
}
