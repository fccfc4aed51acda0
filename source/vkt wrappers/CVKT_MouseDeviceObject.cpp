#include "CVKT_MouseDeviceObject.h"

#include <SDL.h>

#include <cstring>

namespace
{
// One wheel notch, in the units the game's mouse record counts.
constexpr int32_t WHEEL_DELTA = 120;

// Sums wrap around instead of overflowing: no event can make them undefined.
int32_t WrappingAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
} // namespace

CVKT_MouseDeviceObject::CVKT_MouseDeviceObject() : CVKT_InputDeviceObject(sizeof(tMouseState)) {}

std::unique_ptr<CVKT_MouseDeviceObject> CVKT_MouseDeviceObject::Create()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return nullptr;
    return std::unique_ptr<CVKT_MouseDeviceObject>(new CVKT_MouseDeviceObject());
}

int CVKT_MouseDeviceObject::ToButtonNumber(Uint8 ucSDLButton)
{
    switch (ucSDLButton)
    {
    case SDL_BUTTON_LEFT:
        return 0;
    case SDL_BUTTON_RIGHT:
        return 1;
    case SDL_BUTTON_MIDDLE:
        return 2;
    case SDL_BUTTON_X1:
        return 3;
    case SDL_BUTTON_X2:
        return 4;
    case 6:
        return 5;
    case 7:
        return 6;
    case 8:
        return 7;
    default:
        return -1;
    }
}

void CVKT_MouseDeviceObject::HandleEvent(const SDL_Event& event)
{
    if (!SeesInput())
        return;
    switch (event.type)
    {
    case SDL_MOUSEMOTION:
        OnMotion(event.motion);
        break;
    case SDL_MOUSEWHEEL:
        OnWheel(event.wheel);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        OnButton(event.button);
        break;
    default:
        break;
    }
}

void CVKT_MouseDeviceObject::OnMotion(const SDL_MouseMotionEvent& motion)
{
    if (!IsAcquired())
        return;
    m_Live.lX = WrappingAdd(m_Live.lX, motion.xrel);
    m_Live.lY = WrappingAdd(m_Live.lY, motion.yrel);
    if (motion.xrel != 0)
        AddRecord(DIMOFS_X, static_cast<uint32_t>(motion.xrel), motion.timestamp);
    if (motion.yrel != 0)
        AddRecord(DIMOFS_Y, static_cast<uint32_t>(motion.yrel), motion.timestamp);
}

void CVKT_MouseDeviceObject::OnWheel(const SDL_MouseWheelEvent& wheel)
{
    if (!IsAcquired() || wheel.y == 0)
        return;
    const int64_t notches = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -int64_t{wheel.y} : int64_t{wheel.y};
    const auto delta = static_cast<int32_t>(static_cast<uint32_t>(notches * WHEEL_DELTA));
    m_Live.lZ = WrappingAdd(m_Live.lZ, delta);
    AddRecord(DIMOFS_Z, static_cast<uint32_t>(delta), wheel.timestamp);
}

void CVKT_MouseDeviceObject::OnButton(const SDL_MouseButtonEvent& button)
{
    const int number = ToButtonNumber(button.button);
    if (number < 0)
        return;
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    const bool wasHeld = (m_Live.rgbButtons[number] & 0x80) != 0;
    m_Live.rgbButtons[number] = down ? 0x80 : 0;
    if (down != wasHeld)
        AddRecord(DIMOFS_BUTTON0 + static_cast<uint32_t>(number), down ? 0x80 : 0, button.timestamp);
}

void CVKT_MouseDeviceObject::CopyLiveState(void* out)
{
    std::memcpy(out, &m_Live, sizeof m_Live);
    m_Live.lX = m_Live.lY = m_Live.lZ = 0;
}

void CVKT_MouseDeviceObject::ClearLiveState()
{
    m_Live = {};
}

void CVKT_MouseDeviceObject::OnAcquired()
{
    // Movement counts from the moment of acquisition.
    m_Live.lX = m_Live.lY = m_Live.lZ = 0;
    if (IsExclusive())
        SDL_SetRelativeMouseMode(SDL_TRUE);
}

void CVKT_MouseDeviceObject::OnUnacquired()
{
    if (IsExclusive())
        SDL_SetRelativeMouseMode(SDL_FALSE);
}
