#include "CVKT_DIMouse.h"

#include "CVKT_MouseDeviceObject.h"

namespace
{
// The position never stops at a limit; at the ends of the 32-bit range it wraps rather than overflow.
int WrappingAdd(int a, int b)
{
    return static_cast<int>(static_cast<unsigned int>(a) + static_cast<unsigned int>(b));
}

// Button records name the button by its offset; movement records are no button's.
int ButtonOf(uint32_t dwOfs)
{
    const uint32_t button = dwOfs - DIMOFS_BUTTON0;
    return dwOfs >= DIMOFS_BUTTON0 && button < CVKT_DIMouse::MAX_BUTTONS ? static_cast<int>(button) : -1;
}

CVKT_PressQueue::tControls ButtonsOf(const tMouseState& state)
{
    CVKT_PressQueue::tControls buttons;
    for (size_t button = 0; button < CVKT_DIMouse::MAX_BUTTONS; ++button)
        buttons[button] = (state.rgbButtons[button] & 0x80) != 0;
    return buttons;
}

void SetButtons(const CVKT_PressQueue::tControls& buttons, tMouseState& state)
{
    for (size_t button = 0; button < CVKT_DIMouse::MAX_BUTTONS; ++button)
        state.rgbButtons[button] = buttons[button] ? 0x80 : 0;
}
} // namespace

CVKT_DIMouse::CVKT_DIMouse(HWND hWnd, bool bExclusive)
{
    std::unique_ptr<CVKT_MouseDeviceObject> mouse = CVKT_MouseDeviceObject::Create();
    if (!mouse)
    {
        // Every later step needs the device; one message says it all.
        Check(DIERR_NOTINITIALIZED, hWnd, "Failed to create Mouse device.");
        return;
    }
    m_pMouse = mouse.get();
    SetDevice(std::move(mouse));

    Check(m_pMouse->SetDataFormat(sizeof m_Current), hWnd, "Failed to set data format on Mouse.");
    const unsigned int level =
        bExclusive ? DISCL_EXCLUSIVE | DISCL_FOREGROUND : DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;
    Check(m_pMouse->SetCooperativeLevel(hWnd, level), hWnd, "Failed to set cooperative level on Mouse.");
    Check(m_pMouse->SetBufferSize(PENDING_RECORDS), hWnd,
          "Could not Set the Properties for Buffered Input for Mouse.");
    Check(m_pMouse->Acquire(), hWnd, "Failed to acquire Mouse.");
    m_nNumButtons = m_pMouse->GetButtonCount();
}

bool CVKT_DIMouse::ReadState(tMouseState& live)
{
    return DISucceeded(m_pMouse->GetDeviceState(sizeof live, &live));
}

bool CVKT_DIMouse::ReadDevice()
{
    m_Previous = m_Current;
    m_bFrameTaken = false;
    SetRecords(nullptr, 0);
    if (!m_pMouse)
        return false;
    tMouseState live = {};
    bool read = ReadState(live);
    if (!read && DISucceeded(m_pMouse->Acquire()))
        read = ReadState(live);
    if (!read)
    {
        // Nothing moved as far as this read knows; the previous read's movement must not repeat.
        m_Current.lX = m_Current.lY = m_Current.lZ = 0;
        return false;
    }
    m_Current.lX = live.lX;
    m_Current.lY = live.lY;
    m_Current.lZ = live.lZ;
    TakeButtons(live);
    m_nPosX = WrappingAdd(m_nPosX, m_Current.lX);
    m_nPosY = WrappingAdd(m_nPosY, m_Current.lY);
    return true;
}

void CVKT_DIMouse::TakeButtons(const tMouseState& live)
{
    CVKT_PressQueue::tControls held = ButtonsOf(m_Current);
    CVKT_PressQueue::tControls wasHeld = held;
    m_bFrameTaken = TakeFrame(m_Changes, &ButtonOf, ButtonsOf(live), held, wasHeld);
    SetButtons(held, m_Current);
    SetButtons(wasHeld, m_Previous);
}

bool CVKT_DIMouse::ButtonPressedEx(int nButton) const
{
    return HasRecord(DIMOFS_BUTTON0 + static_cast<uint32_t>(nButton), true);
}

bool CVKT_DIMouse::ButtonReleasedEx(int nButton) const
{
    return HasRecord(DIMOFS_BUTTON0 + static_cast<uint32_t>(nButton), false);
}

int CVKT_DIMouse::CheckBufferedButtonsEx() const
{
    const tInputRecord* press =
        LastPressRecord(DIMOFS_BUTTON0, DIMOFS_BUTTON0 + static_cast<uint32_t>(m_nNumButtons));
    return press ? static_cast<int>(press->dwOfs - DIMOFS_BUTTON0) : -1;
}
