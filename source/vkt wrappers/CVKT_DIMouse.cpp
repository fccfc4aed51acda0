#include "CVKT_DIMouse.h"

#include "CVKT_MouseDeviceObject.h"

namespace
{
// The position never stops at a limit; at the ends of the 32-bit range it wraps rather than overflow.
int WrappingAdd(int a, int b)
{
    return static_cast<int>(static_cast<unsigned int>(a) + static_cast<unsigned int>(b));
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
    Check(m_pMouse->SetBufferSize(BUFFER_SIZE), hWnd,
          "Could not Set the Properties for Buffered Input for Mouse.");
    Check(m_pMouse->Acquire(), hWnd, "Failed to acquire Mouse.");
    m_nNumButtons = m_pMouse->GetButtonCount();
}

bool CVKT_DIMouse::ReadState()
{
    return DISucceeded(m_pMouse->GetDeviceState(sizeof m_Current, &m_Current));
}

bool CVKT_DIMouse::ReadDevice()
{
    m_Previous = m_Current;
    if (!m_pMouse)
        return false;
    bool read = ReadState();
    if (!read && DISucceeded(m_pMouse->Acquire()))
        read = ReadState();
    if (!read)
    {
        // Nothing moved as far as this read knows; the previous read's movement must not repeat.
        m_Current.lX = m_Current.lY = m_Current.lZ = 0;
        return false;
    }
    m_nPosX = WrappingAdd(m_nPosX, m_Current.lX);
    m_nPosY = WrappingAdd(m_nPosY, m_Current.lY);
    return true;
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
