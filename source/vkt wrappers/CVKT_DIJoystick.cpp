#include "CVKT_DIJoystick.h"

#include "CVKT_JoystickDeviceObject.h"
#include "CVKT_MessageBox.h"

#include <SDL_joystick.h>

#include <cstdio>
#include <cstring>

namespace
{
// A stick counts as pushed that way once it is past 70 % of its travel.
const int THRESHOLD = static_cast<int>(0.7 * CVKT_DIJoystick::AXIS_MAX);

// The offsets of the right stick's and the triggers' axes: an Xbox 360 pad has its triggers on Z and
// its right stick on Rx/Ry; other pads have the right stick on Z/Rz.
constexpr uint32_t k360RangeAxes[] = {DIJOFS_Z, DIJOFS_RX, DIJOFS_RY};
constexpr uint32_t k360DeadZoneAxes[] = {DIJOFS_RX, DIJOFS_RY};
constexpr uint32_t OTHER_AXES[] = {DIJOFS_Z, DIJOFS_RZ};
} // namespace

CVKT_DIJoystick::CVKT_DIJoystick(int nDeviceIndex, HWND hWnd, bool bExclusive)
{
    const char* name = SDL_JoystickNameForIndex(nDeviceIndex);
    std::snprintf(m_szName, sizeof m_szName, "%s", name ? name : "");
    std::unique_ptr<CVKT_JoystickDeviceObject> pad = CVKT_JoystickDeviceObject::Open(nDeviceIndex);
    if (!pad)
    {
        // Every later step needs the device; one message says it all.
        Report(DIERR_NOTINITIALIZED, hWnd, "Failed to create Joystick device: %s");
        return;
    }
    m_bIs360 = pad->IsXbox360Pad();
    m_pPad = pad.get();
    SetDevice(std::move(pad));
    SetUp(hWnd, bExclusive);
}

bool CVKT_DIJoystick::Report(DIRESULT result, HWND hWnd, const char* szFormat) const
{
    if (DISucceeded(result))
        return true;
    // The message is cut to 255 characters when a long product name does not fit.
    char text[256];
    if (std::snprintf(text, sizeof text, szFormat, m_szName) < 0)
        text[0] = '\0';
    CVKT_MessageBox::Show(hWnd, text, "CVKT_DirectInput Error");
    return false;
}

void CVKT_DIJoystick::SetUp(HWND hWnd, bool bExclusive)
{
    Report(m_pPad->SetDataFormat(sizeof m_Current), hWnd, "Failed to set data format on Joystick: %s");
    m_nNumButtons = m_pPad->GetButtonCount();
    const unsigned int level = (bExclusive || m_pPad->HasForceFeedback())
                                   ? DISCL_EXCLUSIVE | DISCL_FOREGROUND
                                   : DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;
    Report(m_pPad->SetCooperativeLevel(hWnd, level), hWnd, "Failed to set cooperative level on Joystick: %s");
    SetAxes();
    Report(m_pPad->SetBufferSize(BUFFER_SIZE), hWnd,
           "Could not Set the Properties for Buffered Input for Joystick: %s");
    Report(m_pPad->Acquire(), hWnd, "Failed to acquire Joystick: %s");
}

void CVKT_DIJoystick::SetAxes()
{
    // Failures here are not reported: a controller without one of these axes just never moves it.
    for (uint32_t axis : {DIJOFS_X, DIJOFS_Y})
        m_pPad->SetAxisRange(axis, -AXIS_MAX, AXIS_MAX);
    if (m_bIs360)
    {
        for (uint32_t axis : k360RangeAxes)
            m_pPad->SetAxisRange(axis, -AXIS_MAX, AXIS_MAX);
    }
    else
    {
        for (uint32_t axis : OTHER_AXES)
            m_pPad->SetAxisRange(axis, -AXIS_MAX, AXIS_MAX);
    }
    for (uint32_t axis : {DIJOFS_X, DIJOFS_Y})
        m_pPad->SetDeadZone(axis, DEAD_ZONE);
    if (m_bIs360)
    {
        for (uint32_t axis : k360DeadZoneAxes)
            m_pPad->SetDeadZone(axis, DEAD_ZONE);
    }
    else
    {
        for (uint32_t axis : OTHER_AXES)
            m_pPad->SetDeadZone(axis, DEAD_ZONE);
    }
}

void CVKT_DIJoystick::ClearCurrent()
{
    m_Current = {};
    // A zeroed hat would read as "up"; no data means centred.
    for (uint32_t& pov : m_Current.rgdwPOV)
        pov = VKT_POV_CENTERED;
}

bool CVKT_DIJoystick::ReadDevice()
{
    m_Previous = m_Current;
    ClearCurrent();
    if (!m_pPad)
        return false;
    if (!DISucceeded(m_pPad->Poll()))
    {
        const DIRESULT result = m_pPad->Acquire();
        if (!m_bUnplugged && result == DIERR_UNPLUGGED)
            m_bUnplugged = true;
        if (m_bUnplugged && DISucceeded(m_pPad->Acquire()))
            m_bUnplugged = false;
        if (result == DIERR_INPUTLOST)
            m_pPad->Acquire();
    }
    return DISucceeded(m_pPad->GetDeviceState(sizeof m_Current, &m_Current));
}

bool CVKT_DIJoystick::TryReattach(int nDeviceIndex)
{
    return m_pPad && m_pPad->TryReattach(nDeviceIndex);
}

bool CVKT_DIJoystick::ButtonPressedEx(int nButton) const
{
    return HasRecord(DIJOFS_BUTTON(nButton), true);
}

bool CVKT_DIJoystick::ButtonReleasedEx(int nButton) const
{
    return HasRecord(DIJOFS_BUTTON(nButton), false);
}

int CVKT_DIJoystick::CheckButtons() const
{
    for (int button = 0; button < m_nNumButtons; ++button)
    {
        if (ButtonDown(button) && !ButtonWasDown(button))
            return button;
    }
    return -1;
}

int CVKT_DIJoystick::CheckBufferedButtonsEx() const
{
    const tInputRecord* press = LastPressRecord(DIJOFS_BUTTON(0), DIJOFS_BUTTON(m_nNumButtons));
    return press ? static_cast<int>(press->dwOfs - DIJOFS_BUTTON(0)) : -1;
}

bool CVKT_DIJoystick::HatPoints(uint32_t v, int nDir)
{
    const uint32_t angle = v & 0xFFFF;
    if (angle == 0xFFFF)
        return false;
    switch (nDir)
    {
    case DIR_LEFT:
        return angle > 18000;
    case DIR_RIGHT:
        return angle > 0 && angle < 18000;
    case DIR_UP:
        return angle < 9000 || angle > 27000;
    case DIR_DOWN:
        return angle >= 9001 && angle <= 26999;
    default:
        return false;
    }
}

bool CVKT_DIJoystick::StickPoints(int x, int y, int nDir)
{
    switch (nDir)
    {
    case DIR_LEFT:
        return x < 0;
    case DIR_RIGHT:
        return x > 0;
    case DIR_UP:
        return y < 0;
    case DIR_DOWN:
        return y > 0;
    default:
        return false;
    }
}

bool CVKT_DIJoystick::StickCrossed(int x0, int y0, int x1, int y1, int nDir)
{
    switch (nDir)
    {
    case DIR_LEFT:
        return x1 < -THRESHOLD && x0 >= -THRESHOLD;
    case DIR_RIGHT:
        return x1 > THRESHOLD && x0 <= THRESHOLD;
    case DIR_UP:
        return y1 < -THRESHOLD && y0 >= -THRESHOLD;
    case DIR_DOWN:
        return y1 > THRESHOLD && y0 <= THRESHOLD;
    default:
        return false;
    }
}

bool CVKT_DIJoystick::LStickDirPressed(int nDir) const
{
    return StickCrossed(m_Previous.lX, m_Previous.lY, m_Current.lX, m_Current.lY, nDir);
}

int CVKT_DIJoystick::RStickXOf(const tJoystickState& state) const
{
    if (m_bIs360)
        return state.lRx;
    return m_bSwapRStick ? state.lRz : state.lZ;
}

int CVKT_DIJoystick::RStickYOf(const tJoystickState& state) const
{
    if (m_bIs360)
        return state.lRy;
    return m_bSwapRStick ? state.lZ : state.lRz;
}

int CVKT_DIJoystick::RStickX() const
{
    return RStickXOf(m_Current);
}

int CVKT_DIJoystick::RStickY() const
{
    return RStickYOf(m_Current);
}

bool CVKT_DIJoystick::RStickDirPressed(int nDir) const
{
    return StickCrossed(RStickXOf(m_Previous), RStickYOf(m_Previous), RStickX(), RStickY(), nDir);
}
