// The mouse: the current and previous mouse records of the last two reads (movement of that read,
// 8 buttons), the buffered records of the last read, the number of buttons, and a position that
// adds up every read's movement from (0, 0) without any limit. The buttons, like the keyboard's keys,
// go through a press queue (CVKT_PressQueue): a click shorter than a frame is held and pressed in one
// frame and released in the next.
#pragma once

#include "CVKT_DirectInputDevice.h"

class CVKT_MouseDeviceObject;

class CVKT_DIMouse : public CVKT_DirectInputDevice
{
public:
    static constexpr int MAX_BUTTONS = 8;

    // Sets the mouse up; every failed step is reported (title "CVKT_DirectInput Error") and the rest
    // still tried. When the mouse cannot be created at all it stays without data.
    CVKT_DIMouse(HWND hWnd, bool bExclusive);

    // Previous record = current record; current record = the device's movement, added to the
    // position, and this frame's part of the button changes waiting, which also make the records.
    // When the device cannot be read it is acquired and read once more; if that fails too, the
    // buttons keep their values, the movement is 0 and there are no records.
    bool ReadDevice() override;
    // The records were taken with the state by ReadDevice; true when that read succeeded.
    bool ReadBufferedDevice() override { return m_bFrameTaken; }

    bool ButtonDown(int nButton) const { return (m_Current.rgbButtons[nButton] & 0x80) != 0; }
    bool ButtonWasDown(int nButton) const { return (m_Previous.rgbButtons[nButton] & 0x80) != 0; }
    bool ButtonPressedEx(int nButton) const;
    bool ButtonReleasedEx(int nButton) const;
    // The button of the last press record of the latest read among the mouse's buttons; -1 for none.
    int CheckBufferedButtonsEx() const;

    int MovementX() const { return m_Current.lX; }
    int MovementY() const { return m_Current.lY; }
    int WheelMovement() const { return m_Current.lZ; }
    int GetNumButtons() const { return m_nNumButtons; }
    int GetPosX() const { return m_nPosX; }
    int GetPosY() const { return m_nPosY; }
    void SetPosX(int nPosX) { m_nPosX = nPosX; }
    void SetPosY(int nPosY) { m_nPosY = nPosY; }

private:
    bool ReadState(tMouseState& live);
    void TakeButtons(const tMouseState& live);

    CVKT_MouseDeviceObject* m_pMouse = nullptr;
    tMouseState m_Current = {};
    tMouseState m_Previous = {};
    CVKT_PressQueue m_Changes;
    bool m_bFrameTaken = false;
    int m_nNumButtons = 0;
    int m_nPosX = 0;
    int m_nPosY = 0;
};
