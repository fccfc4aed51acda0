#include "CVKT_GamePad.h"

#include <SDL.h>

#include <algorithm>

namespace
{
static_assert(int{PAD_SOUTH} == int{SDL_CONTROLLER_BUTTON_A} &&
                  int{PAD_EAST} == int{SDL_CONTROLLER_BUTTON_B} &&
                  int{PAD_START} == int{SDL_CONTROLLER_BUTTON_START} &&
                  int{PAD_RIGHT_SHOULDER} == int{SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
              "the pad's buttons are numbered as SDL's standard layout numbers them");

struct tDirectionButton
{
    SDL_GameControllerButton button;
    ePadDirection direction;
};
constexpr tDirectionButton kDPad[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PAD_RIGHT},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PAD_DOWN},
};
} // namespace

void CVKT_GamePad::tDeleter::operator()(SDL_GameController* pController) const
{
    SDL_GameControllerClose(pController);
}

CVKT_GamePad::CVKT_GamePad(SDL_GameController* pController)
    : m_pController(pController),
      m_nInstanceID(SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pController)))
{
}

std::unique_ptr<CVKT_GamePad> CVKT_GamePad::Open(int nDeviceIndex)
{
    if (nDeviceIndex < 0 || nDeviceIndex >= SDL_NumJoysticks() || !SDL_IsGameController(nDeviceIndex))
        return nullptr;
    SDL_GameController* pController = SDL_GameControllerOpen(nDeviceIndex);
    if (!pController)
        return nullptr;
    return std::unique_ptr<CVKT_GamePad>(new CVKT_GamePad(pController));
}

void CVKT_GamePad::Read(bool bSeesInput)
{
    m_uPrevButtons = m_uButtons;
    m_uPrevDirections = m_uDirections;
    m_uButtons = bSeesInput ? SampleButtons() : 0;
    m_uDirections = bSeesInput ? SampleDirections() : 0;
}

unsigned int CVKT_GamePad::SampleButtons() const
{
    unsigned int uButtons = 0;
    for (int nButton = 0; nButton < PAD_BUTTON_COUNT; ++nButton)
    {
        if (SDL_GameControllerGetButton(m_pController.get(), static_cast<SDL_GameControllerButton>(nButton)))
            uButtons |= Bit(nButton);
    }
    return uButtons;
}

unsigned int CVKT_GamePad::SampleDirections() const
{
    SDL_GameController* pController = m_pController.get();
    unsigned int uDirections = 0;
    for (const tDirectionButton& dpad : kDPad)
    {
        if (SDL_GameControllerGetButton(pController, dpad.button))
            uDirections |= Bit(dpad.direction);
    }
    const int nX = SDL_GameControllerGetAxis(pController, SDL_CONTROLLER_AXIS_LEFTX);
    const int nY = SDL_GameControllerGetAxis(pController, SDL_CONTROLLER_AXIS_LEFTY);
    if (nX < -STICK_DEAD_ZONE)
        uDirections |= Bit(PAD_LEFT);
    if (nX > STICK_DEAD_ZONE)
        uDirections |= Bit(PAD_RIGHT);
    if (nY < -STICK_DEAD_ZONE)
        uDirections |= Bit(PAD_UP);
    if (nY > STICK_DEAD_ZONE)
        uDirections |= Bit(PAD_DOWN);
    return uDirections;
}

bool CVKT_GamePad::HasNewInput() const
{
    return (m_uButtons & ~m_uPrevButtons) != 0 || (m_uDirections & ~m_uPrevDirections) != 0;
}

bool CVKT_GamePad::Rumble(float fStrength, uint32_t uMilliseconds)
{
    if (!SDL_GameControllerHasRumble(m_pController.get()))
        return false;
    const Uint16 uLevel = static_cast<Uint16>(std::clamp(fStrength, 0.0f, 1.0f) * 0xFFFF);
    return SDL_GameControllerRumble(m_pController.get(), uLevel, uLevel, uMilliseconds) == 0;
}
