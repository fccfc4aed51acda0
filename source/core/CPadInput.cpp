#include "CPadInput.h"

#include "CVKT_DirectInput.h"

CPadInput* CPadInput::GetInstance()
{
    static CPadInput instance;
    return &instance;
}

void CPadInput::Update(float fElapsedTime)
{
    const CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    for (int nDir = 0; nDir < PAD_DIRECTION_COUNT; ++nDir)
        UpdateDirection(nDir, pDI->PadDirectionDown(nDir), pDI->PadDirectionPressed(nDir), fElapsedTime);
}

void CPadInput::UpdateDirection(int nDir, bool bHeld, bool bPressed, float fElapsedTime)
{
    // Pressed while it was held last frame: let go and pushed again between two frames.
    const bool bJustPushed = bHeld && (!m_bHeld[nDir] || bPressed);
    m_bHeld[nDir] = bHeld;
    m_bStep[nDir] = bJustPushed;
    if (!bHeld || bJustPushed)
    {
        m_fHeldSeconds[nDir] = 0.0f;
        m_fNextStep[nDir] = FIRST_REPEAT_SECONDS;
        return;
    }
    m_fHeldSeconds[nDir] += fElapsedTime;
    if (m_fHeldSeconds[nDir] < m_fNextStep[nDir])
        return;
    // One step per frame at most: a long frame does not burst through a menu.
    m_bStep[nDir] = true;
    while (m_fNextStep[nDir] <= m_fHeldSeconds[nDir])
        m_fNextStep[nDir] += REPEAT_SECONDS;
}

tPadRepeat CPadInput::GetRepeat() const
{
    tPadRepeat repeat;
    for (int nDir = 0; nDir < PAD_DIRECTION_COUNT; ++nDir)
    {
        repeat.fHeldSeconds[nDir] = m_fHeldSeconds[nDir];
        repeat.fNextStep[nDir] = m_fNextStep[nDir];
        repeat.bHeld[nDir] = m_bHeld[nDir];
        repeat.bStep[nDir] = m_bStep[nDir];
    }
    return repeat;
}

void CPadInput::SetRepeat(const tPadRepeat& repeat)
{
    for (int nDir = 0; nDir < PAD_DIRECTION_COUNT; ++nDir)
    {
        m_fHeldSeconds[nDir] = repeat.fHeldSeconds[nDir];
        m_fNextStep[nDir] = repeat.fNextStep[nDir];
        m_bHeld[nDir] = repeat.bHeld[nDir];
        m_bStep[nDir] = repeat.bStep[nDir];
    }
}

bool CPadInput::PushedLeft() const
{
    return CVKT_DirectInput::GetInstance()->PadDirectionPressed(PAD_LEFT);
}

bool CPadInput::PushedRight() const
{
    return CVKT_DirectInput::GetInstance()->PadDirectionPressed(PAD_RIGHT);
}

bool CPadInput::HeldUp() const
{
    return CVKT_DirectInput::GetInstance()->PadDirectionDown(PAD_UP);
}

bool CPadInput::HeldDown() const
{
    return CVKT_DirectInput::GetInstance()->PadDirectionDown(PAD_DOWN);
}

bool CPadInput::HeldLeft() const
{
    return CVKT_DirectInput::GetInstance()->PadDirectionDown(PAD_LEFT);
}

bool CPadInput::HeldRight() const
{
    return CVKT_DirectInput::GetInstance()->PadDirectionDown(PAD_RIGHT);
}

bool CPadInput::Confirm() const
{
    return CVKT_DirectInput::GetInstance()->PadButtonPressed(PAD_SOUTH);
}

bool CPadInput::Back() const
{
    return CVKT_DirectInput::GetInstance()->PadButtonPressed(PAD_EAST);
}

bool CPadInput::Pause() const
{
    return CVKT_DirectInput::GetInstance()->PadButtonPressed(PAD_START);
}

bool CPadInput::FireHeld() const
{
    return CVKT_DirectInput::GetInstance()->PadButtonDown(PAD_SOUTH);
}

bool CPadInput::Alternate() const
{
    return CVKT_DirectInput::GetInstance()->PadButtonPressed(PAD_NORTH);
}

int CPadInput::PressedButton() const
{
    const CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    for (int nButton = 0; nButton < PAD_BUTTON_COUNT; ++nButton)
    {
        if (pDI->PadButtonPressed(nButton))
            return nButton;
    }
    return -1;
}

bool CPadInput::AnyButton() const
{
    return CVKT_DirectInput::GetInstance()->PadAnyButtonPressed();
}

bool CPadInput::PlayingPadLost() const
{
    return CVKT_DirectInput::GetInstance()->PadPlayingPadLost();
}

void CPadInput::RumbleLostLife() const
{
    CVKT_DirectInput::GetInstance()->PadRumble(LOST_LIFE_RUMBLE, LOST_LIFE_RUMBLE_MS);
}
