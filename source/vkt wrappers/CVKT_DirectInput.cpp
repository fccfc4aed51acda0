#include "CVKT_DirectInput.h"

#include <SDL.h>

#include <cstring>

// STAND-IN: a minimal keyboard for the game core until the input layer lands.
namespace
{
unsigned char StandInCode(SDL_Scancode scancode)
{
    switch (scancode)
    {
    case SDL_SCANCODE_ESCAPE:
        return DIK_ESCAPE;
    case SDL_SCANCODE_RETURN:
        return DIK_RETURN;
    case SDL_SCANCODE_SPACE:
        return DIK_SPACE;
    case SDL_SCANCODE_LALT:
        return DIK_LMENU;
    case SDL_SCANCODE_RALT:
        return DIK_RMENU;
    case SDL_SCANCODE_UP:
        return DIK_UP;
    case SDL_SCANCODE_DOWN:
        return DIK_DOWN;
    case SDL_SCANCODE_LEFT:
        return DIK_LEFT;
    case SDL_SCANCODE_RIGHT:
        return DIK_RIGHT;
    case SDL_SCANCODE_P:
        return DIK_P;
    default:
        return 0;
    }
}
} // namespace

CVKT_DirectInput* CVKT_DirectInput::GetInstance()
{
    static CVKT_DirectInput instance;
    return &instance;
}

bool CVKT_DirectInput::InitDirectInput(HWND, HINSTANCE, unsigned int, unsigned int)
{
    m_bInitialised = true;
    return true;
}

void CVKT_DirectInput::ShutdownDirectInput()
{
    m_bInitialised = false;
    std::memset(m_live, 0, sizeof m_live);
    std::memset(m_current, 0, sizeof m_current);
    std::memset(m_previous, 0, sizeof m_previous);
}

void CVKT_DirectInput::ReadDevices()
{
    std::memcpy(m_previous, m_current, sizeof m_current);
    std::memcpy(m_current, m_live, sizeof m_live);
}

bool CVKT_DirectInput::KeyDown(unsigned char key)
{
    return m_bInitialised && (m_current[key] & 0x80);
}

bool CVKT_DirectInput::KeyPressed(unsigned char key)
{
    return m_bInitialised && (m_current[key] & 0x80) && !(m_previous[key] & 0x80);
}

void CVKT_DirectInput::HandleEvent(const SDL_Event& event)
{
    if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP)
        return;
    const unsigned char code = StandInCode(event.key.keysym.scancode);
    if (code)
        m_live[code] = event.type == SDL_KEYDOWN ? 0x80 : 0;
}

void CVKT_DirectInput::OnFocusLost()
{
    std::memset(m_live, 0, sizeof m_live);
}

void CVKT_DirectInput::OnFocusGained() {}
