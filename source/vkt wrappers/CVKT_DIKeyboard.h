// The keyboard: the current and previous key states (256 bytes by DIK code, 0x80 = held) of the
// last two reads, the buffered key records of the last read, and the character translation.
// Acquiring or unacquiring zeroes both states, so nothing counts as held or pressed across it.
//
// The states are not snapshots of the keys held at the moment of the read: each read takes the key
// changes that arrived since the last one through a press queue (CVKT_PressQueue), so a key that went
// down and up between two reads is held and pressed in one frame and released in the next, and the
// records of a read are the changes that frame took.
#pragma once

#include "CVKT_DirectInputDevice.h"
#include "CVKT_KeyMap.h"
#include "VKT_InputFrame.h"

class CVKT_KeyboardDeviceObject;

class CVKT_DIKeyboard : public CVKT_DirectInputDevice
{
public:
    // Sets the keyboard up; every failed step is reported (title "CVKT_DirectInput Error") and the
    // rest still tried. When the keyboard cannot be created at all it stays without data.
    CVKT_DIKeyboard(HWND hWnd, bool bExclusive);

    // Previous state = current state; current state and records = this frame's part of the key
    // changes waiting. When the device cannot be read it is acquired and read once more; if that fails
    // too, the current state keeps its values and there are no records.
    bool ReadDevice() override;
    // The records were taken with the state by ReadDevice; true when that read succeeded.
    bool ReadBufferedDevice() override { return m_bFrameTaken; }
    bool Acquire() override;
    bool Unacquire() override;

    bool KeyDown(unsigned char ucDIKey) const { return (m_ucKeysCurrent[ucDIKey] & 0x80) != 0; }
    bool KeyWasDown(unsigned char ucDIKey) const { return (m_ucKeysPrevious[ucDIKey] & 0x80) != 0; }
    bool KeyPressedEx(unsigned char ucDIKey) const { return HasRecord(ucDIKey, true); }
    bool KeyReleasedEx(unsigned char ucDIKey) const { return HasRecord(ucDIKey, false); }

    // The character of the last held key (in code order) that types one; 0 when none does.
    char CheckKeys() const;
    // The character of the last press of the latest buffered read that typed one; 0 when none did.
    char CheckBufferedKeysEx() const;
    // The lowest held key code; 0 when no key is held.
    unsigned char GetDIKCode() const;
    // The key code of the last press of the latest buffered read; 0 when there was none.
    unsigned char GetBufferedDIKCodeEx() const;

    // The keyboard's part of a frame record: both key states, the modifiers and the key records.
    void SaveFrame(tInputFrame& frame) const;
    // Makes the queries answer as the frame says, until the next read.
    void LoadFrame(const tInputFrame& frame);

private:
    void ClearStates();
    void CaptureModifiers();
    bool ReadLiveState(unsigned char* pLive);

    CVKT_KeyboardDeviceObject* m_pKeyboard = nullptr;
    unsigned char m_ucKeysCurrent[256] = {};
    unsigned char m_ucKeysPrevious[256] = {};
    CVKT_PressQueue m_Changes;
    bool m_bFrameTaken = false;
    // The modifiers at the latest read, for translating held keys.
    tKeyModifiers m_Modifiers;
};
