// One game controller: its product name, the current and previous joystick records of the last two
// reads, the buffered records of the last read, and the flags for an unplugged controller, an Xbox
// 360 pad (its triggers and right stick sit on other axes) and swapped right-stick axes.
//
// Set up with the axes X, Y and the right stick's and triggers' axes ranging over -1024..1024, and a
// dead zone of 10 % on both sticks. Directions: 0 left, 1 right, 2 up, 3 down.
#pragma once

#include "CVKT_DirectInputDevice.h"

class CVKT_JoystickDeviceObject;

class CVKT_DIJoystick : public CVKT_DirectInputDevice
{
public:
    static constexpr int AXIS_MAX = 1024;
    static constexpr uint32_t DEAD_ZONE = 1000;
    static constexpr int NAME_SIZE = 260;
    static constexpr int MAX_BUTTONS = 128;

    enum eDirection
    {
        DIR_LEFT = 0,
        DIR_RIGHT = 1,
        DIR_UP = 2,
        DIR_DOWN = 3
    };

    // Sets up the controller SDL lists at nDeviceIndex; every failed step is reported (title
    // "CVKT_DirectInput Error", the product name in the text) and the rest still tried.
    CVKT_DIJoystick(int nDeviceIndex, HWND hWnd, bool bExclusive);

    // Previous record = current record; the current record is zeroed (hats centred) and read anew.
    // A controller that cannot be polled is acquired again; that sets the unplugged flag when it is
    // gone and clears it once it is back.
    bool ReadDevice() override;

    // The controller SDL lists at nDeviceIndex is this one plugged in again: it is opened in its place.
    bool TryReattach(int nDeviceIndex);

    bool ButtonDown(int nButton) const { return (m_Current.rgbButtons[nButton] & 0x80) != 0; }
    bool ButtonWasDown(int nButton) const { return (m_Previous.rgbButtons[nButton] & 0x80) != 0; }
    bool ButtonPressedEx(int nButton) const;
    bool ButtonReleasedEx(int nButton) const;
    int CheckButtons() const;
    int CheckBufferedButtonsEx() const;

    bool DPadDown(int nDir) const { return HatPoints(m_Current.rgdwPOV[0], nDir); }
    bool DPadWasDown(int nDir) const { return HatPoints(m_Previous.rgdwPOV[0], nDir); }

    bool LStickDirDown(int nDir) const { return StickPoints(m_Current.lX, m_Current.lY, nDir); }
    bool LStickDirPressed(int nDir) const;
    int LStickX() const { return m_Current.lX; }
    int LStickY() const { return m_Current.lY; }
    bool RStickDirDown(int nDir) const { return StickPoints(RStickX(), RStickY(), nDir); }
    bool RStickDirPressed(int nDir) const;
    int RStickX() const;
    int RStickY() const;
    int LTrigger() const { return m_bIs360 ? m_Current.lZ : 0; }
    int RTrigger() const { return m_bIs360 ? -m_Current.lZ : 0; }

    int GetNumButtons() const { return m_nNumButtons; }
    bool IsUnplugged() const { return m_bUnplugged; }
    bool IsXbox360Pad() const { return m_bIs360; }
    const char* GetName() const { return m_szName; }
    void SetSwapRStickAxes(bool bSwap) { m_bSwapRStick = bSwap; }
    void SwapRStickAxes() { m_bSwapRStick = !m_bSwapRStick; }

    // Whether hat value v points that way (diagonals point both ways); centred points nowhere.
    static bool HatPoints(uint32_t v, int nDir);
    // Whether a stick at (x, y) points that way.
    static bool StickPoints(int x, int y, int nDir);
    // Whether a stick moved from (x0, y0) to (x1, y1) crossed the direction threshold that way.
    static bool StickCrossed(int x0, int y0, int x1, int y1, int nDir);

private:
    void SetUp(HWND hWnd, bool bExclusive);
    void SetAxes();
    bool Report(DIRESULT result, HWND hWnd, const char* szFormat) const;
    void ClearCurrent();
    int RStickXOf(const tJoystickState& state) const;
    int RStickYOf(const tJoystickState& state) const;

    CVKT_JoystickDeviceObject* m_pPad = nullptr;
    char m_szName[NAME_SIZE] = {};
    tJoystickState m_Current = {};
    tJoystickState m_Previous = {};
    int m_nNumButtons = 0;
    bool m_bUnplugged = false;
    bool m_bIs360 = false;
    bool m_bSwapRStick = false;
};
